#include "WidgetLayout/AnimLayoutItem.h"
#include "Widgets/AutoShader.h"
#include "Widgets/Event.h"
#include "Widgets/Frame.h"
#include "Widgets/GUIBaseWidget.h"
#include "Widgets/LayoutFunction.h"
#include "Widgets/MultiPairData.h"

#include "TestSupport.h"

#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QSpacerItem>
#include <QTest>

using namespace TesselGUIToolkit;

namespace {

// The object names of a layout's widgets in layout order; "-" for other items.
QString Names(const QLayout* layout)
{
    QStringList names;
    for (int i = 0; i < layout->count(); ++i)
        names << (layout->itemAt(i)->widget() ? layout->itemAt(i)->widget()->objectName() : "-");
    return names.join(' ');
}

QLabel* Named(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

} // namespace

class tst_LayoutFunction : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { TestSupport::FilterOffscreenWarnings(); }

    void pairData()
    {
        CMultiPairData data;
        data.InsertPairData("a", 1);
        data.InsertPairData(7, "seven");
        data.InsertPairData("c", 3);
        data.InsertPairData("a", 4); // replaced in place
        data.InsertPairData("new", QVariant()); // an invalid value is kept for a new key
        data.InsertPairData("c", QVariant()); // and removes a known one
        data.RemovePairData("absent");
        QStringList pairs;
        for (const CPairData& pair : data.GetAllPairData())
            pairs << pair.GetFirst().toString() + '=' + pair.GetSecond().toString();
        QCOMPARE(pairs.join(' '), QStringLiteral("a=4 7=seven new="));
        QCOMPARE(data.GetPairData(7), QVariant("seven"));
        QVERIFY(!data.GetPairData(8).isValid() && !data.GetPairData(QVariant()).isValid());
        data.RemovePairData(7);
        QCOMPARE(data.Count(), 2);
        data.Clear();
        QVERIFY(!data.GetPairData("a").isValid());
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
        QTest::newRow("narrower than a letter") << QStringLiteral("WWW") << 0 << 0 << 3 << false;
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
        const int width = qMax(1, metrics.horizontalAdvance(QString(widthInX, 'x')));
        QString result = text;
        CFrame::ConvertToSpecialString(result, font, width, maxLines);
        const QStringList got = result.split('\n');
        QCOMPARE(got.size(), lines);
        // Greedy: no line could have taken the next character as well; a line holds one at least.
        for (int i = 0, consumed = 0; i < got.size(); consumed += got.at(i++).size()) {
            QVERIFY(got.at(i).size() == 1 || metrics.horizontalAdvance(got.at(i)) <= width);
            if (i + 1 < got.size())
                QVERIFY(metrics.horizontalAdvance(got.at(i) + text.at(consumed + got.at(i).size()))
                        > width);
        }
        QVERIFY(text.startsWith(got.mid(0, lines - 1).join(QString())));
        QCOMPARE(got.last().endsWith(QChar(0x2026)), elided);
        if (!elided)
            QCOMPARE(got.join(QString()), text);
        // Empty text and widths below 1 leave the text as it is.
        for (const auto& bad :
             {qMakePair(QString(), 50), qMakePair(text, 0), qMakePair(text, -9)}) {
            QString unchanged = bad.first;
            CFrame::ConvertToSpecialString(unchanged, font, bad.second, 2);
            QCOMPARE(unchanged, bad.first);
        }
    }

    void boxAndGridLayouts()
    {
        QWidget host;
        auto* layout = new CHBoxLayout(&host);
        QLabel* a = Named("a", &host);
        QLabel* c = Named("c", &host);
        layout->AddWidget(a);
        layout->AddWidget(c);
        layout->InsertWidget(c, Named("b", &host));
        layout->InsertWidget(0, Named("first", &host));
        layout->InsertSpacerItem(a, new QSpacerItem(5, 5));
        auto* item = new QWidgetItem(Named("d", &host));
        layout->InsertItem(c, item, 3);
        layout->InsertWidget(&host, Named("last", &host)); // not in the layout: appended
        QCOMPARE(Names(layout), QStringLiteral("first - a b d c last"));
        QCOMPARE(layout->IndexOfItem(item), 4);
        QCOMPARE(layout->stretch(4), 3);
        // Nulls are ignored; what was refused stays the caller's.
        layout->AddWidget(nullptr);
        layout->InsertWidget(nullptr, Named("x", &host));
        layout->InsertWidget(a, nullptr);
        layout->AddItem(nullptr);
        layout->InsertItem(0, nullptr);
        layout->AddLayout(nullptr);
        QSpacerItem spacer(1, 1);
        layout->InsertSpacerItem(nullptr, &spacer);
        QCOMPARE(Names(layout), QStringLiteral("first - a b d c last"));
        QCOMPARE(layout->IndexOfItem(&spacer), -1);
        QCOMPARE(layout->direction(), QBoxLayout::LeftToRight);

        QWidget gridHost;
        auto* grid = new CGridLayout(&gridHost);
        for (const char* name : {"0", "1", "2"})
            grid->AddWidget(Named(name, &gridHost));
        grid->AddWidget(nullptr);
        QCOMPARE(grid->count(), 3);
        int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
        grid->getItemPosition(2, &row, &column, &rowSpan, &columnSpan);
        QCOMPARE(QPoint(column, row), QPoint(2, 0)); // one row, left to right
    }

    void takeAndRemoveItems()
    {
        QWidget host;
        auto* layout = new QHBoxLayout(&host);
        QPointer<QLabel> plain = Named("plain", &host);
        layout->addWidget(plain);
        auto* window = new CGUIBaseWidget(&host);
        auto* animated = new CAnimLayoutItem(window);
        layout->addItem(animated);
        layout->addSpacing(10);
        QCOMPARE(CLayoutFunction::IndexOfItem(layout, animated), 1);
        // The animated item is found by its window.
        std::unique_ptr<QLayoutItem> taken(CLayoutFunction::TakeItem(layout, window));
        QCOMPARE(taken.get(), animated);
        QCOMPARE(CLayoutFunction::IndexOfItem(layout, animated), -1);
        QVERIFY(!CLayoutFunction::TakeItem(layout, Named("stranger", &host)));
        QVERIFY(!CLayoutFunction::TakeItem(layout, nullptr));
        QVERIFY(!CLayoutFunction::TakeItem(nullptr, plain));
        QCOMPARE(CLayoutFunction::IndexOfItem(nullptr, animated), -1);
        layout->addItem(taken.release());
        CLayoutFunction::RemoveAllItem(layout);
        QCOMPARE(layout->count(), 0);
        QVERIFY(plain); // the widgets stay
        CLayoutFunction::RemoveAllItem(nullptr);
        QCOMPARE(int(CEvent().type()), 1000);
    }

    void autoShader()
    {
        CAutoShader shader;
        QCOMPARE(shader.GetShadeDuration(), 4000);
        for (const QPair<int, int>& duration :
             {qMakePair(1, 1), qMakePair(0, 4000), qMakePair(-20, 4000)}) {
            shader.SetShadeDuration(1500);
            shader.SetShadeDuration(duration.first);
            QCOMPARE(shader.GetShadeDuration(), duration.second);
        }
        QWidget first(nullptr, Qt::Tool | Qt::FramelessWindowHint);
        QWidget notice(nullptr, Qt::Tool | Qt::FramelessWindowHint);
        first.show();
        notice.show();
        shader.SetAutoShadeWidget(&first);
        shader.SetAutoShadeWidget(nullptr); // ignored
        QCOMPARE(shader.GetAutoShadeWidget(), &first);
        shader.SetAutoShadeWidget(&notice); // releases the first
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&first, &leave);
        QVERIFY(!shader.IsShading());

        // The mouse resting on the widget holds the fade; leaving starts it again.
        shader.StartAutoShade();
        QTRY_VERIFY(notice.windowOpacity() < 1.0);
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(&notice, &enter);
        QVERIFY(!shader.IsShading());
        QCOMPARE(notice.windowOpacity(), 1.0);
        QCoreApplication::sendEvent(&notice, &leave);
        QVERIFY(shader.IsShading());
        QCloseEvent close;
        QCoreApplication::sendEvent(&notice, &close);
        QVERIFY(!shader.IsShading());

        shader.SetShadeDuration(60);
        QSignalSpy finished(&shader, &CAutoShader::SignalShadeActionFinished);
        shader.StartAutoShade();
        QTRY_COMPARE(finished.count(), 1);
        QVERIFY(notice.isHidden() && notice.windowOpacity() < 0.01);
        QVERIFY(first.isVisible());

        auto* gone = new QWidget;
        shader.SetAutoShadeWidget(gone);
        shader.StartAutoShade();
        delete gone; // the widget may go away while it fades
        QTRY_COMPARE(finished.count(), 2);
        shader.InitShadeWidgetShow();
    }

    void autoShaderPlacement()
    {
        QWidget reference(nullptr, Qt::FramelessWindowHint);
        reference.setGeometry(100, 50, 400, 300);
        QWidget notice(nullptr, Qt::Tool | Qt::FramelessWindowHint);
        notice.resize(200, 80);
        CAutoShader shader;
        shader.SetAutoShadeWidget(&notice);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        shader.InitShadeWidgetShow(); // (0, 0) centres on the screen without a reference
        QCOMPARE(notice.geometry().center(), screen.center());
        shader.SetShadeWidgetPos(QPoint(0, 0), &notice); // itself as reference: the screen
        shader.InitShadeWidgetShow();
        QCOMPARE(notice.geometry().center(), screen.center());
        shader.SetShadeWidgetPos(QPoint(30, 40), &reference);
        shader.InitShadeWidgetShow();
        QCOMPARE(notice.pos(), QPoint(130, 90));
        shader.SetShadeWidgetPos(QPoint(30, 40), nullptr);
        shader.InitShadeWidgetShow();
        QCOMPARE(notice.pos(), QPoint(30, 40));
    }
};

QTEST_MAIN(tst_LayoutFunction)
#include "tst_layoutfunction.moc"
