#include "TimeLine/SegmentRaster_p.h"

namespace TesselGUIToolkit {
namespace Detail {

int RasterizeSegments(const QVector<RasterSegment>& sorted, const QVector<double>& maxRight,
                      const AxisMapping& m, QVector<RasterSpan>& out)
{
    return RasterizeSorted(
        sorted, maxRight, m, out, [](const RasterSegment& s) { return s.dLeft; },
        [](const RasterSegment& s) { return s.dRight; },
        [](const RasterSegment& s) { return s.nKey; });
}

void SortSegments(QVector<RasterSegment>& segments, QVector<double>& maxRight)
{
    std::stable_sort(segments.begin(), segments.end(),
                     [](const RasterSegment& a, const RasterSegment& b) {
                         return a.dLeft < b.dLeft;
                     });
    maxRight = BuildMaxRight(segments, [](const RasterSegment& s) { return s.dRight; });
}

} // namespace Detail
} // namespace TesselGUIToolkit
