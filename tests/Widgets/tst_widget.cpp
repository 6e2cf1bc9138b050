#include "Widgets/DesktopWidget.h"
#include "Widgets/Dialog.h"
#include "Widgets/Frame.h"
#include "Widgets/StackedWidget.h"
#include "Widgets/Widget.h"

#include "TestSupport.h"

#include <QScreen>
#include <QTest>

using namespace TesselGUIToolkit;
using TestSupport::SendMouse;

namespace {

Qt::Edges Edges(const QByteArray& letters)
{
    const QPair<char, Qt::Edge> all[] = {
        {'l', Qt::LeftEdge}, {'r', Qt::RightEdge}, {'t', Qt::TopEdge}, {'b', Qt::BottomEdge}};
    Qt::Edges edges;
    for (const auto& edge : all)
        edges |= letters.contains(edge.first) ? edge.second : Qt::Edges();
    return edges;
}

} // namespace

class tst_Widget : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void hitTest()
    {
        // A 400 x 300 widget: the hit-test code, the edges flagged, the system command and edges
        // of a resize from there, and the cursor a mouse move shows.
        // clang-format off
        const struct { uint margin; QPoint point; uint code; const char* edges; uint command;
                       Qt::CursorShape cursor; } rows[] = {
            {4, {3, 3}, 13, "lt", 0xF004, Qt::SizeFDiagCursor},
            {4, {397, 3}, 14, "rt", 0xF005, Qt::SizeBDiagCursor},
            {4, {3, 297}, 16, "lb", 0xF007, Qt::SizeBDiagCursor},
            {4, {397, 297}, 17, "rb", 0xF008, Qt::SizeFDiagCursor},
            {4, {4, 150}, 10, "l", 0xF001, Qt::SizeHorCursor}, // the band's inner limit
            {4, {396, 150}, 11, "r", 0xF002, Qt::SizeHorCursor},
            {4, {200, 1}, 12, "t", 0xF003, Qt::SizeVerCursor},
            {4, {200, 299}, 15, "b", 0xF006, Qt::SizeVerCursor},
            {4, {5, 150}, 1, "", 0, Qt::ArrowCursor}, {4, {395, 150}, 1, "", 0, Qt::ArrowCursor},
            {4, {450, 150}, 11, "r", 0xF002, Qt::SizeHorCursor}, // beyond the edge
            {4, {9999, 9999}, 17, "rb", 0xF008, Qt::SizeFDiagCursor},
            {10, {10, 150}, 10, "l", 0xF001, Qt::SizeHorCursor},
            {0, {0, 150}, 10, "l", 0xF001, Qt::SizeHorCursor}, {0, {1, 150}, 1, "", 0, Qt::ArrowCursor}};
        // clang-format on
        for (const auto& row : rows) {
            CWidget widget(nullptr, Qt::FramelessWindowHint);
            widget.resize(400, 300);
            widget.setMargin(row.margin);
            const uint code = widget.OnNcHitTest(uint(row.point.x()), uint(row.point.y()));
            QVERIFY2(code == row.code, qPrintable(QString::number(row.point.x())));
            QCOMPARE(QString(widget.IsOnLeftEdge() ? "l" : "") + (widget.IsOnRightEdge() ? "r" : "")
                         + (widget.IsOnTopEdge() ? "t" : "") + (widget.IsOnBottomEdge() ? "b" : ""),
                     QString(row.edges));
            QCOMPARE(CWidget::SizeCommandForHitCode(code), row.command);
            QCOMPARE(int(CWidget::EdgesForHitCode(code)), int(Edges(row.edges)));
            if (!widget.rect().contains(row.point))
                continue;
            // From a band cursor or from the arrow, so that both ways are proven.
            const QPoint from = row.cursor == Qt::ArrowCursor ? QPoint(0, 150) : QPoint(200, 150);
            SendMouse(&widget, QEvent::MouseMove, from, Qt::NoButton);
            SendMouse(&widget, QEvent::MouseMove, row.point, Qt::NoButton);
            QCOMPARE(widget.cursor().shape(), row.cursor);
            QCOMPARE(widget.GetCursorShape(), int(row.cursor));
        }
        for (uint code : {0u, 2u, 9u, 18u, 0xFFFFFFFFu})
            QVERIFY(!CWidget::SizeCommandForHitCode(code) && !CWidget::EdgesForHitCode(code));
    }

    void borderPressAndCursor()
    {
        for (bool resizable : {true, false}) {
            CWidget widget(nullptr, Qt::FramelessWindowHint);
            widget.setResizable(resizable);
            widget.resize(400, 300);
            widget.show();
            QVERIFY(QTest::qWaitForWindowExposed(&widget));
            // A press on the border is taken for resizing; the client area keeps its presses.
            QCOMPARE(SendMouse(&widget, QEvent::MouseButtonPress, QPoint(3, 3)), resizable);
            QVERIFY(!SendMouse(&widget, QEvent::MouseButtonPress, QPoint(200, 150)));
            SendMouse(&widget, QEvent::MouseMove, QPoint(1, 1), Qt::NoButton);
            QCOMPARE(widget.cursor().shape(), resizable ? Qt::SizeFDiagCursor : Qt::ArrowCursor);
        }
        // The cursor is only set when its shape changes: a client's own cursor stays.
        CWidget widget(nullptr, Qt::FramelessWindowHint);
        widget.resize(400, 300);
        widget.setCursor(Qt::PointingHandCursor);
        SendMouse(&widget, QEvent::MouseMove, QPoint(200, 150), Qt::NoButton);
        QCOMPARE(widget.cursor().shape(), Qt::PointingHandCursor);
        // A child widget has no resize border.
        QWidget host;
        auto* child = new CWidget(&host);
        child->setGeometry(10, 10, 200, 100);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        QVERIFY(!SendMouse(child, QEvent::MouseButtonPress, QPoint(1, 1)));
        SendMouse(child, QEvent::MouseMove, QPoint(1, 1), Qt::NoButton);
        QCOMPARE(child->cursor().shape(), Qt::ArrowCursor);
    }

    void screens()
    {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        for (const QPoint& on : {screen.topLeft(), screen.bottomRight(), screen.center()})
            QCOMPARE(CDesktopWidget::screenNumber(on), 0);
        for (const QPoint& off : {screen.topRight() + QPoint(1, 0), QPoint(0, screen.top() - 1),
                                  QPoint(-100000, 100000)})
            QCOMPARE(CDesktopWidget::screenNumber(off), -1);

        // A click on the screen stretches the widget over every screen a corner touches.
        const QRect away(screen.right() + 100, screen.bottom() + 100, 50, 50);
        const QRect starts[] = {
            {10, 20, 100, 80}, {screen.right() - 5, screen.bottom() - 5, 300, 300}, away};
        for (const QRect& start : starts) {
            CWidget widget(nullptr, Qt::FramelessWindowHint);
            widget.setGeometry(start);
            widget.OnScreenClicked();
            QCOMPARE(widget.geometry(), start == away ? away : screen);
        }
    }

    void stackedWidgetAndBaseClasses()
    {
        CStackedWidget stacked;
        auto* page = new QWidget;
        page->setMinimumSize(300, 200);
        stacked.addWidget(page);
        QVERIFY(!stacked.IsUseCurrentSizeHint());
        QVERIFY(stacked.minimumSizeHint().width() >= 300);
        stacked.SetUseCurrentSizeHint(true);
        stacked.resize(120, 45);
        QCOMPARE(stacked.sizeHint(), QSize(120, 45));
        QCOMPARE(stacked.minimumSizeHint(), QSize(120, 45));
        stacked.SetUseCurrentSizeHint(false);
        QVERIFY(stacked.minimumSizeHint().width() >= 300);

        QWidget host;
        CFrame frame(&host, Qt::Tool);
        CDialog dialog(&host, Qt::FramelessWindowHint);
        QVERIFY(frame.parentWidget() == &host && frame.windowFlags().testFlag(Qt::Tool));
        QVERIFY(dialog.parentWidget() == &host
                && dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
    }
};

QTEST_MAIN(tst_Widget)
#include "tst_widget.moc"
