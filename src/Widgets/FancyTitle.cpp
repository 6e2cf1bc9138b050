#include "Widgets/FancyTitle.h"

#include "Core/Log_p.h"
#include "Core/Toolkit.h"
#include "Core/WidgetMaximizeManager.h"
#include "Widgets/MoveRubberBand.h"
#include "Widgets/Widget.h"

#include <QMouseEvent>

namespace TesselGUIToolkit {

namespace {
    const char* const kSource = "Widgets\\FancyTitle.cpp";
}

CFancyTitle::CFancyTitle(QWidget* parent)
    : QFrame(parent)
{
}

CFancyTitle::~CFancyTitle() = default;

void CFancyTitle::SetOpenWidgetMoveEnable(bool enable)
{
    m_bMoveEnable = enable;
    if (!enable) {
        m_pointPress = NoDrag();
        if (m_pRubberBand)
            m_pRubberBand->hide();
    }
}

void CFancyTitle::SetOpenDoubleClickEnable(bool enable)
{
    m_bDoubleClickEnable = enable;
}

void CFancyTitle::SetApplyRubberMove(bool apply)
{
    m_bRubberMove = apply;
    if (!apply) {
        if (m_pRubberBand)
            m_pRubberBand->hide();
        return;
    }
    if (m_pRubberBand)
        return;
    // A top-level band can leave the window's area, which a child band could not; its parent
    // only ties its lifetime to the title.
    m_pRubberBand = new CMoveRubberBand(QRubberBand::Rectangle, this);
    m_pRubberBand->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
    m_pRubberBand->setAttribute(Qt::WA_TranslucentBackground);
    m_pRubberBand->setAttribute(Qt::WA_NoSystemBackground);
    m_pRubberBand->setObjectName(QStringLiteral("ptr_move_rubber_band_"));
    FitRubberBand(window());
}

CMoveRubberBand* CFancyTitle::GetRubberBand() const
{
    return m_pRubberBand.data();
}

void CFancyTitle::FitRubberBand(const QWidget* window)
{
    if (m_bRubberMove && m_pRubberBand && window)
        m_pRubberBand->resize(window->size());
}

void CFancyTitle::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        m_pointPress = NoDrag();
        QFrame::mousePressEvent(event);
        return;
    }
    if (!m_bMoveEnable) {
        QFrame::mousePressEvent(event);
        return;
    }
    QWidget* top = window();
    m_pointPress = top->mapFromGlobal(event->globalPos());
    static const char* const function = "TesselGUIToolkit::CFancyTitle::mousePressEvent";
    NIMB_LOG_TRACE(function, kSource, "press at (%d,%d), offset in window (%d,%d)",
                   event->globalPos().x(), event->globalPos().y(), m_pointPress.x(),
                   m_pointPress.y());
    NIMB_LOG_TRACE(function, kSource, "window geometry (%d,%d %dx%d)", top->x(), top->y(),
                   top->width(), top->height());
    FitRubberBand(top);
    event->accept();
}

void CFancyTitle::mouseMoveEvent(QMouseEvent* event)
{
    if (!IsDragging()) {
        QFrame::mouseMoveEvent(event);
        return;
    }
    QWidget* top = window();
    if (IsFullScreen(top) || IsMaximized(top)) {
        // Pulling the title of a maximised window is a request to get it back to normal.
        OnImitateDoubleClick();
        event->accept();
        return;
    }
    const QPoint target = event->globalPos() - m_pointPress;
    if (m_bRubberMove && m_pRubberBand) {
        m_pRubberBand->move(target);
        m_pRubberBand->show();
    } else {
        top->move(target);
    }
    event->accept();
}

void CFancyTitle::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_pRubberBand)
        m_pRubberBand->hide();
    if (m_bRubberMove && IsDragging()) {
        // The window may only land where some screen can show it, wherever the mouse went.
        window()->move(GetAvailablePoint(event->globalPos()) - m_pointPress);
    }
    m_pointPress = NoDrag();
    QFrame::mouseReleaseEvent(event);
}

void CFancyTitle::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        OnImitateDoubleClick();
        event->accept();
        return;
    }
    QFrame::mouseDoubleClickEvent(event);
}

void CFancyTitle::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    Q_EMIT SignalWndSizeStatusChanged();
}

void CFancyTitle::OnImitateDoubleClick()
{
    if (!m_bDoubleClickEnable)
        return;
    static const char* const function = "TesselGUIToolkit::CFancyTitle::OnImitateDoubleClick";
    QWidget* top = window();
    NIMB_LOG_TRACE(function, kSource, "CFancyTitle::OnImitateDoubleClick1");
    if (!IsFullScreen(top) && !IsMaximized(top)) {
        NIMB_LOG_TRACE(function, kSource, "CFancyTitle::OnImitateDoubleClick2");
        if (CWidgetMaximizeManager::Instance().GetWidgetMaximizeMode()
            == CWidgetMaximizeManager::FullScreenMaximize)
            ShowFullScreen(top, true);
        else
            ShowMaximized(top);
        NIMB_LOG_TRACE(function, kSource, "CFancyTitle::OnImitateDoubleClick3");
    } else {
        NIMB_LOG_TRACE(function, kSource, "CFancyTitle::OnImitateDoubleClick4");
        ShowNormal(top, QSize(-1, -1), true);
    }
    FitRubberBand(top);
    NIMB_LOG_TRACE(function, kSource, "CFancyTitle::OnImitateDoubleClick5");
    Q_EMIT SignalWndSizeStatusChanged();
}

void CFancyTitle::OnScreenClick()
{
    if (auto* widget = qobject_cast<CWidget*>(window()))
        widget->OnScreenClicked();
}

} // namespace TesselGUIToolkit
