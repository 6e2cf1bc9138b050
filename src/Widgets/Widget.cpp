#include "Widgets/Widget.h"

#include "Widgets/DesktopWidget.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace TesselGUIToolkit {

CWidget::CWidget(QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
{
#ifndef Q_OS_WIN
    // Without native border messages the resize cursors have to follow plain mouse moves.
    setMouseTracking(true);
#endif
}

CWidget::~CWidget() = default;

void CWidget::setResizable(bool resizable)
{
    m_bResizable = resizable;
}

void CWidget::setMargin(unsigned int margin)
{
    m_uMargin = margin;
}

unsigned int CWidget::OnNcHitTest(unsigned int x, unsigned int y)
{
    // Signed 64-bit arithmetic: a point beyond the right or bottom edge must count as on that
    // edge instead of wrapping around.
    const qint64 margin = m_uMargin;
    m_bLeft = qint64(x) <= margin;
    m_bRight = qint64(width()) - qint64(x) <= margin;
    m_bTop = qint64(y) <= margin;
    m_bBottom = qint64(height()) - qint64(y) <= margin;

    if (m_bTop && m_bLeft)
        return HitTopLeft;
    if (m_bTop && m_bRight)
        return HitTopRight;
    if (m_bBottom && m_bLeft)
        return HitBottomLeft;
    if (m_bBottom && m_bRight)
        return HitBottomRight;
    if (m_bLeft)
        return HitLeft;
    if (m_bRight)
        return HitRight;
    if (m_bTop)
        return HitTop;
    if (m_bBottom)
        return HitBottom;
    return HitClient;
}

void CWidget::ResetMouseAtWhere(unsigned int x, unsigned int y)
{
    OnNcHitTest(x, y);
    Qt::CursorShape shape = Qt::ArrowCursor;
    if ((m_bLeft && m_bBottom) || (m_bRight && m_bTop))
        shape = Qt::SizeBDiagCursor;
    else if ((m_bLeft && m_bTop) || (m_bRight && m_bBottom))
        shape = Qt::SizeFDiagCursor;
    else if (m_bLeft || m_bRight)
        shape = Qt::SizeHorCursor;
    else if (m_bTop || m_bBottom)
        shape = Qt::SizeVerCursor;

    if (shape == m_nCursorShape)
        return;
    m_nCursorShape = shape;
    setCursor(QCursor(shape));
}

unsigned int CWidget::SizeCommandForHitCode(unsigned int hitCode)
{
    // Hit codes 10..17 follow the order of the system's sizing edges 1..8.
    if (hitCode < HitLeft || hitCode > HitBottomRight)
        return 0;
    return 0xF000u + (hitCode - 9u);
}

Qt::Edges CWidget::EdgesForHitCode(unsigned int hitCode)
{
    switch (hitCode) {
    case HitLeft:
        return Qt::LeftEdge;
    case HitRight:
        return Qt::RightEdge;
    case HitTop:
        return Qt::TopEdge;
    case HitTopLeft:
        return Qt::TopEdge | Qt::LeftEdge;
    case HitTopRight:
        return Qt::TopEdge | Qt::RightEdge;
    case HitBottom:
        return Qt::BottomEdge;
    case HitBottomLeft:
        return Qt::BottomEdge | Qt::LeftEdge;
    case HitBottomRight:
        return Qt::BottomEdge | Qt::RightEdge;
    default:
        return Qt::Edges();
    }
}

void CWidget::OnScreenClicked()
{
    m_listScreenNumber.clear();
    const QRect rect = geometry();
    const QPoint corners[] = {rect.topLeft(), rect.topRight(), rect.bottomLeft(),
                              rect.bottomRight()};
    for (const QPoint& corner : corners) {
        const int number = CDesktopWidget::screenNumber(corner);
        if (number != -1)
            m_listScreenNumber.append(number);
    }

    const QList<QScreen*> screens = QGuiApplication::screens();
    QRect united;
    for (int i = 0; i < screens.size(); ++i) {
        if (m_listScreenNumber.contains(i))
            united = united.united(screens.at(i)->geometry());
    }
    // A window lying outside every screen keeps its place rather than collapsing to nothing.
    if (united.isValid())
        setGeometry(united);
}

#ifdef Q_OS_WIN

bool CWidget::winEvent(MSG* message, long* result)
{
    Q_UNUSED(result)
    if (!message)
        return false;
    switch (message->message) {
    case WM_LBUTTONDOWN: {
        const unsigned int code = OnNcHitTest(LOWORD(message->lParam), HIWORD(message->lParam));
        if (code == HitClient)
            return false;
        ::PostMessageW(reinterpret_cast<HWND>(winId()), WM_NCLBUTTONDOWN, code, message->lParam);
        return true;
    }
    case WM_NCLBUTTONDOWN: {
        const unsigned int code = OnNcHitTest(LOWORD(message->lParam), HIWORD(message->lParam));
        const unsigned int command = SizeCommandForHitCode(code);
        if (command != 0)
            ::PostMessageW(reinterpret_cast<HWND>(winId()), WM_SYSCOMMAND, command,
                           message->lParam);
        return false;
    }
    case WM_MOUSEMOVE:
        ResetMouseAtWhere(LOWORD(message->lParam), HIWORD(message->lParam));
        return false;
    default:
        return false;
    }
}

bool CWidget::nativeEvent(const QByteArray& eventType, void* message, long* result)
{
    if (m_bResizable && eventType == "windows_generic_MSG"
        && winEvent(static_cast<MSG*>(message), result))
        return true;
    return QWidget::nativeEvent(eventType, message, result);
}

#else

void CWidget::mousePressEvent(QMouseEvent* event)
{
    // Only a window has a border to drag; the native handling elsewhere likewise only ever
    // sees top-level windows.
    if (m_bResizable && isWindow() && event->button() == Qt::LeftButton && event->x() >= 0
        && event->y() >= 0) {
        const unsigned int code = OnNcHitTest(unsigned(event->x()), unsigned(event->y()));
        QWindow* handle = windowHandle();
        if (code != HitClient && handle) {
            handle->startSystemResize(EdgesForHitCode(code));
            event->accept();
            return;
        }
    }
    QWidget::mousePressEvent(event);
}

void CWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (m_bResizable && isWindow() && event->buttons() == Qt::NoButton && event->x() >= 0
        && event->y() >= 0)
        ResetMouseAtWhere(unsigned(event->x()), unsigned(event->y()));
    QWidget::mouseMoveEvent(event);
}

#endif

} // namespace TesselGUIToolkit
