#include "TimeLine/TimeSlider.h"

#include "TimeLine/ChartSeries.h"
#include "TimeLine/ChartView.h"
#include "TimeLine/TimeAxis_p.h"

#include <QLabel>
#include <QTimer>
#include <QWheelEvent>

#include <cmath>
#include <ctime>

namespace TesselGUIToolkit {

namespace {
const QString kCenterFormat = QStringLiteral("yyyy/MM/dd hh:mm:ss");
}

class CTimeSliderPrivate
{
public:
    CTimeSliderPrivate(CChartView* view, int zoneOffset)
        : pChartView(view)
        , model(zoneOffset, QDate::currentDate())
    {
    }

    /// The drift follows the zone of the machine; read it where a time crosses into axis seconds.
    void RefreshDrift()
    {
        model.SetCurrentOffset(Detail::LocalZoneOffset(QDateTime::currentDateTime()));
    }

    Detail::ViewWindow View() const
    {
        return {pChartView->GetViewLeft(), pChartView->GetViewRight()};
    }

    CChartView* pChartView = nullptr;
    Detail::CTimeAxisModel model;
    bool bMoving = false;
    bool bHold = false;
    bool bWheel = false;
    int nPressOffset = 0;
    QPoint ptLastMouse{-1, -1};
    Detail::ViewWindow savedView;
    QTimer* pUpdateTimer = nullptr;
    DSTTimeData dstData;
};

CTimeSlider::CTimeSlider(CChartView* chartView, QWidget* parent)
    : QFrame(parent)
    , d(new CTimeSliderPrivate(chartView ? chartView : new CChartView,
                               Detail::LocalZoneOffset(QDateTime::currentDateTime())))
{
    // Signals carry time_t under that name; queued connections and spies need it registered.
    qRegisterMetaType<time_t>("time_t");
    qRegisterMetaType<struTimeSliderData::TimeSegmentParam>();
    qRegisterMetaType<DSTTimeData>();
    d->pChartView->setParent(this);
    setMouseTracking(true);
    d->pUpdateTimer = new QTimer(this);
    d->pUpdateTimer->setInterval(5000);
    connect(d->pUpdateTimer, &QTimer::timeout, this, &CTimeSlider::OnUpdateTimeSlider);
    connect(this, &CTimeSlider::SignalMouseEnter, this, &CTimeSlider::OnUpdateTimeSlider);
}

CTimeSlider::~CTimeSlider() = default;

void CTimeSlider::SetTimeRange(const QDate& from, const QDate& to)
{
    d->RefreshDrift();
    d->model.SetTimeRange(from, to);
}

void CTimeSlider::GetTimeRange(QDateTime& begin, QDateTime& end) const
{
    begin = d->model.GetRangeBegin();
    end = d->model.GetRangeEnd().addSecs(-1);
}

QDateTime CTimeSlider::CurrentTime() const
{
    return d->pChartView->GetCurrentTime();
}

void CTimeSlider::Reset() {}

CChartView* CTimeSlider::GetChartView() const
{
    return d->pChartView;
}

TimeSliderOneScale CTimeSlider::GetScaleLevel() const
{
    return d->model.GetLevel();
}

DSTState CTimeSlider::GetDSTState() const
{
    return d->model.GetDstState();
}

DSTTimeData CTimeSlider::GetDST() const
{
    return d->dstData;
}

void CTimeSlider::SetHold(bool bHold)
{
    d->bHold = bHold;
}

bool CTimeSlider::IsHold() const
{
    return d->bHold;
}

bool CTimeSlider::IsMoving() const
{
    return d->bMoving;
}

qint64 CTimeSlider::GetRangeFloor() const
{
    return d->model.GetRangeFloor();
}

qint64 CTimeSlider::GetRangeCeiling() const
{
    return d->model.GetRangeCeiling();
}

qint64 CTimeSlider::GetRangeBeginUtc() const
{
    return d->model.GetRangeBeginUtc();
}

qint64 CTimeSlider::GetRangeEndUtc() const
{
    return d->model.GetRangeEndUtc();
}

int CTimeSlider::GetZoneDrift() const
{
    d->RefreshDrift();
    return d->model.GetZoneDrift();
}

int CTimeSlider::GetConstructionZoneOffset() const
{
    return d->model.GetConstructionOffset();
}

unsigned int CTimeSlider::GetLastPlayTime() const
{
    return static_cast<unsigned int>(d->model.GetLastPlayTime());
}

void CTimeSlider::OnPlayTime(const QDateTime& dtCur)
{
    if (!dtCur.isValid())
        return;
    const qint64 secs = dtCur.toSecsSinceEpoch();
    // Before 1970 or past what an unsigned int holds: not a time this line can play.
    if (secs < 0 || secs >= Detail::kNoTime)
        return;
    OnPlayTime(static_cast<unsigned int>(secs));
}

void CTimeSlider::OnPlayTime(unsigned int uTime)
{
    if (uTime == 0xFFFFFFFFu || d->bMoving || d->bHold)
        return;
    d->RefreshDrift();
    Detail::ViewWindow view = d->View();
    if (!d->model.PlayTime(uTime, view))
        return;
    d->pChartView->SetViewRange(view.dLeft, view.dRight);
    SetCenterTime(d->model.GetLastPlayTime());
    RepaintTimeSlider();
}

void CTimeSlider::OnSlotZoomIn()
{
    ZoomIn();
}

void CTimeSlider::OnSlotZoomOut()
{
    ZoomOut();
}

void CTimeSlider::MoveRight()
{
    d->bMoving = true;
    d->RefreshDrift();
    const Detail::ViewWindow view = d->model.StepRight(d->View(), GetOneStepSpan(GetScaleLevel()));
    d->pChartView->SetViewRange(view.dLeft, view.dRight);
    SetCenterTime(CenterUtc());
    RepaintTimeSlider();
}

void CTimeSlider::MoveLeft()
{
    d->bMoving = true;
    d->RefreshDrift();
    const Detail::ViewWindow view = d->model.StepLeft(d->View(), GetOneStepSpan(GetScaleLevel()));
    d->pChartView->SetViewRange(view.dLeft, view.dRight);
    SetCenterTime(CenterUtc());
    RepaintTimeSlider();
}

void CTimeSlider::OnSlotReleaseMove()
{
    d->bMoving = false;
}

void CTimeSlider::OnUpdateTimeSlider()
{
    RefreshHoverText();
    RepaintTimeSlider();
}

void CTimeSlider::SetDST(DSTTimeData s_dst_time_data)
{
    d->dstData = s_dst_time_data;
}

void CTimeSlider::SetDSTState(DSTState e_dst_state)
{
    d->model.SetDstState(e_dst_state);
}

void CTimeSlider::ZoomIn()
{
    const int level = d->model.ZoomInLevel();
    if (level == d->model.GetLevel())
        return;
    d->model.SetLevel(level);
    ShowZoomByType(level);
}

void CTimeSlider::ZoomOut()
{
    const int level = d->model.ZoomOutLevel();
    if (level == d->model.GetLevel())
        return;
    d->model.SetLevel(level);
    ShowZoomByType(level);
}

void CTimeSlider::ShowZoomByType(int level)
{
    const Detail::ScaleRow row = Detail::ScaleForLevel(level, d->model.GetDstState());
    SetMinMaxBySpan(row.nSpan);
    if (auto* axis = dynamic_cast<CAxisSeries*>(d->pChartView->GetSeries(CChartSeries::AxisSeries)))
        axis->SetTickStep(row.nStep);
    d->pChartView->SetScaleText(QString::fromLatin1(row.pszLabel));
    RepaintTimeSlider();
}

void CTimeSlider::SetMinMaxBySpan(double span)
{
    if (!(span >= 0.0))
        return;
    const Detail::ViewWindow view = d->model.SpanAround(d->View(), span);
    d->pChartView->SetViewRange(view.dLeft, view.dRight);
}

int CTimeSlider::GetOneStepSpan(int level) const
{
    return Detail::ScaleForLevel(level, d->model.GetDstState()).nStep;
}

int CTimeSlider::GetLeftSpace(int level) const
{
    return Detail::ScaleForLevel(level, d->model.GetDstState()).nOverscroll;
}

int CTimeSlider::GetViewSpan(int level) const
{
    return Detail::ScaleForLevel(level, d->model.GetDstState()).nSpan;
}

void CTimeSlider::SetScaleLevel(TimeSliderOneScale level)
{
    d->model.SetLevel(level);
}

void CTimeSlider::RepaintTimeSlider()
{
    d->pChartView->RepaintChart();
}

void CTimeSlider::Clear()
{
    d->pChartView->ClearAllSeries();
}

QRect CTimeSlider::GetCameraNameRect() const
{
    const QLabel* label = d->pChartView->GetCameraNameLabel();
    return QRect(d->pChartView->mapTo(this, label->pos()), label->size());
}

void CTimeSlider::wheelEvent(QWheelEvent* event)
{
    d->bWheel = true;
    const QPoint angle = event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    if (delta >= 1)
        ZoomIn();
    else
        ZoomOut();
    d->bWheel = false;
    event->accept();
}

void CTimeSlider::SetMoving(bool bMoving)
{
    d->bMoving = bMoving;
}

QTimer* CTimeSlider::GetUpdateTimer() const
{
    return d->pUpdateTimer;
}

bool CTimeSlider::IsWheeling() const
{
    return d->bWheel;
}

double CTimeSlider::AxisFromUtc(qint64 utc) const
{
    d->RefreshDrift();
    return d->model.AxisFromUtc(utc);
}

qint64 CTimeSlider::UtcFromAxis(double axis) const
{
    d->RefreshDrift();
    return d->model.UtcFromAxis(axis);
}

bool CTimeSlider::MapSegmentToAxis(qint64 begin, qint64 end, double& left, double& right) const
{
    return d->model.MapSegment(begin, end, left, right);
}

QPoint CTimeSlider::GetLastMousePos() const
{
    return d->ptLastMouse;
}

void CTimeSlider::SetLastMousePos(const QPoint& pos)
{
    d->ptLastMouse = pos;
}

void CTimeSlider::BeginDrag(int x)
{
    d->savedView = d->View();
    const QRect chart = d->pChartView->GetChartRect();
    const double span = d->savedView.Span();
    d->nPressOffset = chart.width() > 0
        ? static_cast<int>(std::trunc((x - chart.left()) * span / chart.width()))
        : 0;
}

bool CTimeSlider::DragTo(int x)
{
    const QRect chart = d->pChartView->GetChartRect();
    if (chart.width() <= 0)
        return false;
    d->RefreshDrift();
    const double span = d->savedView.Span();
    const qint64 delta = static_cast<qint64>(
        std::trunc((x - chart.left()) * span / chart.width() - d->nPressOffset));
    const Detail::ViewWindow before = d->View();
    const Detail::ViewWindow view
        = d->model.DragView(d->savedView, delta, GetLeftSpace(GetScaleLevel()));
    d->pChartView->SetViewRange(view.dLeft, view.dRight);
    SetCenterTime(CenterUtc());
    return view != before;
}

bool CTimeSlider::ViewMovedSinceDrag() const
{
    return d->View() != d->savedView;
}

qint64 CTimeSlider::CenterUtc() const
{
    return UtcFromAxis(std::trunc(d->View().Center()));
}

void CTimeSlider::RefreshHoverText()
{
    auto* layer = dynamic_cast<CMouseTextSeries*>(
        d->pChartView->GetSeries(CChartSeries::MouseTextSeries));
    if (!layer)
        return;
    if (!d->pChartView->GetChartRect().contains(d->ptLastMouse)) {
        layer->Clear();
        return;
    }
    const double t = d->pChartView->XToTime(d->ptLastMouse.x());
    layer->SetMouseTime(t, Detail::FormatLocal(UtcFromAxis(t), QStringLiteral("hh:mm:ss")));
}

void CTimeSlider::SetCenterTime(qint64 utc)
{
    d->pChartView->SetCenterText(Detail::FormatLocal(utc, kCenterFormat));
    d->pChartView->SetCurrentTime(QDateTime::fromSecsSinceEpoch(utc));
}

} // namespace TesselGUIToolkit
