#pragma once

#include "nimbguitoolkit_export.h"

#include <QBrush>
#include <QDateTime>
#include <QFrame>
#include <QList>
#include <QMetaType>
#include <QString>

#include <memory>

class QTimer;
class QWheelEvent;

namespace TesselGUIToolkit {
class CChartView;
class CTimeSliderPrivate;

/// Scale level of a time slider: 7 (24 hours, 12-hour ticks) to 14 (12 minutes, 1-minute ticks).
using TimeSliderOneScale = int;

/// Length of the shown day: 0 an ordinary day (86400 s), 1 a 23-hour day, 2 a 25-hour day.
using DSTState = int;
constexpr DSTState DSTStateNormalDay = 0;
constexpr DSTState DSTStateShortDay = 1;
constexpr DSTState DSTStateLongDay = 2;

/// Daylight-saving switch moments that the client knows for the shown day, UTC seconds (0 = none).
/// The slider stores the record whole for its subclasses; it does not interpret it.
struct DSTTimeData
{
    quint32 uDSTBegin = 0;
    quint32 uDSTEnd = 0;
};
static_assert(sizeof(DSTTimeData) == 8, "DSTTimeData is an 8-byte record");

struct struTimeSliderData
{
    /// One recorded segment as the client hands it in. Times are UTC seconds; the brushes are the
    /// client's (the toolkit fixes no colour per level).
    struct TimeSegmentParam
    {
        qint64 llUserData = 0; ///< carried, never interpreted
        QString strText;       ///< carried (tags and locks keep it)
        QString strSubText;    ///< carried (tags and locks keep it)
        qint64 llBegin = 0;
        qint64 llEnd = 0;
        QBrush brushFill;   ///< the colour of the bar
        QBrush brushSecond; ///< carried; the one-channel slider paints only brushFill
        int nLevel = 0;     ///< recording type; the key of the segment's group
    };
};

/// Base of the playback time lines: the time model (axis seconds, range, scale levels, step moves,
/// playing time) on top of a chart view that paints the layers. Subclasses build the chart view,
/// add the layers and handle the mouse.
///
/// Axis seconds: a UTC time t stands on the axis at t + zone drift, the drift being the local zone
/// offset now minus the one captured at construction (0 while the zone does not change).
class NIMBGUITOOLKIT_EXPORT CTimeSlider : public QFrame
{
    Q_OBJECT
public:
    /// Takes ownership of `chartView` (re-parented to the slider); null gets a plain CChartView.
    explicit CTimeSlider(CChartView* chartView, QWidget* parent = nullptr);
    ~CTimeSlider() override;

    /// Days the line may show (local dates, both included). A reversed or invalid pair, or days
    /// outside what UTC seconds in an unsigned int can hold (1970 to early 2106), are ignored.
    void SetTimeRange(const QDate& from, const QDate& to);
    /// Range begin (00:00 of the first day) and range end - 1 second (23:59:59 of the last day).
    void GetTimeRange(QDateTime& begin, QDateTime& end) const;
    /// The chart view's current time (the centre of the view after a seek or a play time).
    QDateTime CurrentTime() const;
    /// Clears the recorded segments; the base has none.
    virtual void Reset();

    CChartView* GetChartView() const;
    TimeSliderOneScale GetScaleLevel() const;
    DSTState GetDSTState() const;
    DSTTimeData GetDST() const;
    /// While held, the playing time does not move the view and the leave notice is not sent.
    void SetHold(bool bHold);
    bool IsHold() const;
    /// Set while the user drags or steps the view.
    bool IsMoving() const;
    /// Axis seconds: range begin + drift - 43200 and range end + drift + 43200.
    qint64 GetRangeFloor() const;
    qint64 GetRangeCeiling() const;
    /// Range begin and end as UTC seconds (end is 00:00 of the day after the last day).
    qint64 GetRangeBeginUtc() const;
    qint64 GetRangeEndUtc() const;
    /// Local zone offset now minus the one captured at construction, seconds.
    int GetZoneDrift() const;
    int GetConstructionZoneOffset() const;
    unsigned int GetLastPlayTime() const;

Q_SIGNALS:
    /// The pointer entered the chart (not sent again when it returns within the leave delay).
    void SignalMouseEnter();
    /// The pointer has been out of the chart for 500 ms.
    void SignalMouseLeave();

public Q_SLOTS:
    /// Invalid times are ignored.
    void OnPlayTime(const QDateTime& dtCur);
    /// Centres the view on the playing time (UTC seconds; 0xFFFFFFFF is ignored).
    void OnPlayTime(unsigned int uTime);
    void OnSlotZoomIn();
    void OnSlotZoomOut();
    void MoveRight();
    void MoveLeft();
    void OnSlotReleaseMove();
    void OnUpdateTimeSlider();
    void SetDST(DSTTimeData s_dst_time_data);
    /// Applies at the next scale change; values other than 0, 1, 2 are ignored.
    void SetDSTState(DSTState e_dst_state);

protected:
    virtual void ZoomIn();
    virtual void ZoomOut();
    /// Applies a scale level: view span around the centre (clamped to floor and ceiling), axis
    /// tick step, scale label, deferred repaint.
    void ShowZoomByType(int level);
    void SetMinMaxBySpan(double span);
    /// Tick step and step-move distance of a level, seconds (-1 outside 7..14).
    int GetOneStepSpan(int level) const;
    /// Overscroll allowed past the range while dragging, seconds (0 outside 7..14).
    int GetLeftSpace(int level) const;
    /// View span of a level for the current day state, seconds.
    int GetViewSpan(int level) const;
    /// Sets the stored scale level (clamped to 7..14) without applying it.
    void SetScaleLevel(TimeSliderOneScale level);
    void RepaintTimeSlider();
    void Clear();
    QRect GetCameraNameRect() const;
    void wheelEvent(QWheelEvent* event) override;

    void SetMoving(bool bMoving);
    bool IsWheeling() const;
    /// The 5000 ms timer that refreshes the hover text while the pointer is over the chart.
    QTimer* GetUpdateTimer() const;

    /// Mapping helpers between UTC seconds and axis seconds at the current zone drift.
    double AxisFromUtc(qint64 utc) const;
    qint64 UtcFromAxis(double axis) const;
    /// Clips [begin, end] (UTC seconds) to the range and gives the segment's axis left and right;
    /// false when the segment lies wholly outside the range or is reversed.
    bool MapSegmentToAxis(qint64 begin, qint64 end, double& left, double& right) const;

    /// Last mouse position in chart coordinates; the hover text follows it.
    QPoint GetLastMousePos() const;
    void SetLastMousePos(const QPoint& pos);
    /// Saves the view and the press offset for a drag that starts at chart x.
    void BeginDrag(int x);
    /// Drags the view to chart x with the current level's overscroll; true when the view moved.
    /// The chart view's current time and centre text follow the new centre.
    bool DragTo(int x);
    /// True when the view differs from the one saved by BeginDrag.
    bool ViewMovedSinceDrag() const;
    /// Centre of the view as UTC seconds.
    qint64 CenterUtc() const;
    /// Refreshes the hover text from the last mouse position (no repaint).
    void RefreshHoverText();
    /// Sets the chart view's current time and centre text to UTC seconds.
    void SetCenterTime(qint64 utc);

private:
    std::unique_ptr<CTimeSliderPrivate> const d;
};

} // namespace TesselGUIToolkit

Q_DECLARE_METATYPE(TesselGUIToolkit::struTimeSliderData::TimeSegmentParam)
Q_DECLARE_METATYPE(TesselGUIToolkit::DSTTimeData)
