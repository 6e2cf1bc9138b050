#include "TimeLine/TimeAxis_p.h"

#include <algorithm>

namespace TesselGUIToolkit {
namespace Detail {

int DaySpan(int nDstState)
{
    switch (nDstState) {
    case 1:
        return 82800;
    case 2:
        return 90000;
    default:
        return 86400;
    }
}

ScaleRow ScaleForLevel(int nLevel, int nDstState)
{
    const int nDay = DaySpan(nDstState);
    switch (nLevel) {
    case 7:
        return {nDay, 43200, 43200, "24h"};
    case 8:
        return {nDay, 21600, 43200, "24h"};
    case 9:
        return {nDay, 7200, 43200, "24h"};
    case 10:
        return {43200, 3600, 21600, "12h"};
    case 11:
        return {21600, 1800, 10800, "6h"};
    case 12:
        return {7200, 600, 3600, "2h"};
    case 13:
        return {3600, 300, 1800, "1h"};
    case 14:
        return {720, 60, 150, "12m"};
    default:
        return {nDay, -1, 0, "24h"};
    }
}

int LocalZoneOffset(const QDateTime& moment)
{
    return moment.toLocalTime().offsetFromUtc();
}

QString FormatLocal(qint64 utc, const QString& format)
{
    return QDateTime::fromSecsSinceEpoch(utc).toString(format);
}

AxisMapping MakeAxisMapping(int nChartLeft, int nChartRight, double dViewLeft, double dViewRight,
                            bool bMirrored)
{
    AxisMapping m;
    m.nChartLeft = nChartLeft;
    m.nChartRight = nChartRight;
    m.dViewLeft = dViewLeft;
    m.dViewRight = dViewRight;
    m.bMirrored = bMirrored;
    const double span = dViewRight - dViewLeft;
    const int width = nChartRight - nChartLeft + 1;
    m.dPixelsPerSecond = (span > 0.0 && width > 0) ? width / span : 0.0;
    return m;
}

double XToTime(const AxisMapping& m, int x)
{
    if (m.dPixelsPerSecond <= 0.0)
        return std::trunc(m.bMirrored ? m.dViewRight : m.dViewLeft);
    if (m.bMirrored)
        return std::trunc(m.dViewRight - x / m.dPixelsPerSecond);
    const double span = m.dViewRight - m.dViewLeft;
    const int width = m.nChartRight - m.nChartLeft + 1;
    return std::trunc(m.dViewLeft + static_cast<double>(x - m.nChartLeft) * span / width);
}

CTimeAxisModel::CTimeAxisModel(int nConstructionOffset, const QDate& today)
    : m_nConstructionOffset(nConstructionOffset)
    , m_nCurrentOffset(nConstructionOffset)
{
    const QDate day = today.isValid() ? today : QDate(1970, 1, 2);
    ApplyRange(day.startOfDay(), day.addDays(1).startOfDay());
}

void CTimeAxisModel::ApplyRange(const QDateTime& begin, const QDateTime& end)
{
    m_dtBegin = begin;
    m_dtEnd = end;
    m_llBeginUtc = begin.toSecsSinceEpoch();
    m_llEndUtc = end.toSecsSinceEpoch();
    const int drift = GetZoneDrift();
    m_llFloor = m_llBeginUtc + drift - kHalfDaySeconds;
    m_llCeiling = m_llEndUtc + drift + kHalfDaySeconds;
}

bool CTimeAxisModel::SetTimeRange(const QDate& from, const QDate& to)
{
    if (!from.isValid() || !to.isValid() || from > to)
        return false;
    // Unsigned UTC seconds run from 1970 to early 2106; days beyond them cannot be played.
    if (from < QDate(1970, 1, 1) || to > QDate(2106, 2, 6))
        return false;
    const QDateTime begin = from.startOfDay();
    const QDateTime end = to.addDays(1).startOfDay();
    if (!begin.isValid() || !end.isValid())
        return false;
    if (m_bRangeGiven && begin == m_dtBegin && end == m_dtEnd)
        return false;
    ApplyRange(begin, end);
    m_bRangeGiven = true;
    return true;
}

void CTimeAxisModel::SetLevel(int nLevel)
{
    m_nLevel = std::clamp(nLevel, kMinScaleLevel, kMaxScaleLevel);
}

bool CTimeAxisModel::SetDstState(int nState)
{
    if (nState < 0 || nState > 2)
        return false;
    m_nDstState = nState;
    return true;
}

int CTimeAxisModel::ZoomInLevel() const
{
    return m_nLevel <= kMinZoomLevel ? m_nLevel : m_nLevel - 1;
}

int CTimeAxisModel::ZoomOutLevel() const
{
    return m_nLevel >= kMaxScaleLevel ? m_nLevel : m_nLevel + 1;
}

qint64 CTimeAxisModel::UtcFromAxis(double axis) const
{
    return static_cast<qint64>(std::trunc(axis)) - GetZoneDrift();
}

ViewWindow CTimeAxisModel::SpanAround(const ViewWindow& view, double span) const
{
    double left = view.Center() - span / 2.0;
    if (static_cast<double>(m_llFloor) > left)
        left = static_cast<double>(m_llFloor);
    else if (left + span > static_cast<double>(m_llCeiling))
        left = static_cast<double>(m_llCeiling) - span;
    return {left, left + span};
}

ViewWindow CTimeAxisModel::StepRight(const ViewWindow& view, int step) const
{
    const double span = view.Span();
    const double right
        = std::min(static_cast<double>(m_llCeiling), view.dRight + std::max(step, 0));
    return {right - span, right};
}

ViewWindow CTimeAxisModel::StepLeft(const ViewWindow& view, int step) const
{
    const double span = view.Span();
    const double left = std::max(static_cast<double>(m_llFloor), view.dLeft - std::max(step, 0));
    return {left, left + span};
}

ViewWindow CTimeAxisModel::DragView(const ViewWindow& saved, qint64 delta, int overscroll) const
{
    const double span = saved.Span();
    const int drift = GetZoneDrift();
    if (delta < 0) {
        const double limit = static_cast<double>(m_llEndUtc + drift + overscroll);
        const double right = std::min(limit, saved.dRight - static_cast<double>(delta));
        return {right - span, right};
    }
    if (delta > 0) {
        const double limit = static_cast<double>(m_llBeginUtc + drift - overscroll);
        const double left = std::max(limit, saved.dLeft - static_cast<double>(delta));
        return {left, left + span};
    }
    return saved;
}

qint64 CTimeAxisModel::ClampToRange(qint64 utc) const
{
    return std::clamp(utc, m_llBeginUtc, m_llEndUtc);
}

bool CTimeAxisModel::PlayTime(qint64 utc, ViewWindow& view)
{
    if (utc == kNoTime || utc < 0 || utc > kNoTime)
        return false;
    const qint64 t = ClampToRange(utc);
    if (t == m_llLastPlay)
        return false;
    m_llLastPlay = t;
    const double span = view.Span();
    const double centre = AxisFromUtc(t);
    view = {centre - span / 2.0, centre + span / 2.0};
    return true;
}

bool CTimeAxisModel::MapSegment(qint64 begin, qint64 end, double& left, double& right) const
{
    if (end < begin)
        return false;
    if ((begin < m_llBeginUtc && end < m_llBeginUtc) || (begin > m_llEndUtc && end > m_llEndUtc))
        return false;
    const qint64 clippedBegin = std::max(begin, m_llBeginUtc);
    const qint64 clippedEnd = std::min(end, m_llEndUtc);
    left = static_cast<double>(m_llFloor + kHalfDaySeconds + (clippedBegin - m_llBeginUtc));
    right = left + static_cast<double>(clippedEnd - clippedBegin);
    return true;
}

bool CTimeAxisModel::CheckInvariant() const
{
    return m_dtBegin.isValid() && m_dtEnd.isValid() && m_llBeginUtc < m_llEndUtc
        && m_llCeiling - m_llFloor == m_llEndUtc - m_llBeginUtc + 2 * kHalfDaySeconds
        && m_nLevel >= kMinScaleLevel && m_nLevel <= kMaxScaleLevel && m_nDstState >= 0
        && m_nDstState <= 2 && m_llBeginUtc == m_dtBegin.toSecsSinceEpoch()
        && m_llEndUtc == m_dtEnd.toSecsSinceEpoch();
}

} // namespace Detail
} // namespace TesselGUIToolkit
