#include "TimeLine/SingleTimeSlider.h"

#include "TimeLine/ChartSeries.h"
#include "TimeLine/ChartView.h"

#include <QGridLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QTimerEvent>
#include <QWheelEvent>

#include <algorithm>

namespace TesselGUIToolkit {

namespace {
constexpr int kGrooveY = 26;
constexpr int kSegmentTop = 29;
constexpr int kSegmentBottom = 36;
// A click without a drag seeks only inside the segment band, measured from the chart's top.
constexpr int kClickBandTop = 27;
constexpr int kClickBandBottom = 35;
constexpr int kLeaveDelayMs = 500;
} // namespace

CSingleTimeSlider::CSingleTimeSlider(QWidget* parent)
    : CTimeSlider(new CSingleChartView, parent)
{
    CChartView* view = GetChartView();
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(view, 0, 0);
    view->setMouseTracking(true);
    view->installEventFilter(this);

    connect(view, &CChartView::SignalMoveLeft, this, &CSingleTimeSlider::MoveLeft);
    connect(view, &CChartView::SignalMoveRight, this, &CSingleTimeSlider::MoveRight);
    connect(view, &CChartView::SignalDelayRelease, this, &CSingleTimeSlider::OnSlotReleaseMove);
    connect(view, &CChartView::SignalZoomOut, this, &CSingleTimeSlider::OnSlotZoomOut);
    connect(view, &CChartView::SignalZoomIn, this, &CSingleTimeSlider::OnSlotZoomIn);

    view->SetViewRange(0.0, 86400.0);
    auto* groove = new CGrooveSeries(view);
    groove->Append(0.0, kGrooveY);
    groove->SetHeight(kSegmentBottom - kGrooveY + 2);
    view->AddSeries(groove);
    view->AddSeries(new CTimeRectSeries(view));
    view->AddSeries(new CAxisSeries(view, GetConstructionZoneOffset()));
    auto* hover = new CMouseTextSeries(view);
    hover->SetTextSize(10);
    hover->SetTextY(14);
    view->AddSeries(hover);

    const QDate today = QDate::currentDate();
    SetTimeRange(today, today);
    ShowZoomByType(7);
    setMinimumHeight(kSegmentBottom + 6);
}

CSingleTimeSlider::~CSingleTimeSlider()
{
    // The chart view outlives this body (it is a child); stop it calling back into a half-gone
    // slider.
    GetChartView()->removeEventFilter(this);
}

CSingleChartView* CSingleTimeSlider::GetSingleChartView() const
{
    return static_cast<CSingleChartView*>(GetChartView());
}

void CSingleTimeSlider::AddTime(const QDateTime& begin, const QDateTime& end,
                                const QBrush& brushFill, const QBrush& brushSecond, int level)
{
    Q_UNUSED(brushSecond)
    if (!begin.isValid() || !end.isValid())
        return;
    auto* layer = dynamic_cast<CTimeRectSeries*>(GetChartView()->GetSeriesAt(1));
    if (!layer)
        return;
    double left = 0.0;
    double right = 0.0;
    if (!MapSegmentToAxis(begin.toSecsSinceEpoch(), end.toSecsSinceEpoch(), left, right))
        return;
    layer->AddRect(left, kSegmentTop, right, kSegmentBottom, brushFill, level);
    RepaintTimeSlider();
}

void CSingleTimeSlider::AddTime(QList<struTimeSliderData::TimeSegmentParam>& listSegments)
{
    if (listSegments.isEmpty())
        return;
    auto* layer = dynamic_cast<CTimeRectSeries*>(GetChartView()->GetSeriesAt(1));
    if (!layer)
        return;
    for (const struTimeSliderData::TimeSegmentParam& segment : qAsConst(listSegments)) {
        double left = 0.0;
        double right = 0.0;
        if (MapSegmentToAxis(segment.llBegin, segment.llEnd, left, right))
            layer->AddRect(left, kSegmentTop, right, kSegmentBottom, segment.brushFill,
                           segment.nLevel);
    }
    RepaintTimeSlider();
}

void CSingleTimeSlider::Reset()
{
    if (CChartSeries* layer = GetChartView()->GetSeriesAt(1))
        layer->Clear();
    RepaintTimeSlider();
}

void CSingleTimeSlider::ShowMaxsize()
{
    CChartView* view = GetChartView();
    view->SetMargins(24, 100);
    view->GetZoomInButton()->show();
    view->GetZoomOutButton()->show();
    if (auto* axis = dynamic_cast<CAxisSeries*>(view->GetSeries(CChartSeries::AxisSeries)))
        axis->SetCompact(false);
    SetScaleLevel(std::max(GetScaleLevel(), 9));
    ShowZoomByType(GetScaleLevel());
}

void CSingleTimeSlider::ShowNormalSize()
{
    CChartView* view = GetChartView();
    view->SetMargins(24, 8);
    view->GetZoomInButton()->hide();
    view->GetZoomOutButton()->hide();
    if (auto* axis = dynamic_cast<CAxisSeries*>(view->GetSeries(CChartSeries::AxisSeries)))
        axis->SetCompact(true);
    ShowZoomByType(7);
}

void CSingleTimeSlider::HandleChartPress(QMouseEvent* event)
{
    CChartView* view = GetChartView();
    if (event->button() != Qt::LeftButton || !view->GetChartRect().contains(event->pos()))
        return;
    SetMoving(true);
    m_bPressed = true;
    view->setCursor(Qt::OpenHandCursor);
    BeginDrag(event->pos().x());
}

void CSingleTimeSlider::HandleChartMove(QMouseEvent* event)
{
    SetLastMousePos(event->pos());
    if (IsMoving() && m_bPressed)
        DragTo(event->pos().x());
    else
        RefreshHoverText();
    RepaintTimeSlider();
}

void CSingleTimeSlider::HandleChartRelease(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    CChartView* view = GetChartView();
    const bool wasPressed = m_bPressed;
    SetMoving(false);
    m_bPressed = false;
    view->unsetCursor();
    if (CChartSeries* hover = view->GetSeries(CChartSeries::MouseTextSeries))
        hover->Clear();
    RepaintTimeSlider();
    if (!wasPressed)
        return;
    if (ViewMovedSinceDrag()) {
        Q_EMIT SignalMouseClick(static_cast<time_t>(CenterUtc()));
        return;
    }
    const int below = event->pos().y() - view->GetChartRect().top();
    if (below >= kClickBandTop && below <= kClickBandBottom) {
        const double t = view->XToTime(event->pos().x());
        Q_EMIT SignalMouseClick(static_cast<time_t>(UtcFromAxis(t)));
    }
}

void CSingleTimeSlider::HandleChartEnter()
{
    if (m_nLeaveTimerId != 0) {
        killTimer(m_nLeaveTimerId);
        m_nLeaveTimerId = 0;
    } else {
        Q_EMIT SignalMouseEnter();
    }
    GetUpdateTimer()->start();
}

void CSingleTimeSlider::HandleChartLeave()
{
    CChartView* view = GetChartView();
    if (CChartSeries* hover = view->GetSeries(CChartSeries::MouseTextSeries))
        hover->Clear();
    GetUpdateTimer()->stop();
    if (m_nLeaveTimerId != 0)
        killTimer(m_nLeaveTimerId);
    m_nLeaveTimerId = startTimer(kLeaveDelayMs);
    view->unsetCursor();
    RepaintTimeSlider();
}

bool CSingleTimeSlider::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != GetChartView())
        return CTimeSlider::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Enter:
        HandleChartEnter();
        break;
    case QEvent::Leave:
        HandleChartLeave();
        break;
    case QEvent::MouseButtonPress:
        HandleChartPress(static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseMove:
        HandleChartMove(static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseButtonRelease:
        HandleChartRelease(static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::Wheel:
        // Qt propagates only spontaneous wheel events to the parent; take them all here.
        wheelEvent(static_cast<QWheelEvent*>(event));
        return true;
    default:
        break;
    }
    return CTimeSlider::eventFilter(watched, event);
}

namespace {
// The slider's own mouse events (outside the chart view) in chart coordinates.
QMouseEvent ToChart(QWidget* chart, QWidget* slider, QMouseEvent* event)
{
    const QPoint pos = chart->mapFrom(slider, event->pos());
    return QMouseEvent(event->type(), pos, event->windowPos(), event->screenPos(), event->button(),
                       event->buttons(), event->modifiers());
}
} // namespace

void CSingleTimeSlider::mousePressEvent(QMouseEvent* event)
{
    QMouseEvent mapped = ToChart(GetChartView(), this, event);
    HandleChartPress(&mapped);
}

void CSingleTimeSlider::mouseReleaseEvent(QMouseEvent* event)
{
    QMouseEvent mapped = ToChart(GetChartView(), this, event);
    HandleChartRelease(&mapped);
}

void CSingleTimeSlider::mouseMoveEvent(QMouseEvent* event)
{
    QMouseEvent mapped = ToChart(GetChartView(), this, event);
    HandleChartMove(&mapped);
}

void CSingleTimeSlider::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_nLeaveTimerId || m_nLeaveTimerId == 0) {
        CTimeSlider::timerEvent(event);
        return;
    }
    if (IsHold())
        return;
    killTimer(m_nLeaveTimerId);
    m_nLeaveTimerId = 0;
    Q_EMIT SignalMouseLeave();
}

} // namespace TesselGUIToolkit
