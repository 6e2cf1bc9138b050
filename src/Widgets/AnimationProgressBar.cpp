#include "Widgets/AnimationProgressBar.h"

#include "Widgets/AbstractDelegate.h"
#include "Widgets/RulerScale_p.h"

#include <QElapsedTimer>
#include <QFontMetrics>
#include <QLabel>
#include <QLine>
#include <QMouseEvent>
#include <QPainter>
#include <QStaticText>
#include <QTimeZone>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

#ifdef Q_OS_WIN
#include <ctime>
#endif

namespace TesselGUIToolkit {

using namespace Detail;

namespace {

    // Drag timing in milliseconds. The Windows C runtime's clock() counts wall time since the
    // process started; elsewhere clock() counts processor time, so a monotonic timer stands in.
    qint64 ClockMs()
    {
#ifdef Q_OS_WIN
        return qint64(std::clock()) * 1000 / CLOCKS_PER_SEC;
#else
        static QElapsedTimer timer = [] {
            QElapsedTimer started;
            started.start();
            return started;
        }();
        return timer.elapsed();
#endif
    }

    const QColor kScaleColor(0xCC, 0xCC, 0xCC);
    const QColor kMiddleLineColor(0xFA, 0x32, 0x39);
    const QColor kMiddleShadowColor(0x2E, 0x2E, 0x2E);
    constexpr qreal kMiddleShadowOpacity = 0.58;
    constexpr int kLabelGap = 12; // pixels of air between two labels
    constexpr int kDragDataInterval = 200; // ms between drag reports
    constexpr int kTipWidth = 54;
    constexpr int kTipHeight = 13;
    constexpr int kMinutesPerDay = 24 * 60;

    const qint64 kDefaultEarliest =
        QDateTime(QDate(1971, 1, 1), QTime(0, 0), Qt::UTC).toMSecsSinceEpoch();
    const qint64 kDefaultLatest =
        QDateTime(QDate(2105, 1, 1), QTime(0, 0), Qt::UTC).toMSecsSinceEpoch();

    unsigned int ToUtcSeconds(qint64 seconds)
    {
        return unsigned(std::min<qint64>(std::max<qint64>(seconds, 0), 0xFFFFFFFEll));
    }

} // namespace

TimeZoneParam TimeZoneParam::FromTimeZone(const QTimeZone& zone, int year)
{
    TimeZoneParam param;
    if (!zone.isValid())
        return param;
    const QDateTime yearStart(QDate(year, 1, 1), QTime(0, 0), Qt::UTC);
    const QDateTime yearEnd(QDate(year + 1, 1, 1), QTime(0, 0), Qt::UTC);
    param.nBias = -zone.standardTimeOffset(yearStart) / 60;
    if (!zone.hasDaylightTime() || !zone.hasTransitions())
        return param;
    qint64 start = -1;
    qint64 end = -1;
    int daylightOffset = 0;
    QTimeZone::OffsetData transition = zone.nextTransition(yearStart.addSecs(-1));
    for (int guard = 0; transition.atUtc.isValid() && transition.atUtc < yearEnd && guard < 16;
         ++guard) {
        if (transition.daylightTimeOffset > 0 && start < 0) {
            start = transition.atUtc.toSecsSinceEpoch();
            daylightOffset = transition.daylightTimeOffset;
        } else if (transition.daylightTimeOffset == 0 && end < 0) {
            end = transition.atUtc.toSecsSinceEpoch();
        }
        transition = zone.nextTransition(transition.atUtc);
    }
    if (start < 0 || end < 0)
        return param;
    param.llDSTStart = start;
    param.llDSTEnd = end;
    param.nDSTBias = -daylightOffset / 60;
    param.bEnableDST = true;
    return param;
}

class CAnimationProgressBarPrivate
{
public:
    qint64 llCurrentMs = 0;
    qint64 llEarliestMs = kDefaultEarliest;
    qint64 llLatestMs = kDefaultLatest;
    CRulerZoom zoom;
    int nTimerInterval = kRulerTimerInterval;

    // Slides (linear and non-linear share the fields; the target is in seconds).
    bool bSliding = false;
    bool bNonLinear = false;
    qint64 llSlideTarget = 0;
    int nSlideDuration = 0;
    int nSlideElapsed = 0;
    double dSlideRemainingPx = 0;
    float fNonLinearStep = 0;

    // Press, drag and inertia; cursor positions are global x.
    bool bPressed = false;
    bool bMouseDown = false;
    Qt::MouseButton ePressButton = Qt::NoButton;
    bool bPressTaken = false;
    bool bMoved = false;
    bool bInertiaInterrupted = false;
    bool bDragReporting = false;
    bool bMoving = false;
    bool bStopMovingRequested = false;
    double dSpeed = 0;
    double dLastGlobalX = 0;
    double dPressGlobalX = 0;
    float fPressX = 0;
    qint64 llPressTime = 0;
    qint64 llLastMoveTime = 0;
    qint64 llLastDragDataTime = 0;
    qint64 llPressRulerMs = 0;
    CDragSpeedMeter meter;

    bool bMouseEnabled = true;
    bool bDragEnabled = false;
    bool bDrawMiddleLine = true;
    bool bSimplify = false;
    bool bHovering = false;
    QPoint ptHover;

    TimeZoneParam zone;
    QColor colorBackground{0x1F, 0x1F, 0x1F};
    QVector<CAbstractDelegate*> delegates;

    QLabel* pTimeTip = nullptr;
    QTimer* pAnimationTimer = nullptr;
    QTimer* pMovingTimer = nullptr;
    QTimer* pTipTimer = nullptr;
    QTimer* pHoverTimer = nullptr;

    // Painting: one font, its label texts laid out once per minute of the day, and buffers
    // reused from frame to frame.
    QFont fontScale;
    int nLabelSpacing = 40;
    QVector<QStaticText> labels;
    QVector<RulerTick> ticks;
    QVector<QLine> solidLines;
    QVector<QLine> fadedLines;

    const QStaticText& Label(qint64 localSeconds)
    {
        const int minute = int(FloorMod(localSeconds, kSecondsPerDay) / 60);
        QStaticText& text = labels[minute];
        if (text.text().isEmpty()) {
            text.setText(FormatClock(qint64(minute) * 60, false));
            text.setTextFormat(Qt::PlainText);
            text.prepare(QTransform(), fontScale);
        }
        return text;
    }

    qint64 CurrentSeconds() const { return FloorDiv(llCurrentMs, 1000); }
    qint64 Clamp(qint64 ms) const { return std::min(std::max(ms, llEarliestMs), llLatestMs); }
    qint64 ClampSeconds(qint64 seconds) const
    {
        return std::min(std::max(seconds, FloorDiv(llEarliestMs + 999, 1000)),
                        FloorDiv(llLatestMs, 1000));
    }
};

CAnimationProgressBar::CAnimationProgressBar(QWidget* parent)
    : QWidget(parent)
    , d(new CAnimationProgressBarPrivate)
{
    qRegisterMetaType<DragData>();
    qRegisterMetaType<DragData>("DragData");
    qRegisterMetaType<TotalValue>("TotalValue");

    d->llCurrentMs = d->Clamp(QDateTime::currentMSecsSinceEpoch());
    d->fontScale = QFont(QStringLiteral("Segoe UI"));
    d->fontScale.setPixelSize(10);
    d->nLabelSpacing =
        QFontMetrics(d->fontScale).horizontalAdvance(QStringLiteral("00:00")) + kLabelGap;
    d->labels.resize(kMinutesPerDay);

    setMouseTracking(true); // the time tip follows the cursor without a button held
    setAttribute(Qt::WA_OpaquePaintEvent);

    d->pAnimationTimer = new QTimer(this);
    d->pAnimationTimer->setInterval(d->nTimerInterval);
    d->pMovingTimer = new QTimer(this);
    d->pMovingTimer->setInterval(kRulerTimerInterval);
    connect(d->pMovingTimer, &QTimer::timeout, this, &CAnimationProgressBar::OnMovingTimeOut);
    d->pTipTimer = new QTimer(this);
    d->pTipTimer->setInterval(10);
    connect(d->pTipTimer, &QTimer::timeout, this, &CAnimationProgressBar::OnTimeTipTimeOut);
    d->pHoverTimer = new QTimer(this);
    d->pHoverTimer->setSingleShot(true);
    d->pHoverTimer->setInterval(500);
    connect(d->pHoverTimer, &QTimer::timeout, this, &CAnimationProgressBar::OnHoverTimeOut);

    d->pTimeTip = new QLabel(this);
    d->pTimeTip->setObjectName(QStringLiteral("ptr_time_tip_lb_"));
    d->pTimeTip->setFixedSize(kTipWidth, kTipHeight);
    d->pTimeTip->setAlignment(Qt::AlignCenter);
    d->pTimeTip->setFont(d->fontScale);
    d->pTimeTip->setStyleSheet(
        QStringLiteral("QLabel#ptr_time_tip_lb_ { background-color: #3A3A3A; color: #FFFFFF; }"));
    d->pTimeTip->setAttribute(Qt::WA_TransparentForMouseEvents);
    d->pTimeTip->hide();
}

CAnimationProgressBar::~CAnimationProgressBar() = default;

QSize CAnimationProgressBar::sizeHint() const
{
    return QSize(720, 48);
}

// ---------------------------------------------------------------------------------------------
// Time

bool CAnimationProgressBar::PlaceAt(qint64 utcMilliseconds)
{
    const qint64 clamped = d->Clamp(utcMilliseconds);
    d->llCurrentMs = clamped;
    update();
    return clamped != utcMilliseconds;
}

void CAnimationProgressBar::SetCurrentDateTime(const QDateTime& dateTime, bool animate,
                                               int duration, AnimationType type)
{
    if (!dateTime.isValid())
        return;
    const qint64 ms = d->Clamp(dateTime.toMSecsSinceEpoch());
    if (animate) {
        StartSliding(FloorDiv(ms, 1000), duration, type);
        return;
    }
    StopSlideTimer();
    PlaceAt(ms);
}

void CAnimationProgressBar::SetPlayBackTime(unsigned int utcSeconds, bool animate, int duration,
                                            AnimationType type)
{
    if (utcSeconds == 0xFFFFFFFFu || d->bPressed || d->bMoving)
        return;
    SetCurrentDateTime(QDateTime::fromSecsSinceEpoch(qint64(utcSeconds), Qt::UTC), animate,
                       duration, type);
}

void CAnimationProgressBar::SetCurrentUTCTime(qint64 utcMilliseconds)
{
    StopSlideTimer();
    PlaceAt(utcMilliseconds);
}

QDateTime CAnimationProgressBar::GetCurrentDateTime() const
{
    return QDateTime::fromMSecsSinceEpoch(d->llCurrentMs);
}

QDateTime CAnimationProgressBar::GetCurrentDateTimeByTimeZone() const
{
    const int offset = -ZoneBiasMinutes(d->CurrentSeconds(), d->zone) * 60;
    return QDateTime::fromMSecsSinceEpoch(d->llCurrentMs, Qt::OffsetFromUTC, offset);
}

qint64 CAnimationProgressBar::GetCurrentUTCTime() const
{
    return d->llCurrentMs;
}

QDateTime CAnimationProgressBar::GetCurrentUTCDayTime() const
{
    return QDateTime::fromMSecsSinceEpoch(d->llCurrentMs, Qt::UTC);
}

bool CAnimationProgressBar::SetTimeRange(const QDateTime& earliest, const QDateTime& latest)
{
    if (!earliest.isValid() || !latest.isValid() || earliest > latest)
        return false;
    d->llEarliestMs = earliest.toMSecsSinceEpoch();
    d->llLatestMs = latest.toMSecsSinceEpoch();
    d->llSlideTarget = d->ClampSeconds(d->llSlideTarget);
    PlaceAt(d->llCurrentMs);
    return true;
}

void CAnimationProgressBar::GetTimeRange(QDateTime& earliest, QDateTime& latest) const
{
    earliest = QDateTime::fromMSecsSinceEpoch(d->llEarliestMs);
    latest = QDateTime::fromMSecsSinceEpoch(d->llLatestMs);
}

bool CAnimationProgressBar::IsDatetimeValid(const QDateTime& dateTime) const
{
    return dateTime.isValid() && IsDatetimeValid(dateTime.toMSecsSinceEpoch());
}

bool CAnimationProgressBar::IsDatetimeValid(const qint64& utcMilliseconds) const
{
    return utcMilliseconds >= d->llEarliestMs && utcMilliseconds <= d->llLatestMs;
}

QDateTime CAnimationProgressBar::GetAvailableDateTime(const QDateTime& dateTime) const
{
    if (!dateTime.isValid())
        return GetCurrentDateTime();
    if (IsDatetimeValid(dateTime))
        return dateTime;
    return QDateTime::fromMSecsSinceEpoch(d->Clamp(dateTime.toMSecsSinceEpoch()));
}

void CAnimationProgressBar::SetTimeZoneInfor(const TimeZoneParam& param)
{
    d->zone = param;
    update();
}

TimeZoneParam CAnimationProgressBar::GetTimeZoneInfor() const
{
    return d->zone;
}

bool CAnimationProgressBar::IsWithinDST(unsigned int utcSeconds) const
{
    return IsWithinDaylightSaving(qint64(utcSeconds), d->zone.llDSTStart, d->zone.llDSTEnd);
}

// ---------------------------------------------------------------------------------------------
// Zoom

void CAnimationProgressBar::SetCurrentLevel(TotalValue level)
{
    if (!IsRulerLevel(int(level)))
        return;
    StopSliding();
    StopMoving(false);
    StopScaling(false);
    d->zoom.SetLevel(int(level));
    update();
    Q_EMIT SignalLevelChanged(level);
}

CAnimationProgressBar::TotalValue CAnimationProgressBar::GetCurrentLevel() const
{
    return TotalValue(d->zoom.Level());
}

void CAnimationProgressBar::ScaleByStep(int step)
{
    switch (d->zoom.Step(step)) {
    case CRulerZoom::Started:
        StopSliding();
        StartScaling();
        break;
    case CRulerZoom::Reversed:
        update();
        break;
    case CRulerZoom::Ignored:
        break;
    }
}

bool CAnimationProgressBar::isScaling() const
{
    return d->zoom.IsScaling();
}

float CAnimationProgressBar::UnitScaleLength() const
{
    return float(d->zoom.Unit(width()).dLength);
}

float CAnimationProgressBar::UnitTimeLength() const
{
    return float(d->zoom.Unit(width()).dTime);
}

void CAnimationProgressBar::StartScaling()
{
    StopSlideTimer();
    connect(d->pAnimationTimer, &QTimer::timeout, this,
            &CAnimationProgressBar::OnScaleAnimationTimeOut, Qt::UniqueConnection);
    d->pAnimationTimer->start();
    update();
    Q_EMIT SignalScalingStarted();
}

void CAnimationProgressBar::OnScaleAnimationTimeOut()
{
    if (!d->zoom.IsScaling()) {
        StopScaling(false);
        return;
    }
    const bool done = d->zoom.Advance(d->nTimerInterval);
    update();
    Q_EMIT SignalScaling();
    if (done)
        StopScaling(true);
}

void CAnimationProgressBar::StopScaling(bool reportLevel)
{
    disconnect(d->pAnimationTimer, &QTimer::timeout, this,
               &CAnimationProgressBar::OnScaleAnimationTimeOut);
    if (!d->zoom.IsScaling())
        return;
    d->pAnimationTimer->stop();
    d->zoom.Finish();
    update();
    Q_EMIT SignalScalingEnded();
    if (reportLevel)
        Q_EMIT SignalLevelChanged(TotalValue(d->zoom.Level()));
}

// ---------------------------------------------------------------------------------------------
// Geometry

qint64 CAnimationProgressBar::UTCSecondsAtXPos(float x) const
{
    return RulerSecondsAtX(d->llCurrentMs, x, width(), d->zoom.Unit(width()));
}

float CAnimationProgressBar::XPosAtUTCSeconds(unsigned int utcSeconds) const
{
    return float(
        RulerXAtSeconds(qint64(utcSeconds), d->CurrentSeconds(), width(), d->zoom.Unit(width())));
}

float CAnimationProgressBar::VisualXPosAtUTCSeconds(unsigned int utcSeconds) const
{
    return float(RulerVisualXAtSeconds(qint64(utcSeconds), d->CurrentSeconds(), width(),
                                       d->zoom.Unit(width())));
}

QString CAnimationProgressBar::UTCSecondsToString(unsigned int utcSeconds) const
{
    if (utcSeconds == 0xFFFFFFFFu)
        return QString();
    return FormatClock(ZoneLocalSeconds(qint64(utcSeconds), d->zone), false);
}

// ---------------------------------------------------------------------------------------------
// Moving and sliding

bool CAnimationProgressBar::MoveByOffsetX(double dx)
{
    const RulerUnit unit = d->zoom.Unit(width());
    if (!(unit.dLength > 0) || dx == 0)
        return false;
    const qint64 moved = d->llCurrentMs - qint64(dx * unit.dTime * 1000.0 / unit.dLength);
    if (!IsDatetimeValid(moved)) {
        PlaceAt(moved);
        return true;
    }
    d->llCurrentMs = moved;
    update();
    return false;
}

void CAnimationProgressBar::StartSliding(qint64 utcSeconds, int duration, AnimationType type)
{
    if (type == NonLinear) {
        StartNolinearSliding(utcSeconds);
        return;
    }
    StopSlideTimer();
    StopScaling(true);
    const qint64 target = d->ClampSeconds(utcSeconds);
    const LinearSlidePlan plan =
        PlanLinearSlide(d->CurrentSeconds(), target, duration, d->zoom.Unit(width()), true);
    d->llCurrentMs = d->Clamp(d->llCurrentMs + plan.llJumpSeconds * 1000);
    d->llSlideTarget = target;
    d->bSliding = true;
    d->bNonLinear = false;
    if (plan.nDuration <= 0 || plan.dPixels == 0) {
        StopSliding();
        return;
    }
    d->nSlideDuration = plan.nDuration;
    d->nSlideElapsed = 0;
    d->dSlideRemainingPx = plan.dPixels;
    connect(d->pAnimationTimer, &QTimer::timeout, this,
            &CAnimationProgressBar::OnSlideAnimationTimeOut, Qt::UniqueConnection);
    d->pAnimationTimer->start();
    update();
}

void CAnimationProgressBar::StartNolinearSliding(qint64 utcSeconds)
{
    StopSlideTimer();
    StopScaling(true);
    const qint64 target = d->ClampSeconds(utcSeconds);
    const RulerUnit unit = d->zoom.Unit(width());
    const double pixels =
        unit.dTime > 0 ? double(target - d->CurrentSeconds()) * unit.dLength / unit.dTime : 0.0;
    d->fNonLinearStep = float(pixels * 0.5 / 28);
    d->llSlideTarget = target;
    d->bSliding = true;
    d->bNonLinear = true;
    d->nSlideElapsed = 0;
    connect(d->pAnimationTimer, &QTimer::timeout, this,
            &CAnimationProgressBar::OnSlideAnimationTimeOut, Qt::UniqueConnection);
    d->pAnimationTimer->start();
}

void CAnimationProgressBar::OnSlideAnimationTimeOut()
{
    if (!d->bSliding) {
        StopSlideTimer();
        return;
    }
    if (d->bNonLinear) {
        d->nSlideElapsed += d->nTimerInterval;
        if (d->nSlideElapsed >= kNonLinearSlideLength) {
            StopSliding();
            return;
        }
        const int k = d->nSlideElapsed / d->nTimerInterval;
        MoveByOffsetX(-double(NonLinearSlideWeight(k)) * d->fNonLinearStep);
        return;
    }
    const int remaining = d->nSlideDuration - d->nSlideElapsed;
    if (remaining < d->nTimerInterval) {
        StopSliding();
        return;
    }
    const double step = d->dSlideRemainingPx * d->nTimerInterval / remaining;
    d->dSlideRemainingPx -= step;
    d->nSlideElapsed += d->nTimerInterval;
    MoveByOffsetX(-step); // a later time moves the ruler to the left
}

void CAnimationProgressBar::StopSlideTimer()
{
    disconnect(d->pAnimationTimer, &QTimer::timeout, this,
               &CAnimationProgressBar::OnSlideAnimationTimeOut);
    if (!d->zoom.IsScaling())
        d->pAnimationTimer->stop();
    d->bSliding = false;
}

void CAnimationProgressBar::StopSliding()
{
    const bool wasSliding = d->bSliding;
    StopSlideTimer();
    if (wasSliding && !d->bPressed && !d->bMoving)
        PlaceAt(d->llSlideTarget * 1000);
    update();
}

void CAnimationProgressBar::StopAllAnimation()
{
    StopScaling(true);
    StopSliding();
    StopMoving(false);
}

void CAnimationProgressBar::SetStopMoving()
{
    if (d->bMoving)
        d->bStopMovingRequested = true;
}

void CAnimationProgressBar::SetPressed(bool pressed)
{
    d->bPressed = pressed;
}

bool CAnimationProgressBar::IsPressed() const
{
    return d->bPressed;
}

bool CAnimationProgressBar::IsSliding() const
{
    return d->bSliding;
}

bool CAnimationProgressBar::IsMoving() const
{
    return d->bMoving;
}

bool CAnimationProgressBar::StartMovingX(double cursorX)
{
    const qint64 now = ClockMs();
    const double speed = InertiaStartSpeed(d->meter.Speed(), now - d->llLastMoveTime,
                                           now - d->llPressTime, cursorX - d->dPressGlobalX);
    if (speed == 0)
        return false;
    d->dSpeed = speed;
    d->bMoving = true;
    d->bStopMovingRequested = false;
    d->pMovingTimer->start();
    return true;
}

void CAnimationProgressBar::OnMovingTimeOut()
{
    if (!d->bMoving || d->bStopMovingRequested) {
        StopMoving(d->bMoving);
        return;
    }
    const bool atBound = MoveByOffsetX(double(int(d->dSpeed * 10)));
    Q_EMIT SignalMovingAtAtTime(ToUtcSeconds(d->CurrentSeconds()));
    d->dSpeed = DecayInertiaSpeed(d->dSpeed);
    // A run that reaches an end of the range stops there instead of pushing against it.
    if (atBound || d->dSpeed == 0)
        StopMoving(true);
}

void CAnimationProgressBar::StopMoving(bool report)
{
    d->pMovingTimer->stop();
    const bool wasMoving = d->bMoving;
    d->bMoving = false;
    d->bStopMovingRequested = false;
    d->dSpeed = 0;
    if (wasMoving && report)
        EmitStop();
}

void CAnimationProgressBar::EmitStop()
{
    Q_EMIT SignalStopAtTime(GetCurrentDateTime());
    Q_EMIT SignalClickedAtTime(d->CurrentSeconds());
}

void CAnimationProgressBar::EmitDragData(bool finished)
{
    DragData data;
    data.llTime = d->llCurrentMs;
    data.llPressTime = d->llPressRulerMs;
    data.nOffsetX = int(std::lround(d->dLastGlobalX - d->dPressGlobalX));
    data.nLevel = d->zoom.Level();
    d->llLastDragDataTime = ClockMs();
    Q_EMIT SignalDragData(data, finished);
}

// ---------------------------------------------------------------------------------------------
// Look and delegates

void CAnimationProgressBar::SetBackgroundColor(const QColor& color)
{
    if (!color.isValid() || color == d->colorBackground)
        return;
    d->colorBackground = color;
    update();
}

QColor CAnimationProgressBar::GetBackgroundColor() const
{
    return d->colorBackground;
}

void CAnimationProgressBar::SetSimplifyMode(bool simplify)
{
    if (simplify == d->bSimplify)
        return;
    d->bSimplify = simplify;
    if (simplify)
        HideTimeTip();
    update();
}

bool CAnimationProgressBar::IsSimplifyMode() const
{
    return d->bSimplify;
}

void CAnimationProgressBar::SetDragEnable(bool enable)
{
    d->bDragEnabled = enable;
}

bool CAnimationProgressBar::IsDragEnable() const
{
    return d->bDragEnabled;
}

void CAnimationProgressBar::SetDrawMiddleLine(bool draw)
{
    if (draw == d->bDrawMiddleLine)
        return;
    d->bDrawMiddleLine = draw;
    update();
}

bool CAnimationProgressBar::IsDrawMiddleLine() const
{
    return d->bDrawMiddleLine;
}

void CAnimationProgressBar::DisableMouseEvent()
{
    d->bMouseEnabled = false;
    d->bMouseDown = false;
    d->bHovering = false;
    HideTimeTip();
}

void CAnimationProgressBar::Redraw()
{
    update();
}

void CAnimationProgressBar::InsertDelegate(CAbstractDelegate* delegate, int index)
{
    if (!delegate || d->delegates.contains(delegate))
        return;
    if (index < 0 || index > d->delegates.size())
        index = d->delegates.size();
    d->delegates.insert(index, delegate);
    update();
}

void CAnimationProgressBar::RemoveDelegate(CAbstractDelegate* delegate)
{
    if (d->delegates.removeAll(delegate) > 0)
        update();
}

void CAnimationProgressBar::RemoveAllDelegate()
{
    if (d->delegates.isEmpty())
        return;
    d->delegates.clear();
    update();
}

QVector<CAbstractDelegate*> CAnimationProgressBar::Delegate() const
{
    return d->delegates;
}

// ---------------------------------------------------------------------------------------------
// Events

void CAnimationProgressBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (d->pTimeTip->isVisible())
        OnTimeTipTimeOut();
}

void CAnimationProgressBar::mousePressEvent(QMouseEvent* event)
{
    if (!d->bMouseEnabled || event->button() == Qt::RightButton || d->zoom.IsScaling()
        || d->bSliding || d->bMouseDown) {
        event->ignore();
        return;
    }
    event->accept();
    HideTimeTip();
    d->bInertiaInterrupted = d->bMoving;
    StopMoving(false);
    d->bPressed = true;
    d->bMouseDown = true;
    d->ePressButton = event->button();
    d->bMoved = false;
    d->bPressTaken = false;
    d->fPressX = float(event->localPos().x());
    d->dPressGlobalX = d->dLastGlobalX = event->screenPos().x();
    d->llPressTime = d->llLastMoveTime = ClockMs();
    d->llPressRulerMs = d->llCurrentMs;
    d->meter.Start(d->llPressTime, d->dPressGlobalX);
    setCursor(Qt::ArrowCursor);

    const QVector<CAbstractDelegate*> delegates = d->delegates; // a delegate may edit the list
    for (CAbstractDelegate* delegate : delegates) {
        if (delegate->MousePress(event->pos())) {
            d->bPressTaken = true;
            d->bPressed = false;
            return;
        }
    }
    d->bDragReporting = d->bDragEnabled;
    if (d->bDragReporting)
        EmitDragData(false);
}

void CAnimationProgressBar::mouseMoveEvent(QMouseEvent* event)
{
    if (!d->bMouseEnabled)
        return;
    if (!d->bMouseDown) {
        d->bHovering = true;
        d->ptHover = event->pos();
        if (!d->pTimeTip->isVisible() && !d->bSimplify)
            d->pHoverTimer->start();
        return;
    }
    if (d->bPressTaken)
        return;
    const double globalX = event->screenPos().x();
    const double dx = globalX - d->dLastGlobalX;
    if (dx == 0)
        return;
    d->dLastGlobalX = globalX;
    d->bMoved = true;
    const qint64 now = ClockMs();
    d->llLastMoveTime = now;
    d->meter.Add(now, globalX);
    MoveByOffsetX(dx);
    Q_EMIT SignalDragAtTime(ToUtcSeconds(d->CurrentSeconds()));
    if (d->bDragReporting && now - d->llLastDragDataTime >= kDragDataInterval)
        EmitDragData(false);
}

void CAnimationProgressBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (!d->bMouseDown || event->button() != d->ePressButton)
        return;
    d->bMouseDown = false;
    d->bPressed = false;
    const bool interrupted = d->bInertiaInterrupted;
    d->bInertiaInterrupted = false;
    if (d->bPressTaken) {
        d->bPressTaken = false;
        if (interrupted)
            EmitStop(); // the fling was stopped where it stood
        return;
    }
    if (d->bMoved) {
        if (!StartMovingX(event->screenPos().x()))
            EmitStop();
    } else if (!interrupted) {
        const qint64 seconds = UTCSecondsAtXPos(float(event->localPos().x()));
        if (IsDatetimeValid(seconds * 1000)) {
            StartNolinearSliding(seconds);
            Q_EMIT SignalClickedAtTime(seconds);
        }
    } else {
        EmitStop();
    }
    if (d->bDragReporting)
        EmitDragData(true);
    d->bDragReporting = false;
    d->bMoved = false;
}

void CAnimationProgressBar::wheelEvent(QWheelEvent* event)
{
    if (!d->bMouseEnabled) {
        event->ignore();
        return;
    }
    event->accept();
    if (d->bMoving || d->bSliding)
        return;
    const int step = event->angleDelta().y() / 120;
    if (step == 1 || step == -1)
        ScaleByStep(step);
}

void CAnimationProgressBar::enterEvent(QEvent* event)
{
    QWidget::enterEvent(event);
    if (!d->bMouseEnabled)
        return;
    d->bHovering = true;
    Q_EMIT SignalEnter();
}

void CAnimationProgressBar::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    if (!d->bMouseEnabled)
        return;
    d->bHovering = false;
    HideTimeTip();
    Q_EMIT SignalLeave();
}

void CAnimationProgressBar::OnHoverTimeOut()
{
    if (d->bHovering && !d->bMouseDown && d->bMouseEnabled && !d->bSimplify)
        ShowTimeTip();
}

void CAnimationProgressBar::ShowTimeTip()
{
    OnTimeTipTimeOut();
    d->pTimeTip->show();
    d->pTimeTip->raise();
    d->pTipTimer->start();
}

void CAnimationProgressBar::HideTimeTip()
{
    d->pHoverTimer->stop();
    d->pTipTimer->stop();
    d->pTimeTip->hide();
}

void CAnimationProgressBar::OnTimeTipTimeOut()
{
    // The ruler may move under a still cursor (playback, slides), so the text is refreshed.
    const qint64 seconds = UTCSecondsAtXPos(float(d->ptHover.x()));
    d->pTimeTip->setText(FormatClock(ZoneLocalSeconds(seconds, d->zone), true));
    const int x = std::max(0, std::min(d->ptHover.x() - kTipWidth / 2, width() - kTipWidth));
    const int y = std::max(0, std::min(d->ptHover.y() - kTipHeight - 6, height() - kTipHeight));
    d->pTimeTip->move(x, y);
}

// ---------------------------------------------------------------------------------------------
// Painting

void CAnimationProgressBar::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    painter.fillRect(rect(), d->colorBackground);
    if (width() <= 0 || height() <= 0)
        return;
    DrawScale(painter);
    for (CAbstractDelegate* delegate : qAsConst(d->delegates)) {
        painter.save();
        delegate->Paint(&painter);
        painter.restore();
    }
    if (d->bDrawMiddleLine) {
        const int middle = width() / 2;
        painter.fillRect(QRect(middle - 3, 0, 3, height()), kMiddleLineColor);
        painter.setOpacity(kMiddleShadowOpacity);
        painter.fillRect(QRect(middle, 0, 3, height()), kMiddleShadowColor);
        painter.setOpacity(1.0);
    }
}

void CAnimationProgressBar::DrawScale(QPainter& painter)
{
    RulerTickInput input;
    input.llCurrentMs = d->llCurrentMs;
    input.nWidth = width();
    input.unit = d->zoom.Unit(width());
    input.nFineDivisor = d->zoom.FineDivisor();
    input.dFineAlpha = d->zoom.FineAlpha();
    input.nLabelSpacing = d->nLabelSpacing;
    ComputeRulerTicks(input, d->zone, d->ticks);
    if (d->ticks.isEmpty())
        return;

    // Labelled ticks reach further down than the rest; the fine level's own ticks carry its
    // fade in their pen, so each group is one drawLines call.
    const int major = qBound(3, height() * 3 / 10, 12);
    const int minor = std::max(2, major * 3 / 5);
    d->solidLines.clear();
    d->fadedLines.clear();
    for (const RulerTick& tick : qAsConst(d->ticks)) {
        const int length = tick.fLabelAlpha > 0 ? major : minor;
        (tick.fAlpha >= 1.0f ? d->solidLines : d->fadedLines)
            .append(QLine(tick.nX, 0, tick.nX, length - 1));
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(kScaleColor, 1));
    painter.drawLines(d->solidLines);
    if (!d->fadedLines.isEmpty()) {
        QColor faded = kScaleColor;
        faded.setAlphaF(qBound(0.0, input.dFineAlpha, 1.0));
        painter.setPen(QPen(faded, 1));
        painter.drawLines(d->fadedLines);
    }
    if (d->bSimplify)
        return;

    painter.setPen(kScaleColor);
    painter.setFont(d->fontScale);
    const int top = major + 2;
    qreal opacity = 1.0;
    for (const RulerTick& tick : qAsConst(d->ticks)) {
        if (tick.fLabelAlpha <= 0)
            continue;
        if (!qFuzzyCompare(qreal(tick.fLabelAlpha), opacity)) {
            opacity = tick.fLabelAlpha;
            painter.setOpacity(opacity);
        }
        const QStaticText& text = d->Label(tick.llLocal);
        painter.drawStaticText(QPointF(tick.nX - text.size().width() / 2, top), text);
    }
    painter.setOpacity(1.0);
}

} // namespace TesselGUIToolkit
