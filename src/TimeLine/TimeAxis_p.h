#pragma once

// The time model of the time sliders, free of widgets: scale table, axis seconds, range floor and
// ceiling, time <-> pixel mapping and the view moves. The widgets keep one CTimeAxisModel and
// apply the windows it computes to their chart view.

#include "nimbguitoolkit_export.h"

#include <QDate>
#include <QDateTime>
#include <QRect>
#include <QString>

#include <cmath>

namespace TesselGUIToolkit {
namespace Detail {

constexpr int kHalfDaySeconds = 43200;
constexpr int kMinScaleLevel = 7;
constexpr int kMaxScaleLevel = 14;
/// Wheel and zoom buttons stop here; levels 7 and 8 are only reached when set directly.
constexpr int kMinZoomLevel = 9;
constexpr qint64 kNoTime = 0xFFFFFFFFLL;
constexpr qint64 kMaxUtc = 0xFFFFFFFELL;

/// One row of the scale table.
struct ScaleRow
{
    int nSpan = 86400;     ///< view span, seconds
    int nStep = -1;        ///< tick step and step-move distance, seconds (-1: no ticks)
    int nOverscroll = 0;   ///< how far a drag may run past the range, seconds
    const char* pszLabel = "24h";
};

/// 86400, 82800 (state 1, a 23-hour day) or 90000 (state 2, a 25-hour day); other states count as
/// an ordinary day.
NIMBGUITOOLKIT_EXPORT int DaySpan(int nDstState);
/// The scale table row of a level; outside 7..14: step -1, step overscroll 0, the day span, "24h".
NIMBGUITOOLKIT_EXPORT ScaleRow ScaleForLevel(int nLevel, int nDstState);

/// Local clock minus UTC at `moment`, seconds.
NIMBGUITOOLKIT_EXPORT int LocalZoneOffset(const QDateTime& moment);
/// "yyyy/MM/dd hh:mm:ss" of UTC seconds in local time.
NIMBGUITOOLKIT_EXPORT QString FormatLocal(qint64 utc, const QString& format);

/// The mapping between axis seconds and chart x as of one painting pass.
struct AxisMapping
{
    int nChartLeft = 0;
    int nChartRight = -1;
    double dViewLeft = 0.0;
    double dViewRight = 0.0;
    bool bMirrored = false;
    double dPixelsPerSecond = 0.0; ///< 0 when the span or the chart is empty
};

NIMBGUITOOLKIT_EXPORT AxisMapping MakeAxisMapping(int nChartLeft, int nChartRight, double dViewLeft,
                                                  double dViewRight, bool bMirrored);

/// floor(v + 0.5) as an int, saturated so that absurd times cannot overflow.
inline int RoundHalfUp(double v)
{
    const double r = std::floor(v + 0.5);
    if (!(r > -1.0e9))
        return -1000000000;
    if (r > 1.0e9)
        return 1000000000;
    return static_cast<int>(r);
}

/// Axis seconds to chart x: chart left + floor((t - view left) x pps + 0.5); mirrored:
/// floor((view right - t) x pps + 0.5) measured from x = 0.
inline int TimeToX(const AxisMapping& m, double t)
{
    if (m.bMirrored)
        return RoundHalfUp((m.dViewRight - t) * m.dPixelsPerSecond);
    return m.nChartLeft + RoundHalfUp((t - m.dViewLeft) * m.dPixelsPerSecond);
}

/// Chart x to axis seconds, truncated toward zero; the view's left edge when the chart is empty.
NIMBGUITOOLKIT_EXPORT double XToTime(const AxisMapping& m, int x);

/// A visible window in axis seconds.
struct ViewWindow
{
    double dLeft = 0.0;
    double dRight = 0.0;
    double Span() const { return dRight - dLeft; }
    double Center() const { return (dLeft + dRight) / 2.0; }
    bool operator==(const ViewWindow& o) const { return dLeft == o.dLeft && dRight == o.dRight; }
    bool operator!=(const ViewWindow& o) const { return !(*this == o); }
};

/// The time model of one slider. Times in: UTC seconds; positions: axis seconds (UTC + drift).
class NIMBGUITOOLKIT_EXPORT CTimeAxisModel
{
public:
    /// `nConstructionOffset`: the local zone offset when the slider was built; `today` the local
    /// date the range starts on (one day, floor and ceiling with their half-day margins).
    CTimeAxisModel(int nConstructionOffset, const QDate& today);

    int GetConstructionOffset() const { return m_nConstructionOffset; }
    /// The zone offset now; the drift is this minus the construction offset.
    void SetCurrentOffset(int nOffset) { m_nCurrentOffset = nOffset; }
    int GetZoneDrift() const { return m_nCurrentOffset - m_nConstructionOffset; }

    /// false (nothing changes) for a reversed or invalid pair, for days beyond unsigned UTC
    /// seconds, and for the same days once a range was given. The first call always applies, so a
    /// range equal to the constructor's still gets its floor and ceiling at the current drift.
    bool SetTimeRange(const QDate& from, const QDate& to);
    bool IsRangeGiven() const { return m_bRangeGiven; }
    QDateTime GetRangeBegin() const { return m_dtBegin; }
    QDateTime GetRangeEnd() const { return m_dtEnd; }
    qint64 GetRangeBeginUtc() const { return m_llBeginUtc; }
    qint64 GetRangeEndUtc() const { return m_llEndUtc; }
    qint64 GetRangeFloor() const { return m_llFloor; }
    qint64 GetRangeCeiling() const { return m_llCeiling; }

    int GetLevel() const { return m_nLevel; }
    /// Clamped to 7..14.
    void SetLevel(int nLevel);
    int GetDstState() const { return m_nDstState; }
    /// false for states other than 0, 1, 2.
    bool SetDstState(int nState);
    ScaleRow CurrentScale() const { return ScaleForLevel(m_nLevel, m_nDstState); }
    /// Level after a zoom in (one down, not below 9) or out (one up, not above 14); the same level
    /// when nothing changes.
    int ZoomInLevel() const;
    int ZoomOutLevel() const;

    double AxisFromUtc(qint64 utc) const { return static_cast<double>(utc + GetZoneDrift()); }
    /// Axis seconds to UTC, truncated toward zero.
    qint64 UtcFromAxis(double axis) const;

    /// The window of `span` around the centre of `view`, kept above the floor and then below the
    /// ceiling.
    ViewWindow SpanAround(const ViewWindow& view, double span) const;
    ViewWindow StepRight(const ViewWindow& view, int step) const;
    ViewWindow StepLeft(const ViewWindow& view, int step) const;
    /// The view for a drag of `delta` whole seconds from `saved` (negative: the pointer went left,
    /// the view later), bounded by the range extended by `overscroll`.
    ViewWindow DragView(const ViewWindow& saved, qint64 delta, int overscroll) const;

    /// Playing time: false when ignored (no time, unchanged); else the clamped time is stored as
    /// the last played time and `view` becomes the window of the same span centred on it.
    bool PlayTime(qint64 utc, ViewWindow& view);
    qint64 GetLastPlayTime() const { return m_llLastPlay; }
    /// Clamps UTC seconds into [range begin, range end].
    qint64 ClampToRange(qint64 utc) const;

    /// Clips [begin, end] (UTC) to the range and gives axis left and right (left = floor + 43200 +
    /// clipped begin - range begin); false when reversed or wholly outside the range.
    bool MapSegment(qint64 begin, qint64 end, double& left, double& right) const;

    /// Invariant: range begin < end, floor = begin + drift at setting - 43200 (likewise ceiling),
    /// level within 7..14, day state within 0..2.
    bool CheckInvariant() const;

private:
    void ApplyRange(const QDateTime& begin, const QDateTime& end);

    int m_nConstructionOffset = 0;
    int m_nCurrentOffset = 0;
    QDateTime m_dtBegin;
    QDateTime m_dtEnd;
    qint64 m_llBeginUtc = 0;
    qint64 m_llEndUtc = 0;
    qint64 m_llFloor = 0;
    qint64 m_llCeiling = 0;
    qint64 m_llLastPlay = 0;
    int m_nLevel = kMinScaleLevel;
    int m_nDstState = 0;
    bool m_bRangeGiven = false;
};

} // namespace Detail
} // namespace TesselGUIToolkit
