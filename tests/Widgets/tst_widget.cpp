#include "Widgets/DesktopWidget.h"
#include "Widgets/Dialog.h"
#include "Widgets/Frame.h"
#include "Widgets/GUIBaseWidget.h"
#include "Widgets/StackedWidget.h"
#include "Widgets/Widget.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>

using namespace TesselGUIToolkit;

namespace {

void MoveMouse(QWidget* widget, const QPoint& pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
}

// Returns whether the widget took the press for itself.
bool PressLeft(QWidget* widget, const QPoint& pos)
{
    QMouseEvent press(QEvent::MouseButtonPress, pos, widget->mapToGlobal(pos), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    return press.isAccepted();
}

} // namespace

class tst_Widget : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void hitTest_data()
    {
        QTest::addColumn<uint>("margin");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<uint>("code");
        QTest::addColumn<QString>("edges"); // l, r, t, b

        QTest::newRow("top-left corner") << 4u << QPoint(3, 3) << 13u << "lt";
        QTest::newRow("top-right corner") << 4u << QPoint(397, 3) << 14u << "rt";
        QTest::newRow("bottom-left corner") << 4u << QPoint(3, 297) << 16u << "lb";
        QTest::newRow("bottom-right corner") << 4u << QPoint(397, 297) << 17u << "rb";
        QTest::newRow("left") << 4u << QPoint(2, 150) << 10u << "l";
        QTest::newRow("right") << 4u << QPoint(398, 150) << 11u << "r";
        QTest::newRow("top") << 4u << QPoint(200, 1) << 12u << "t";
        QTest::newRow("bottom") << 4u << QPoint(200, 299) << 15u << "b";
        QTest::newRow("client") << 4u << QPoint(200, 150) << 1u << "";
        QTest::newRow("left band limit") << 4u << QPoint(4, 150) << 10u << "l";
        QTest::newRow("left of band") << 4u << QPoint(5, 150) << 1u << "";
        QTest::newRow("right band limit") << 4u << QPoint(396, 150) << 11u << "r";
        QTest::newRow("right of band") << 4u << QPoint(395, 150) << 1u << "";
        QTest::newRow("beyond the right edge") << 4u << QPoint(450, 150) << 11u << "r";
        QTest::newRow("beyond the bottom-right") << 4u << QPoint(9999, 9999) << 17u << "rb";
        QTest::newRow("wider band") << 10u << QPoint(10, 150) << 10u << "l";
        QTest::newRow("no band, origin") << 0u << QPoint(0, 150) << 10u << "l";
        QTest::newRow("no band, inside") << 0u << QPoint(1, 150) << 1u << "";
    }
    void hitTest()
    {
        QFETCH(uint, margin);
        QFETCH(QPoint, point);
        QFETCH(uint, code);
        QFETCH(QString, edges);

        CWidget widget;
        widget.resize(400, 300);
        widget.setMargin(margin);
        QCOMPARE(widget.OnNcHitTest(uint(point.x()), uint(point.y())), code);
        QCOMPARE(widget.IsOnLeftEdge(), edges.contains('l'));
        QCOMPARE(widget.IsOnRightEdge(), edges.contains('r'));
        QCOMPARE(widget.IsOnTopEdge(), edges.contains('t'));
        QCOMPARE(widget.IsOnBottomEdge(), edges.contains('b'));
    }

    void sizeCommand_data()
    {
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<uint>("command");
        QTest::addColumn<int>("edges");

        QTest::newRow("left") << QPoint(1, 150) << 0xF001u << int(Qt::LeftEdge);
        QTest::newRow("right") << QPoint(398, 150) << 0xF002u << int(Qt::RightEdge);
        QTest::newRow("top") << QPoint(200, 1) << 0xF003u << int(Qt::TopEdge);
        QTest::newRow("top-left") << QPoint(1, 1) << 0xF004u << int(Qt::TopEdge | Qt::LeftEdge);
        QTest::newRow("top-right") << QPoint(398, 1) << 0xF005u << int(Qt::TopEdge | Qt::RightEdge);
        QTest::newRow("bottom") << QPoint(200, 298) << 0xF006u << int(Qt::BottomEdge);
        QTest::newRow("bottom-left")
            << QPoint(1, 298) << 0xF007u << int(Qt::BottomEdge | Qt::LeftEdge);
        QTest::newRow("bottom-right")
            << QPoint(398, 298) << 0xF008u << int(Qt::BottomEdge | Qt::RightEdge);
        QTest::newRow("client") << QPoint(200, 150) << 0u << 0;
    }
    void sizeCommand()
    {
        QFETCH(QPoint, press);
        QFETCH(uint, command);
        QFETCH(int, edges);

        CWidget widget;
        widget.resize(400, 300);
        const uint code = widget.OnNcHitTest(uint(press.x()), uint(press.y()));
        QCOMPARE(CWidget::SizeCommandForHitCode(code), command);
        QCOMPARE(int(CWidget::EdgesForHitCode(code)), edges);
    }

    void sizeCommandOfForeignCodes()
    {
        for (uint code : {0u, 2u, 9u, 18u, 0xFFFFFFFFu}) {
            QCOMPARE(CWidget::SizeCommandForHitCode(code), 0u);
            QCOMPARE(int(CWidget::EdgesForHitCode(code)), 0);
        }
    }

    void borderPressIsTakenForResizing_data()
    {
        QTest::addColumn<bool>("resizable");
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<bool>("taken");

        QTest::newRow("corner") << true << QPoint(3, 3) << true;
        QTest::newRow("right edge") << true << QPoint(398, 150) << true;
        QTest::newRow("client area") << true << QPoint(200, 150) << false;
        QTest::newRow("corner, not resizable") << false << QPoint(3, 3) << false;
    }
    void borderPressIsTakenForResizing()
    {
        QFETCH(bool, resizable);
        QFETCH(QPoint, press);
        QFETCH(bool, taken);

        CWidget widget(nullptr, Qt::FramelessWindowHint);
        widget.setResizable(resizable);
        widget.resize(400, 300);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        QCOMPARE(PressLeft(&widget, press), taken);
    }

    void childWidgetHasNoResizeBorder()
    {
        QWidget host;
        host.resize(400, 300);
        auto* child = new CWidget(&host);
        child->setGeometry(10, 10, 200, 100);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        QVERIFY(!PressLeft(child, QPoint(1, 1)));
        MoveMouse(child, QPoint(1, 1));
        QCOMPARE(child->cursor().shape(), Qt::ArrowCursor);
    }

    void cursorFollowsMouse_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<Qt::CursorShape>("shape");

        QTest::newRow("top-left") << QPoint(2, 2) << Qt::SizeFDiagCursor;
        QTest::newRow("bottom-right") << QPoint(398, 298) << Qt::SizeFDiagCursor;
        QTest::newRow("top-right") << QPoint(398, 2) << Qt::SizeBDiagCursor;
        QTest::newRow("bottom-left") << QPoint(2, 298) << Qt::SizeBDiagCursor;
        QTest::newRow("left") << QPoint(2, 150) << Qt::SizeHorCursor;
        QTest::newRow("right") << QPoint(398, 150) << Qt::SizeHorCursor;
        QTest::newRow("top") << QPoint(200, 2) << Qt::SizeVerCursor;
        QTest::newRow("bottom") << QPoint(200, 298) << Qt::SizeVerCursor;
        QTest::newRow("client") << QPoint(200, 150) << Qt::ArrowCursor;
    }
    void cursorFollowsMouse()
    {
        QFETCH(QPoint, point);
        QFETCH(Qt::CursorShape, shape);

        CWidget widget(nullptr, Qt::FramelessWindowHint);
        widget.resize(400, 300);
        QVERIFY(widget.hasMouseTracking());
        // start from a band cursor so that a client-area row proves the way back to the arrow
        MoveMouse(&widget, QPoint(0, 150));
        QCOMPARE(widget.cursor().shape(), Qt::SizeHorCursor);
        MoveMouse(&widget, point);
        QCOMPARE(widget.cursor().shape(), shape);
        QCOMPARE(widget.GetCursorShape(), int(shape));
    }

    void cursorIsOnlySetWhenItsShapeChanges()
    {
        CWidget widget(nullptr, Qt::FramelessWindowHint);
        widget.resize(400, 300);
        widget.setCursor(Qt::PointingHandCursor); // a client's own cursor over the content
        MoveMouse(&widget, QPoint(200, 150));
        QCOMPARE(widget.cursor().shape(), Qt::PointingHandCursor);
        MoveMouse(&widget, QPoint(1, 150));
        QCOMPARE(widget.cursor().shape(), Qt::SizeHorCursor);
    }

    void notResizableKeepsCursor()
    {
        CWidget widget(nullptr, Qt::FramelessWindowHint);
        widget.resize(400, 300);
        widget.setResizable(false);
        MoveMouse(&widget, QPoint(1, 1));
        QCOMPARE(widget.cursor().shape(), Qt::ArrowCursor);
    }

    void screenNumber_data()
    {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("number");

        QTest::newRow("top-left") << screen.topLeft() << 0;
        QTest::newRow("bottom-right") << screen.bottomRight() << 0;
        QTest::newRow("centre") << screen.center() << 0;
        QTest::newRow("right of it") << screen.topRight() + QPoint(1, 0) << -1;
        QTest::newRow("above it") << screen.topLeft() - QPoint(0, 1) << -1;
        QTest::newRow("far away") << QPoint(-100000, 100000) << -1;
    }
    void screenNumber()
    {
        QFETCH(QPoint, point);
        QFETCH(int, number);
        QCOMPARE(CDesktopWidget::screenNumber(point), number);
    }

    void screenClickedStretchesOverTouchedScreens_data()
    {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QTest::addColumn<QRect>("start");
        QTest::addColumn<QRect>("expected");

        QTest::newRow("inside") << QRect(10, 20, 100, 80) << screen;
        QTest::newRow("one corner on the screen")
            << QRect(screen.right() - 5, screen.bottom() - 5, 300, 300) << screen;
        const QRect away(screen.right() + 100, screen.bottom() + 100, 50, 50);
        QTest::newRow("off every screen") << away << away;
    }
    void screenClickedStretchesOverTouchedScreens()
    {
        QFETCH(QRect, start);
        QFETCH(QRect, expected);

        CWidget widget(nullptr, Qt::FramelessWindowHint);
        widget.setGeometry(start);
        widget.OnScreenClicked();
        QCOMPARE(widget.geometry(), expected);
    }

    void guiBaseWidgetEdgeCursor_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<Qt::CursorShape>("shape");

        const QSize grid(480, 270); // A = 70, B = 410, C = 40, D = 230
        QTest::newRow("origin") << grid << QPoint(0, 0) << Qt::SizeFDiagCursor;
        QTest::newRow("top-left box right end") << grid << QPoint(70, 0) << Qt::SizeFDiagCursor;
        QTest::newRow("top middle starts") << grid << QPoint(71, 1) << Qt::SizeVerCursor;
        QTest::newRow("top-left box bottom end") << grid << QPoint(1, 40) << Qt::SizeFDiagCursor;
        QTest::newRow("left middle starts") << grid << QPoint(1, 41) << Qt::SizeHorCursor;
        QTest::newRow("top-right") << grid << QPoint(479, 0) << Qt::SizeBDiagCursor;
        QTest::newRow("top-right box left end") << grid << QPoint(410, 1) << Qt::SizeBDiagCursor;
        QTest::newRow("bottom-right") << grid << QPoint(479, 269) << Qt::SizeFDiagCursor;
        QTest::newRow("bottom-left") << grid << QPoint(0, 269) << Qt::SizeBDiagCursor;
        QTest::newRow("bottom-left box top end") << grid << QPoint(0, 230) << Qt::SizeBDiagCursor;
        QTest::newRow("left") << grid << QPoint(0, 135) << Qt::SizeHorCursor;
        QTest::newRow("right") << grid << QPoint(478, 135) << Qt::SizeHorCursor;
        QTest::newRow("top") << grid << QPoint(240, 0) << Qt::SizeVerCursor;
        QTest::newRow("bottom") << grid << QPoint(240, 268) << Qt::SizeVerCursor;
        QTest::newRow("just inside the band") << grid << QPoint(2, 135) << Qt::ArrowCursor;
        QTest::newRow("centre") << grid << QPoint(240, 135) << Qt::ArrowCursor;
        QTest::newRow("inner corner") << grid << QPoint(2, 2) << Qt::ArrowCursor;

        const QSize twice(960, 540); // A = 140, B = 820, C = 80, D = 460
        QTest::newRow("scaled box bottom") << twice << QPoint(0, 80) << Qt::SizeFDiagCursor;
        QTest::newRow("scaled left middle") << twice << QPoint(0, 81) << Qt::SizeHorCursor;
        QTest::newRow("scaled box right") << twice << QPoint(140, 0) << Qt::SizeFDiagCursor;
        QTest::newRow("scaled top middle") << twice << QPoint(141, 0) << Qt::SizeVerCursor;
        QTest::newRow("scaled bottom-right") << twice << QPoint(820, 539) << Qt::SizeFDiagCursor;
        QTest::newRow("scaled bottom middle") << twice << QPoint(819, 539) << Qt::SizeVerCursor;
    }
    void guiBaseWidgetEdgeCursor()
    {
        QFETCH(QSize, size);
        QFETCH(QPoint, point);
        QFETCH(Qt::CursorShape, shape);

        CGUIBaseWidget window(nullptr, true, true);
        window.resize(size);
        QVERIFY(window.hasMouseTracking());
        MoveMouse(&window, QPoint(size.width() / 2, 0)); // a band cursor to start from
        MoveMouse(&window, point);
        QCOMPARE(window.cursor().shape(), shape);
    }

    void guiBaseWidgetCursorBackToArrow_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("release") << "release";
        QTest::newRow("leave") << "leave";
    }
    void guiBaseWidgetCursorBackToArrow()
    {
        QFETCH(QString, how);
        CGUIBaseWidget window(nullptr, true, true);
        window.resize(480, 270);
        MoveMouse(&window, QPoint(0, 0));
        QCOMPARE(window.cursor().shape(), Qt::SizeFDiagCursor);
        if (how == "release") {
            QMouseEvent release(QEvent::MouseButtonRelease, QPoint(0, 0), Qt::LeftButton,
                                Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(&window, &release);
        } else {
            QEvent leave(QEvent::Leave);
            QCoreApplication::sendEvent(&window, &leave);
        }
        QCOMPARE(window.cursor().shape(), Qt::ArrowCursor);
    }

    void guiBaseWidgetWithoutDragKeepsArrow()
    {
        CGUIBaseWidget window(nullptr, false, true);
        window.resize(480, 270);
        MoveMouse(&window, QPoint(0, 0));
        QCOMPARE(window.cursor().shape(), Qt::ArrowCursor);

        window.SetAllowDragDropEnabled(true);
        MoveMouse(&window, QPoint(0, 0));
        QCOMPARE(window.cursor().shape(), Qt::SizeFDiagCursor);
    }

    void stackedWidgetReportsCurrentSize()
    {
        CStackedWidget stacked;
        auto* page = new QWidget;
        page->setMinimumSize(300, 200);
        stacked.addWidget(page);
        stacked.resize(320, 240);
        QVERIFY(!stacked.IsUseCurrentSizeHint());
        QVERIFY(stacked.minimumSizeHint().width() >= 300);

        stacked.SetUseCurrentSizeHint(true);
        stacked.resize(120, 45);
        QCOMPARE(stacked.sizeHint(), QSize(120, 45));
        QCOMPARE(stacked.minimumSizeHint(), QSize(120, 45));

        stacked.SetUseCurrentSizeHint(false);
        QVERIFY(stacked.minimumSizeHint().width() >= 300);
    }

    void baseClassesKeepParentAndFlags()
    {
        QWidget host;
        CFrame frame(&host, Qt::Tool);
        QCOMPARE(frame.parentWidget(), &host);
        QVERIFY(frame.windowFlags().testFlag(Qt::Tool));
        CDialog dialog(&host, Qt::FramelessWindowHint);
        QCOMPARE(dialog.parentWidget(), &host);
        QVERIFY(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(CDialog::staticMetaObject.className(), "TesselGUIToolkit::CDialog");
    }
};

QTEST_MAIN(tst_Widget)
#include "tst_widget.moc"
