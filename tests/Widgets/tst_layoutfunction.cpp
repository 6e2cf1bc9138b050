#include "WidgetLayout/AnimLayoutItem.h"
#include "Widgets/AutoShader.h"
#include "Widgets/Event.h"
#include "Widgets/Frame.h"
#include "Widgets/GUIBaseWidget.h"
#include "Widgets/LayoutFunction.h"
#include "Widgets/MultiPairData.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QSpacerItem>
#include <QTest>

using namespace TesselGUIToolkit;

namespace {

// Widgets of a box layout, in layout order, by object name.
QStringList Names(const QLayout* layout)
{
    QStringList names;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->widget())
            names << item->widget()->objectName();
        else if (item->spacerItem())
            names << QStringLiteral("spacer");
        else
            names << QStringLiteral("item");
    }
    return names;
}

QLabel* Named(const QString& name, QWidget* parent)
{
    auto* label = new QLabel(name, parent);
    label->setObjectName(name);
    return label;
}

QtMessageHandler g_previousHandler = nullptr;

// The offscreen platform plugin has no compositor: it warns whenever a shown window is raised
// or given an opacity. QWidget keeps the opacity all the same, which is what the tests read.
void DropPlatformWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtWarningMsg
        && (text == QLatin1String("This plugin does not support setting window opacity")
            || text == QLatin1String("This plugin does not support raise()")))
        return;
    g_previousHandler(type, context, text);
}

} // namespace

class tst_LayoutFunction : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { g_previousHandler = qInstallMessageHandler(DropPlatformWarnings); }
    void cleanupTestCase() { qInstallMessageHandler(g_previousHandler); }

    void pairData_data()
    {
        // each step: key, value ("-" an invalid QVariant); "x:key" removes the key
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("expected"); // key=value in order

        QTest::newRow("append") << QStringList{"a=1", "b=2"} << QStringList{"a=1", "b=2"};
        QTest::newRow("replace keeps place")
            << QStringList{"a=1", "b=2", "a=3"} << QStringList{"a=3", "b=2"};
        QTest::newRow("same value") << QStringList{"a=1", "a=1"} << QStringList{"a=1"};
        QTest::newRow("invalid removes") << QStringList{"a=1", "b=2", "a=-"} << QStringList{"b=2"};
        QTest::newRow("invalid for a new key is kept") << QStringList{"a=-"} << QStringList{"a=-"};
        QTest::newRow("remove") << QStringList{"a=1", "b=2", "c=3", "x:b"}
                                << QStringList{"a=1", "c=3"};
        QTest::newRow("remove absent") << QStringList{"a=1", "x:z"} << QStringList{"a=1"};
    }
    void pairData()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);

        CMultiPairData data;
        for (const QString& step : qAsConst(steps)) {
            if (step.startsWith("x:")) {
                data.RemovePairData(step.mid(2));
                continue;
            }
            const QString value = step.section('=', 1);
            data.InsertPairData(step.section('=', 0, 0),
                                value == "-" ? QVariant() : QVariant(value.toInt()));
        }
        QStringList got;
        for (const CPairData& pair : data.GetAllPairData()) {
            const QVariant second = pair.GetSecond();
            got << pair.GetFirst().toString() + '='
                    + (second.isValid() ? QString::number(second.toInt()) : QString("-"));
        }
        QCOMPARE(got, expected);
        QCOMPARE(data.Count(), expected.size());
    }

    void pairLookup()
    {
        CMultiPairData data;
        data.InsertPairData(7, QStringLiteral("seven"));
        data.InsertPairData(QStringLiteral("k"), 1.5);
        QCOMPARE(data.GetPairData(7).toString(), QStringLiteral("seven"));
        QCOMPARE(data.GetPairData(QStringLiteral("k")).toDouble(), 1.5);
        QVERIFY(!data.GetPairData(8).isValid());
        QVERIFY(!data.GetPairData(QVariant()).isValid());
        data.Clear();
        QVERIFY(!data.GetPairData(7).isValid());
    }

    void specialString_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("widthInX"); // line width in widths of "x"
        QTest::addColumn<int>("maxLines");
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("elided");

        const QString three = QString("abcdefghij").repeated(3); // three lines of ten x-widths
        QTest::newRow("fits") << QStringLiteral("short") << 40 << 0 << 1 << false;
        QTest::newRow("three lines, no limit") << three << 11 << 0 << 3 << false;
        QTest::newRow("three lines, limit 3") << three << 11 << 3 << 3 << false;
        QTest::newRow("three lines, limit 2") << three << 11 << 2 << 2 << true;
        QTest::newRow("three lines, limit 1") << three << 11 << 1 << 1 << true;
        QTest::newRow("negative limit") << three << 11 << -5 << 3 << false;
    }
    void specialString()
    {
        QFETCH(QString, text);
        QFETCH(int, widthInX);
        QFETCH(int, maxLines);
        QFETCH(int, lines);
        QFETCH(bool, elided);

        QFont font;
        font.setPixelSize(12);
        const QFontMetrics metrics(font);
        const int width = metrics.horizontalAdvance(QString(widthInX, 'x'));
        QString result = text;
        CFrame::ConvertToSpecialString(result, font, width, maxLines);

        const QStringList got = result.split('\n');
        QCOMPARE(got.size(), lines);
        for (const QString& line : got)
            QVERIFY2(metrics.horizontalAdvance(line) <= width, qPrintable(line));
        // greedy: no line could have taken the next character as well
        QString consumed;
        for (int i = 0; i + 1 < got.size(); ++i) {
            consumed += got.at(i);
            const QString longer = got.at(i) + text.at(consumed.size());
            QVERIFY(metrics.horizontalAdvance(longer) > width);
        }
        if (elided) {
            QVERIFY(got.last().endsWith(QChar(0x2026)));
            QVERIFY(text.startsWith(got.mid(0, lines - 1).join(QString())));
        } else {
            QCOMPARE(got.join(QString()), text);
        }
    }

    void specialStringBadInput_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::newRow("empty") << QString() << 50;
        QTest::newRow("zero width") << QStringLiteral("some text") << 0;
        QTest::newRow("negative width") << QStringLiteral("some text") << -10;
    }
    void specialStringBadInput()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QString result = text;
        CFrame::ConvertToSpecialString(result, QFont(), width, 2);
        QCOMPARE(result, text);
    }

    void specialStringNarrowerThanOneCharacter()
    {
        QFont font;
        font.setPixelSize(12);
        QString result = QStringLiteral("WWW");
        CFrame::ConvertToSpecialString(result, font, 1, 0);
        QCOMPARE(result, QStringLiteral("W\nW\nW")); // one character a line, never none
    }

    void hBoxInsertsBeforeWidget()
    {
        QWidget host;
        auto* layout = new CHBoxLayout(&host);
        QCOMPARE(layout->direction(), QBoxLayout::LeftToRight);
        QLabel* a = Named("a", &host);
        QLabel* c = Named("c", &host);
        layout->AddWidget(a);
        layout->AddWidget(c);
        layout->InsertWidget(c, Named("b", &host));
        QCOMPARE(Names(layout), (QStringList{"a", "b", "c"}));

        layout->InsertWidget(0, Named("first", &host));
        layout->InsertSpacerItem(a, new QSpacerItem(5, 5));
        QCOMPARE(Names(layout), (QStringList{"first", "spacer", "a", "b", "c"}));

        auto* item = new QWidgetItem(Named("d", &host));
        layout->InsertItem(c, item, 3);
        QCOMPARE(layout->IndexOfItem(item), 4);
        QCOMPARE(layout->stretch(4), 3);
        layout->AddItem(new QSpacerItem(1, 1), 2);
        QCOMPARE(layout->stretch(layout->count() - 1), 2);

        layout->SetLayoutContentsMargins(1, 2, 3, 4);
        layout->SetLayoutSpacing(9);
        QCOMPARE(layout->contentsMargins(), QMargins(1, 2, 3, 4));
        QCOMPARE(layout->spacing(), 9);
    }

    void hBoxIgnoresNulls()
    {
        QWidget host;
        auto* layout = new CHBoxLayout(&host);
        QLabel* a = Named("a", &host);
        layout->AddWidget(a);
        layout->AddWidget(nullptr);
        layout->InsertWidget(nullptr, Named("b", &host));
        layout->InsertWidget(a, nullptr);
        layout->InsertWidget(2, nullptr);
        layout->AddItem(nullptr);
        layout->InsertItem(0, nullptr);
        layout->InsertItem(a, nullptr);
        layout->AddLayout(nullptr);
        QSpacerItem spacer(1, 1);
        layout->InsertSpacerItem(nullptr, &spacer); // refused, so still ours to delete
        QCOMPARE(Names(layout), (QStringList{"a"}));
        QCOMPARE(layout->IndexOfItem(nullptr), -1);
        QCOMPARE(layout->IndexOfItem(&spacer), -1);
    }

    void gridLinesWidgetsUp()
    {
        QWidget host;
        auto* layout = new CGridLayout(&host);
        QCOMPARE(layout->contentsMargins(), QMargins(0, 0, 0, 0));
        QCOMPARE(layout->horizontalSpacing(), 6);
        QList<QWidget*> widgets;
        for (int i = 0; i < 3; ++i) {
            widgets << Named(QString::number(i), &host);
            layout->AddWidget(widgets.last());
        }
        layout->AddWidget(nullptr);
        QCOMPARE(layout->count(), 3);
        for (int i = 0; i < 3; ++i) {
            int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
            layout->getItemPosition(layout->indexOf(widgets.at(i)), &row, &column, &rowSpan,
                                    &columnSpan);
            QCOMPARE(row, 0);
            QCOMPARE(column, i);
        }
    }

    void takeItem()
    {
        QWidget host;
        auto* layout = new QHBoxLayout(&host);
        QLabel* plain = Named("plain", &host);
        layout->addWidget(plain);
        auto* window = new CGUIBaseWidget(&host);
        auto* animated = new CAnimLayoutItem(window);
        layout->addItem(animated);
        QLabel* stranger = Named("stranger", &host);

        QCOMPARE(CLayoutFunction::IndexOfItem(layout, animated), 1);
        QLayoutItem* taken = CLayoutFunction::TakeItem(layout, window);
        QCOMPARE(taken, static_cast<QLayoutItem*>(animated));
        QCOMPARE(CLayoutFunction::IndexOfItem(layout, animated), -1);
        delete taken;

        QLayoutItem* plainItem = CLayoutFunction::TakeItem(layout, plain);
        QVERIFY(plainItem);
        QCOMPARE(plainItem->widget(), plain);
        delete plainItem;

        QVERIFY(!CLayoutFunction::TakeItem(layout, stranger));
        QVERIFY(!CLayoutFunction::TakeItem(layout, nullptr));
        QVERIFY(!CLayoutFunction::TakeItem(nullptr, plain));
        QCOMPARE(CLayoutFunction::IndexOfItem(nullptr, plainItem), -1);
    }

    void removeAllItemsKeepsWidgets()
    {
        QWidget host;
        auto* layout = new QHBoxLayout(&host);
        QPointer<QLabel> a = Named("a", &host);
        QPointer<QLabel> b = Named("b", &host);
        layout->addWidget(a);
        layout->addWidget(b);
        layout->addSpacing(10);
        layout->addItem(new CAnimLayoutItem(new CGUIBaseWidget(&host)));
        QCOMPARE(layout->count(), 4);
        CLayoutFunction::RemoveAllItem(layout);
        QCOMPARE(layout->count(), 0);
        QVERIFY(a && b);
        CLayoutFunction::RemoveAllItem(nullptr);
    }

    void customEventType()
    {
        CEvent event;
        QCOMPARE(int(event.type()), 1000);
        QCOMPARE(CEvent::EventType, QEvent::User);
    }

    void shadeDuration_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("expected");
        QTest::newRow("zero") << 0 << 4000;
        QTest::newRow("negative") << -20 << 4000;
        QTest::newRow("one") << 1 << 1;
        QTest::newRow("given") << 1500 << 1500;
    }
    void shadeDuration()
    {
        QFETCH(int, set);
        QFETCH(int, expected);
        CAutoShader shader;
        QCOMPARE(shader.GetShadeDuration(), 4000);
        shader.SetShadeDuration(1500);
        shader.SetShadeDuration(set);
        QCOMPARE(shader.GetShadeDuration(), expected);
    }

    void shadeHidesWhenDone()
    {
        QWidget notice(nullptr, Qt::Tool | Qt::FramelessWindowHint);
        notice.resize(200, 80);
        notice.show();
        CAutoShader shader;
        shader.SetAutoShadeWidget(&notice);
        shader.SetShadeDuration(60);
        QSignalSpy finished(&shader, &CAutoShader::SignalShadeActionFinished);
        shader.StartAutoShade();
        QVERIFY(shader.IsShading());
        QTRY_COMPARE(finished.count(), 1);
        QVERIFY(notice.isHidden());
        QVERIFY(notice.windowOpacity() < 0.01);
        QVERIFY(!shader.IsShading());
    }

    void mouseOverHoldsTheFade()
    {
        QWidget notice(nullptr, Qt::Tool | Qt::FramelessWindowHint);
        notice.resize(200, 80);
        notice.show();
        CAutoShader shader;
        shader.SetAutoShadeWidget(&notice);
        shader.StartAutoShade();
        QTRY_VERIFY(notice.windowOpacity() < 1.0);

        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(&notice, &enter);
        QVERIFY(!shader.IsShading());
        QCOMPARE(notice.windowOpacity(), 1.0);

        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&notice, &leave);
        QVERIFY(shader.IsShading());

        QCloseEvent close;
        QCoreApplication::sendEvent(&notice, &close);
        QVERIFY(!shader.IsShading());
        QCOMPARE(notice.windowOpacity(), 1.0);
    }

    void otherWidgetsDoNotSteer()
    {
        QWidget first(nullptr, Qt::Tool | Qt::FramelessWindowHint);
        QWidget second(nullptr, Qt::Tool | Qt::FramelessWindowHint);
        first.show();
        second.show();
        CAutoShader shader;
        shader.SetShadeDuration(60);
        shader.SetAutoShadeWidget(&first);
        shader.SetAutoShadeWidget(nullptr); // ignored: the first stays attached
        QCOMPARE(shader.GetAutoShadeWidget(), &first);
        shader.SetAutoShadeWidget(&second);

        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&first, &leave); // released: no longer starts the fade
        QVERIFY(!shader.IsShading());

        QSignalSpy finished(&shader, &CAutoShader::SignalShadeActionFinished);
        shader.StartAutoShade();
        QTRY_COMPARE(finished.count(), 1);
        QVERIFY(second.isHidden());
        QVERIFY(first.isVisible());
    }

    void shadedWidgetMayGoAway()
    {
        CAutoShader shader;
        auto* notice = new QWidget;
        shader.SetAutoShadeWidget(notice);
        shader.SetShadeDuration(30);
        shader.StartAutoShade();
        delete notice;
        QSignalSpy finished(&shader, &CAutoShader::SignalShadeActionFinished);
        QTRY_COMPARE(finished.count(), 1);
        shader.InitShadeWidgetShow();
        shader.StopAutoShade();
    }

    void placement_data()
    {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<bool>("withReference");
        QTest::addColumn<QPoint>("expected");

        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QTest::newRow("centred on the screen") << QPoint(0, 0) << false
                                               << QPoint(screen.left() + (screen.width() - 200) / 2,
                                                         screen.top() + (screen.height() - 80) / 2);
        QTest::newRow("stored position") << QPoint(30, 40) << false << QPoint(30, 40);
        // reference frameless at (100, 50) sized 400 x 300
        QTest::newRow("relative to the reference") << QPoint(30, 40) << true << QPoint(130, 90);
    }
    void placement()
    {
        QFETCH(QPoint, pos);
        QFETCH(bool, withReference);
        QFETCH(QPoint, expected);

        QWidget reference(nullptr, Qt::FramelessWindowHint);
        reference.setGeometry(100, 50, 400, 300);
        QWidget notice(nullptr, Qt::Tool | Qt::FramelessWindowHint);
        notice.resize(200, 80);
        CAutoShader shader;
        shader.SetAutoShadeWidget(&notice);
        shader.SetShadeWidgetPos(pos, withReference ? &reference : nullptr);
        shader.InitShadeWidgetShow();
        QCOMPARE(notice.pos(), expected);
    }

    void referenceEqualToWidgetFallsBackToScreen()
    {
        QWidget notice(nullptr, Qt::Tool | Qt::FramelessWindowHint);
        notice.setGeometry(5, 5, 200, 80);
        CAutoShader shader;
        shader.SetAutoShadeWidget(&notice);
        shader.SetShadeWidgetPos(QPoint(0, 0), &notice);
        shader.InitShadeWidgetShow();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(notice.geometry().center().x(), screen.center().x());
    }
};

QTEST_MAIN(tst_LayoutFunction)
#include "tst_layoutfunction.moc"
