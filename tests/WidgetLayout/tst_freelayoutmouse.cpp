// Mouse events go through the window system as a user's would: presses land on the window
// under the pointer, travel up to the host, and the window keeps the mouse until release.
#define QTEST_QPA_MOUSE_HANDLING

#include "WidgetLayout/AnimaWidgetLayoutMgr.h"
#include "WidgetLayout/InternalWidget.h"
#include "Widgets/GUIBaseWidget.h"

#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

using namespace TesselGUIToolkit;

namespace {

class PlayWindow : public CGUIBaseWidget
{
public:
    explicit PlayWindow(QWidget* parent = nullptr)
        : CGUIBaseWidget(parent)
    {
    }
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

struct Scene
{
    explicit Scene(int count, const QSize& size = QSize(1000, 500),
                   Qt::LayoutDirection direction = Qt::LeftToRight)
    {
        host.setLayoutDirection(direction);
        host.resize(size);
        QList<CGUIBaseWidget*> given;
        for (int i = 0; i < count; ++i) {
            auto* w = new PlayWindow(&host);
            w->setObjectName(QStringLiteral("play%1").arg(i));
            windows << w;
            given << w;
        }
        mgr.Init(&host, {}, given);
        host.show();
        exposed = QTest::qWaitForWindowExposed(&host);
        mgr.ReLayout(false); // start from settled geometry
    }
    QLabel* Mask() const { return host.findChild<QLabel*>(QStringLiteral("ptr_mask_widget_")); }
    QLabel* Floating() const { return host.findChild<QLabel*>(QStringLiteral("ptr_drag_label_")); }
    CGUIBaseWidget* IdleAt(const QRect& cells) const
    {
        for (CGUIBaseWidget* w : mgr.GetAllVisibleWidgets()) {
            if (w->WidgetTypes() == 1000 && Cells(w) == cells)
                return w;
        }
        return nullptr;
    }
    // Host coordinates of a window point given as fractions of its size plus an offset.
    QPoint At(const CGUIBaseWidget* w, double fx, double fy, int dx = 0, int dy = 0) const
    {
        const QRect g = w->geometry();
        return g.topLeft()
            + QPoint(qRound(fx * (g.width() - 1)) + dx, qRound(fy * (g.height() - 1)) + dy);
    }
    // A gesture in small steps, as a hand would make it.
    void DragTo(const QPoint& from, const QPoint& to, int steps = 8)
    {
        for (int i = 1; i <= steps; ++i)
            QTest::mouseMove(&host, from + (to - from) * i / steps);
    }

    QWidget host;
    QList<PlayWindow*> windows;
    CAnimaWidgetLayoutMgr mgr;
    bool exposed = false;
};

} // namespace

class tst_FreeLayoutMouse : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pressAreasAndCursors_data()
    {
        QTest::addColumn<double>("fx");
        QTest::addColumn<double>("fy");
        QTest::addColumn<QPoint>("offset");
        QTest::addColumn<int>("area");
        QTest::addColumn<Qt::CursorShape>("cursor");

        QTest::newRow("left edge, half height")
            << 0.0 << 0.5 << QPoint(1, 0) << 5 << Qt::SizeHorCursor;
        QTest::newRow("left edge near the top")
            << 0.0 << 0.0 << QPoint(1, 10) << 1 << Qt::SizeFDiagCursor;
        QTest::newRow("3 px inside: a move") << 0.0 << 0.5 << QPoint(3, 0) << 0 << Qt::ArrowCursor;
        QTest::newRow("top edge") << 0.5 << 0.0 << QPoint() << 6 << Qt::SizeVerCursor;
        QTest::newRow("top-right corner") << 1.0 << 0.0 << QPoint() << 2 << Qt::SizeBDiagCursor;
        QTest::newRow("right edge") << 1.0 << 0.5 << QPoint() << 7 << Qt::SizeHorCursor;
        QTest::newRow("bottom-right corner") << 1.0 << 1.0 << QPoint() << 4 << Qt::SizeFDiagCursor;
        QTest::newRow("bottom edge") << 0.5 << 1.0 << QPoint() << 8 << Qt::SizeVerCursor;
        QTest::newRow("bottom-left corner") << 0.0 << 1.0 << QPoint() << 3 << Qt::SizeBDiagCursor;
    }
    void pressAreasAndCursors()
    {
        QFETCH(double, fx);
        QFETCH(double, fy);
        QFETCH(QPoint, offset);
        Scene scene(4);
        QVERIFY(scene.exposed);
        const QPoint at = scene.At(scene.windows.at(0), fx, fy, offset.x(), offset.y());
        QTest::mousePress(&scene.host, Qt::LeftButton, Qt::NoModifier, at);
        QTEST(int(scene.mgr.GetPressedArea()), "area");
        QTEST(scene.host.cursor().shape(), "cursor");
        QTest::mouseRelease(&scene.host, Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(scene.host.cursor().shape(), Qt::ArrowCursor);
    }

    void tenPixelThreshold()
    {
        Scene scene(4);
        QVERIFY(scene.exposed);
        QSignalSpy pressed(&scene.mgr, &CAnimaWidgetLayoutMgr::SignalWidgetPressed);
        QSignalSpy ended(&scene.mgr, &CAnimaWidgetLayoutMgr::SignalAnimationEnd);
        QSignalSpy switched(&scene.mgr, &CAnimaWidgetLayoutMgr::SignalWidgetSwitched);
        const QPoint start = scene.windows.at(0)->geometry().center();
        QTest::mousePress(&scene.host, Qt::LeftButton, Qt::NoModifier, start);
        QTest::mouseMove(&scene.host, start + QPoint(6, 4)); // exactly 10: still a click
        QVERIFY(!CAnimaWidgetLayoutMgr::IsDragStarted());
        QCOMPARE(pressed.count(), 0);
        QVERIFY(!scene.mgr.IsMoving());
        QTest::mouseMove(&scene.host, start + QPoint(7, 4));
        QVERIFY(CAnimaWidgetLayoutMgr::IsDragStarted());
        QCOMPARE(pressed.count(), 1);
        QVERIFY(scene.mgr.IsMoving());
        QTest::mouseMove(&scene.host, start + QPoint(30, 4));
        QTest::mouseMove(&scene.host, start + QPoint(40, 4));
        QCOMPARE(pressed.count(), 1); // once per gesture
        QVERIFY(scene.Floating()->isVisible());
        QVERIFY(scene.Mask()->isVisible());
        QTest::mouseRelease(&scene.host, Qt::LeftButton, Qt::NoModifier, start);
        QCOMPARE(ended.count(), 1);
        QCOMPARE(switched.count(), 0);
        QCOMPARE(Cells(scene.windows.at(0)), QRect(0, 0, 1, 1));
        QVERIFY(!scene.Floating()->isVisible());
        QVERIFY(!scene.Mask()->isVisible());
        QVERIFY(!scene.mgr.IsMoving());
    }

    void moveAndExchangeOnRelease()
    {
        Scene scene(4);
        QVERIFY(scene.exposed);
        PlayWindow* moved = scene.windows.at(0);
        PlayWindow* target = scene.windows.at(3);
        const QRect movedCell = moved->geometry();
        const QRect targetCell = target->geometry();
        QSignalSpy switched(&scene.mgr, &CAnimaWidgetLayoutMgr::SignalWidgetSwitched);
        QSignalSpy ended(&scene.mgr, &CAnimaWidgetLayoutMgr::SignalAnimationEnd);
        const QPoint start = movedCell.center();
        const QPoint end = targetCell.center();
        QTest::mousePress(&scene.host, Qt::LeftButton, Qt::NoModifier, start);
        scene.DragTo(start, end);

        QCOMPARE(scene.mgr.GetReleaseRect(), QRect(1, 1, 1, 1));
        QCOMPARE(scene.Mask()->geometry(), targetCell);
        QCOMPARE(scene.Floating()->geometry(), movedCell.translated(end - start));
        QCOMPARE(scene.Floating()->size(), movedCell.size());

        QTest::mouseRelease(&scene.host, Qt::LeftButton, Qt::NoModifier, end);
        QCOMPARE(switched.count(), 1);
        QCOMPARE(switched.at(0).at(0).toInt(), 0);
        QCOMPARE(switched.at(0).at(1).toInt(), 3);
        QCOMPARE(ended.count(), 1);
        QCOMPARE(Cells(moved), QRect(1, 1, 1, 1));
        QCOMPARE(Cells(target), QRect(0, 0, 1, 1));
        QTRY_COMPARE(moved->geometry(), targetCell);
        QTRY_COMPARE(target->geometry(), movedCell);
        QVERIFY(!scene.Mask()->isVisible());
    }

    void moveOntoAnIdleCell()
    {
        Scene scene(3);
        QVERIFY(scene.exposed);
        CGUIBaseWidget* idle = scene.IdleAt(QRect(1, 1, 1, 1));
        QVERIFY(idle);
        const QRect idleCell = idle->geometry();
        QSignalSpy inter(&scene.mgr, &CAnimaWidgetLayoutMgr::SignalWidgetSwitchToInter);
        const QPoint start = scene.windows.at(0)->geometry().center();
        QTest::mousePress(&scene.host, Qt::LeftButton, Qt::NoModifier, start);
        scene.DragTo(start, idleCell.center());
        QTest::mouseRelease(&scene.host, Qt::LeftButton, Qt::NoModifier, idleCell.center());
        QCOMPARE(inter.count(), 1);
        QCOMPARE(inter.at(0).at(0).toInt(), 0);
        QCOMPARE(inter.at(0).at(1).toInt(), 1);
        QCOMPARE(inter.at(0).at(2).toInt(), 1);
        QCOMPARE(Cells(scene.windows.at(0)), QRect(1, 1, 1, 1));
        QVERIFY(scene.IdleAt(QRect(0, 0, 1, 1)));
        QTRY_COMPARE(scene.windows.at(0)->geometry(), idleCell);
    }

    void scaleKeepsTheOppositeSide()
    {
        Scene scene(3);
        QVERIFY(scene.exposed);
        PlayWindow* w = scene.windows.at(1); // top right, an idle cell below it
        const QRect before = w->geometry();
        const QRect below = scene.IdleAt(QRect(1, 1, 1, 1))->geometry();
        QSignalSpy scaled(&scene.mgr, &CAnimaWidgetLayoutMgr::SignalWidgetScaled);
        QSignalSpy pressed(&scene.mgr, &CAnimaWidgetLayoutMgr::SignalWidgetPressed);
        const QPoint start = scene.At(w, 0.5, 1.0);
        const QPoint end(start.x() + 15, below.top() + below.height() * 3 / 4);
        QTest::mousePress(&scene.host, Qt::LeftButton, Qt::NoModifier, start);
        QCOMPARE(int(scene.mgr.GetPressedArea()), 8);
        scene.DragTo(start, end);
        QVERIFY(scene.mgr.IsScaling());
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(w->geometry().topLeft(), before.topLeft()); // the top edge stays
        QCOMPARE(w->geometry().width(), before.width()); // an edge moves one side only
        QCOMPARE(w->geometry().bottom(), end.y());
        QCOMPARE(scene.mgr.GetReleaseRect(), QRect(1, 0, 1, 2));
        QCOMPARE(scene.Mask()->geometry(), before.united(below));

        QTest::mouseRelease(&scene.host, Qt::LeftButton, Qt::NoModifier, end);
        QCOMPARE(scaled.count(), 1);
        const QList<QVariant> args = scaled.at(0);
        QCOMPARE(args.at(0).toInt(), 1);
        QCOMPARE(args.at(1).toInt(), 1);
        QCOMPARE(args.at(2).toInt(), 2);
        QCOMPARE(args.at(3).toInt(), 8);
        QCOMPARE(args.at(4).toBool(), false);
        QCOMPARE(Cells(w), QRect(1, 0, 1, 2));
        QTRY_COMPARE(w->geometry(), before.united(below));
        QVERIFY(!scene.IdleAt(QRect(1, 1, 1, 1)));
    }

    void scaleOverNeighboursMovesThem()
    {
        Scene scene(4);
        QVERIFY(scene.exposed);
        PlayWindow* w = scene.windows.at(0);
        const QRect before = w->geometry();
        const QRect diagonal = scene.windows.at(3)->geometry();
        QSignalSpy scaled(&scene.mgr, &CAnimaWidgetLayoutMgr::SignalWidgetScaled);
        const QPoint start = scene.At(w, 1.0, 1.0);
        const QPoint end =
            diagonal.topLeft() + QPoint(diagonal.width() * 7 / 10, diagonal.height() * 7 / 10);
        QTest::mousePress(&scene.host, Qt::LeftButton, Qt::NoModifier, start);
        scene.DragTo(start, end);
        QCOMPARE(w->geometry(), QRect(before.topLeft(), end));
        QTest::mouseRelease(&scene.host, Qt::LeftButton, Qt::NoModifier, end);
        QCOMPARE(scaled.count(), 1);
        QCOMPARE(scaled.at(0).at(1).toInt(), 2);
        QCOMPARE(scaled.at(0).at(2).toInt(), 2);
        QCOMPARE(scaled.at(0).at(3).toInt(), 4);
        QCOMPARE(Cells(w), QRect(0, 0, 2, 2));
        // The three it covered found places of their own; nothing overlaps.
        QList<QRect> taken{Cells(w)};
        for (int i = 1; i < 4; ++i) {
            const QRect cells = Cells(scene.windows.at(i));
            for (const QRect& other : qAsConst(taken))
                QVERIFY(!other.intersects(cells));
            taken << cells;
        }
        QVERIFY(scene.mgr.GetRowCount() <= 8);
    }

    void cornerPastTheOppositeCorner()
    {
        Scene scene(4);
        QVERIFY(scene.exposed);
        PlayWindow* w = scene.windows.at(0);
        const QRect before = w->geometry();
        QSignalSpy scaled(&scene.mgr, &CAnimaWidgetLayoutMgr::SignalWidgetScaled);
        QSignalSpy ended(&scene.mgr, &CAnimaWidgetLayoutMgr::SignalAnimationEnd);
        const QPoint start = before.topLeft();
        const QPoint end = before.bottomRight() + QPoint(before.width() * 7 / 10, 40);
        QTest::mousePress(&scene.host, Qt::LeftButton, Qt::NoModifier, start);
        QCOMPARE(int(scene.mgr.GetPressedArea()), 1);
        scene.DragTo(start, end);
        QCOMPARE(w->geometry(), QRect(before.bottomRight(), QSize(1, 1)));
        QTest::mouseRelease(&scene.host, Qt::LeftButton, Qt::NoModifier, end);
        QCOMPARE(scaled.count(), 0);
        QCOMPARE(ended.count(), 1);
        QCOMPARE(Cells(w), QRect(0, 0, 1, 1));
        QTRY_COMPARE(w->geometry(), before);
    }

    void disabledDragIgnoresThePress()
    {
        Scene scene(4);
        QVERIFY(scene.exposed);
        scene.mgr.SetEnableWidgetDrag(false);
        QSignalSpy pressed(&scene.mgr, &CAnimaWidgetLayoutMgr::SignalWidgetPressed);
        const QPoint start = scene.At(scene.windows.at(0), 0.0, 0.5, 1);
        QTest::mousePress(&scene.host, Qt::LeftButton, Qt::NoModifier, start);
        QCOMPARE(scene.host.cursor().shape(), Qt::ArrowCursor);
        scene.DragTo(start, start + QPoint(120, 0));
        QTest::mouseRelease(&scene.host, Qt::LeftButton, Qt::NoModifier, start + QPoint(120, 0));
        QCOMPARE(pressed.count(), 0);
        QVERIFY(!scene.Mask()->isVisible());
        QCOMPARE(Cells(scene.windows.at(0)), QRect(0, 0, 1, 1));
    }

    void maximisedIgnoresDrags()
    {
        Scene scene(4);
        QVERIFY(scene.exposed);
        scene.mgr.ShowMaximized(scene.windows.at(0));
        QSignalSpy pressed(&scene.mgr, &CAnimaWidgetLayoutMgr::SignalWidgetPressed);
        const QPoint start = scene.host.rect().center();
        QTest::mousePress(&scene.host, Qt::LeftButton, Qt::NoModifier, start);
        scene.DragTo(start, start + QPoint(200, 100));
        QTest::mouseRelease(&scene.host, Qt::LeftButton, Qt::NoModifier, start + QPoint(200, 100));
        QCOMPARE(pressed.count(), 0);
        QVERIFY(scene.mgr.IsMaximized());
        QCOMPARE(scene.windows.at(0)->geometry(), scene.host.rect());
    }

    void dropFromOutside()
    {
        Scene scene(3);
        QVERIFY(scene.exposed);
        CGUIBaseWidget* idle = scene.IdleAt(QRect(1, 1, 1, 1));
        const QPoint pos = idle->geometry().center();
        QMimeData mime;
        mime.setText(QStringLiteral("camera 7"));

        QDragEnterEvent enter(pos, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&scene.host, &enter);
        QVERIFY(enter.isAccepted());
        QVERIFY(scene.Mask()->isVisible());
        QCOMPARE(scene.Mask()->geometry(), idle->geometry());
        QVERIFY(scene.Mask()->styleSheet().contains(QStringLiteral("bg_blue")));

        QDropEvent* dropped = nullptr;
        CGUIBaseWidget* target = nullptr;
        QPoint where;
        int drops = 0;
        connect(&scene.mgr, &CAnimaWidgetLayoutMgr::SignalDropEvent, this,
                [&](QDropEvent* event, CGUIBaseWidget* w, QPoint p) {
                    ++drops;
                    dropped = event;
                    target = w;
                    where = p;
                });
        QDropEvent drop(pos, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&scene.host, &drop);
        QCOMPARE(drops, 1);
        QCOMPARE(dropped, &drop);
        QCOMPARE(target, idle);
        QCOMPARE(where, pos);
        QVERIFY(!scene.Mask()->isVisible());

        // The client answers the drop by opening a window there.
        QSignalSpy added(&scene.mgr, &CAnimaWidgetLayoutMgr::SignalWidgetAddByPos);
        PlayWindow opened(&scene.host);
        QVERIFY(scene.mgr.AddWidgetToDisplayByPos(&opened, where));
        QCOMPARE(added.count(), 1);
        QCOMPARE(Cells(&opened), QRect(1, 1, 1, 1));
    }

    void dropOnAnIdleWindowItself()
    {
        Scene scene(3);
        QVERIFY(scene.exposed);
        CGUIBaseWidget* idle = scene.IdleAt(QRect(1, 1, 1, 1));
        QMimeData mime;
        mime.setText(QStringLiteral("camera 8"));
        CGUIBaseWidget* target = nullptr;
        QPoint where;
        connect(&scene.mgr, &CAnimaWidgetLayoutMgr::SignalDropEvent, this,
                [&](QDropEvent*, CGUIBaseWidget* w, QPoint p) {
                    target = w;
                    where = p;
                });
        // Qt hands a drop to the widget that accepted the drag's entry.
        QDragEnterEvent enter(QPoint(5, 6), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(idle, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPoint(5, 6), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(idle, &drop);
        QCOMPARE(target, idle);
        QCOMPARE(where, idle->geometry().topLeft() + QPoint(5, 6));
    }

    void dropOnTheMapGoesToTheMap()
    {
        Scene scene(2);
        QVERIFY(scene.exposed);
        MapWindow map(&scene.host);
        QVERIFY(scene.mgr.AddWidget(&map));
        QVERIFY(scene.mgr.OpenMapWidget());
        scene.mgr.ReLayout(false);
        const QPoint pos = map.geometry().center();
        QMimeData mime;
        mime.setText(QStringLiteral("camera 9"));
        QDragEnterEvent enter(pos, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&scene.host, &enter);
        QCOMPARE(scene.Mask()->geometry(), map.geometry()); // the map as a whole

        int toMap = 0;
        int toManager = 0;
        connect(&map, &CGUIBaseWidget::SignalDropEventPrivate, this,
                [&](QDropEvent*, QPoint) { ++toMap; });
        connect(&scene.mgr, &CAnimaWidgetLayoutMgr::SignalDropEvent, this,
                [&](QDropEvent*, CGUIBaseWidget*, QPoint) { ++toManager; });
        QDropEvent drop(pos, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&scene.host, &drop);
        QCOMPARE(toMap, 1);
        QCOMPARE(toManager, 0);
    }

    void rightToLeftMirrorsTheGrid()
    {
        Scene scene(4, QSize(1000, 500), Qt::RightToLeft);
        QVERIFY(scene.exposed);
        PlayWindow* first = scene.windows.at(0);
        PlayWindow* second = scene.windows.at(1);
        QVERIFY(first->geometry().left() > second->geometry().left()); // index 0 on the right
        QCOMPARE(scene.mgr.GetWidgetByPos(first->geometry().center()), first);

        const QPoint corner = first->geometry().topLeft(); // the screen's top-left corner
        QTest::mousePress(&scene.host, Qt::LeftButton, Qt::NoModifier, corner);
        QCOMPARE(int(scene.mgr.GetPressedArea()), 2); // the window's own top-right
        QCOMPARE(scene.host.cursor().shape(), Qt::SizeFDiagCursor);
        QTest::mouseRelease(&scene.host, Qt::LeftButton, Qt::NoModifier, corner);

        QSignalSpy switched(&scene.mgr, &CAnimaWidgetLayoutMgr::SignalWidgetSwitched);
        const QPoint start = first->geometry().center();
        const QPoint end = second->geometry().center();
        QTest::mousePress(&scene.host, Qt::LeftButton, Qt::NoModifier, start);
        scene.DragTo(start, end);
        QTest::mouseRelease(&scene.host, Qt::LeftButton, Qt::NoModifier, end);
        QCOMPARE(switched.count(), 1);
        QCOMPARE(switched.at(0).at(1).toInt(), 1);
        QCOMPARE(Cells(first), QRect(1, 0, 1, 1));
    }
};

QTEST_MAIN(tst_FreeLayoutMouse)
#include "tst_freelayoutmouse.moc"
