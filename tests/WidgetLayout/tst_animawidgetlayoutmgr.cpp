// Mouse events go through the window system as a user's would: presses land on the window
// under the pointer and travel up to the host.
#define QTEST_QPA_MOUSE_HANDLING

#include "WidgetLayout/AnimaWidgetLayoutMgr.h"
#include "WidgetLayout/GeometryAnimator.h"
#include "WidgetLayout/InternalWidget.h"
#include "WidgetLayout/SilenceWidget.h"
#include "Widgets/GUIBaseWidget.h"

#include <QDomDocument>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace TesselGUIToolkit;

namespace {

class PlayWindow : public CGUIBaseWidget
{
public:
    explicit PlayWindow(QWidget* parent = nullptr)
        : CGUIBaseWidget(parent)
    {
    }
    void ClosePlayWnd() override { ++closed; }
    int closed = 0;
};

class MapWindow : public CGUIBaseWidget
{
public:
    explicit MapWindow(QWidget* parent = nullptr)
        : CGUIBaseWidget(parent)
    {
    }
    int WidgetTypes() const override { return 1; }
};

QRect Cells(const CGUIBaseWidget* w)
{
    return QRect(w->GetColumn(), w->GetRow(), w->GetColumnSpan(), w->GetRowSpan());
}

QString Element(int id, int row, int column, int rowSpan = 1, int columnSpan = 1,
                const QString& type = QStringLiteral("QWidget"))
{
    return QStringLiteral("<Element type=\"%1\" id=\"%2\" row=\"%3\" column=\"%4\" rowSpan=\"%5\" "
                          "columnSpan=\"%6\"/>")
        .arg(type)
        .arg(id)
        .arg(row)
        .arg(column)
        .arg(rowSpan)
        .arg(columnSpan);
}

QString Config(int type, int windows, const QString& rows, const QString& columns,
               const QString& elements)
{
    return QStringLiteral("<ElementConfig><Name>%1</Name><Type>%1</Type><WndSize>%2</WndSize>"
                          "<RowStretch>%3</RowStretch><ColumnStretch>%4</ColumnStretch>"
                          "<ElementItems>%5</ElementItems></ElementConfig>")
        .arg(type)
        .arg(windows)
        .arg(rows, columns, elements);
}

QString LayoutText(const QString& rows, const QString& columns, const QString& elements)
{
    return QStringLiteral("<Config>") + Config(200, 0, rows, columns, elements)
        + QStringLiteral("</Config>");
}

struct Scene
{
    explicit Scene(int count, const QSize& size = QSize(1000, 500),
                   const QStringList& files = QStringList())
    {
        host.resize(size);
        QList<CGUIBaseWidget*> given;
        for (int i = 0; i < count; ++i) {
            auto* w = new PlayWindow(&host);
            w->setObjectName(QStringLiteral("play%1").arg(i));
            windows << w;
            given << w;
        }
        ok = mgr.Init(&host, files, given);
    }
    void Show()
    {
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        mgr.ReLayout(false); // settle: Init animates the windows into their cells
    }
    QList<CGUIBaseWidget*> Idle() const
    {
        QList<CGUIBaseWidget*> idle;
        for (CGUIBaseWidget* w : mgr.GetAllVisibleWidgets()) {
            if (w->WidgetTypes() == 1000)
                idle << w;
        }
        return idle;
    }

    QWidget host;
    QList<PlayWindow*> windows;
    CAnimaWidgetLayoutMgr mgr;
    bool ok = false;
};

// The rules every layout keeps: cells inside the grid, no overlap, every cell covered.
bool RulesHold(const CAnimaWidgetLayoutMgr& mgr, QString* why)
{
    QList<CGUIBaseWidget*> windows = mgr.GetAllVisibleWidgets();
    if (mgr.IsMapMode() && mgr.GetMapWidget())
        windows << mgr.GetMapWidget();
    const int rows = mgr.GetRowCount();
    const int columns = mgr.GetColumnCount();
    if (rows < 1 || columns < 1 || rows > 8 || columns > 8) {
        *why = QStringLiteral("grid %1 x %2").arg(rows).arg(columns);
        return false;
    }
    QVector<int> owner(rows * columns, -1);
    for (int i = 0; i < windows.size(); ++i) {
        const QRect cells = Cells(windows.at(i));
        if (!QRect(0, 0, columns, rows).contains(cells) || cells.isEmpty()) {
            *why = QStringLiteral("%1 outside the grid").arg(windows.at(i)->objectName());
            return false;
        }
        for (int r = cells.top(); r <= cells.bottom(); ++r) {
            for (int c = cells.left(); c <= cells.right(); ++c) {
                if (owner[r * columns + c] >= 0) {
                    *why = QStringLiteral("cell %1,%2 twice").arg(r).arg(c);
                    return false;
                }
                owner[r * columns + c] = i;
            }
        }
    }
    if (owner.contains(-1)) {
        *why = QStringLiteral("a cell without window");
        return false;
    }
    return true;
}

#define VERIFY_RULES(mgr)                                                                          \
    do {                                                                                           \
        QString why;                                                                               \
        QVERIFY2(RulesHold(mgr, &why), qPrintable(why));                                           \
    } while (false)

} // namespace

class tst_AnimaWidgetLayoutMgr : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QStringList m_files;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QString text = QStringLiteral("<Layouts>")
            + Config(2, 4, "1,1", "1,1",
                     Element(0, 0, 0) + Element(1, 0, 1) + Element(2, 1, 0) + Element(3, 1, 1))
            + Config(5, 6, "1,1,1", "1,1,1",
                     Element(0, 0, 0, 2, 2) + Element(1, 0, 2) + Element(2, 1, 2) + Element(3, 2, 0)
                         + Element(4, 2, 1) + Element(5, 2, 2))
            + Config(9, 2, "1,1", "1,1", Element(0, 0, 0, 2, 2) + Element(1, 0, 1))
            + Config(10, 1, "1,1,1,1,1,1,1,1,1", "1", Element(0, 0, 0))
            + Config(11, 2, "1", "1,1,1",
                     Element(0, 0, 0) + Element(-1, 0, 1, 1, 1, "QSpacerItem") + Element(1, 0, 2))
            + Config(512, 2, "1", "1,1", Element(0, 0, 0) + Element(1, 0, 1))
            + QStringLiteral("</Layouts>");
        QFile file(m_dir.filePath("free.xml"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
        m_files << file.fileName() << m_dir.filePath("missing.xml");
    }

    void construction()
    {
        CAnimaWidgetLayoutMgr mgr;
        QCOMPARE(mgr.GetSplitType(), 200);
        QCOMPARE(mgr.GetSpliteWindowType(), 1);
        QCOMPARE(mgr.GetLayoutSpacer(), 1);
        QVERIFY(mgr.IsWidgetDragEnabled());
        QVERIFY(mgr.IsShutDownEnabled());
        QCOMPARE(mgr.property("relayout_exec_deep").userType(), int(QMetaType::UInt));
        QCOMPARE(mgr.property("relayout_exec_deep").toUInt(), 0u);
        QVERIFY(mgr.GetXml().isEmpty());
        QVERIFY(!mgr.GetHost());
    }

    void withoutHostNothingHappens()
    {
        CAnimaWidgetLayoutMgr mgr;
        PlayWindow w;
        QVERIFY(!mgr.Init(nullptr, m_files, {&w}));
        QVERIFY(!mgr.SetXml(LayoutText("1", "1", Element(0, 0, 0))));
        QVERIFY(!mgr.SetPreSplit(2));
        QVERIFY(!mgr.OpenMapWidget());
        QVERIFY(!mgr.AddWidgetByAdaptive({&w}));
        QVERIFY(!mgr.AddWidgetDisplayByUnitPos(&w, 0, 0));
        QVERIFY(!mgr.AddWidgetToDisplayByPos(&w, QPoint(5, 5)));
        QVERIFY(!mgr.RemoveWidget(&w));
        int cells = -1;
        int total = -1;
        QVERIFY(!mgr.GetWidgetScale(&w, cells, total));
        QVERIFY(!mgr.GetWidgetByPos(QPoint(1, 1)));
        mgr.ReLayout(true);
        QVERIFY(mgr.GetXml().isEmpty());
    }

    void initPlacesWindowsLargest_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QSize>("host");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");

        QTest::newRow("four in a wide host") << 4 << QSize(1000, 500) << 2 << 2;
        QTest::newRow("five: one idle cell") << 5 << QSize(1000, 500) << 2 << 3;
        QTest::newRow("one") << 1 << QSize(1000, 500) << 1 << 1;
        QTest::newRow("sixteen") << 16 << QSize(1600, 900) << 4 << 4;
        QTest::newRow("none: one idle cell") << 0 << QSize(1000, 500) << 1 << 1;
    }
    void initPlacesWindowsLargest()
    {
        QFETCH(int, count);
        QFETCH(QSize, host);
        QFETCH(int, rows);
        QFETCH(int, columns);
        Scene scene(count, host, m_files);
        QVERIFY(scene.ok);
        QCOMPARE(scene.mgr.GetRowCount(), rows);
        QCOMPARE(scene.mgr.GetColumnCount(), columns);
        QCOMPARE(scene.mgr.GetVisiablePlayWidgetCount(false), count);
        QCOMPARE(scene.mgr.GetVisiableWidgetCount(true), rows * columns);
        for (int i = 0; i < count; ++i) {
            PlayWindow* w = scene.windows.at(i);
            QCOMPARE(Cells(w), QRect(i % columns, i / columns, 1, 1));
            QCOMPARE(w->GetPosition(), i);
            QCOMPARE(w->GetTileNumber(), i + 1);
            QCOMPARE(scene.mgr.GetWidget(i), w);
            QCOMPARE(scene.mgr.GetWidgetByIndex(i), w);
        }
        VERIFY_RULES(scene.mgr);
    }

    void initSignalsBackground_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("background");
        QTest::newRow("windows hide the background") << 3 << false;
        QTest::newRow("no window shows it") << 0 << true;
    }
    void initSignalsBackground()
    {
        QFETCH(int, count);
        QWidget host;
        host.resize(800, 450);
        QList<CGUIBaseWidget*> windows;
        for (int i = 0; i < count; ++i)
            windows << new PlayWindow(&host);
        CAnimaWidgetLayoutMgr mgr;
        QSignalSpy changed(&mgr, &CAnimaWidgetLayoutMgr::SignalWidgetLayoutChanged);
        QSignalSpy background(&mgr, &CAnimaWidgetLayoutMgr::SignalSetBackgroundVisible);
        uint depthDuringSignal = 99;
        connect(&mgr, &CAnimaWidgetLayoutMgr::SignalWidgetLayoutChanged, this,
                [&]() { depthDuringSignal = mgr.property("relayout_exec_deep").toUInt(); });
        QVERIFY(mgr.Init(&host, {}, windows));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(background.count(), 1);
        QTEST(background.at(0).at(0).toBool(), "background");
        QCOMPARE(depthDuringSignal, 1u);
        QCOMPARE(mgr.property("relayout_exec_deep").toUInt(), 0u);
    }

    void switchRenumbersAndEmits()
    {
        Scene scene(4);
        PlayWindow* first = scene.windows.at(0);
        PlayWindow* last = scene.windows.at(3);
        QSignalSpy position(first, &CGUIBaseWidget::SignalPositionChanged);
        QSignalSpy tile(first, &CGUIBaseWidget::SignalTileNumberChanged);
        QSignalSpy switched(&scene.mgr, &CAnimaWidgetLayoutMgr::SignalWidgetSwitched);
        QSignalSpy changed(&scene.mgr, &CAnimaWidgetLayoutMgr::SignalWidgetLayoutChanged);
        QVERIFY(scene.mgr.SwitchWidgetsByIndex(0, 3));
        QCOMPARE(Cells(first), QRect(1, 1, 1, 1));
        QCOMPARE(Cells(last), QRect(0, 0, 1, 1));
        QCOMPARE(first->GetPosition(), 3);
        QCOMPARE(first->GetTileNumber(), 4);
        QCOMPARE(last->GetTileNumber(), 1);
        QCOMPARE(position.count(), 1);
        QCOMPARE(position.at(0).at(0).toInt(), 3);
        QCOMPARE(position.at(0).at(1).toInt(), 0);
        QCOMPARE(tile.count(), 1);
        QCOMPARE(switched.count(), 1);
        QCOMPARE(switched.at(0).at(0).toInt(), 0);
        QCOMPARE(switched.at(0).at(1).toInt(), 3);
        QCOMPARE(changed.count(), 1);
        QVERIFY(scene.mgr.SwitchWidgetsByIndex(2, 2));
        QCOMPARE(switched.count(), 1);
    }

    void removalKeepsTheOthersInPlace_data()
    {
        QTest::addColumn<int>("removed");
        QTest::addColumn<int>("spacing");
        QTest::addColumn<bool>("shown");
        for (int removed = 0; removed < 4; ++removed) {
            QTest::addRow("window %d, spacing 1, hidden", removed) << removed << 1 << false;
            QTest::addRow("window %d, spacing 5, shown", removed) << removed << 5 << true;
            QTest::addRow("window %d, spacing 0, shown", removed) << removed << 0 << true;
        }
    }
    void removalKeepsTheOthersInPlace()
    {
        QFETCH(int, removed);
        QFETCH(int, spacing);
        QFETCH(bool, shown);
        Scene scene(4);
        scene.mgr.SetLayoutSpacer(spacing);
        if (shown)
            scene.Show();
        QVector<QRect> before;
        for (PlayWindow* w : qAsConst(scene.windows))
            before << Cells(w);
        QVERIFY(scene.mgr.RemoveWidget(scene.windows.at(removed)));
        QCOMPARE(scene.mgr.GetRowCount(), 2);
        QCOMPARE(scene.mgr.GetColumnCount(), 2);
        for (int i = 0; i < 4; ++i) {
            if (i != removed)
                QCOMPARE(Cells(scene.windows.at(i)), before.at(i));
        }
        PlayWindow* gone = scene.windows.at(removed);
        QVERIFY(gone->isHidden());
        QCOMPARE(gone->GetPosition(), -1);
        QVERIFY(!scene.mgr.WidgetDisplayedInLayout(gone));
        const QList<CGUIBaseWidget*> idle = scene.Idle();
        QCOMPARE(idle.size(), 1);
        QCOMPARE(Cells(idle.first()), before.at(removed));
        VERIFY_RULES(scene.mgr);
    }

    void closingAWindowRemovesIt()
    {
        Scene scene(4);
        scene.windows.at(1)->OnClosePlayWnd(true);
        QCOMPARE(scene.windows.at(1)->closed, 1);
        QCOMPARE(scene.mgr.GetVisiablePlayWidgetCount(false), 3);
        QCOMPARE(scene.mgr.GetRowCount(), 2);
        QCOMPARE(scene.mgr.GetColumnCount(), 2);
    }

    void removalDropsAnEmptyEdgeColumn()
    {
        Scene scene(4);
        scene.Show();
        QVERIFY(scene.mgr.RemoveWidget(scene.windows.at(1)));
        QVERIFY(scene.mgr.RemoveWidget(scene.windows.at(3)));
        QCOMPARE(scene.mgr.GetRowCount(), 2);
        QCOMPARE(scene.mgr.GetColumnCount(), 1);
        QCOMPARE(Cells(scene.windows.at(0)), QRect(0, 0, 1, 1));
        QCOMPARE(Cells(scene.windows.at(2)), QRect(0, 1, 1, 1));
        VERIFY_RULES(scene.mgr);
    }

    void removingTheLastWindowLeavesAnIdleCell()
    {
        Scene scene(1);
        QSignalSpy background(&scene.mgr, &CAnimaWidgetLayoutMgr::SignalSetBackgroundVisible);
        QVERIFY(scene.mgr.RemoveWidget(scene.windows.at(0)));
        QCOMPARE(scene.Idle().size(), 1);
        QCOMPARE(background.count(), 1);
        QVERIFY(background.at(0).at(0).toBool());
        QVERIFY(!scene.mgr.RemoveWidget(scene.windows.at(0)));
    }

    void destroyedWindowIsForgotten()
    {
        Scene scene(4);
        delete scene.windows.takeAt(1);
        QTRY_COMPARE(scene.Idle().size(), 1);
        QCOMPARE(scene.mgr.GetVisiablePlayWidgetCount(false), 3);
        QCOMPARE(Cells(scene.Idle().first()), QRect(1, 0, 1, 1));
        QVERIFY(!scene.mgr.GetWidget(1));
        VERIFY_RULES(scene.mgr);
    }

    void idleWindowsFillHoles()
    {
        Scene scene(5);
        QCOMPARE(scene.mgr.GetVisiableWidgetCount(false), 5);
        QCOMPARE(scene.mgr.GetVisiableWidgetCount(true), 6);
        const QList<CGUIBaseWidget*> all = scene.mgr.GetAllVisibleWidgets();
        auto* idle = qobject_cast<CInternalWidget*>(all.last());
        QVERIFY(idle);
        QCOMPARE(idle->WidgetTypes(), 1000);
        QCOMPARE(Cells(idle), QRect(2, 1, 1, 1));
        QCOMPARE(idle->GetTileNumber(), 6);
        auto* label = idle->findChild<QLabel*>(QStringLiteral("ptr_label_"));
        QVERIFY(label);
        QCOMPARE(label->size(), QSize(44, 44));
        QVERIFY(label->isHidden());
        scene.mgr.EnableWidgetTileNumberShow(true);
        QVERIFY(!label->isHidden());
        QCOMPARE(label->text(), QStringLiteral("06"));
    }

    void silenceWindowsFillAPreset()
    {
        Scene scene(2, QSize(1000, 500), m_files);
        QSignalSpy closed(&scene.mgr, &CAnimaWidgetLayoutMgr::SignalSilenceWidgetClosed);
        QVERIFY(scene.mgr.SetXml(2));
        QCOMPARE(scene.mgr.GetSplitType(), 2);
        QCOMPARE(scene.mgr.GetVisiablePlayWidgetCount(false), 0);
        QCOMPARE(scene.mgr.GetVisiablePlayWidgetCount(true), 4);
        QVERIFY(scene.windows.at(0)->isHidden());
        const QList<CGUIBaseWidget*> silence = scene.mgr.GetAllVisiblePlaySilenceWidgets();
        QCOMPARE(silence.size(), 4);
        for (CGUIBaseWidget* w : silence) {
            auto* s = qobject_cast<CSilenceWidget*>(w);
            QVERIFY(s);
            QCOMPARE(s->WidgetTypes(), 1001);
            QVERIFY(!s->IsSelectable());
            QVERIFY(s->AllowDragDrop());
            auto* title = s->findChild<QLabel*>(QStringLiteral("ptr_title_label_"));
            QCOMPARE(title->text(), QString::asprintf("%02d", s->GetTileNumber()));
            QCOMPARE(title->size(), QSize(44, 44));
        }
        auto* third = static_cast<CSilenceWidget*>(scene.mgr.GetWidgetByIndex(2));
        auto* close = third->findChild<QPushButton*>(QStringLiteral("ptr_close_button_"));
        QCOMPARE(close->size(), QSize(26, 26));
        close->click();
        QCOMPARE(closed.count(), 1);
        QCOMPARE(closed.at(0).at(0).toInt(), 2);
        scene.mgr.SetShutDownEnabled(false);
        QVERIFY(!third->IsCloseButtonVisible());
        VERIFY_RULES(scene.mgr);
    }

    void silenceWindowPaintsItsColours()
    {
        CSilenceWidget silence;
        silence.resize(200, 120);
        QImage image(silence.size(), QImage::Format_ARGB32);
        image.fill(Qt::magenta);
        silence.render(&image);
        QCOMPARE(image.pixelColor(0, 0), QColor(26, 26, 26));
        QCOMPARE(image.pixelColor(1, 119), QColor(26, 26, 26));
        QCOMPARE(image.pixelColor(2, 100), QColor(34, 34, 34));
        QCOMPARE(image.pixelColor(100, 110), QColor(34, 34, 34));
        QCOMPARE(silence.GetSnapshot().size(), silence.size());
    }

    void presetKeepsPlayWindows()
    {
        Scene scene(3, QSize(1000, 500), m_files);
        QSignalSpy split(&scene.mgr, &CAnimaWidgetLayoutMgr::SignalChangeSplitType);
        QVERIFY(scene.mgr.SetPreSplit(5));
        QCOMPARE(scene.mgr.GetSplitType(), 5);
        QCOMPARE(scene.mgr.GetRowCount(), 3);
        QCOMPARE(scene.mgr.GetColumnCount(), 3);
        QCOMPARE(Cells(scene.windows.at(0)), QRect(0, 0, 2, 2));
        QCOMPARE(Cells(scene.windows.at(1)), QRect(2, 0, 1, 1));
        QCOMPARE(Cells(scene.windows.at(2)), QRect(2, 1, 1, 1));
        QCOMPARE(scene.mgr.GetVisiablePlayWidgetCount(true), 6);
        QVERIFY(scene.mgr.CompareLayout(scene.mgr.GetXml(), 5));
        QCOMPARE(split.count(), 0);
        VERIFY_RULES(scene.mgr);

        QVERIFY(scene.mgr.SwitchWidgetsByIndex(1, 2)); // same cells, other windows
        QCOMPARE(scene.mgr.GetSplitType(), 5);
        QVERIFY(scene.mgr.ScaleWidgetByUnitPos(1, 1, 2, 8, false)); // now it differs
        QCOMPARE(scene.mgr.GetSplitType(), 200);
        QCOMPARE(split.count(), 1);
        QCOMPARE(split.at(0).at(0).toInt(), 200);
        QVERIFY(split.at(0).at(1).toString().isEmpty());
        VERIFY_RULES(scene.mgr);
    }

    void presetClosesWindowsThatDoNotFit()
    {
        Scene scene(6, QSize(1000, 500), m_files);
        QVERIFY(scene.mgr.SetPreSplit(2));
        QCOMPARE(scene.mgr.GetVisiablePlayWidgetCount(false), 4);
        QCOMPARE(scene.mgr.GetVisiablePlayWidgetCount(true), 4);
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(scene.windows.at(i)->closed, i < 4 ? 0 : 1);
            QCOMPARE(scene.mgr.WidgetDisplayedInLayout(scene.windows.at(i)), i < 4);
        }
        VERIFY_RULES(scene.mgr);
    }

    void presetSpacerBecomesIdle()
    {
        Scene scene(1, QSize(1000, 500), m_files);
        QVERIFY(scene.mgr.SetPreSplit(11));
        QCOMPARE(Cells(scene.windows.at(0)), QRect(0, 0, 1, 1));
        QCOMPARE(scene.Idle().size(), 1);
        QCOMPARE(Cells(scene.Idle().first()), QRect(1, 0, 1, 1));
        QCOMPARE(scene.mgr.GetVisiablePlayWidgetCount(true), 2);
        VERIFY_RULES(scene.mgr);
    }

    void presetBadInput_data()
    {
        QTest::addColumn<int>("type");
        QTest::newRow("unknown") << 999;
        QTest::newRow("overlapping cells") << 9;
        QTest::newRow("nine rows") << 10;
        QTest::newRow("free layout has no description") << 200;
    }
    void presetBadInput()
    {
        QFETCH(int, type);
        Scene scene(4, QSize(1000, 500), m_files);
        const QString before = scene.mgr.GetXml();
        QVERIFY(!scene.mgr.SetPreSplit(type));
        QVERIFY(!scene.mgr.SetXml(type));
        QCOMPARE(scene.mgr.GetXml(), before);
        QCOMPARE(scene.mgr.GetSplitType(), 200);
        QCOMPARE(scene.mgr.GetVisiablePlayWidgetCount(false), 4);
    }

    void windowCountOfPresets()
    {
        Scene scene(0, QSize(1000, 500), m_files);
        QCOMPARE(scene.mgr.GetWndCountByType(2), 4);
        QCOMPARE(scene.mgr.GetWndCountByType(5), 6);
        QCOMPARE(scene.mgr.GetWndCountByType(999), 0);
    }

    void wallDivisionClearsWallState()
    {
        Scene scene(2, QSize(1000, 500), m_files);
        for (PlayWindow* w : qAsConst(scene.windows))
            w->SetWndOnWall(true);
        QVERIFY(scene.mgr.SetPreSplit(512));
        for (PlayWindow* w : qAsConst(scene.windows))
            QVERIFY(!w->IsWndOnWall());
    }

    void xmlForm()
    {
        Scene scene(5);
        const QString text = scene.mgr.GetXml();
        QVERIFY(text.startsWith(QStringLiteral("<Config>\n <ElementConfig>\n  <Name>")));
        QVERIFY(text.endsWith(QStringLiteral("\n </ElementConfig>\n</Config>\n")));
        QVERIFY(text.contains(QStringLiteral(
            "\n   <Element type=\"QWidget\" id=\"0\" row=\"0\" column=\"0\" rowSpan=\"1\" "
            "columnSpan=\"1\"/>")));
        QDomDocument document;
        QVERIFY(document.setContent(text));
        const QDomElement root = document.documentElement();
        QCOMPARE(root.tagName(), QStringLiteral("Config"));
        QCOMPARE(root.childNodes().count(), 1);
        const QDomElement config = root.firstChildElement();
        QCOMPARE(config.tagName(), QStringLiteral("ElementConfig"));
        const auto text_of = [&config](const char* tag) {
            return config.firstChildElement(QLatin1String(tag)).text();
        };
        QCOMPARE(text_of("Name"), QStringLiteral("Custom Split"));
        QCOMPARE(text_of("Version"), QStringLiteral("1.3"));
        QCOMPARE(text_of("Type"), QStringLiteral("200"));
        QCOMPARE(text_of("WndSize"), QStringLiteral("6"));
        QCOMPARE(text_of("RowStretch"), QStringLiteral("1,1"));
        QCOMPARE(text_of("ColumnStretch"), QStringLiteral("1,1,1"));
        const QDomNodeList elements = config.firstChildElement("ElementItems").childNodes();
        QCOMPARE(elements.count(), 6);
        const QDomElement last = elements.at(5).toElement();
        QCOMPARE(last.attribute("type"), QStringLiteral("QWidget"));
        QCOMPARE(last.attribute("id"), QStringLiteral("5"));
        QCOMPARE(last.attribute("row"), QStringLiteral("1"));
        QCOMPARE(last.attribute("column"), QStringLiteral("2"));
    }

    void xmlRoundTrip()
    {
        Scene original(4);
        QVERIFY(original.mgr.ScaleWidgetByUnitPos(0, 2, 1, 7, false));
        VERIFY_RULES(original.mgr);
        const QString text = original.mgr.GetXml();

        Scene restored(0);
        QVERIFY(restored.mgr.SetXml(text));
        QCOMPARE(restored.mgr.GetRowCount(), original.mgr.GetRowCount());
        QCOMPARE(restored.mgr.GetColumnCount(), original.mgr.GetColumnCount());
        QCOMPARE(restored.mgr.GetXml(), text);
        QCOMPARE(restored.mgr.GetVisiablePlayWidgetCount(false), 0);
        QCOMPARE(Cells(restored.mgr.GetWidgetByIndex(0)), QRect(0, 0, 2, 1));

        // A window put into a large restored cell takes the whole of it.
        PlayWindow newcomer(&restored.host);
        QSignalSpy added(&restored.mgr, &CAnimaWidgetLayoutMgr::SignalWidgetAddByPos);
        QVERIFY(restored.mgr.AddWidgetDisplayByUnitPos(&newcomer, 0, 1));
        QCOMPARE(Cells(&newcomer), QRect(0, 0, 2, 1));
        QCOMPARE(added.count(), 1);
        QCOMPARE(added.at(0).at(0).toInt(), 0);
        QCOMPARE(added.at(0).at(1).toInt(), 0);
        QCOMPARE(restored.mgr.GetXml(), text);
        VERIFY_RULES(restored.mgr);
    }

    void xmlWithoutCellsGivesIdleGrid()
    {
        Scene scene(3);
        QVERIFY(scene.mgr.SetXml(LayoutText("1,1", "1,1,1", QString())));
        QCOMPARE(scene.Idle().size(), 6);
        QCOMPARE(scene.mgr.GetVisiablePlayWidgetCount(true), 0);
        VERIFY_RULES(scene.mgr);
    }

    void garbageXmlLeavesLayoutUnchanged_data()
    {
        QTest::addColumn<QString>("text");
        const QString valid = LayoutText("1,1", "1,1", Element(0, 0, 0) + Element(1, 1, 1));
        QTest::newRow("empty") << QString();
        QTest::newRow("not XML") << QStringLiteral("garbage <<<");
        QTest::newRow("root only") << QStringLiteral("<Config/>");
        QTest::newRow("other first child") << QStringLiteral("<Config><Other/></Config>");
        QTest::newRow("truncated") << valid.left(valid.size() / 2);
        QTest::newRow("overlapping cells")
            << LayoutText("1,1", "1,1", Element(0, 0, 0, 2, 2) + Element(1, 0, 1));
        QTest::newRow("negative span") << LayoutText("1,1", "1,1", Element(0, 0, 0, -1, 1));
        QTest::newRow("nine rows") << LayoutText("1,1,1,1,1,1,1,1,1", "1", Element(0, 0, 0));
        QTest::newRow("cell outside the grid") << LayoutText("1,1", "1,1", Element(0, 2, 0));
        QTest::newRow("span beyond the grid") << LayoutText("1,1", "1,1", Element(0, 1, 1, 1, 2));
        QTest::newRow("non-numeric span")
            << LayoutText("1", "1",
                          QStringLiteral("<Element type=\"QWidget\" id=\"0\" row=\"0\" "
                                         "column=\"0\" rowSpan=\"x\" columnSpan=\"1\"/>"));
        QTest::newRow("absurd numbers")
            << LayoutText("1", "1", Element(0, 2147483647, 2147483647, 2147483647, 2147483647));
        QString many;
        for (int i = 0; i < 10000; ++i)
            many += Element(i, 0, 0);
        QTest::newRow("10,000 cells") << LayoutText("1", "1", many);
        QTest::newRow("deep nesting") << QString("<a>").repeated(2000);
    }
    void garbageXmlLeavesLayoutUnchanged()
    {
        QFETCH(QString, text);
        Scene scene(4);
        const QString before = scene.mgr.GetXml();
        QSignalSpy changed(&scene.mgr, &CAnimaWidgetLayoutMgr::SignalWidgetLayoutChanged);
        QVERIFY(!scene.mgr.SetXml(text));
        QCOMPARE(scene.mgr.GetXml(), before);
        QCOMPARE(scene.mgr.GetVisiablePlayWidgetCount(false), 4);
        QCOMPARE(changed.count(), 0);
    }

    void redundancyElimination_data()
    {
        QTest::addColumn<QVector<int>>("indexes");
        QTest::addColumn<uint>("extra");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QVector<int>>("indexesAfter");
        QTest::addColumn<uint>("extraAfter");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");

        const uint none = 0xFFFFFFFF;
        QTest::newRow("right-hand column")
            << QVector<int>{1, 3} << none << true << QVector<int>{0, 1} << none << 2 << 1;
        QTest::newRow("extra alone")
            << QVector<int>() << 3u << true << QVector<int>() << 0u << 1 << 1;
        QTest::newRow("bottom row by index and extra")
            << QVector<int>{2} << 3u << true << QVector<int>{0} << 1u << 1 << 2;
        QTest::newRow("no selection")
            << QVector<int>() << none << false << QVector<int>() << none << 2 << 2;
        QTest::newRow("positions naming no cell")
            << QVector<int>{7, -1} << none << false << QVector<int>{7, -1} << none << 2 << 2;
    }
    void redundancyElimination()
    {
        QFETCH(QVector<int>, indexes);
        QFETCH(uint, extra);
        Scene source(4);
        const QString text = source.mgr.GetXml();
        Scene scene(4);
        QTEST(scene.mgr.SetXmlWithRedundancyElimination(text, indexes, extra), "result");
        QTEST(indexes, "indexesAfter");
        QTEST(extra, "extraAfter");
        QTEST(scene.mgr.GetRowCount(), "rows");
        QTEST(scene.mgr.GetColumnCount(), "columns");
        VERIFY_RULES(scene.mgr);
    }

    void redundancyEliminationRenumbersCells()
    {
        Scene scene(0);
        QVector<int> indexes{1, 3};
        unsigned int extra = 0xFFFFFFFF;
        const QString text =
            LayoutText("1,1", "1,1",
                       Element(0, 0, 0) + Element(5, 0, 1) + Element(2, 1, 0) + Element(9, 1, 1));
        QVERIFY(scene.mgr.SetXmlWithRedundancyElimination(text, indexes, extra));
        QCOMPARE(indexes, (QVector<int>{0, 1}));
        QCOMPARE(Cells(scene.mgr.GetWidgetByIndex(0)), QRect(0, 0, 1, 1));
        QCOMPARE(Cells(scene.mgr.GetWidgetByIndex(1)), QRect(0, 1, 1, 1));

        QVector<int> unchanged{0};
        QVERIFY(
            !scene.mgr.SetXmlWithRedundancyElimination(QStringLiteral("junk"), unchanged, extra));
        QCOMPARE(unchanged, QVector<int>{0});
    }

    void compareLayout()
    {
        Scene scene(4, QSize(1000, 500), m_files);
        const QString text = scene.mgr.GetXml();
        QVERIFY(scene.mgr.CompareLayout(text, 2));
        QVERIFY(!scene.mgr.CompareLayout(text, 5));
        QVERIFY(!scene.mgr.CompareLayout(text, 999));
        QVERIFY(!scene.mgr.CompareLayout(QStringLiteral("junk"), 2));
        QVERIFY(scene.mgr.CompareLayout(
            LayoutText("1,1", "1,1",
                       Element(3, 1, 1) + Element(2, 1, 0) + Element(1, 0, 1) + Element(0, 0, 0)),
            2));
        CLayoutElementConfig parsed;
        QVERIFY(scene.mgr.GetSingleLayoutElementByXml(&parsed, text));
        QCOMPARE(parsed.Size(), 4);
        QVERIFY(!scene.mgr.GetSingleLayoutElementByXml(nullptr, text));
    }

    void mapLayouts_data()
    {
        QTest::addColumn<int>("others");
        QTest::addColumn<int>("size");
        QTest::addColumn<QRect>("map");
        QTest::newRow("map alone") << 0 << 1 << QRect(0, 0, 1, 1);
        QTest::newRow("three") << 3 << 3 << QRect(0, 0, 2, 3);
        QTest::newRow("six") << 6 << 4 << QRect(0, 0, 3, 3);
        QTest::newRow("fourteen") << 14 << 5 << QRect(0, 0, 3, 3);
    }
    void mapLayouts()
    {
        QFETCH(int, others);
        QFETCH(int, size);
        Scene scene(others, QSize(1600, 900));
        MapWindow map(&scene.host);
        QVERIFY(scene.mgr.AddWidget(&map));
        QCOMPARE(scene.mgr.GetMapWidget(), &map);
        QVERIFY(scene.mgr.OpenMapWidget());
        QVERIFY(scene.mgr.IsMapMode());
        QCOMPARE(scene.mgr.GetRowCount(), size);
        QCOMPARE(scene.mgr.GetColumnCount(), size);
        QTEST(Cells(&map), "map");
        QCOMPARE(scene.mgr.GetMapWidgetIndex(), 0);
        QCOMPARE(map.GetTileNumber(), -1);
        QVERIFY(scene.mgr.WidgetDisplayedInLayout(&map));
        for (int i = 0; i < others; ++i)
            QCOMPARE(scene.windows.at(i)->GetTileNumber(), scene.windows.at(i)->GetPosition());
        QVERIFY(scene.mgr.GetXml().contains(
            QStringLiteral("<WndSize>%1</WndSize>")
                .arg(size * size - Cells(&map).width() * Cells(&map).height() + 1)));
        VERIFY_RULES(scene.mgr);
    }

    void mapKeepsSixteenOthers()
    {
        Scene scene(20, QSize(1600, 900));
        MapWindow map(&scene.host);
        QVERIFY(scene.mgr.AddWidget(&map));
        QVERIFY(scene.mgr.OpenMapWidget());
        QCOMPARE(scene.mgr.GetVisiablePlayWidgetCount(false), 16);
        for (int i = 0; i < 20; ++i)
            QCOMPARE(scene.windows.at(i)->closed, i < 16 ? 0 : 1);
        VERIFY_RULES(scene.mgr);
    }

    void closingTheMapKeepsTheOthers()
    {
        Scene scene(4, QSize(1600, 900));
        MapWindow map(&scene.host);
        MapWindow second(&scene.host);
        QVERIFY(!scene.mgr.CloseMapModel());
        QVERIFY(scene.mgr.AddWidget(&map));
        QVERIFY(!scene.mgr.AddWidget(&map));
        QVERIFY(scene.mgr.OpenMapWidget());
        QVERIFY(!scene.mgr.AddWidget(&second)); // one map at a time
        QVERIFY(scene.mgr.CloseMapModel());
        QVERIFY(!scene.mgr.IsMapMode());
        QVERIFY(map.isHidden());
        QCOMPARE(scene.mgr.GetMapWidgetIndex(), -1);
        QCOMPARE(scene.mgr.GetRowCount(), 4);
        QCOMPARE(scene.mgr.GetColumnCount(), 1);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(Cells(scene.windows.at(i)), QRect(0, i, 1, 1));
        QVERIFY(!scene.mgr.CloseMapModel());
        VERIFY_RULES(scene.mgr);
    }

    void mapWindowGoneEmptiesTheText()
    {
        Scene scene(2, QSize(1600, 900));
        auto map = std::make_unique<MapWindow>(&scene.host);
        QVERIFY(scene.mgr.AddWidget(map.get()));
        QVERIFY(scene.mgr.OpenMapWidget());
        map.reset();
        QVERIFY(scene.mgr.GetXml().isEmpty());
        QVERIFY(!scene.mgr.OpenMapWidget());
        QTRY_COMPARE(scene.Idle().size(), 2); // its cell is idle again
    }

    void maximiseAndRestore()
    {
        Scene scene(4);
        scene.Show();
        PlayWindow* w = scene.windows.at(1);
        const QRect cell = w->geometry();
        QSignalSpy maximized(&scene.mgr, &CAnimaWidgetLayoutMgr::SignalShowMaximized);
        QSignalSpy normal(&scene.mgr, &CAnimaWidgetLayoutMgr::SignalShowNormal);
        scene.mgr.ShowMaximized(nullptr);
        PlayWindow outsider;
        scene.mgr.ShowMaximized(&outsider);
        scene.mgr.ShowNormal();
        QCOMPARE(maximized.count(), 0);
        QCOMPARE(normal.count(), 0);

        scene.mgr.ShowMaximized(w);
        QCOMPARE(maximized.count(), 1);
        QVERIFY(scene.mgr.IsMaximized());
        QVERIFY(scene.mgr.Maximized(w));
        QCOMPARE(w->geometry(), scene.host.rect());
        int cells = 0;
        int total = 0;
        QVERIFY(scene.mgr.GetWidgetScale(w, cells, total));
        QCOMPARE(cells, 1);
        QCOMPARE(total, 1);
        scene.host.resize(1100, 600);
        QCOMPARE(w->geometry(), scene.host.rect());
        scene.host.resize(1000, 500);

        scene.mgr.ShowNormal();
        QCOMPARE(normal.count(), 1);
        QVERIFY(!scene.mgr.IsMaximized());
        QTRY_COMPARE(w->geometry(), cell);
        QVERIFY(scene.mgr.GetWidgetScale(w, cells, total));
        QCOMPARE(cells, 1);
        QCOMPARE(total, 4);
    }

    void selection()
    {
        Scene scene(4);
        scene.Show();
        QSignalSpy selected(&scene.mgr, &CAnimaWidgetLayoutMgr::SignalWidgetSelected);
        QTest::mouseClick(scene.windows.at(2), Qt::LeftButton);
        QCOMPARE(scene.mgr.GetSelectedWidget(), scene.windows.at(2));
        QVERIFY(scene.windows.at(2)->IsSelected());
        QCOMPARE(selected.count(), 1);
        QTest::mouseClick(scene.windows.at(0), Qt::LeftButton);
        QCOMPARE(scene.mgr.GetSelectedWidget(), scene.windows.at(0));
        QVERIFY(!scene.windows.at(2)->IsSelected());
        QCOMPARE(selected.count(), 2);
        scene.mgr.SetSelectedWidget(scene.windows.at(0));
        PlayWindow outsider;
        scene.mgr.SetSelectedWidget(&outsider);
        QCOMPARE(selected.count(), 2);
        QCOMPARE(scene.mgr.GetSelectedWidget(), scene.windows.at(0));
        scene.mgr.SetSelectedWidget(nullptr);
        QVERIFY(!scene.mgr.GetSelectedWidget());
        QVERIFY(!scene.windows.at(0)->IsSelected());
        QCOMPARE(selected.count(), 2);
    }

    void neighbours_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("to");
        QTest::newRow("left of the first wraps") << 0 << int(CAnimaWidgetLayoutMgr::Left) << 3;
        QTest::newRow("right of the last wraps") << 3 << int(CAnimaWidgetLayoutMgr::Right) << 0;
        QTest::newRow("down") << 1 << int(CAnimaWidgetLayoutMgr::Down) << 3;
        QTest::newRow("up") << 2 << int(CAnimaWidgetLayoutMgr::Up) << 0;
        QTest::newRow("nothing above: itself") << 1 << int(CAnimaWidgetLayoutMgr::Up) << 1;
    }
    void neighbours()
    {
        QFETCH(int, from);
        QFETCH(int, direction);
        Scene scene(4);
        CGUIBaseWidget* found = scene.mgr.GetWidget(
            scene.windows.at(from), static_cast<CAnimaWidgetLayoutMgr::Direction>(direction));
        QFETCH(int, to);
        QCOMPARE(found, scene.windows.at(to));
    }

    void neighboursOnTheWall()
    {
        Scene scene(4);
        scene.windows.at(3)->SetWndOnWall(true);
        QCOMPARE(scene.mgr.GetWidgetOnWall(scene.windows.at(1), CAnimaWidgetLayoutMgr::Down),
                 scene.windows.at(3));
        QCOMPARE(scene.mgr.GetWidgetOnWall(scene.windows.at(0), CAnimaWidgetLayoutMgr::Down),
                 scene.windows.at(0));
        QCOMPARE(scene.mgr.GetWidgetOnWall(scene.windows.at(0), CAnimaWidgetLayoutMgr::Right),
                 scene.windows.at(3));
    }

    void addingAdaptively()
    {
        Scene scene(4);
        QSignalSpy adaptive(&scene.mgr, &CAnimaWidgetLayoutMgr::SignalAddWidgetByAdaptive);
        PlayWindow first(&scene.host);
        PlayWindow second(&scene.host);
        QVERIFY(scene.mgr.AddWidgetByAdaptive({&first, nullptr}));
        QCOMPARE(adaptive.count(), 1);
        QCOMPARE(adaptive.at(0).at(0).toInt(), 1);
        QCOMPARE(adaptive.at(0).at(1).toInt(), 2);
        QCOMPARE(adaptive.at(0).at(2).toInt(), 3);
        QCOMPARE(Cells(&first), QRect(2, 0, 1, 1));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(Cells(scene.windows.at(i)), QRect(i % 2, i / 2, 1, 1));
        QVERIFY(scene.mgr.AddWidgetByAdaptive({&second}));
        QCOMPARE(Cells(&second), QRect(2, 1, 1, 1));
        QCOMPARE(scene.mgr.GetColumnCount(), 3);
        QVERIFY(!scene.mgr.AddWidgetByAdaptive({&second})); // already there
        QVERIFY(!scene.mgr.AddWidgetByAdaptive({nullptr}));
        VERIFY_RULES(scene.mgr);

        Scene full(64, QSize(1600, 900));
        PlayWindow extra(&full.host);
        QVERIFY(!full.mgr.AddWidgetByAdaptive({&extra}));
        VERIFY_RULES(full.mgr);
    }

    void addingAtAPosition()
    {
        Scene scene(3);
        scene.Show();
        QSignalSpy added(&scene.mgr, &CAnimaWidgetLayoutMgr::SignalWidgetAddByPos);
        PlayWindow newcomer(&scene.host);
        PlayWindow replacement(&scene.host);
        const QRect idleCell = scene.Idle().first()->geometry();
        const QPoint idleCentre = idleCell.center();
        const QPoint playCentre = scene.windows.at(0)->geometry().center();
        QVERIFY(scene.mgr.IsAbleToInsertWidgetAtPoint(&newcomer, idleCentre));
        QVERIFY(!scene.mgr.IsAbleToInsertWidgetAtPoint(&newcomer, playCentre));
        QVERIFY(scene.mgr.AddWidgetToDisplayByPos(&newcomer, idleCentre));
        QCOMPARE(Cells(&newcomer), QRect(1, 1, 1, 1));
        QCOMPARE(added.count(), 1);
        QCOMPARE(added.at(0).at(0).toInt(), 1);
        QCOMPARE(added.at(0).at(1).toInt(), 1);
        QVERIFY(!scene.mgr.AddWidgetToDisplayByPos(&newcomer, idleCentre)); // already placed
        QVERIFY(!scene.mgr.AddWidgetToDisplayByPos(&replacement, playCentre));
        QVERIFY(scene.mgr.AddWidgetToDisplayByPos(&replacement, playCentre, true));
        QCOMPARE(scene.windows.at(0)->closed, 1);
        QVERIFY(scene.windows.at(0)->isHidden());
        QCOMPARE(Cells(&replacement), QRect(0, 0, 1, 1));
        QCOMPARE(scene.mgr.GetWidgetByPos(playCentre), &replacement);
        QTRY_COMPARE(newcomer.geometry(), idleCell);
        QTRY_COMPARE(replacement.geometry(), scene.windows.at(0)->geometry());
        QCOMPARE(scene.mgr.GetWidgetContainsPos(idleCentre), &newcomer);
        VERIFY_RULES(scene.mgr);
    }

    void addingBesideTheGridGrowsIt()
    {
        Scene scene(4);
        scene.Show();
        auto* leftEdge =
            scene.host.findChild<CInternalWidget*>(QStringLiteral("ptr_edge_widget_0_"));
        QVERIFY(leftEdge && leftEdge->isVisible());
        QVERIFY(leftEdge->geometry().right() < scene.windows.at(0)->geometry().left());
        QSignalSpy added(&scene.mgr, &CAnimaWidgetLayoutMgr::SignalWidgetAddByPos);
        PlayWindow newcomer(&scene.host);
        const QPoint besideRow1(leftEdge->geometry().center().x(),
                                scene.windows.at(2)->geometry().center().y());
        QVERIFY(scene.mgr.AddLayoutByPos(&newcomer, besideRow1));
        QCOMPARE(scene.mgr.GetColumnCount(), 3);
        QCOMPARE(Cells(&newcomer), QRect(0, 1, 1, 1));
        QCOMPARE(Cells(scene.windows.at(0)), QRect(1, 0, 1, 1));
        QCOMPARE(added.count(), 1);
        QCOMPARE(added.at(0).at(0).toInt(), 1);
        QCOMPARE(added.at(0).at(1).toInt(), 0);
        VERIFY_RULES(scene.mgr);
    }

    void spareSpaceGoesToTheEdgeZones_data()
    {
        QTest::addColumn<QSize>("host");
        QTest::addColumn<bool>("beside");
        QTest::newRow("wide host: left and right") << QSize(1000, 500) << true;
        QTest::newRow("tall host: above and below") << QSize(1600, 1000) << false;
    }
    void spareSpaceGoesToTheEdgeZones()
    {
        QFETCH(QSize, host);
        QFETCH(bool, beside);
        Scene scene(4, host);
        scene.Show();
        auto* before = scene.host.findChild<CInternalWidget*>(QStringLiteral("ptr_edge_widget_0_"));
        auto* after = scene.host.findChild<CInternalWidget*>(QStringLiteral("ptr_edge_widget_1_"));
        QVERIFY(before && after && before->isVisible() && after->isVisible());
        const QRect first = scene.windows.at(0)->geometry();
        const QRect last = scene.windows.at(3)->geometry();
        if (beside) {
            QVERIFY(before->geometry().right() < first.left());
            QVERIFY(after->geometry().left() > last.right());
            QVERIFY(qAbs(before->width() - after->width()) <= 1);
        } else {
            QVERIFY(before->geometry().bottom() < first.top());
            QVERIFY(after->geometry().top() > last.bottom());
            QVERIFY(qAbs(before->height() - after->height()) <= 1);
        }
        for (PlayWindow* w : qAsConst(scene.windows)) {
            QVERIFY(qAbs(w->width() - first.width()) <= 1);
            QVERIFY(qAbs(w->width() * 9.0 / (w->height() * 16.0) - 1.0) < 0.02);
        }
        QCOMPARE(scene.windows.at(1)->geometry().left() - first.right() - 1,
                 scene.mgr.GetLayoutSpacer());
    }

    void movesAreAnimatedUnlessSaidOtherwise()
    {
        Scene scene(4);
        scene.Show();
        const QRect origin = scene.windows.at(0)->geometry();
        const QRect target = scene.windows.at(3)->geometry();
        QVERIFY(scene.mgr.SwitchWidgetsByIndex(0, 3));
        CGeometryAnimator* animator = scene.windows.at(0)->GetAnimator(nullptr);
        QVERIFY(animator->IsAnimating());
        QTRY_COMPARE(scene.windows.at(0)->geometry(), target);

        const int zero = scene.windows.at(3)->GetPosition();
        QVERIFY(scene.mgr.SwitchWidgetsByIndex(zero, 3));
        scene.mgr.ReLayout(false);
        QVERIFY(!animator->IsAnimating());
        QCOMPARE(scene.windows.at(0)->geometry(), origin);
    }

    void closingAllPlayWindows()
    {
        Scene scene(4);
        scene.mgr.CloseAllPlayWnds(false);
        for (PlayWindow* w : qAsConst(scene.windows))
            QCOMPARE(w->closed, 1);
        QCOMPARE(scene.mgr.GetVisiablePlayWidgetCount(false), 4);
        QSignalSpy background(&scene.mgr, &CAnimaWidgetLayoutMgr::SignalSetBackgroundVisible);
        scene.mgr.CloseAllPlayWnds(true);
        for (PlayWindow* w : qAsConst(scene.windows)) {
            QCOMPARE(w->closed, 2);
            QVERIFY(w->isHidden());
        }
        QCOMPARE(scene.mgr.GetVisiablePlayWidgetCount(false), 0);
        QCOMPARE(scene.Idle().size(), 4);
        QCOMPARE(scene.mgr.GetRowCount(), 2); // the grid stays
        QCOMPARE(background.count(), 1);
        QVERIFY(background.at(0).at(0).toBool());
    }

    void containerDrops()
    {
        Scene scene(4);
        QVERIFY(scene.host.acceptDrops());
        const QList<CInternalWidget*> edges = scene.host.findChildren<CInternalWidget*>(
            QRegularExpression(QStringLiteral("^ptr_edge_widget_")));
        QCOMPARE(edges.size(), 2);
        scene.mgr.SetContainerEnabledDrops(false);
        QVERIFY(!scene.host.acceptDrops());
        for (CInternalWidget* edge : edges)
            QVERIFY(!edge->acceptDrops());
        scene.mgr.SetContainerAcceptDrop(true);
        QVERIFY(scene.host.acceptDrops());
        for (CInternalWidget* edge : edges)
            QVERIFY(edge->acceptDrops());
    }

    void hostPaintsGridLinesBetweenIdleCells()
    {
        Scene scene(0);
        QVERIFY(scene.mgr.SetXml(LayoutText("1,1", "1,1", QString())));
        scene.mgr.SetLayoutSpacer(3);
        scene.Show();
        const QRect first = scene.mgr.GetWidgetByIndex(0)->geometry();
        const QRect second = scene.mgr.GetWidgetByIndex(1)->geometry();
        QCOMPARE(second.left() - first.right() - 1, 3);
        QImage image(scene.host.size(), QImage::Format_ARGB32);
        image.fill(Qt::magenta);
        scene.host.render(&image);
        const int y = first.center().y();
        QCOMPARE(image.pixelColor(first.right() + 2, y), QColor(51, 51, 51)); // mid-gap
        QCOMPARE(image.pixelColor(first.center().x(), first.top() - 1), QColor(51, 51, 51));
        QVERIFY(image.pixelColor(first.center()) != QColor(51, 51, 51)); // cells stay clear
    }

    void everyOperationRefusesBadInput()
    {
        Scene scene(4);
        PlayWindow outsider;
        const QString before = scene.mgr.GetXml();
        QVERIFY(!scene.mgr.AddWidget(nullptr));
        QVERIFY(!scene.mgr.AddWidget(scene.windows.at(0)));
        QVERIFY(!scene.mgr.RemoveWidget(nullptr));
        QVERIFY(!scene.mgr.RemoveWidget(&outsider));
        QVERIFY(!scene.mgr.SwitchWidgetsByIndex(-1, 0));
        QVERIFY(!scene.mgr.SwitchWidgetsByIndex(0, 99));
        QVERIFY(!scene.mgr.SwitchWidgetToInter(99, 1, 0));
        QVERIFY(!scene.mgr.SwitchWidgetToInter(0, 0, 0));
        QVERIFY(!scene.mgr.ScaleWidgetByUnitPos(99, 1, 1, 4, false));
        QVERIFY(!scene.mgr.ScaleWidgetByUnitPos(0, 0, 1, 4, false));
        QVERIFY(!scene.mgr.ScaleWidgetByUnitPos(0, 9, 1, 4, false));
        QVERIFY(!scene.mgr.ScaleWidgetByUnitPos(0, 2, 1, 9, false));
        QVERIFY(!scene.mgr.ScaleWidgetByUnitPos(0, 2, 1, 4, true)); // no map window
        QVERIFY(!scene.mgr.AddWidgetDisplayByUnitPos(nullptr, 0, 0));
        QVERIFY(!scene.mgr.AddWidgetDisplayByUnitPos(&outsider, -1, 0));
        QVERIFY(!scene.mgr.AddWidgetDisplayByUnitPos(&outsider, 0, 99));
        QVERIFY(!scene.mgr.AddWidgetDisplayByUnitPos(&outsider, 0, 0)); // occupied
        QVERIFY(!scene.mgr.AddWidgetToDisplayByPos(nullptr, QPoint(10, 10)));
        QVERIFY(!scene.mgr.AddWidgetToDisplayByPos(&outsider, QPoint(-50, -50)));
        QVERIFY(!scene.mgr.AddLayoutByPos(nullptr, QPoint(10, 10)));
        QVERIFY(!scene.mgr.IsAbleToInsertWidgetAtPoint(nullptr, QPoint(10, 10)));
        QVERIFY(!scene.mgr.GetWidgetByPos(QPoint(-5, -5)));
        QVERIFY(!scene.mgr.GetWidgetContainsPos(QPoint(-5, -5)));
        QVERIFY(!scene.mgr.GetWidgetByPosForCtrlWall(QPoint(-5, -5)));
        QVERIFY(!scene.mgr.GetWidget(-1));
        QVERIFY(!scene.mgr.GetWidget(99));
        QVERIFY(!scene.mgr.GetWidget(nullptr, CAnimaWidgetLayoutMgr::Left));
        QVERIFY(!scene.mgr.GetWidget(&outsider, CAnimaWidgetLayoutMgr::Left));
        int cells = -7;
        int total = -7;
        QVERIFY(!scene.mgr.GetWidgetScale(nullptr, cells, total));
        QVERIFY(!scene.mgr.GetWidgetScale(&outsider, cells, total));
        int row = 0;
        int column = 0;
        int rowSpan = 0;
        int columnSpan = 0;
        QVERIFY(!scene.mgr.GetWidgetPos(&outsider, row, column, rowSpan, columnSpan));
        QCOMPARE(QRect(column, row, columnSpan, rowSpan), QRect(-1, -1, -1, -1));
        QVERIFY(!scene.mgr.OpenMapWidget());
        QVERIFY(!scene.mgr.CloseMapModel());
        scene.mgr.SetLayoutSpacer(-3);
        QCOMPARE(scene.mgr.GetLayoutSpacer(), 1);
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral(
                                 "^\\[TesselGUIToolkit::CAnimaWidgetLayoutMgr::GetWidgetByIndex\\]"
                                 "Get Widget is NULL\\. Index: 99\\[WidgetLayout.AnimaWidgetLayout"
                                 "Mgr\\.cpp\\(\\d+\\)\\]$")));
        QVERIFY(!scene.mgr.GetWidgetByIndex(99));
        QCOMPARE(scene.mgr.GetXml(), before);
        VERIFY_RULES(scene.mgr);
    }

    void secondInitStartsAfresh()
    {
        Scene scene(4, QSize(1000, 500), m_files);
        QList<CGUIBaseWidget*> again{scene.windows.at(0), scene.windows.at(1)};
        QVERIFY(scene.mgr.Init(&scene.host, m_files, again));
        QCOMPARE(scene.mgr.GetVisiablePlayWidgetCount(false), 2);
        QVERIFY(scene.windows.at(3)->isHidden());
        QVERIFY(!scene.mgr.GetWidget(2));
        QSignalSpy selected(&scene.mgr, &CAnimaWidgetLayoutMgr::SignalWidgetSelected);
        Q_EMIT scene.windows.at(1)->SignalWndSelected();
        QCOMPARE(selected.count(), 1); // connected once, not twice
        QCOMPARE(scene.mgr.GetWndCountByType(2), 4);
        VERIFY_RULES(scene.mgr);
    }
};

QTEST_MAIN(tst_AnimaWidgetLayoutMgr)
#include "tst_animawidgetlayoutmgr.moc"
