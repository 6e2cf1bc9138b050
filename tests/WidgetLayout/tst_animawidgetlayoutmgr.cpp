// The free layout: its grid arithmetic and model, then the manager, last with the mouse.
// Mouse events go through the window system as a user's would: presses land on the window
// under the pointer, travel up to the host, and the window keeps the mouse until release.
#define QTEST_QPA_MOUSE_HANDLING

#include "WidgetLayout/AnimaWidgetLayoutMgr.h"
#include "WidgetLayout/FreeGrid_p.h"
#include "WidgetLayout/GeometryAnimator.h"
#include "WidgetLayout/InternalWidget.h"
#include "WidgetLayout/LayoutTestSupport.h"
#include "WidgetLayout/SilenceWidget.h"
#include "Widgets/GUIBaseWidget.h"

#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <climits>

using namespace TesselGUIToolkit;
using namespace TesselGUIToolkit::Detail;
using namespace LayoutTest;
using Mgr = CAnimaWidgetLayoutMgr;
using O = CFreeGridModel::Outcome;

Q_DECLARE_METATYPE(QDropEvent*)

namespace {

// --- The grid arithmetic and its model ---

// A model from cell rectangles whose keys are their positions in the list.
CFreeGridModel Model(const QSize& grid, const char* items)
{
    CFreeGridModel model(grid.height(), grid.width());
    const QVector<QRect> rects = Rects(items);
    for (int i = 0; i < rects.size(); ++i)
        if (!model.AddItem(i, rects.at(i)))
            qFatal("test layout %d does not fit", i);
    return model;
}

QVector<QRect> Layout(const CFreeGridModel& model)
{
    QVector<QRect> rects(model.Items().size());
    for (const CFreeGridModel::Item& item : model.Items())
        rects[item.key] = item.cells;
    return rects;
}

QString Broken(const CFreeGridModel& model)
{
    QString why;
    model.CheckInvariant(&why);
    return why;
}

using Str = const char*; // cells in Rects() notation, or a row's name
const Str kFour = "0,0 1,0 0,1 1,1";

// clang-format off
// Sizes are columns x rows, or width x height in pixels; spare -1: not stated.
const struct { Str name; QSize host; int rows, columns, spacing, aspect; QSize cell, spare; }
kCellSizes[] = {
    {"wide host: height limits", {1000, 500}, 2, 2, 1, 16, {442, 249}, {115, 0}},
    {"3 x 3, spacing 2", {800, 600}, 3, 3, 2, 16, {265, 149}, {0, 149}},
    {"counts below 1 count as 1, 16:9", {1920, 1080}, 0, -4, 0, 16, {1920, 1080}, {0, 0}},
    {"no overflow", {INT_MAX, INT_MAX}, 8, 8, 1, 16, {268435455, 150994943}, {0, 939524096}},
    {"no aspect: no size", {800, 600}, 2, 2, 1, 0, {0, 0}, {-1, -1}}};

// `added`: a grid holding the present one (the minimums) and `count` more.
const struct { Str name; bool added; QSize host; int count, rows, columns; bool found; QSize grid; }
kSuits[] = {
    {"4 in a wide host", false, {1000, 500}, 4, 1, 1, true, {2, 2}},
    {"5: 2 x 3 has wider cells than 3 x 2", false, {1000, 500}, 5, 1, 1, true, {3, 2}},
    {"64 needs 8 x 8", false, {1600, 900}, 64, 1, 1, true, {8, 8}},
    {"65 fits nowhere", false, {1600, 900}, 65, 1, 1, false, {1, 1}},
    {"minimum columns beyond 8", false, {1000, 500}, 2, 1, 9, false, {9, 1}},
    {"one more than 2 x 2", true, {1000, 500}, 1, 2, 2, true, {3, 2}},
    {"never fewer rows than before", true, {1000, 500}, 1, 3, 1, true, {2, 3}},
    {"beyond 64 cells", true, {1000, 500}, 1, 8, 8, false, {8, 8}}};

const struct { Str name; int others; QSize grid; Str cells; /* the map first */ } kMaps[] = {
    {"map alone", 0, {1, 1}, "0,0"}, {"one beside", 1, {2, 1}, "0,0 1,0"},
    {"five: down, then along the last row", 5, {3, 3}, "0,0,2,2 2,0 2,1 0,2 1,2 2,2"},
    {"six around a 3 x 3 map", 6, {4, 4}, "0,0,3,3 3,0 3,1 3,2 0,3 1,3 2,3"},
    {"fourteen", 14, {5, 5}, "0,0,3,3 3,0 4,0 3,1 4,1 3,2 4,2 0,3 1,3 2,3 3,3 4,3 0,4 1,4 2,4"}};

// On a 480 x 270 window at the origin unless said otherwise.
const struct { Str name; QPoint point; int area; Qt::CursorShape cursor; QRect window; }
kPresses[] = {
    {"1 px in from the left", {1, 135}, 5, Qt::SizeHorCursor, {}},
    {"2 px in starts a move", {2, 135}, 0, Qt::ArrowCursor, {}},
    {"bottom-left corner", {0, 260}, 3, Qt::SizeBDiagCursor, {}},
    {"corner box ends at 70 px", {70, 0}, 1, Qt::SizeFDiagCursor, {}},
    {"edge box starts after it", {71, 0}, 6, Qt::SizeVerCursor, {}},
    {"outside", {480, 10}, -1, Qt::ArrowCursor, {}},
    {"window off the origin", {101, 185}, 5, Qt::SizeHorCursor, {100, 50, 480, 270}}};

const struct { Str name; QRect cells; int area; QPointF pointer; bool ok; QRect expected; }
kScaleCells[] = {
    {"bottom-right to 1.6 x 2.4", {0, 0, 1, 1}, 4, {1.6, 2.4}, true, {0, 0, 2, 2}},
    {"never less than a cell", {0, 0, 2, 2}, 4, {0.3, 0.3}, true, {0, 0, 1, 1}},
    {"top-left beyond the grid", {0, 0, 1, 1}, 1, {-1.2, 0.5}, true, {-1, 0, 2, 1}},
    {"right edge keeps the rows", {1, 1, 1, 2}, 7, {3.5, 9.0}, true, {1, 1, 3, 2}},
    {"dragged past the fixed side", {0, 0, 1, 1}, 4, {-0.7, 1.0}, false, {}},
    {"no area", {0, 0, 1, 1}, 0, {2, 2}, false, {}},
    {"unknown area", {0, 0, 1, 1}, 9, {2, 2}, false, {}}};

const struct { Str name; QSize grid; Str items; int key; QPoint to; O outcome; int other; Str out; }
kMoves[] = {
    {"onto an equal one: exchange", {2, 2}, kFour, 0, {1, 0}, O::Exchanged, 1, "1,0 0,0 0,1 1,1"},
    {"onto idle cells", {3, 3}, "0,0 2,2", 0, {1, 1}, O::Moved, -1, "1,1 2,2"},
    {"kept inside the grid", {2, 2}, "0,0", 0, {5, -3}, O::Moved, -1, "1,0"},
    {"same place", {2, 2}, kFour, 3, {1, 1}, O::Unchanged, -1, kFour},
    {"covered windows take the place left", {4, 2}, "0,0,2,2 2,0 3,0 2,1 3,1", 0, {2, 0},
     O::Displaced, -1, "2,0,2,2 0,0 1,0 0,1 1,1"},
    {"one column along: it slides back", {3, 2}, "0,0,2,2 2,0 2,1", 0, {1, 0}, O::Displaced, -1,
     "1,0,2,2 0,0 0,1"},
    {"one cell diagonally", {3, 3}, "0,0,2,2 2,0 2,1 2,2 0,2 1,2", 0, {1, 1}, O::Displaced, -1,
     "1,1,2,2 2,0 0,1 0,0 0,2 1,0"},
    {"onto part of a larger window: exchange", {3, 2}, "0,0 1,0,2,2 0,1", 0, {1, 0}, O::Exchanged,
     1, "1,0,2,2 0,0 0,1"},
    {"partly on two: ties go to the first in reading order", {3, 2}, "0,0,1,2 1,0 1,1,2,1 2,0", 0,
     {2, 0}, O::Exchanged, 3, "2,0 1,0 1,1,2,1 0,0,1,2"}};

// Item 0 takes `cells`.
const struct { Str name; QSize grid; Str items; QRect cells; O outcome; QSize grid2; Str out; }
kScales[] = {
    {"wider over a neighbour: it goes to a new row", {2, 2}, kFour, {0, 0, 2, 1}, O::Scaled, {2, 3},
     "0,0,2,1 0,2 0,1 1,1"},
    {"into idle cells", {2, 2}, "0,0", {0, 0, 2, 2}, O::Scaled, {2, 2}, "0,0,2,2"},
    {"displaced keeps its size", {3, 2}, "0,0 1,0", {0, 0, 2, 1}, O::Scaled, {3, 2}, "0,0,2,1 2,0"},
    {"growing left shifts all", {2, 2}, kFour, {-1, 0, 2, 1}, O::Scaled, {3, 2},
     "0,0,2,1 2,0 1,1 2,1"},
    {"shrinking", {2, 2}, "0,0,2,2", {0, 0, 1, 1}, O::Scaled, {2, 2}, "0,0"},
    {"beyond 8 columns", {8, 1}, "0,0", {0, 0, 9, 1}, O::Rejected, {8, 1}, "0,0"},
    {"no room for the displaced, even shrunk", {8, 8}, "0,0,8,7 0,7,8,1", {0, 0, 8, 8}, O::Rejected,
     {8, 8}, "0,0,8,7 0,7,8,1"},
    {"empty rectangle", {2, 2}, kFour, {0, 0, 0, 1}, O::Rejected, {2, 2}, kFour}};
// clang-format on

// --- The manager ---

struct PlayWindow : CGUIBaseWidget
{
    using CGUIBaseWidget::CGUIBaseWidget;
    void ClosePlayWnd() override { ++closed; }
    int closed = 0;
};

struct MapWindow : CGUIBaseWidget
{
    using CGUIBaseWidget::CGUIBaseWidget;
    int WidgetTypes() const override { return 1; }
};

QRect Cells(const CGUIBaseWidget* w)
{
    return QRect(w->GetColumn(), w->GetRow(), w->GetColumnSpan(), w->GetRowSpan());
}

template <typename List> QVector<QRect> CellsOf(const List& windows)
{
    QVector<QRect> cells;
    for (const CGUIBaseWidget* w : windows)
        cells << Cells(w);
    return cells;
}

QSize Grid(const Mgr& mgr)
{
    return QSize(mgr.GetColumnCount(), mgr.GetRowCount());
}

QString LayoutText(const QString& rows, const QString& columns, const char* cells)
{
    return "<Config>" + Description(200, 0, rows, columns, cells) + "</Config>";
}

// The rules every layout keeps: cells inside the grid, no overlap, every cell covered.
bool RulesHold(const Mgr& mgr)
{
    QList<CGUIBaseWidget*> windows = mgr.GetAllVisibleWidgets();
    if (mgr.IsMapMode() && mgr.GetMapWidget())
        windows << mgr.GetMapWidget();
    CFreeGridModel grid;
    bool ok = grid.SetGridSize(mgr.GetRowCount(), mgr.GetColumnCount());
    for (int i = 0; i < windows.size(); ++i)
        ok = ok && grid.AddItem(i, Cells(windows[i]));
    return ok && grid.IdleCells().isEmpty();
}

// Play windows in a 1000 x 500 host unless said otherwise; shown only by Show().
struct Scene
{
    explicit Scene(int count, const QSize& size = QSize(1000, 500), const QStringList& files = {})
    {
        host.resize(size);
        for (int i = 0; i < count; ++i)
            windows << new PlayWindow(&host);
        mgr.Init(&host, files, QList<CGUIBaseWidget*>(windows.begin(), windows.end()));
    }
    bool Show()
    {
        host.show();
        const bool exposed = QTest::qWaitForWindowExposed(&host);
        mgr.ReLayout(false); // settle: Init animates the windows into their cells
        return exposed;
    }
    QRect At(int i) const { return windows.at(i)->geometry(); }
    QList<CGUIBaseWidget*> Idle() const
    {
        QList<CGUIBaseWidget*> idle;
        for (CGUIBaseWidget* w : mgr.GetAllVisibleWidgets())
            if (w->WidgetTypes() == 1000)
                idle << w;
        return idle;
    }
    QLabel* Mask() const { return host.findChild<QLabel*>("ptr_mask_widget_"); }
    CInternalWidget* Edge(int i) const
    {
        return host.findChild<CInternalWidget*>(QStringLiteral("ptr_edge_widget_%1_").arg(i));
    }
    // A press and a gesture in small steps, as a hand would make it; Release() ends it.
    void Drag(const QPoint& from, const QPoint& to)
    {
        QTest::mousePress(&host, Qt::LeftButton, Qt::NoModifier, from);
        for (int i = 1; i <= 8; ++i)
            QTest::mouseMove(&host, from + (to - from) * i / 8);
    }
    void Release(const QPoint& at) { QTest::mouseRelease(&host, Qt::LeftButton, {}, at); }
    // A drop from outside; the mask's place while the drag hovers, null when hidden.
    QRect Drop(QWidget* target, const QPoint& pos)
    {
        QMimeData mime;
        mime.setText("camera 7");
        QDragEnterEvent enter(pos, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        const QRect mask = enter.isAccepted() && Mask()->isVisible() ? Mask()->geometry() : QRect();
        QDropEvent drop(pos, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        return mask;
    }

    QWidget host;
    QList<PlayWindow*> windows;
    Mgr mgr;
};

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
        qRegisterMetaType<QDropEvent*>();
        qRegisterMetaType<CGUIBaseWidget*>("CGUIBaseWidget*"); // as the signal names it
        const QString text = "<Layouts>" + Description(2, 4, "1,1", "1,1", "0,0 1,0 0,1 1,1")
            + Description(5, 6, "1,1,1", "1,1,1", "0,0,2,2 2,0 2,1 0,2 1,2 2,2")
            + Description(9, 2, "1,1", "1,1", "0,0,2,2 1,0") // overlapping cells
            + Description(10, 1, "1,1,1,1,1,1,1,1,1", "1", "0,0") // nine rows
            + Description(11, 2, "1", "1,1,1", "0,0 s1,0 2,0") // a spacer in the middle
            + Description(512, 2, "1", "1,1", "0,0 1,0") + "</Layouts>";
        m_files << WriteFile(m_dir.filePath("free.xml"), text.toUtf8())
                << m_dir.filePath("missing.xml"); // skipped
        QVERIFY(!m_files.first().isEmpty());
    }

    // --- The grid arithmetic and its model ---------------------------------------------

    void cellSize_data() { AddRows(kCellSizes); }
    void cellSize()
    {
        const auto& r = Row(kCellSizes);
        const FreeCellSize size = FreeGridCellSize(r.host, r.rows, r.columns, r.spacing, r.aspect);
        QCOMPARE(QSize(size.width, size.height), r.cell);
        if (r.spare.width() >= 0)
            QCOMPARE(QSize(size.spareWidth, size.spareHeight), r.spare);
    }

    void suitLayout_data() { AddRows(kSuits); }
    void suitLayout()
    {
        const auto& r = Row(kSuits);
        int rows = -1;
        int columns = -1;
        const auto search = r.added ? FreeGridSuitLayoutByAddition : FreeGridSuitLayout;
        QCOMPARE(search(r.host, 1, r.count, r.rows, r.columns, rows, columns), r.found);
        QCOMPARE(QSize(columns, rows), r.grid);
    }

    void mapArrangement_data() { AddRows(kMaps); }
    void mapArrangement()
    {
        const auto& r = Row(kMaps);
        int rows = 0;
        int columns = 0;
        QCOMPARE(FreeGridMapArrangement(r.others, rows, columns), Rects(r.cells));
        QCOMPARE(QSize(columns, rows), r.grid);
        QCOMPARE(FreeGridMapArrangement(20, rows, columns).size(), 17); // sixteen others at most
    }

    void pressArea_data() { AddRows(kPresses); }
    void pressArea()
    {
        const auto& r = Row(kPresses);
        const QRect window = r.window.isNull() ? QRect(0, 0, 480, 270) : r.window;
        QCOMPARE(FreeGridPressArea(window, r.point), r.area);
        QCOMPARE(FreeGridAreaCursor(r.area), r.cursor);
    }

    void scaleCells_data() { AddRows(kScaleCells); }
    void scaleCells()
    {
        const auto& r = Row(kScaleCells);
        bool ok = !r.ok; // the function must set it either way
        QCOMPARE(FreeGridScaleCells(r.cells, r.area, r.pointer, &ok), r.expected);
        QCOMPARE(ok, r.ok);
    }

    void modelRefusesBadItems()
    {
        CFreeGridModel model(2, 2);
        QVERIFY(model.AddItem(7, QRect(0, 0, 1, 1)) && !model.AddItem(7, QRect(1, 1, 1, 1)));
        for (const QRect& bad : Rects("0,0,2,1 1,1,2,1 1,1,0,1")) // overlap, outside, empty
            QVERIFY(!model.AddItem(8, bad));
        QVERIFY(!model.SetGridSize(9, 1) && !model.SetGridSize(0, 1) && !model.SetGridSize(1, 0));
        QVERIFY(model.SetGridSize(1, 1) && model.KeyAt({0, 0}) == 7 && model.KeyAt({5, 5}) == -1);
        QCOMPARE(Broken(model), QString());
        QCOMPARE(model.Move(99, QPoint(0, 0)).outcome, O::Rejected);
        QCOMPARE(model.Scale(99, QRect(0, 0, 1, 1)).outcome, O::Rejected);
    }

    void move_data() { AddRows(kMoves); }
    void move()
    {
        const auto& r = Row(kMoves);
        CFreeGridModel model = Model(r.grid, r.items);
        const CFreeGridModel::Result result = model.Move(r.key, r.to);
        QCOMPARE(result.outcome, r.outcome);
        QVERIFY(r.outcome != O::Exchanged || result.partner == r.other);
        const QVector<QRect> before = Rects(r.items);
        const QVector<QRect> after = Rects(r.out);
        QCOMPARE(Layout(model), after);
        int moved = 0; // the others that gave way are reported, each from and to its place
        for (int i = 0; i < before.size(); ++i)
            moved += i != r.key && before.at(i) != after.at(i);
        QCOMPARE(result.displaced.size(), r.outcome == O::Displaced ? moved : 0);
        for (const CFreeGridModel::Displacement& d : result.displaced)
            QVERIFY(d.from == before.at(d.key) && d.to == after.at(d.key));
        QCOMPARE(Broken(model), QString());
    }

    void scale_data() { AddRows(kScales); }
    void scale()
    {
        const auto& r = Row(kScales);
        CFreeGridModel model = Model(r.grid, r.items);
        QCOMPARE(model.Scale(0, r.cells).outcome, r.outcome);
        QCOMPARE(QSize(model.Columns(), model.Rows()), r.grid2);
        QCOMPARE(Layout(model), Rects(r.out));
        QCOMPARE(Broken(model), QString());
    }

    void rulesHoldAfterRandomOperations()
    {
        QRandomGenerator random(20240611);
        for (int run = 0; run < 20; ++run) {
            CFreeGridModel model(4, 4);
            int keys = 0;
            for (int cell = 0; cell < 16; ++cell)
                if (random.bounded(3))
                    QVERIFY(model.AddItem(keys++, QRect(cell % 4, cell / 4, 1, 1)));
            for (int step = 0; step < 200 && keys > 0; ++step) {
                const CFreeGridModel before = model;
                const int k = random.bounded(keys);
                const QPoint at(random.bounded(-2, 10), random.bounded(-2, 10));
                const QRect cells(at - QPoint(0, 1),
                                  QSize(random.bounded(1, 5), random.bounded(1, 5)));
                const int what = random.bounded(3);
                const bool changed = (what == 0       ? model.Move(k, at)
                                          : what == 1 ? model.Scale(k, cells)
                                                      : model.Exchange(k, random.bounded(keys)))
                                         .Changed();
                QVERIFY2(Broken(model).isEmpty(),
                         qPrintable(QString::asprintf("%d %d ", run, step) + Broken(model)));
                // a refused operation leaves the grid exactly as it was
                QVERIFY(changed
                        || (Layout(model) == Layout(before) && model.Rows() == before.Rows()
                            && model.Columns() == before.Columns()));
            }
        }
    }

    // --- The manager ------------------------------------------------------------------

    void initPlacesWindowsLargest()
    {
        Mgr mgr;
        PlayWindow lone;
        QVERIFY(!mgr.Init(nullptr, m_files, {&lone}) && mgr.GetXml().isEmpty()); // no host
        QWidget host;
        host.resize(1000, 500);
        QList<CGUIBaseWidget*> windows;
        for (int i = 0; i < 5; ++i)
            windows << new PlayWindow(&host);
        QSignalSpy background(&mgr, &Mgr::SignalSetBackgroundVisible);
        uint depth = 99; // the rebuild is still under way when it reports
        connect(&mgr, &Mgr::SignalWidgetLayoutChanged, this,
                [&]() { depth = mgr.property("relayout_exec_deep").toUInt(); });
        QVERIFY(mgr.Init(&host, m_files, windows));
        QCOMPARE(Grid(mgr), QSize(3, 2)); // 2 x 3 has wider cells than 3 x 2
        QCOMPARE(CellsOf(windows), Rects("0,0 1,0 2,0 0,1 1,1"));
        for (int i = 0; i < 5; ++i)
            QVERIFY(windows[i]->GetPosition() == i && windows[i]->GetTileNumber() == i + 1
                    && mgr.GetWidget(i) == windows[i] && mgr.GetWidgetByIndex(i) == windows[i]);
        QVERIFY(mgr.GetVisiableWidgetCount(false) == 5 && mgr.GetVisiableWidgetCount(true) == 6);
        QCOMPARE(background, Calls{{false}}); // windows hide the background
        QVERIFY(depth == 1 && mgr.property("relayout_exec_deep") == QVariant(0u));
        QVERIFY(RulesHold(mgr));
    }

    void switchRenumbersAndEmits()
    {
        Scene s(3);
        QSignalSpy position(s.windows[0], &CGUIBaseWidget::SignalPositionChanged);
        QSignalSpy tile(s.windows[0], &CGUIBaseWidget::SignalTileNumberChanged);
        QSignalSpy switched(&s.mgr, &Mgr::SignalWidgetSwitched);
        QSignalSpy inter(&s.mgr, &Mgr::SignalWidgetSwitchToInter);
        QVERIFY(s.mgr.SwitchWidgetsByIndex(0, 2) && s.mgr.SwitchWidgetsByIndex(1, 1));
        QCOMPARE(CellsOf(s.windows), Rects("0,1 1,0 0,0"));
        QCOMPARE(s.windows[2]->GetTileNumber(), 1);
        QVERIFY(position == (Calls{{2, 0}}) && tile == (Calls{{3, 1}})
                && switched == (Calls{{0, 2}}));
        QVERIFY(s.mgr.SwitchWidgetToInter(1, 0, 1)); // onto the idle cell below
        QCOMPARE(inter, (Calls{{1, 0, 1}}));
        QCOMPARE(CellsOf(s.windows) + CellsOf(s.Idle()), Rects("0,1 1,1 0,0 1,0"));
    }

    void removalKeepsTheOthersInPlace()
    {
        for (int removed = 0; removed < 4; ++removed) { // spacing and visibility vary with it
            Scene s(4);
            s.mgr.SetLayoutSpacer(removed * 2);
            if (removed % 2)
                QVERIFY(s.Show());
            QVector<QRect> others = CellsOf(s.windows);
            const QRect left = others.takeAt(removed);
            PlayWindow* gone = s.windows.takeAt(removed);
            QVERIFY(s.mgr.RemoveWidget(gone) && !s.mgr.RemoveWidget(gone));
            QCOMPARE(CellsOf(s.windows), others);
            QCOMPARE(CellsOf(s.Idle()), QVector<QRect>{left});
            QVERIFY(gone->isHidden() && gone->GetPosition() == -1
                    && !s.mgr.WidgetDisplayedInLayout(gone));
        }
    }

    void removalEdgeCases()
    {
        Scene s(4);
        QVERIFY(s.Show());
        delete s.windows.takeAt(1); // a destroyed window is forgotten
        QTRY_VERIFY(CellsOf(s.Idle()) == Rects("1,0") && !s.mgr.GetWidget(1));
        s.windows[2]->OnClosePlayWnd(true); // closing a window removes it
        QVERIFY(s.windows[2]->closed == 1 && Grid(s.mgr) == QSize(1, 2)); // the edge column goes
        QCOMPARE(CellsOf(s.windows.mid(0, 2)), Rects("0,0 0,1"));
        QVERIFY(s.mgr.RemoveWidget(s.windows[1]));
        QSignalSpy background(&s.mgr, &Mgr::SignalSetBackgroundVisible);
        QVERIFY(s.mgr.RemoveWidget(s.windows[0]));
        QVERIFY(s.Idle().size() == 1 && background == (Calls{{true}})); // an idle cell stays
    }

    void idleAndSilenceWindows()
    {
        Scene s(3, QSize(1000, 500), m_files);
        auto* label = s.Idle().value(0)->findChild<QLabel*>("ptr_label_");
        QVERIFY(label->isHidden());
        s.mgr.EnableWidgetTileNumberShow(true);
        QVERIFY(!label->isHidden() && label->text() == "04");
        QSignalSpy closed(&s.mgr, &Mgr::SignalSilenceWidgetClosed);
        QVERIFY(s.mgr.SetXml(2)); // silence windows in every cell, play windows leave
        QVERIFY(s.mgr.GetSplitType() == 2 && s.windows[0]->isHidden()
                && s.mgr.GetVisiablePlayWidgetCount(true) == 4);
        for (CGUIBaseWidget* w : s.mgr.GetAllVisiblePlaySilenceWidgets()) {
            QVERIFY(w->WidgetTypes() == 1001 && !w->IsSelectable());
            QCOMPARE(w->findChild<QLabel*>("ptr_title_label_")->text(),
                     QString::asprintf("%02d", w->GetTileNumber()));
        }
        auto* third = static_cast<CSilenceWidget*>(s.mgr.GetWidgetByIndex(2));
        third->findChild<QPushButton*>("ptr_close_button_")->click();
        s.mgr.SetShutDownEnabled(false);
        QVERIFY(closed == (Calls{{2}}) && !third->IsCloseButtonVisible());
        third->resize(200, 120);
        const QImage image = Render(*third); // the frame, the inside
        QVERIFY(image.pixelColor(0, 0) == QColor(26, 26, 26)
                && image.pixelColor(100, 110) == QColor(34, 34, 34));
    }

    void presets()
    {
        Scene s(7, QSize(1000, 500), m_files);
        QSignalSpy split(&s.mgr, &Mgr::SignalChangeSplitType);
        for (PlayWindow* w : qAsConst(s.windows))
            w->SetWndOnWall(true);
        QVERIFY(s.mgr.SetPreSplit(5)); // play windows first, the one that does not fit closed
        QVERIFY(s.mgr.GetSplitType() == 5 && Grid(s.mgr) == QSize(3, 3));
        QCOMPARE(CellsOf(s.windows.mid(0, 6)), Rects("0,0,2,2 2,0 2,1 0,2 1,2 2,2"));
        for (int i = 0; i < 7; ++i)
            QVERIFY(s.windows[i]->closed == (i < 6 ? 0 : 1)
                    && s.mgr.WidgetDisplayedInLayout(s.windows[i]) == (i < 6));
        QVERIFY(s.mgr.CompareLayout(s.mgr.GetXml(), 5) && !s.mgr.CompareLayout(s.mgr.GetXml(), 2));
        QVERIFY(s.mgr.CompareLayout(
            LayoutText("1,1,1", "1,1,1",
                       "2,2,1,1,5 1,2,1,1,4 0,2,1,1,3 2,1,1,1,2 2,0,1,1,1 0,0,2,2,0"),
            5));
        QVERIFY(s.mgr.GetWndCountByType(5) == 6 && !s.mgr.CompareLayout("junk", 5));
        QVERIFY(s.mgr.SwitchWidgetsByIndex(1, 2)); // same cells, other windows
        QVERIFY(s.mgr.GetSplitType() == 5 && split.isEmpty());
        QVERIFY(s.mgr.ScaleWidgetByUnitPos(1, 1, 2, 8, false)); // now it differs
        QVERIFY(s.mgr.GetSplitType() == 200 && split == (Calls{{200, QString()}}));
        QVERIFY(RulesHold(s.mgr));
        QVERIFY(s.mgr.SetPreSplit(512)); // the video-wall division clears the wall state
        QVERIFY(!s.windows[0]->IsWndOnWall() && !s.windows[2]->IsWndOnWall()); // indexes 0, 1
        QVERIFY(s.mgr.SetPreSplit(11)); // a spacer cell becomes idle
        QCOMPARE(CellsOf(QList<PlayWindow*>({s.windows[0], s.windows[2]})) + CellsOf(s.Idle()),
                 Rects("0,0 2,0 1,0"));
        const QString before = s.mgr.GetXml();
        for (int bad : {999, 9, 10, 200}) // unknown, overlapping, nine rows, free
            QVERIFY(!s.mgr.SetPreSplit(bad) && !s.mgr.SetXml(bad));
        QVERIFY(s.mgr.GetXml() == before && s.mgr.GetWndCountByType(999) == 0);
    }

    void xmlFormAndRoundTrip()
    {
        Scene original(4);
        QVERIFY(original.mgr.ScaleWidgetByUnitPos(0, 2, 1, 7, false));
        const QString text = original.mgr.GetXml();
        QVERIFY(text.startsWith("<Config>\n <ElementConfig>\n  <Name>Custom Split</Name>\n"));
        QVERIFY(text.contains("<Type>200</Type>") && text.contains("<WndSize>5</WndSize>"));
        QVERIFY(text.contains("\n   <Element type=\"QWidget\" id=\"0\" row=\"0\" column=\"0\" "
                              "rowSpan=\"1\" columnSpan=\"2\"/>"));
        Scene restored(0);
        QVERIFY(restored.mgr.SetXml(text) && restored.mgr.GetXml() == text);
        PlayWindow newcomer(&restored.host); // takes the whole of a large restored cell
        QSignalSpy added(&restored.mgr, &Mgr::SignalWidgetAddByPos);
        QVERIFY(restored.mgr.AddWidgetDisplayByUnitPos(&newcomer, 0, 1));
        QVERIFY(Cells(&newcomer) == Cell("0,0,2,1") && added == (Calls{{0, 0}}));
        QCOMPARE(restored.mgr.GetXml(), text); // the same cells
        CLayoutElementConfig parsed;
        QVERIFY(restored.mgr.GetSingleLayoutElementByXml(&parsed, text) && parsed.Size() == 5);
        QVERIFY(!restored.mgr.GetSingleLayoutElementByXml(nullptr, text));
        QVERIFY(restored.mgr.SetXml(LayoutText("1,1", "1,1,1", ""))); // no cells: all idle
        QCOMPARE(restored.Idle().size(), 6);
    }

    void garbageXmlLeavesLayoutUnchanged_data()
    {
        QTest::addColumn<QString>("text");
        const QString valid = LayoutText("1,1", "1,1", "0,0 1,1");
        // clang-format off
        // (parser robustness is the fuzzing harness's; these break the layout's own rules)
        const struct { const char* name; QString text; } rows[] = {
            {"empty", ""}, {"not XML", "garbage <<<"}, {"truncated", valid.left(valid.size() / 2)},
            {"overlapping cells", LayoutText("1,1", "1,1", "0,0,2,2 1,0")},
            {"nine rows", LayoutText("1,1,1,1,1,1,1,1,1", "1", "0,0")},
            {"span beyond the grid", LayoutText("1,1", "1,1", "1,1,2,1")}};
        // clang-format on
        for (const auto& row : rows)
            QTest::newRow(row.name) << row.text;
    }
    void garbageXmlLeavesLayoutUnchanged()
    {
        QFETCH(QString, text);
        Scene s(4);
        const QString before = s.mgr.GetXml();
        QSignalSpy changed(&s.mgr, &Mgr::SignalWidgetLayoutChanged);
        QVERIFY(!s.mgr.SetXml(text) && s.mgr.GetXml() == before && changed.isEmpty());
    }

    void redundancyElimination_data()
    {
        QTest::addColumn<QVector<int>>("indexes");
        QTest::addColumn<uint>("extra"); // 0xFFFFFFFF: none
        QTest::addColumn<QVector<int>>("indexesAfter"); // empty and 0 for a refusal
        QTest::addColumn<uint>("extraAfter");
        QTest::addColumn<QSize>("grid");
        const uint none = 0xFFFFFFFF;
        using V = QVector<int>;
        // clang-format off
        QTest::newRow("right-hand column") << V{1, 3} << none << V{0, 1} << none << QSize(1, 2);
        QTest::newRow("bottom row by index and extra") << V{2} << 3u << V{0} << 1u << QSize(2, 1);
        QTest::newRow("no selection") << V() << none << V() << none << QSize();
        QTest::newRow("positions name no cell") << V{7, -1} << none << V{7, -1} << none << QSize();
        // clang-format on
    }
    void redundancyElimination()
    {
        QFETCH(QVector<int>, indexes);
        QFETCH(uint, extra);
        QFETCH(QSize, grid);
        Scene s(4);
        // ids 0, 5, 2, 9: the kept cells' entries are renumbered from 0
        const QString text = LayoutText("1,1", "1,1", "0,0 1,0,1,1,5 0,1 1,1,1,1,9");
        QCOMPARE(s.mgr.SetXmlWithRedundancyElimination(text, indexes, extra), grid.isValid());
        QTEST(indexes, "indexesAfter");
        QTEST(extra, "extraAfter");
        QCOMPARE(Grid(s.mgr), grid.isValid() ? grid : QSize(2, 2));
    }

    void mapMode()
    {
        Scene s(20, QSize(1600, 900));
        MapWindow map(&s.host);
        MapWindow second(&s.host);
        QVERIFY(!s.mgr.CloseMapModel() && !s.mgr.OpenMapWidget()); // no map window yet
        QVERIFY(s.mgr.AddWidget(&map) && !s.mgr.AddWidget(&map) && s.mgr.GetMapWidget() == &map);
        QVERIFY(s.mgr.OpenMapWidget() && s.mgr.IsMapMode() && s.mgr.WidgetDisplayedInLayout(&map));
        QVERIFY(!s.mgr.AddWidget(&second)); // one map at a time
        QVERIFY(Grid(s.mgr) == QSize(5, 5) && Cells(&map) == Cell("0,0,3,3"));
        QVERIFY(s.mgr.GetMapWidgetIndex() == 0 && map.GetTileNumber() == -1); // no tile number
        for (int i = 0; i < 20; ++i) // sixteen stay, the last four are closed
            QVERIFY(s.windows[i]->closed == (i < 16 ? 0 : 1)
                    && (i >= 16 || s.windows[i]->GetTileNumber() == s.windows[i]->GetPosition()));
        QVERIFY(s.mgr.GetXml().contains("<WndSize>17<") && RulesHold(s.mgr));
        QVERIFY(s.mgr.CloseMapModel() && !s.mgr.CloseMapModel()); // the others keep their places
        QVERIFY(!s.mgr.IsMapMode() && map.isHidden() && s.mgr.GetMapWidgetIndex() == -1);
        QVERIFY(Cells(s.windows[0]) == Cell("3,0") && RulesHold(s.mgr));
    }

    void maximiseAndRestore()
    {
        Scene s(4);
        QVERIFY(s.Show());
        PlayWindow* w = s.windows[1];
        const QRect cell = w->geometry();
        QSignalSpy maximized(&s.mgr, &Mgr::SignalShowMaximized);
        QSignalSpy normal(&s.mgr, &Mgr::SignalShowNormal);
        PlayWindow outsider;
        s.mgr.ShowMaximized(nullptr);
        s.mgr.ShowMaximized(&outsider);
        s.mgr.ShowNormal();
        s.mgr.ShowMaximized(w);
        int cells = 0;
        int total = 0;
        QVERIFY(maximized.count() == 1 && normal.isEmpty() && s.mgr.Maximized(w)
                && s.mgr.GetWidgetScale(w, cells, total) && cells == 1 && total == 1);
        s.Drag(QPoint(500, 250), QPoint(700, 350)); // ignored while maximised
        s.Release(QPoint(700, 350));
        s.host.resize(1100, 600); // it follows the host
        QCOMPARE(w->geometry(), s.host.rect());
        s.mgr.ShowNormal();
        QVERIFY(normal.count() == 1 && !s.mgr.IsMaximized());
        QVERIFY(s.mgr.GetWidgetScale(w, cells, total) && cells == 1 && total == 4);
        s.host.resize(1000, 500);
        QTRY_COMPARE(w->geometry(), cell);
    }

    void selectionAndNeighbours()
    {
        Scene s(4);
        QVERIFY(s.Show());
        QSignalSpy selected(&s.mgr, &Mgr::SignalWidgetSelected);
        QTest::mouseClick(s.windows[2], Qt::LeftButton);
        QTest::mouseClick(s.windows[0], Qt::LeftButton);
        QVERIFY(s.mgr.GetSelectedWidget() == s.windows[0] && s.windows[0]->IsSelected());
        QVERIFY(!s.windows[2]->IsSelected() && selected.count() == 2);
        PlayWindow outsider;
        s.mgr.SetSelectedWidget(s.windows[0]); // already selected
        s.mgr.SetSelectedWidget(&outsider);
        s.mgr.SetSelectedWidget(nullptr); // silently
        QVERIFY(!s.mgr.GetSelectedWidget() && !s.windows[0]->IsSelected() && selected.count() == 2);
        const auto next = [&](int from, Mgr::Direction direction, bool wall = false) {
            CGUIBaseWidget* w = s.windows[from];
            return s.windows.indexOf(static_cast<PlayWindow*>(
                wall ? s.mgr.GetWidgetOnWall(w, direction) : s.mgr.GetWidget(w, direction)));
        };
        // left and right wrap round, up and down stay in the column, or on the window itself
        QCOMPARE(QList<int>({next(0, Mgr::Left), next(3, Mgr::Right), next(1, Mgr::Down),
                             next(2, Mgr::Up), next(1, Mgr::Up)}),
                 QList<int>({3, 0, 3, 0, 1}));
        s.windows[3]->SetWndOnWall(true);
        QCOMPARE(QList<int>({next(1, Mgr::Down, true), next(0, Mgr::Down, true),
                             next(0, Mgr::Right, true)}),
                 QList<int>({3, 0, 3}));
    }

    void addingWindows()
    {
        Scene s(3);
        QVERIFY(s.Show());
        QSignalSpy added(&s.mgr, &Mgr::SignalWidgetAddByPos);
        PlayWindow newcomer(&s.host);
        PlayWindow replacement(&s.host);
        const QRect idle = s.Idle().first()->geometry();
        const QPoint play = s.At(0).center();
        QVERIFY(s.mgr.IsAbleToInsertWidgetAtPoint(&newcomer, idle.center()));
        QVERIFY(!s.mgr.IsAbleToInsertWidgetAtPoint(&newcomer, play));
        QVERIFY(s.mgr.AddWidgetToDisplayByPos(&newcomer, idle.center()));
        QVERIFY(!s.mgr.AddWidgetToDisplayByPos(&newcomer, idle.center())); // already placed
        QVERIFY(!s.mgr.AddWidgetToDisplayByPos(&replacement, play));
        QVERIFY(s.mgr.AddWidgetToDisplayByPos(&replacement, play, true)); // the other closes
        QVERIFY(s.windows[0]->closed == 1 && s.windows[0]->isHidden());
        QVERIFY(Cells(&newcomer) == Cell("1,1") && s.mgr.GetWidgetByPos(play) == &replacement);
        QTRY_COMPARE(newcomer.geometry(), idle);
        QCOMPARE(s.mgr.GetWidgetContainsPos(idle.center()), &newcomer);
        PlayWindow beside(&s.host); // a position beside the grid adds a column there
        QVERIFY(s.mgr.AddLayoutByPos(&beside, QPoint(s.Edge(0)->x() + 1, idle.center().y())));
        QVERIFY(Cells(&beside) == Cell("0,1") && Cells(s.windows[1]) == Cell("2,0"));
        QCOMPARE(added, (Calls{{1, 1}, {0, 0}, {1, 0}}));
        QSignalSpy adaptive(&s.mgr, &Mgr::SignalAddWidgetByAdaptive);
        PlayWindow more[3];
        QVERIFY(s.mgr.AddWidgetByAdaptive({&more[0], nullptr}));
        QVERIFY(!s.mgr.AddWidgetByAdaptive({&more[0]}) && !s.mgr.AddWidgetByAdaptive({nullptr}));
        QVERIFY(s.mgr.AddWidgetByAdaptive({&more[1], &more[2]})); // grows as needed
        QCOMPARE(CellsOf(QList<PlayWindow*>({&more[0], &more[1], &more[2]})), Rects("0,0 0,2 1,2"));
        QVERIFY(adaptive == (Calls{{1, 2, 3}, {2, 3, 3}}) && RulesHold(s.mgr));
        Scene full(64, QSize(1600, 900)); // all or nothing
        PlayWindow extra;
        QVERIFY(!full.mgr.AddWidgetByAdaptive({&extra}) && RulesHold(full.mgr));
    }

    void edgeZonesAndGridLines()
    {
        Scene s(4); // wide: the spare space lies left and right of the grid
        QVERIFY(s.Show());
        const QRect grid = s.At(0).united(s.At(3));
        QVERIFY(s.Edge(0)->isVisible() && s.Edge(0)->geometry().right() < grid.left());
        QVERIFY(s.Edge(1)->isVisible() && s.Edge(1)->geometry().left() > grid.right());
        QVERIFY(qAbs(s.Edge(0)->width() - s.Edge(1)->width()) <= 1);
        for (PlayWindow* w : qAsConst(s.windows)) // 16:9 cells
            QVERIFY(qAbs(w->width() * 9.0 / (w->height() * 16.0) - 1.0) < 0.02);
        s.mgr.SetContainerEnabledDrops(false);
        QVERIFY(!s.host.acceptDrops() && !s.Edge(0)->acceptDrops() && !s.Edge(1)->acceptDrops());

        s.mgr.CloseAllPlayWnds(false); // they stop, and stay
        QSignalSpy background(&s.mgr, &Mgr::SignalSetBackgroundVisible);
        s.mgr.CloseAllPlayWnds(true); // they leave; the grid stays
        for (PlayWindow* w : qAsConst(s.windows))
            QVERIFY(w->closed == 2 && w->isHidden());
        QVERIFY(s.Idle().size() == 4 && Grid(s.mgr) == QSize(2, 2)
                && background == (Calls{{true}}));
        s.mgr.SetLayoutSpacer(3); // the host draws the lines between idle cells
        s.mgr.ReLayout(false);
        const QRect first = s.Idle().value(0)->geometry();
        QCOMPARE(s.Idle().value(1)->geometry().left() - first.right() - 1, 3);
        const QImage image = Render(s.host);
        QCOMPARE(image.pixelColor(first.right() + 2, first.center().y()), QColor(51, 51, 51));
        QCOMPARE(image.pixelColor(first.center().x(), first.bottom() + 2), QColor(51, 51, 51));
        QVERIFY(image.pixelColor(first.center()) != QColor(51, 51, 51)); // cells stay clear
    }

    void everyOperationRefusesBadInput()
    {
        Scene s(4);
        PlayWindow out;
        Mgr& m = s.mgr;
        const QString before = m.GetXml();
        const QPoint away(-50, -50);
        QVERIFY(!m.AddWidget(nullptr) && !m.AddWidget(s.windows[0]) && !m.RemoveWidget(nullptr));
        QVERIFY(!m.SwitchWidgetsByIndex(-1, 0) && !m.SwitchWidgetsByIndex(0, 99));
        QVERIFY(!m.SwitchWidgetToInter(99, 1, 0) && !m.SwitchWidgetToInter(0, 0, 0));
        for (const QList<int>& a :
             QList<QList<int>>{{99, 1, 1, 4}, {0, 0, 1, 4}, {0, 9, 1, 4}, {0, 2, 1, 9}})
            QVERIFY(!m.ScaleWidgetByUnitPos(a[0], a[1], a[2], a[3], false));
        QVERIFY(!m.ScaleWidgetByUnitPos(0, 2, 1, 4, true)); // no map window
        for (const QPoint& cell : {QPoint(0, -1), QPoint(99, 0), QPoint(0, 0)}) // the last taken
            QVERIFY(!m.AddWidgetDisplayByUnitPos(&out, cell.y(), cell.x()));
        QVERIFY(!m.AddWidgetToDisplayByPos(&out, away) && !m.AddLayoutByPos(nullptr, {}));
        QVERIFY(!m.IsAbleToInsertWidgetAtPoint(nullptr, {}) && !m.GetWidgetByPos(away));
        QVERIFY(!m.GetWidgetContainsPos(away) && !m.GetWidgetByPosForCtrlWall(away));
        QVERIFY(!m.GetWidget(-1) && !m.GetWidget(99) && !m.GetWidget(&out, Mgr::Left));
        int n = 0, row = 0, column = 0, rowSpan = 0, columnSpan = 0;
        QVERIFY(!m.GetWidgetScale(&out, n, n)
                && !m.GetWidgetPos(&out, row, column, rowSpan, columnSpan));
        QCOMPARE(QRect(column, row, columnSpan, rowSpan), QRect(-1, -1, -1, -1));
        m.SetLayoutSpacer(-3);
        QCOMPARE(m.GetLayoutSpacer(), 1);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("GetWidgetByIndex.*Index: 99"));
        QVERIFY(!m.GetWidgetByIndex(99) && m.GetXml() == before);
    }

    // --- With the mouse -------------------------------------------------------------------

    void tenPixelThresholdAndExchange()
    {
        Scene s(4);
        QVERIFY(s.Show());
        QSignalSpy pressed(&s.mgr, &Mgr::SignalWidgetPressed);
        QSignalSpy ended(&s.mgr, &Mgr::SignalAnimationEnd);
        QSignalSpy switched(&s.mgr, &Mgr::SignalWidgetSwitched);
        const QRect from = s.At(0);
        const QRect to = s.At(3);
        s.Drag(from.center(), from.center() + QPoint(6, 4)); // exactly 10: still a click
        QVERIFY(!Mgr::IsDragStarted() && !s.mgr.IsMoving() && pressed.isEmpty());
        QTest::mouseMove(&s.host, from.center() + QPoint(7, 4));
        QVERIFY(Mgr::IsDragStarted() && s.mgr.IsMoving() && pressed.count() == 1);
        s.Release(from.center()); // back where it started: nothing changes
        QVERIFY(ended.count() == 1 && switched.isEmpty() && !s.mgr.IsMoving());
        s.Drag(from.center(), to.center());
        QVERIFY(pressed.count() == 2 && s.mgr.GetReleaseRect() == Cell("1,1")); // once a gesture
        auto* floating = s.host.findChild<QLabel*>("ptr_drag_label_");
        QVERIFY(floating->isVisible() && s.Mask()->isVisible() && s.Mask()->geometry() == to);
        QCOMPARE(floating->geometry(), from.translated(to.center() - from.center()));
        s.Release(to.center());
        QVERIFY(s.windows[0]->GetAnimator(nullptr)->IsAnimating()); // moves are animated
        QCOMPARE(switched, (Calls{{0, 3}}));
        QCOMPARE(CellsOf(s.windows), Rects("1,1 1,0 0,1 0,0"));
        QTRY_COMPARE(s.At(0), to);
        QVERIFY(!floating->isVisible() && !s.Mask()->isVisible());
    }

    void scaleKeepsTheOppositeSide()
    {
        Scene s(3);
        QVERIFY(s.Show());
        const QRect before = s.At(1); // top right, an idle cell below it
        const QRect below = s.Idle().value(0)->geometry();
        QSignalSpy scaled(&s.mgr, &Mgr::SignalWidgetScaled);
        const QPoint start(before.center().x(), before.bottom()); // the bottom edge
        const QPoint end(start.x() + 15, below.top() + below.height() * 3 / 4);
        s.Drag(start, end);
        QVERIFY(s.mgr.GetPressedArea() == Mgr::PressBottom && s.mgr.IsScaling());
        QCOMPARE(s.host.cursor().shape(), Qt::SizeVerCursor);
        QCOMPARE(s.At(1), QRect(before.topLeft(), QPoint(before.right(), end.y())));
        QVERIFY(s.mgr.GetReleaseRect() == Cell("1,0,1,2")
                && s.Mask()->geometry() == before.united(below));
        s.Release(end);
        QCOMPARE(scaled, (Calls{{1, 1, 2, 8, false}}));
        QVERIFY(s.host.cursor().shape() == Qt::ArrowCursor
                && Cells(s.windows[1]) == Cell("1,0,1,2"));
        QTRY_COMPARE(s.At(1), before.united(below));
    }

    void cornerPastTheOppositeCornerOrDragDisabled()
    {
        Scene s(4);
        QVERIFY(s.Show());
        const QRect before = s.At(0);
        QSignalSpy pressed(&s.mgr, &Mgr::SignalWidgetPressed);
        QSignalSpy scaled(&s.mgr, &Mgr::SignalWidgetScaled);
        const QPoint end = before.bottomRight() + QPoint(before.width() * 7 / 10, 40);
        s.Drag(before.topLeft(), end); // the top-left corner past the bottom-right: a pixel left
        QVERIFY(s.mgr.GetPressedArea() == Mgr::PressTopLeft && s.At(0).size() == QSize(1, 1));
        s.Release(end);
        QVERIFY(scaled.isEmpty() && pressed.count() == 1);
        QTRY_COMPARE(s.At(0), before);
        s.mgr.SetEnableWidgetDrag(false);
        s.Drag(before.topLeft(), end);
        s.Release(end);
        QVERIFY(pressed.count() == 1 && !s.Mask()->isVisible() && s.At(0) == before);
    }

    void dropFromOutside()
    {
        Scene s(3);
        QVERIFY(s.Show());
        CGUIBaseWidget* idle = s.Idle().value(0);
        QSignalSpy dropped(&s.mgr, &Mgr::SignalDropEvent);
        QCOMPARE(s.Drop(&s.host, idle->geometry().center()), idle->geometry());
        QVERIFY(!s.Mask()->isVisible() && s.Mask()->styleSheet().contains("bg_blue"));
        // Qt hands a drop to the widget that accepted the drag's entry: the idle window itself.
        s.Drop(idle, QPoint(5, 6));
        QVERIFY(dropped.count() == 2 && dropped[1][1].value<CGUIBaseWidget*>() == idle);
        QCOMPARE(dropped[0][2].toPoint(), idle->geometry().center());
        QCOMPARE(dropped[1][2].toPoint(), idle->geometry().topLeft() + QPoint(5, 6));
        MapWindow map(&s.host); // a drop on the map goes to the map as a whole
        QVERIFY(s.mgr.AddWidget(&map) && s.mgr.OpenMapWidget());
        s.mgr.ReLayout(false);
        QSignalSpy toMap(&map, &CGUIBaseWidget::SignalDropEventPrivate);
        QCOMPARE(s.Drop(&s.host, map.geometry().center()), map.geometry());
        QVERIFY(toMap.count() == 1 && dropped.count() == 2);
    }

    void rightToLeftMirrorsTheGrid()
    {
        Scene s(4);
        s.host.setLayoutDirection(Qt::RightToLeft);
        QVERIFY(s.Show());
        const QRect first = s.At(0);
        const QRect second = s.At(1);
        QVERIFY(first.left() > second.left()); // index 0 on the right
        QCOMPARE(s.mgr.GetWidgetByPos(first.center()), s.windows[0]);
        QTest::mousePress(&s.host, Qt::LeftButton, Qt::NoModifier, first.topLeft());
        QCOMPARE(s.mgr.GetPressedArea(), Mgr::PressTopRight); // the window's own top-right
        QCOMPARE(s.host.cursor().shape(), Qt::SizeFDiagCursor);
        s.Release(first.topLeft());
        s.Drag(first.center(), second.center());
        s.Release(second.center());
        QCOMPARE(Cells(s.windows[0]), Cell("1,0")); // moved to the left
    }
};

QTEST_MAIN(tst_AnimaWidgetLayoutMgr)
#include "tst_animawidgetlayoutmgr.moc"
