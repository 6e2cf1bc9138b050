#pragma once

#include "nimbguitoolkit_export.h"

#include <QColor>
#include <QDateTime>
#include <QMetaType>
#include <QVector>
#include <QWidget>

#include <memory>

class QTimeZone;

namespace TesselGUIToolkit {
class CAbstractDelegate;
class CAnimationProgressBarPrivate;

/// The time zone the ruler's labels and time tip follow.
struct NIMBGUITOOLKIT_EXPORT TimeZoneParam
{
    qint64 llDSTStart = 0; ///< UTC seconds at which daylight saving begins
    qint64 llDSTEnd = 0; ///< UTC seconds at which it ends; before the start when it spans new year
    int nBias = 0; ///< minutes; local time = UTC - bias x 60 s (UTC+1 has -60)
    int nDSTBias = 0; ///< minutes added to the bias within daylight saving (usually -60)
    bool bEnableDST = false;

    /// Standard offset and daylight-saving season of `zone` in `year` (the season starting in
    /// that year for zones south of the equator). An invalid zone gives an all-zero record; a
    /// zone without daylight saving gives its offset with daylight saving disabled.
    static TimeZoneParam FromTimeZone(const QTimeZone& zone, int year);
};

/// What the ruler reports while the user drags it (SignalDragData).
struct DragData
{
    qint64 llTime = 0; ///< the ruler's current time, UTC milliseconds
    qint64 llPressTime = 0; ///< the ruler's time when the press began, UTC milliseconds
    int nOffsetX = 0; ///< cursor movement since the press, pixels (right is positive)
    int nLevel = 0; ///< zoom level at the time of the report
};

/// Horizontal, endlessly scrolling time ruler for playback. The current time sits under the
/// middle line (x = width / 2); the ruler always shows 12 units of the zoom level across its
/// width. Drag it (with inertia after a fling), click to slide to a time, turn the wheel to zoom.
///
/// Times: integers named "UTC seconds" are seconds since 1970 UTC; 0xFFFFFFFF means no time.
class NIMBGUITOOLKIT_EXPORT CAnimationProgressBar : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor m_colorBackground READ GetBackgroundColor WRITE SetBackgroundColor)
public:
    /// Zoom level, named after the span of the widget.
    enum TotalValue {
        Total24Hours = 0, ///< 2-hour units
        Total12Hours = 1, ///< 1-hour units
        Total6Hours = 2, ///< 30-minute units
        Total2Hours = 3, ///< 10-minute units
        Total1Hour = 4, ///< 5-minute units
        Total12Minutes = 5 ///< 1-minute units
    };
    Q_ENUM(TotalValue)
    /// How a slide moves: Linear at constant speed, never slower than 0.02 pixel per millisecond
    /// (a short distance ends before the asked duration); NonLinear speeding up and slowing down
    /// over 480 ms whatever duration is asked. Other values behave as Linear.
    enum AnimationType { Linear = 0, NonLinear = 1 };
    Q_ENUM(AnimationType)

    explicit CAnimationProgressBar(QWidget* parent = nullptr);
    ~CAnimationProgressBar() override;

    QSize sizeHint() const override;

    /// Moves the ruler to `dateTime`, clamped into the time range; an invalid date is ignored.
    /// Without animation a running slide is stopped; with it, the ruler slides there.
    void SetCurrentDateTime(const QDateTime& dateTime, bool animate = false, int duration = 1000,
                            AnimationType type = Linear);
    /// The playing clock: as SetCurrentDateTime. Ignored for 0xFFFFFFFF and while the user holds
    /// or flings the ruler, so that playback never fights the hand.
    void SetPlayBackTime(unsigned int utcSeconds, bool animate = false, int duration = 1000,
                         AnimationType type = Linear);
    /// Sets the current time in UTC milliseconds, clamped into the time range.
    void SetCurrentUTCTime(qint64 utcMilliseconds);
    /// The current time in the system's local time.
    QDateTime GetCurrentDateTime() const;
    /// The current time with the offset of the ruler's time zone (TimeZoneParam).
    QDateTime GetCurrentDateTimeByTimeZone() const;
    /// The current time in UTC milliseconds.
    qint64 GetCurrentUTCTime() const;
    /// The current time as a UTC date and time.
    QDateTime GetCurrentUTCDayTime() const;
    /// Earliest and latest time the ruler may show (both included). Invalid or reversed pairs
    /// are refused (false, range unchanged); the current time is clamped into a new range.
    bool SetTimeRange(const QDateTime& earliest, const QDateTime& latest);
    void GetTimeRange(QDateTime& earliest, QDateTime& latest) const;
    /// Whether a time lies within the time range; false for an invalid date.
    bool IsDatetimeValid(const QDateTime& dateTime) const;
    /// Whether UTC milliseconds lie within the time range.
    bool IsDatetimeValid(const qint64& utcMilliseconds) const;
    /// `dateTime` clamped into the time range; the current time for an invalid date.
    QDateTime GetAvailableDateTime(const QDateTime& dateTime) const;
    void SetTimeZoneInfor(const TimeZoneParam& param);
    TimeZoneParam GetTimeZoneInfor() const;
    /// Whether UTC seconds fall in the daylight-saving season [start, end); a season whose
    /// start is not before its end wraps: it holds from the start on and before the end.
    bool IsWithinDST(unsigned int utcSeconds) const;

    /// Jumps to a level without animation and reports it; levels outside 0 to 5 are ignored.
    void SetCurrentLevel(TotalValue level);
    /// The level the units follow; during a zoom the lower of the two levels.
    TotalValue GetCurrentLevel() const;
    /// Starts an animated zoom by one level (+1 finer, -1 coarser). A step back toward the
    /// start of a running zoom reverses it from where it stands; a further step the same way
    /// is ignored, as are steps other than +1 and -1 and steps beyond the levels.
    void ScaleByStep(int step);
    bool isScaling() const;
    /// Pixels of one unit (width / 12 at rest, stretched during a zoom); 0 for a width of 0.
    float UnitScaleLength() const;
    /// Seconds of one unit.
    float UnitTimeLength() const;

    /// UTC seconds under `x`; the current seconds when the width is 0.
    qint64 UTCSecondsAtXPos(float x) const;
    /// X of a time within half a day of the current time and within the width; otherwise -1.
    float XPosAtUTCSeconds(unsigned int utcSeconds) const;
    /// X of a time without any limit (may lie outside the widget).
    float VisualXPosAtUTCSeconds(unsigned int utcSeconds) const;
    /// Time of day "hh:mm" in the ruler's time zone; empty for 0xFFFFFFFF.
    QString UTCSecondsToString(unsigned int utcSeconds) const;

    /// Slides to UTC seconds (clamped into the time range) over `duration` milliseconds and
    /// stops any zoom. A distance of whole days first jumps all but the last day.
    void StartSliding(qint64 utcSeconds, int duration, AnimationType type = Linear);
    /// Ends a slide; the ruler lands on its target unless the user holds or flings it.
    void StopSliding();
    /// The slide after a click: 480 ms, speeding up then slowing down.
    void StartNolinearSliding(qint64 utcSeconds);
    /// Stops a zoom (landing on its target level), a slide (on its target) and an inertia run.
    void StopAllAnimation();
    /// Asks a running inertia run to stop at its next step.
    void SetStopMoving();
    /// Marks the ruler as held (a slide then does not land on its target when stopped).
    void SetPressed(bool pressed);
    bool IsPressed() const;
    bool IsSliding() const;
    /// Whether an inertia run is in progress.
    bool IsMoving() const;

    void SetBackgroundColor(const QColor& color);
    QColor GetBackgroundColor() const;
    /// Simplify mode draws the ticks without labels and shows no time tip.
    void SetSimplifyMode(bool simplify);
    bool IsSimplifyMode() const;
    /// With drag reporting on, presses and drags emit SignalDragData.
    void SetDragEnable(bool enable);
    bool IsDragEnable() const;
    void SetDrawMiddleLine(bool draw);
    bool IsDrawMiddleLine() const;
    /// Makes the ruler deaf to mouse, wheel and hover for good.
    void DisableMouseEvent();
    void Redraw();

    /// Inserts at `index` (appended when outside 0 to count); null and duplicates are ignored.
    void InsertDelegate(CAbstractDelegate* delegate, int index = -1);
    void RemoveDelegate(CAbstractDelegate* delegate);
    void RemoveAllDelegate();
    QVector<CAbstractDelegate*> Delegate() const;

Q_SIGNALS:
    /// UTC seconds: the target of a click, or where the ruler came to rest after a drag.
    void SignalClickedAtTime(qint64 utcSeconds);
    void SignalDragAtTime(unsigned int utcSeconds);
    void SignalStopAtTime(const QDateTime& dateTime);
    void SignalMovingAtAtTime(unsigned int utcSeconds);
    void SignalLevelChanged(TotalValue level);
    void SignalEnter();
    void SignalLeave();
    void SignalScalingStarted();
    void SignalScalingEnded();
    void SignalScaling();
    /// `finished` is true for the report at the release.
    void SignalDragData(const DragData& data, bool finished);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;

private Q_SLOTS:
    void OnScaleAnimationTimeOut();
    void OnSlideAnimationTimeOut();
    void OnMovingTimeOut();
    void OnTimeTipTimeOut();
    void OnHoverTimeOut();

private:
    void StartScaling();
    void StopScaling(bool reportLevel);
    void StopMoving(bool report);
    bool StartMovingX(double cursorX);
    bool MoveByOffsetX(double dx);
    bool PlaceAt(qint64 utcMilliseconds);
    void StopSlideTimer();
    void EmitDragData(bool finished);
    void EmitStop();
    void ShowTimeTip();
    void HideTimeTip();
    void DrawScale(QPainter& painter);

    std::unique_ptr<CAnimationProgressBarPrivate> const d;
};

} // namespace TesselGUIToolkit

Q_DECLARE_METATYPE(TesselGUIToolkit::DragData)
Q_DECLARE_METATYPE(TesselGUIToolkit::TimeZoneParam)
