#pragma once

// Turns recorded segments into the pixel columns to fill. The cost follows what is visible, not
// what is stored: the segments come sorted by left with a running maximum of their right edges,
// so the first one that can reach the view is found by binary search and the walk stops at the
// first one starting past the view. Segments that share a column are merged into one span per
// key (a key stands for one brush and band), and a segment shorter than a pixel still lights the
// column it falls in, so that a short recording stays visible at the widest zoom.

#include "TimeLine/TimeAxis_p.h"
#include "nimbguitoolkit_export.h"

#include <QVarLengthArray>
#include <QVector>

#include <algorithm>

namespace TesselGUIToolkit {
namespace Detail {

/// A segment in axis seconds with the key of its brush.
struct RasterSegment
{
    double dLeft = 0.0;
    double dRight = 0.0;
    int nKey = 0;
};

/// Columns x0..x1 (both included) to fill with the brush of `nKey`.
struct RasterSpan
{
    int nX0 = 0;
    int nX1 = 0;
    int nKey = 0;
    bool operator==(const RasterSpan& o) const
    {
        return nX0 == o.nX0 && nX1 == o.nX1 && nKey == o.nKey;
    }
};

/// Running maximum of the right edges of items sorted by left (what FirstReachingIndex searches).
template<typename Item, typename RightOf>
QVector<double> BuildMaxRight(const QVector<Item>& items, RightOf rightOf)
{
    QVector<double> maxRight;
    maxRight.reserve(items.size());
    double running = -1.0e300;
    for (const Item& item : items) {
        running = std::max(running, static_cast<double>(rightOf(item)));
        maxRight.append(running);
    }
    return maxRight;
}

/// Index of the first item whose right edge, or that of an item before it, reaches `viewLeft`.
inline int FirstReachingIndex(const QVector<double>& maxRight, double viewLeft)
{
    const auto it = std::lower_bound(maxRight.cbegin(), maxRight.cend(), viewLeft);
    return static_cast<int>(it - maxRight.cbegin());
}

/// The columns [x0, x1] a segment lights in the chart, or false when it misses the chart.
inline bool SegmentColumns(const AxisMapping& m, double left, double right, int& x0, int& x1)
{
    int a = TimeToX(m, m.bMirrored ? right : left);
    int b = TimeToX(m, m.bMirrored ? left : right) - 1;
    if (b < a)
        b = a; // never vanish: a sliver still owns the column it starts in
    if (b < m.nChartLeft || a > m.nChartRight)
        return false;
    x0 = std::max(a, m.nChartLeft);
    x1 = std::min(b, m.nChartRight);
    return true;
}

/// Appends to `out` the merged spans of the visible items. `items` are sorted by left and
/// `maxRight` is BuildMaxRight() of them (an empty or mismatched `maxRight` walks from the first
/// item). Items with a negative key, a reversed extent or outside the view are skipped. Returns
/// the number of items walked (for the cost checks of the tests).
template<typename Item, typename LeftOf, typename RightOf, typename KeyOf>
int RasterizeSorted(const QVector<Item>& items, const QVector<double>& maxRight,
                    const AxisMapping& m, QVector<RasterSpan>& out, LeftOf leftOf,
                    RightOf rightOf, KeyOf keyOf)
{
    if (items.isEmpty() || m.dPixelsPerSecond <= 0.0 || m.nChartRight < m.nChartLeft)
        return 0;
    const double viewLeft = m.dViewLeft;
    const double viewRight = m.dViewRight;
    int first = 0;
    if (maxRight.size() == items.size())
        first = FirstReachingIndex(maxRight, viewLeft);

    // One open span per key; a new column range either extends it or closes it.
    QVarLengthArray<RasterSpan, 16> open;
    int walked = 0;
    for (int i = first; i < items.size(); ++i) {
        const Item& item = items.at(i);
        const double left = leftOf(item);
        if (left > viewRight)
            break;
        ++walked;
        const double right = rightOf(item);
        const int key = keyOf(item);
        if (key < 0 || right < left || right < viewLeft)
            continue;
        int x0 = 0;
        int x1 = 0;
        if (!SegmentColumns(m, left, right, x0, x1))
            continue;
        if (key >= open.size()) {
            const int oldSize = open.size();
            open.resize(key + 1);
            for (int k = oldSize; k <= key; ++k)
                open[k] = RasterSpan{0, -1, k};
        }
        RasterSpan& span = open[key];
        if (span.nX1 >= span.nX0 && x0 <= span.nX1 + 1 && x1 >= span.nX0 - 1) {
            span.nX0 = std::min(span.nX0, x0);
            span.nX1 = std::max(span.nX1, x1);
            continue;
        }
        if (span.nX1 >= span.nX0)
            out.append(span);
        span = RasterSpan{x0, x1, key};
    }
    for (const RasterSpan& span : open) {
        if (span.nX1 >= span.nX0)
            out.append(span);
    }
    return walked;
}

/// RasterizeSorted() for plain RasterSegment lists.
NIMBGUITOOLKIT_EXPORT int RasterizeSegments(const QVector<RasterSegment>& sorted,
                                            const QVector<double>& maxRight,
                                            const AxisMapping& m, QVector<RasterSpan>& out);

/// Sorts by left (stable, so equal lefts keep their order) and builds the running maximum.
NIMBGUITOOLKIT_EXPORT void SortSegments(QVector<RasterSegment>& segments,
                                        QVector<double>& maxRight);

} // namespace Detail
} // namespace TesselGUIToolkit
