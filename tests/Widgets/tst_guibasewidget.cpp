#include "WidgetLayout/AnimLayoutItem.h"
#include "WidgetLayout/GeometryAnimator.h"
#include "Widgets/GUIBaseWidget.h"
#include "Widgets/GUIBaseWidgetGeometry_p.h"

#include "TestSupport.h"

#include <QGridLayout>
#include <QMimeData>
#include <QPropertyAnimation>
#include <QSignalSpy>
#include <QTest>

using namespace TesselGUIToolkit;
using TestSupport::SendMouse;

Q_DECLARE_METATYPE(QDropEvent*)

namespace {

class CCountingWindow : public CGUIBaseWidget
{
public:
    void ClosePlayWnd() override { ++m_nClosed; }
    int m_nClosed = 0;
};

// A window at (10, 10) 100 x 60 in a host; the animator under test moves it.
struct Scene
{
    Scene() { window->setGeometry(start); }
    QWidget host;
    CGUIBaseWidget* window = new CGUIBaseWidget(&host);
    const QRect start{10, 10, 100, 60};
    const QRect end{200, 150, 160, 90};
};

} // namespace

class tst_GUIBaseWidget : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { qRegisterMetaType<QDropEvent*>(); }

    void initialState()
    {
        for (bool dragDrop : {true, false}) {
            CGUIBaseWidget window(nullptr, dragDrop, false);
            QCOMPARE(window.GetBorderInsets(),
                     dragDrop ? QMargins(2, 2, 2, 2) : QMargins(1, 1, 1, 1));
            QVERIFY(window.AllowDragDrop() == dragDrop && !window.IsSelectable());
            QVERIFY(window.GetPosition() == -1 && window.GetRow() == -1
                    && window.GetTileNumber() == -1);
            QVERIFY(window.acceptDrops() && window.hasMouseTracking() && window.IsMaskable());
        }
    }

    void numbersSignalOnlyChanges()
    {
        CGUIBaseWidget window;
        QSignalSpy tile(&window, &CGUIBaseWidget::SignalTileNumberChanged);
        QSignalSpy moved(&window, &CGUIBaseWidget::SignalPositionChanged);
        for (int number : {-1, 3, 3, 5})
            window.SetTileNumber(number);
        for (int position : {-1, 2, 2, 7, -1})
            window.NotifyPositionChangedPrivate(position);
        QCOMPARE(tile.count(), 2); // (new, old) pairs
        QCOMPARE(tile.at(1), QVariantList({5, 3}));
        QCOMPARE(moved.count(), 3);
        QCOMPARE(moved.at(0), QVariantList({2, -1}));
        QCOMPARE(moved.at(2), QVariantList({-1, 7}));
        window.NotifyPositionChangedPrivate(4);
        window.SetLayoutPos(1, 2, 3, 4);
        QCOMPARE(QVector<int>({window.GetRow(), window.GetColumn(), window.GetRowSpan(),
                               window.GetColumnSpan()}),
                 QVector<int>({1, 2, 3, 4}));
        window.ResetLayoutElement(); // back to not placed, silently
        QCOMPARE(moved.count(), 4);
        QVERIFY(window.GetPosition() == -1 && window.GetRow() == -1
                && window.GetColumnSpan() == -1);
    }

    void mouseAndCloseSignals()
    {
        // Selecting is the layout manager's decision: a press only asks for it, and only for a
        // selectable window that is not on the video wall.
        QWidget host;
        host.resize(300, 200);
        auto* window = new CGUIBaseWidget(&host);
        window->setGeometry(20, 20, 160, 90);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        QSignalSpy pressed(window, &CGUIBaseWidget::SignalMousePressed);
        QSignalSpy selected(window, &CGUIBaseWidget::SignalWndSelected);
        for (int variant = 0; variant < 4; ++variant) {
            window->SetSelectable(variant & 1);
            window->SetWndOnWall(variant & 2);
            QTest::mouseClick(host.windowHandle(), Qt::LeftButton, {}, QPoint(100, 60));
            QCOMPARE(pressed.count(), variant + 1);
            QCOMPARE(selected.count(), variant >= 1 ? 1 : 0); // selectable, off the wall: 1
        }
        QVERIFY(!window->IsSelected());
        QSignalSpy resized(window, &CGUIBaseWidget::SignalWndResize);
        window->resize(200, 120);
        QTRY_COMPARE(resized.count(), 1);
        for (bool remove : {true, false}) {
            CCountingWindow window;
            QSignalSpy removed(&window, &CGUIBaseWidget::SignalRemoveWidget);
            window.OnClosePlayWnd(remove);
            QCOMPARE(window.m_nClosed, 1);
            QCOMPARE(removed.count(), remove ? 1 : 0);
        }
    }

    void dragAndDrop()
    {
        QWidget host;
        auto* window = new CGUIBaseWidget(&host);
        window->setGeometry(30, 40, 100, 100);
        QMimeData data;
        for (Qt::DropAction action : {Qt::CopyAction, Qt::MoveAction, Qt::IgnoreAction}) {
            QSignalSpy entered(window, &CGUIBaseWidget::SignalDragEnterPrivate);
            QDragEnterEvent event({10, 10}, action, &data, Qt::LeftButton, Qt::NoModifier);
            event.setAccepted(action == Qt::IgnoreAction); // the window decides, not the default
            QCoreApplication::sendEvent(window, &event);
            QCOMPARE(event.isAccepted(), action != Qt::IgnoreAction);
            QCOMPARE(entered.count(), action != Qt::IgnoreAction ? 1 : 0);
            QCOMPARE(event.dropAction(), action);
        }
        QSignalSpy moved(window, &CGUIBaseWidget::SignalDragMovePrivate);
        QSignalSpy left(window, &CGUIBaseWidget::SignalDragLeavePrivate);
        QSignalSpy dropped(window, &CGUIBaseWidget::SignalDropEventPrivate);
        // Without a drag under way QApplication holds back moves and drops, so they go to the
        // window's event handler directly.
        QDragMoveEvent move({5, 6}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QDragLeaveEvent leave;
        QDropEvent drop({5, 6}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        for (QEvent* event : std::initializer_list<QEvent*>{&move, &leave, &drop})
            static_cast<QObject*>(window)->event(event);
        QCOMPARE(moved.count() + left.count(), 2);
        QCOMPARE(dropped.count(), 1);
        QCOMPARE(dropped.at(0).at(0).value<QDropEvent*>(), &drop);
        QCOMPARE(dropped.at(0).at(1).toPoint(), QPoint(35, 46)); // in the parent
    }

    void border_data()
    {
        QTest::addColumn<bool>("dragDrop");
        QTest::addColumn<bool>("selectable");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<bool>("track");
        QTest::addColumn<QColor>("colour"); // invalid: no border
        QTest::addColumn<int>("inset");
        QTest::addColumn<int>("width");
        const QColor red(Qt::red), blue(Qt::blue);
        QTest::newRow("selected, drag and drop") << true << true << true << false << red << 2 << 2;
        QTest::newRow("unselected, drag and drop")
            << true << true << false << false << blue << 2 << 1;
        QTest::newRow("selected, fixed") << false << true << true << false << red << 1 << 1;
        QTest::newRow("unselected, fixed") << false << true << false << false << blue << 1 << 1;
        QTest::newRow("track window") << true << false << true << true << blue << 2 << 1;
        QTest::newRow("not selectable") << true << false << true << false << QColor() << 2 << 0;
    }
    void border()
    {
        QFETCH(bool, dragDrop);
        QFETCH(bool, selectable);
        QFETCH(bool, selected);
        QFETCH(bool, track);
        QFETCH(QColor, colour);
        QFETCH(int, inset);
        QFETCH(int, width);
        CGUIBaseWidget window(nullptr, dragDrop, selectable);
        window.SetSelectedBorderColor(Qt::red);
        window.SetUnSelectedBorderColor(Qt::blue);
        window.SetSelected(selected);
        window.SetIsTrackWnd(track);
        window.resize(100, 80);
        const QImage image = TestSupport::Render(&window);
        // Across the middle of each side: nothing outside the inset, `width` border pixels, and
        // nothing further in.
        const QPoint steps[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        const QPoint starts[] = {{0, 40}, {99, 40}, {50, 0}, {50, 79}};
        for (int side = 0; side < 4; ++side) {
            for (int i = 0; i < 6; ++i) {
                const QColor pixel = image.pixelColor(starts[side] + i * steps[side]);
                const bool onBorder = i >= inset && i < inset + width;
                QVERIFY2(onBorder ? pixel == colour
                                  : pixel != QColor(Qt::red) && pixel != QColor(Qt::blue),
                         qPrintable(QString("side %1 pixel %2").arg(side).arg(i)));
            }
        }
        if (colour.isValid())
            QCOMPARE(image.pixelColor(inset, inset), colour); // corners closed
    }

    void borderFollowsInsets()
    {
        CGUIBaseWidget window(nullptr, false, true);
        window.SetUnSelectedBorderColor(Qt::blue);
        window.SetBorderInsets(QMargins(5, 6, 7, 8));
        QCOMPARE(window.GetBorderInsets(), QMargins(5, 6, 7, 8));
        window.resize(100, 80);
        QImage image = TestSupport::Render(&window);
        for (const QPoint& border : {QPoint(5, 40), QPoint(50, 6), QPoint(92, 40), QPoint(50, 71)})
            QCOMPARE(image.pixelColor(border), QColor(Qt::blue));
        QVERIFY(image.pixelColor(4, 40) != QColor(Qt::blue));
        window.SetBorderInsets(QMargins(60, 0, 60, 0)); // nothing left to draw in
        image = TestSupport::Render(&window);
        for (int x = 0; x < 100; x += 7)
            QVERIFY(image.pixelColor(x, 40) != QColor(Qt::blue));
    }

    void edgeCursor()
    {
        // On the 2-pixel band along the edges, laid out on a 480 x 270 grid that scales with the
        // window: corner boxes up to 70 and 40 in, edges between; the arrow everywhere else.
        const QSize grid(480, 270), twice(960, 540);
        // clang-format off
        const struct { QSize size; QPoint point; Qt::CursorShape shape; } rows[] = {
            {grid, {0, 0}, Qt::SizeFDiagCursor}, {grid, {70, 0}, Qt::SizeFDiagCursor},
            {grid, {71, 1}, Qt::SizeVerCursor}, {grid, {1, 40}, Qt::SizeFDiagCursor},
            {grid, {1, 41}, Qt::SizeHorCursor}, {grid, {479, 0}, Qt::SizeBDiagCursor},
            {grid, {410, 1}, Qt::SizeBDiagCursor}, {grid, {479, 269}, Qt::SizeFDiagCursor},
            {grid, {0, 269}, Qt::SizeBDiagCursor}, {grid, {0, 230}, Qt::SizeBDiagCursor},
            {grid, {478, 135}, Qt::SizeHorCursor}, {grid, {240, 268}, Qt::SizeVerCursor},
            {grid, {2, 135}, Qt::ArrowCursor}, {grid, {240, 135}, Qt::ArrowCursor},
            {grid, {2, 2}, Qt::ArrowCursor}, {grid, {-1, 0}, Qt::ArrowCursor},
            {twice, {0, 80}, Qt::SizeFDiagCursor}, {twice, {0, 81}, Qt::SizeHorCursor},
            {twice, {140, 0}, Qt::SizeFDiagCursor}, {twice, {141, 0}, Qt::SizeVerCursor},
            {twice, {820, 539}, Qt::SizeFDiagCursor}, {twice, {819, 539}, Qt::SizeVerCursor}};
        // clang-format on
        for (const auto& row : rows)
            QVERIFY2(Detail::GUIBaseWidgetEdgeCursor(row.size, row.point) == row.shape,
                     qPrintable(QString("%1,%2").arg(row.point.x()).arg(row.point.y())));

        // Mouse moves show it while drag and drop is allowed; a release or leaving ends it.
        CGUIBaseWidget window(nullptr, false, true);
        window.resize(grid);
        SendMouse(&window, QEvent::MouseMove, QPoint(0, 0), Qt::NoButton);
        QCOMPARE(window.cursor().shape(), Qt::ArrowCursor);
        window.SetAllowDragDropEnabled(true);
        for (QEvent::Type end : {QEvent::MouseButtonRelease, QEvent::Leave}) {
            SendMouse(&window, QEvent::MouseMove, QPoint(0, 135), Qt::NoButton);
            QCOMPARE(window.cursor().shape(), Qt::SizeHorCursor);
            QEvent leave(QEvent::Leave);
            if (end == QEvent::Leave)
                QCoreApplication::sendEvent(&window, &leave);
            else
                SendMouse(&window, end, QPoint(0, 135));
            QCOMPARE(window.cursor().shape(), Qt::ArrowCursor);
        }
    }

    void animatorAndLayoutItem()
    {
        CGUIBaseWidget window;
        CBaseItemAnimDirector first(true), second(false);
        CGeometryAnimator* animator = window.GetAnimator(&first);
        QCOMPARE(animator->parent(), &window);
        QCOMPARE(animator->GetTargetWidget(), &window);
        QCOMPARE(window.GetAnimator(nullptr), animator); // created once
        QCOMPARE(animator->GetDirector(), &first);
        QCOMPARE(window.GetAnimator(&second), animator);
        QCOMPARE(animator->GetDirector(), &second);
        const QPropertyAnimation* animation = animator->GetAnimation();
        QVERIFY(animation->propertyName() == "geometry" && animation->duration() == 300
                && animation->easingCurve().type() == QEasingCurve::InOutCubic);
        QVERIFY(!CBaseItemAnimDirector().IsAnimated());

        auto* item = new CAnimLayoutItem(&window);
        window.SetAnimLayoutItem(item);
        QCOMPARE(window.GetAnimLayoutItem().data(), item);
        window.setMinimumSize(40, 30);
        QCOMPARE(item->minimumSize(), QSize(40, 30)); // sizes come from the window
        QCOMPARE(item->GetAnimator(), animator);
        delete item;
        QVERIFY(window.GetAnimLayoutItem().isNull());

        auto* gone = new CGUIBaseWidget;
        CAnimLayoutItem empty(gone);
        delete gone; // the item holds its window weakly
        QVERIFY(empty.isEmpty() && !empty.widget() && empty.geometry().isNull());
        empty.setGeometry(QRect(0, 0, 10, 10));
        QVERIFY(CAnimLayoutItem(nullptr).isEmpty());
    }

    void animatedPlacement()
    {
        // Animated only while enabled and while a director says so; at once otherwise.
        CBaseItemAnimDirector animating(true), still(false);
        const QPair<CBaseItemAnimDirector*, bool> cases[] = {
            {&animating, true}, {&still, true}, {nullptr, true}, {&animating, false}};
        for (const auto& c : cases) {
            Scene scene;
            CGeometryAnimator animator(scene.window, c.first);
            animator.SetEnabled(c.second);
            animator.SetGeometry(scene.end);
            const bool animated = c.first == &animating && c.second;
            QCOMPARE(animator.IsAnimating(), animated);
            // An animated move starts where the window stands.
            QCOMPARE(scene.window->geometry(), animated ? scene.start : scene.end);
            QTRY_COMPARE(scene.window->geometry(), scene.end);
            QTRY_VERIFY(!animator.IsAnimating());
            animator.SetGeometry(scene.end); // no move to where it stands
            QVERIFY(!animator.IsAnimating());
        }
    }

    void animationRetargetsAndEnds()
    {
        Scene scene;
        CBaseItemAnimDirector director(true);
        CGeometryAnimator animator(scene.window, &director);
        animator.SetGeometry(scene.end);
        QTRY_VERIFY(scene.window->geometry() != scene.start); // under way
        const QRect second(20, 250, 140, 80);
        animator.SetGeometry(second);
        QCOMPARE(animator.GetAnimation()->endValue().toRect(), second);
        QTRY_COMPARE(scene.window->geometry(), second);
        // Retargeting to where it stands stops it; a later move runs in full from there.
        animator.SetGeometry(scene.start);
        QTRY_VERIFY(scene.window->geometry() != second);
        const QRect here = scene.window->geometry();
        animator.SetGeometry(here);
        QVERIFY(!animator.IsAnimating());
        QCOMPARE(scene.window->geometry(), here);
        // Disabling, finishing or a director switched off end a move at its end at once.
        for (int how = 0; how < 3; ++how) {
            animator.SetEnabled(true);
            director.SetAnimated(true);
            animator.SetGeometry(how % 2 ? scene.start : scene.end);
            QVERIFY(animator.IsAnimating());
            if (how == 0) {
                animator.SetEnabled(false);
            } else if (how == 1) {
                animator.Finish();
            } else {
                director.SetAnimated(false);
                animator.SetGeometry(scene.end); // at once, replacing the move under way
            }
            QVERIFY(!animator.IsAnimating());
            QCOMPARE(scene.window->geometry(), how % 2 ? scene.start : scene.end);
        }
    }

    void animatorOutlivesDirectorAndTarget()
    {
        Scene scene;
        auto director = std::make_unique<CBaseItemAnimDirector>(true);
        CGeometryAnimator animator(scene.window, director.get());
        CBaseItemAnimDirector(*director).SetAnimated(false); // a copy is a director of its own
        QVERIFY(animator.GetDirector()->IsAnimated());
        director.reset();
        QVERIFY(!animator.GetDirector());
        animator.SetGeometry(scene.end);
        QCOMPARE(scene.window->geometry(), scene.end);
        delete scene.window;
        QVERIFY(!animator.GetTargetWidget());
        animator.SetGeometry(scene.start); // nothing to move
        animator.Finish();
        QVERIFY(!animator.IsAnimating());
    }

    void layoutItemHandsGeometryToAnimator()
    {
        QWidget host;
        host.resize(400, 200);
        auto* grid = new QGridLayout(&host);
        grid->setContentsMargins(0, 0, 0, 0);
        grid->setSpacing(0);
        CBaseItemAnimDirector director(true);
        CGUIBaseWidget* windows[] = {new CGUIBaseWidget(&host), new CGUIBaseWidget(&host)};
        for (int i = 0; i < 2; ++i) {
            windows[i]->setGeometry(0, 0, 10, 10);
            grid->addItem(new CAnimLayoutItem(windows[i], &director), 0, i);
        }
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        QTRY_COMPARE(windows[0]->geometry(), QRect(0, 0, 200, 200));
        QTRY_COMPARE(windows[1]->geometry(), QRect(200, 0, 200, 200));
        QCOMPARE(grid->itemAt(1)->geometry(), windows[1]->geometry());
    }
};

QTEST_MAIN(tst_GUIBaseWidget)
#include "tst_guibasewidget.moc"
