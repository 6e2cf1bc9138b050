#pragma once

// Pure arithmetic of the animated time ruler: levels and units, time <-> x, the zoom state,
// time-zone offsets, tick placement, slides and inertia. No widget, painter or clock in here.

#include "Widgets/AnimationProgressBar.h"

#include <QString>
#include <QVarLengthArray>
#include <QVector>

#include <algorithm>
#include <climits>
#include <cmath>

namespace TesselGUIToolkit {
namespace Detail {

    constexpr int kRulerLevelCount = 6;
    constexpr int kRulerUnitsAcross = 12;
    constexpr int kRulerZoomLength = 800; // ms
    constexpr int kRulerTimerInterval = 30; // ms
    constexpr qint64 kRulerHalfDay = 43200;
    constexpr qint64 kSecondsPerDay = 86400;

    inline bool IsRulerLevel(int level)
    {
        return level >= 0 && level < kRulerLevelCount;
    }

    /// Seconds per unit of `level`; 0 outside 0 to 5.
    inline int RulerUnitSeconds(int level)
    {
        static const int kUnit[kRulerLevelCount] = {7200, 3600, 1800, 600, 300, 60};
        return IsRulerLevel(level) ? kUnit[level] : 0;
    }

    /// Factor between the unit times of `level` and `level + 1`; 1 for the finest level and
    /// outside.
    inline int RulerLevelRatio(int level)
    {
        return IsRulerLevel(level) && IsRulerLevel(level + 1)
            ? RulerUnitSeconds(level) / RulerUnitSeconds(level + 1)
            : 1;
    }

    /// Division rounding toward minus infinity, so that times before 1970 fall into the right unit.
    inline qint64 FloorDiv(qint64 a, qint64 b)
    {
        const qint64 q = a / b;
        return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
    }

    inline qint64 FloorMod(qint64 a, qint64 b)
    {
        return a - FloorDiv(a, b) * b;
    }

    /// One unit of the ruler: its length in pixels and its time in seconds.
    struct RulerUnit
    {
        double dLength = 0;
        double dTime = 0;
    };

    /// The zoom: a level at rest, or an animated run from one level to the next.
    class CRulerZoom
    {
    public:
        enum StepResult { Ignored, Started, Reversed };

        int Level() const { return m_nLevel; }
        int From() const { return m_nFrom; }
        int To() const { return m_nTo; }
        int Elapsed() const { return m_nElapsed; }
        bool IsScaling() const { return m_bScaling; }

        /// Rests on `level`, ending any run; false (unchanged) outside 0 to 5.
        bool SetLevel(int level)
        {
            if (!IsRulerLevel(level))
                return false;
            m_nLevel = m_nFrom = m_nTo = level;
            m_nElapsed = 0;
            m_bScaling = false;
            return true;
        }

        StepResult Step(int step)
        {
            if (step != 1 && step != -1)
                return Ignored;
            if (m_bScaling) {
                // Only a step back toward the start turns the run round; its progress mirrors, so
                // the ruler continues from the length it has now.
                if ((step < 0) != (m_nTo < m_nFrom)) {
                    std::swap(m_nFrom, m_nTo);
                    m_nElapsed = kRulerZoomLength - m_nElapsed;
                    return Reversed;
                }
                return Ignored;
            }
            const int target = m_nLevel + step;
            if (!IsRulerLevel(target))
                return Ignored;
            m_nFrom = m_nLevel;
            m_nTo = target;
            m_nLevel = std::min(m_nFrom, m_nTo);
            m_nElapsed = 0;
            m_bScaling = true;
            return Started;
        }

        /// Adds one timer tick; true once the run has gone past its length (then call Finish).
        bool Advance(int interval)
        {
            if (!m_bScaling)
                return false;
            m_nElapsed += interval;
            return m_nElapsed > kRulerZoomLength;
        }

        void Finish()
        {
            if (m_bScaling)
                SetLevel(m_nTo);
        }

        double Progress() const
        {
            return m_bScaling ? std::min(1.0, std::max(0.0, double(m_nElapsed) / kRulerZoomLength))
                              : 0.0;
        }

        /// How many fine units one unit holds while zooming; 1 at rest.
        int FineDivisor() const
        {
            return m_bScaling ? RulerLevelRatio(std::min(m_nFrom, m_nTo)) : 1;
        }

        /// Opacity of the finer level's own ticks: they fade in when zooming in, out when zooming
        /// out.
        double FineAlpha() const
        {
            if (!m_bScaling)
                return 0.0;
            return m_nTo > m_nFrom ? Progress() : 1.0 - Progress();
        }

        RulerUnit Unit(int width) const
        {
            RulerUnit unit;
            const double rest = std::max(0, width) / double(kRulerUnitsAcross);
            unit.dTime = RulerUnitSeconds(m_nLevel);
            if (!m_bScaling) {
                unit.dLength = rest;
                return unit;
            }
            const double k = RulerLevelRatio(std::min(m_nFrom, m_nTo));
            const double p = Progress();
            unit.dLength = (m_nTo <= m_nFrom ? k - (k - 1) * p : (k - 1) * p + 1) * rest;
            return unit;
        }

        bool CheckInvariant() const
        {
            if (!IsRulerLevel(m_nLevel))
                return false;
            if (!m_bScaling)
                return m_nFrom == m_nLevel && m_nTo == m_nLevel && m_nElapsed == 0;
            return IsRulerLevel(m_nFrom) && IsRulerLevel(m_nTo) && std::abs(m_nFrom - m_nTo) == 1
                && m_nLevel == std::min(m_nFrom, m_nTo) && m_nElapsed >= 0
                && m_nElapsed <= kRulerZoomLength + kRulerTimerInterval;
        }

    private:
        int m_nLevel = 0;
        int m_nFrom = 0;
        int m_nTo = 0;
        int m_nElapsed = 0;
        bool m_bScaling = false;
    };

    /// UTC seconds under `x`. The offset is rounded to the millisecond before the division by 1000:
    /// unit lengths such as 1000 / 12 px are not exact in binary, and truncating would lose a
    /// second.
    inline qint64 RulerSecondsAtX(qint64 currentMs, double x, int width, const RulerUnit& unit)
    {
        if (unit.dLength <= 0)
            return FloorDiv(currentMs, 1000);
        const double offsetMs = (x - width / 2) * unit.dTime * 1000.0 / unit.dLength;
        return FloorDiv(currentMs + qint64(std::llround(offsetMs)), 1000);
    }

    inline double RulerVisualXAtSeconds(qint64 seconds, qint64 currentSeconds, int width,
                                        const RulerUnit& unit)
    {
        if (unit.dTime <= 0)
            return width / 2;
        return double(seconds - currentSeconds) * unit.dLength / unit.dTime + width / 2;
    }

    /// -1 beyond half a day from the current time or outside 0 to width.
    inline double RulerXAtSeconds(qint64 seconds, qint64 currentSeconds, int width,
                                  const RulerUnit& unit)
    {
        const qint64 distance = seconds - currentSeconds;
        if (distance < -kRulerHalfDay || distance > kRulerHalfDay)
            return -1;
        const double x = RulerVisualXAtSeconds(seconds, currentSeconds, width, unit);
        return (x < 0 || x > width) ? -1 : x;
    }

    inline bool IsWithinDaylightSaving(qint64 utcSeconds, qint64 start, qint64 end)
    {
        if (start < end)
            return utcSeconds >= start && utcSeconds < end;
        return utcSeconds >= start || utcSeconds < end;
    }

    /// Minutes to subtract from UTC to get the zone's wall clock at `utcSeconds`.
    inline int ZoneBiasMinutes(qint64 utcSeconds, const TimeZoneParam& zone)
    {
        if (zone.bEnableDST && IsWithinDaylightSaving(utcSeconds, zone.llDSTStart, zone.llDSTEnd))
            return zone.nBias + zone.nDSTBias;
        return zone.nBias;
    }

    inline qint64 ZoneLocalSeconds(qint64 utcSeconds, const TimeZoneParam& zone)
    {
        return utcSeconds - qint64(ZoneBiasMinutes(utcSeconds, zone)) * 60;
    }

    /// "hh:mm" or "hh:mm:ss" of the time of day of local seconds (any day, also before 1970).
    inline QString FormatClock(qint64 localSeconds, bool withSeconds)
    {
        const int day = int(FloorMod(localSeconds, kSecondsPerDay));
        const int parts[3] = {day / 3600, day / 60 % 60, day % 60};
        QChar text[8];
        int n = 0;
        for (int i = 0; i < (withSeconds ? 3 : 2); ++i) {
            if (i > 0)
                text[n++] = QLatin1Char(':');
            text[n++] = QLatin1Char(char('0' + parts[i] / 10));
            text[n++] = QLatin1Char(char('0' + parts[i] % 10));
        }
        return QString(text, n);
    }

    /// Smallest label step (in ticks) whose spacing keeps labels `minSpacing` pixels apart; steps
    /// divide hours and days evenly so that labels stay on round times. 0: no room for labels.
    inline int RulerLabelStep(double tickSpacing, int minSpacing)
    {
        if (!(tickSpacing > 0))
            return 0;
        static const int kSteps[] = {1, 2, 3, 4, 6, 12};
        for (int step : kSteps)
            if (tickSpacing * step >= minSpacing)
                return step;
        int step = 24;
        while (tickSpacing * step < minSpacing && step < (1 << 24))
            step *= 2;
        return step;
    }

    struct RulerTickInput
    {
        qint64 llCurrentMs = 0;
        int nWidth = 0;
        RulerUnit unit; ///< the coarse unit (the lower level during a zoom)
        int nFineDivisor = 1; ///< fine ticks per coarse unit; 1 at rest
        double dFineAlpha = 0; ///< opacity of ticks and labels only the finer level has
        int nLabelSpacing = 40; ///< least distance between two label centres, pixels
    };

    struct RulerTick
    {
        int nX = 0;
        qint64 llUtc = 0; ///< UTC seconds
        qint64 llLocal = 0; ///< wall-clock seconds in the zone
        bool bCoarse = true;
        float fAlpha = 1; ///< opacity of the tick
        float fLabelAlpha = 0; ///< opacity of its label; 0 for none
    };

    /// Ticks on whole units of the zone's wall clock, left to right, for the width plus half a
    /// label on each side. A daylight-saving switch in view leaves an irregular gap (or a repeated
    /// time): the ticks stay on round local times, as a wall clock does.
    inline void ComputeRulerTicks(const RulerTickInput& in, const TimeZoneParam& zone,
                                  QVector<RulerTick>& ticks)
    {
        ticks.clear();
        const qint64 unitSeconds = qint64(std::llround(in.unit.dTime));
        const int divisor = std::max(1, in.nFineDivisor);
        if (in.nWidth <= 0 || !(in.unit.dLength > 0) || unitSeconds <= 0
            || unitSeconds % divisor != 0)
            return;
        const bool withFine = divisor > 1 && in.dFineAlpha > 0;
        const qint64 step = withFine ? unitSeconds / divisor : unitSeconds;
        const double pxPerMs = in.unit.dLength / (unitSeconds * 1000.0);
        const int middle = in.nWidth / 2;
        const int margin = std::min(in.nWidth, std::max(0, in.nLabelSpacing / 2 + 1));

        const qint64 currentSeconds = FloorDiv(in.llCurrentMs, 1000);
        const qint64 lo =
            currentSeconds - qint64(std::ceil((middle + margin) / (pxPerMs * 1000))) - 1;
        const qint64 hi = currentSeconds
            + qint64(std::ceil((in.nWidth - middle + margin) / (pxPerMs * 1000))) + 1;

        // The offset only changes at the season's two edges; between them ticks are a plain series.
        QVarLengthArray<qint64, 4> edges;
        edges.append(lo);
        if (zone.bEnableDST) {
            for (qint64 edge : {zone.llDSTStart, zone.llDSTEnd})
                if (edge > lo && edge <= hi)
                    edges.append(edge);
            std::sort(edges.begin() + 1, edges.end());
        }
        edges.append(hi + 1);

        for (int i = 0; i + 1 < edges.size(); ++i) {
            const qint64 from = edges[i];
            const qint64 to = edges[i + 1];
            if (from >= to)
                continue;
            const qint64 offset = qint64(ZoneBiasMinutes(from, zone)) * 60; // utc = local + offset
            for (qint64 local = FloorDiv(from - offset + step - 1, step) * step;
                 local < to - offset; local += step) {
                const qint64 utc = local + offset;
                const double dx = double(utc * 1000 - in.llCurrentMs) * pxPerMs;
                const int x = middle + int(std::floor(dx + 0.5));
                if (x < -margin || x > in.nWidth + margin)
                    continue;
                RulerTick tick;
                tick.nX = x;
                tick.llUtc = utc;
                tick.llLocal = local;
                tick.bCoarse = FloorMod(local, unitSeconds) == 0;
                tick.fAlpha = tick.bCoarse ? 1.0f : float(in.dFineAlpha);
                ticks.append(tick);
                if (ticks.size() > 100000) // unreachable with sane units; a guard against a hang
                    return;
            }
        }

        // Labels: round times of the coarse level at full opacity first, then the fine level's
        // own where they keep clear of every label already placed.
        const int coarseStep = RulerLabelStep(in.unit.dLength, in.nLabelSpacing);
        const int fineStep =
            withFine ? RulerLabelStep(in.unit.dLength / divisor, in.nLabelSpacing) : 0;
        QVarLengthArray<int, 64> placed;
        int lastX = INT_MIN / 2;
        for (RulerTick& tick : ticks) {
            if (coarseStep > 0 && tick.bCoarse
                && FloorMod(FloorDiv(tick.llLocal, unitSeconds), coarseStep) == 0
                && tick.nX - lastX >= in.nLabelSpacing) {
                tick.fLabelAlpha = 1.0f;
                lastX = tick.nX;
                placed.append(tick.nX);
            }
        }
        if (fineStep > 0) {
            int next = 0;
            lastX = INT_MIN / 2;
            for (RulerTick& tick : ticks) {
                while (next < placed.size() && placed[next] < tick.nX)
                    lastX = std::max(lastX, placed[next++]);
                if (tick.fLabelAlpha > 0 || FloorMod(FloorDiv(tick.llLocal, step), fineStep) != 0)
                    continue;
                if (tick.nX - lastX < in.nLabelSpacing
                    || (next < placed.size() && placed[next] - tick.nX < in.nLabelSpacing))
                    continue;
                tick.fLabelAlpha = float(in.dFineAlpha);
                lastX = tick.nX;
            }
        }
    }

    // Inertia after a fling: speeds are pixels per millisecond.
    constexpr double kInertiaMinSpeed = 0.012;
    constexpr double kInertiaFastSpeed = 0.36;
    constexpr qint64 kInertiaReleaseWindow = 70; // ms from the last move to the release
    constexpr qint64 kInertiaPressWindow = 200; // ms from the press for the whole-gesture speed

    /// One tick of decay: fast runs lose a thirtieth of their speed, slow ones 0.012 toward zero;
    /// 0 once the speed is below the minimum (the run ends).
    inline double DecayInertiaSpeed(double speed)
    {
        const double magnitude = std::abs(speed);
        if (magnitude < kInertiaMinSpeed)
            return 0.0;
        if (magnitude > kInertiaFastSpeed)
            return speed - speed / 30.0;
        const double slower = magnitude - kInertiaMinSpeed;
        if (slower < kInertiaMinSpeed)
            return 0.0;
        return speed < 0 ? -slower : slower;
    }

    /// The speed an inertia run starts with at a release, or 0 for none.
    inline double InertiaStartSpeed(double measured, qint64 msSinceLastMove, qint64 msSincePress,
                                    double pixelsSincePress)
    {
        if (msSinceLastMove > kInertiaReleaseWindow)
            return 0.0;
        if (std::abs(measured) >= kInertiaMinSpeed)
            return measured;
        if (msSincePress > kInertiaPressWindow)
            return 0.0;
        const double whole = pixelsSincePress / double(std::max<qint64>(1, msSincePress));
        return std::abs(whole) > kInertiaMinSpeed ? whole : 0.0;
    }

    /// Speed of the cursor over about the last 100 ms of movement in one direction.
    class CDragSpeedMeter
    {
    public:
        void Start(qint64 ms, double x)
        {
            m_samples.clear();
            m_samples.append({ms, x});
            m_nDirection = 0;
        }

        void Add(qint64 ms, double x)
        {
            if (m_samples.isEmpty()) {
                Start(ms, x);
                return;
            }
            const Sample last = m_samples.last();
            const int direction = x > last.x ? 1 : (x < last.x ? -1 : 0);
            if (direction != 0 && m_nDirection != 0 && direction != m_nDirection) {
                // A turn starts a new measurement at the turning point.
                m_samples.clear();
                m_samples.append(last);
            }
            if (direction != 0)
                m_nDirection = direction;
            m_samples.append({ms, x});
            while (m_samples.size() > 2 && m_samples[1].ms <= ms - kWindow)
                m_samples.remove(0);
        }

        double Speed() const
        {
            if (m_samples.size() < 2)
                return 0.0;
            const qint64 dt = m_samples.last().ms - m_samples.first().ms;
            return dt > 0 ? (m_samples.last().x - m_samples.first().x) / double(dt) : 0.0;
        }

    private:
        static constexpr qint64 kWindow = 100;
        struct Sample
        {
            qint64 ms;
            double x;
        };
        QVarLengthArray<Sample, 16> m_samples;
        int m_nDirection = 0;
    };

    struct LinearSlidePlan
    {
        qint64 llJumpSeconds = 0; ///< added to the current time before the animation
        qint64 llDistance = 0; ///< seconds left to animate
        double dPixels = 0; ///< the same in pixels (positive toward later times)
        int nDuration = 0; ///< ms
    };

    /// A slide over whole days animates only the last one: the rest is a jump. A distance of zero
    /// stays zero (nothing to jump or animate).
    inline LinearSlidePlan PlanLinearSlide(qint64 currentSeconds, qint64 target, int duration,
                                           const RulerUnit& unit, bool minimumSpeed)
    {
        LinearSlidePlan plan;
        qint64 distance = target - currentSeconds;
        if (distance != 0 && distance % kSecondsPerDay == 0) {
            const qint64 days = distance / kSecondsPerDay;
            plan.llJumpSeconds = (days > 0 ? days - 1 : days + 1) * kSecondsPerDay;
            distance = days > 0 ? kSecondsPerDay : -kSecondsPerDay;
        }
        plan.llDistance = distance;
        plan.dPixels = unit.dTime > 0 ? double(distance) * unit.dLength / unit.dTime : 0.0;
        plan.nDuration = std::max(0, duration);
        if (minimumSpeed && plan.nDuration > 0 && std::abs(plan.dPixels) / plan.nDuration < 0.02) {
            const double lengthened = std::ceil(std::abs(plan.dPixels) / 0.02);
            plan.nDuration = int(std::min(lengthened, 3600.0 * 1000));
        }
        return plan;
    }

    /// Share of the distance the non-linear slide covers on tick `k` (1-based), in 56ths: rising
    /// 0..7 for ticks 1 to 8, falling 7..1 for ticks 9 to 15.
    inline int NonLinearSlideWeight(int k)
    {
        if (k < 1 || k > 15)
            return 0;
        return k <= 8 ? k - 1 : 16 - k;
    }
    constexpr int kNonLinearSlideLength = 480; // ms

} // namespace Detail
} // namespace TesselGUIToolkit
