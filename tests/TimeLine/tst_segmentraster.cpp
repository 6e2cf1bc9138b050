#include "TimeLine/SegmentRaster_p.h"

#include <QRandomGenerator>
#include <QSet>
#include <QTest>

using namespace TesselGUIToolkit::Detail;

using SpanList = QVector<RasterSpan>;
Q_DECLARE_METATYPE(RasterSpan)
Q_DECLARE_METATYPE(RasterSegment)

namespace {

// A chart of 1000 columns (x 10..1009) showing one day from axis second 0.
AxisMapping DayMapping()
{
    return MakeAxisMapping(10, 1009, 0.0, 86400.0, false);
}

SpanList Raster(QVector<RasterSegment> segments, const AxisMapping& m, int* walked = nullptr)
{
    QVector<double> maxRight;
    SortSegments(segments, maxRight);
    SpanList out;
    const int n = RasterizeSegments(segments, maxRight, m, out);
    if (walked)
        *walked = n;
    std::sort(out.begin(), out.end(), [](const RasterSpan& a, const RasterSpan& b) {
        return a.nKey != b.nKey ? a.nKey < b.nKey : a.nX0 < b.nX0;
    });
    return out;
}

// The columns each key lights, span by span: what a painter would fill.
QSet<QPair<int, int>> Columns(const SpanList& spans)
{
    QSet<QPair<int, int>> columns;
    for (const RasterSpan& s : spans) {
        for (int x = s.nX0; x <= s.nX1; ++x)
            columns.insert({s.nKey, x});
    }
    return columns;
}

} // namespace

class tst_SegmentRaster : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void spans_data()
    {
        QTest::addColumn<QVector<RasterSegment>>("segments");
        QTest::addColumn<SpanList>("expected");
        // 86.4 axis seconds per column.
        QTest::newRow("empty") << QVector<RasterSegment>{} << SpanList{};
        QTest::newRow("one hour") << QVector<RasterSegment>{{3600, 7200, 0}}
                                  << SpanList{{52, 92, 0}};
        QTest::newRow("one second still lights its column")
            << QVector<RasterSegment>{{21600, 21601, 0}} << SpanList{{260, 260, 0}};
        QTest::newRow("zero length still lights its column")
            << QVector<RasterSegment>{{43200, 43200, 2}} << SpanList{{510, 510, 2}};
        QTest::newRow("hundred slivers on one column are one fill") << [] {
            QVector<RasterSegment> v;
            for (int i = 0; i < 100; ++i)
                v.append({43200.0 + i * 0.4, 43200.0 + i * 0.4 + 0.2, 1});
            return v;
        }() << SpanList{{510, 510, 1}};
        QTest::newRow("touching columns merge") << QVector<RasterSegment>{{0, 864, 0},
                                                                          {864, 1728, 0}}
                                                << SpanList{{10, 29, 0}};
        QTest::newRow("a free column keeps them apart")
            << QVector<RasterSegment>{{0, 864, 0}, {950.4, 1728, 0}} << SpanList{{10, 19, 0},
                                                                                 {21, 29, 0}};
        QTest::newRow("keys are not merged") << QVector<RasterSegment>{{0, 864, 0}, {0, 864, 1}}
                                             << SpanList{{10, 19, 0}, {10, 19, 1}};
        QTest::newRow("overlapping keys each merge") << QVector<RasterSegment>{{0, 864, 0},
                                                                               {432, 1296, 1},
                                                                               {864, 1728, 0}}
                                                     << SpanList{{10, 29, 0}, {15, 24, 1}};
        QTest::newRow("clipped at the chart edges") << QVector<RasterSegment>{{-5000, 90000, 0}}
                                                    << SpanList{{10, 1009, 0}};
        QTest::newRow("ending at the view's left edge shows nothing")
            << QVector<RasterSegment>{{-5000, 0, 0}} << SpanList{};
        QTest::newRow("long segment from before the view")
            << QVector<RasterSegment>{{-90000, 864, 0}, {-80000, -70000, 1}}
            << SpanList{{10, 19, 0}};
        QTest::newRow("outside the view") << QVector<RasterSegment>{{-9000, -100, 0},
                                                                    {86500, 90000, 0}}
                                          << SpanList{};
        QTest::newRow("reversed and negative keys are skipped")
            << QVector<RasterSegment>{{5000, 4000, 0}, {100, 200, -1}} << SpanList{};
    }
    void spans()
    {
        QFETCH(QVector<RasterSegment>, segments);
        QTEST(Raster(segments, DayMapping()), "expected");
    }

    void segmentsOutsideTheViewAreNotWalked()
    {
        // A day of one-minute recordings viewed for one hour: the walk covers the hour only.
        QVector<RasterSegment> segments;
        for (int i = 0; i < 1440; ++i)
            segments.append({i * 60.0, i * 60.0 + 30.0, i % 3});
        const AxisMapping hour = MakeAxisMapping(0, 719, 36000.0, 39600.0, false);
        int walked = 0;
        const SpanList spans = Raster(segments, hour, &walked);
        QVERIFY2(walked <= 62, qPrintable(QString::number(walked)));
        QCOMPARE(spans.size(), 60); // the one starting on the right edge has no column left
    }

    void unsortedMaxRightFallsBackToAFullWalk()
    {
        const QVector<RasterSegment> segments{{100, 200, 0}, {4000, 5000, 0}};
        SpanList out;
        RasterizeSegments(segments, {}, DayMapping(), out);
        QCOMPARE(out.size(), 2);
    }

    void emptyMappingGivesNothing_data()
    {
        QTest::addColumn<int>("chartLeft");
        QTest::addColumn<int>("chartRight");
        QTest::addColumn<double>("viewLeft");
        QTest::addColumn<double>("viewRight");
        QTest::newRow("zero width") << 10 << 9 << 0.0 << 86400.0;
        QTest::newRow("zero span") << 0 << 999 << 500.0 << 500.0;
        QTest::newRow("reversed view") << 0 << 999 << 800.0 << 500.0;
    }
    void emptyMappingGivesNothing()
    {
        QFETCH(int, chartLeft);
        QFETCH(int, chartRight);
        QFETCH(double, viewLeft);
        QFETCH(double, viewRight);
        const AxisMapping m = MakeAxisMapping(chartLeft, chartRight, viewLeft, viewRight, false);
        QVERIFY(Raster({{0, 86400, 0}, {600, 700, 1}}, m).isEmpty());
    }

    void mirroredMappingRunsRightToLeft()
    {
        // Mirrored: the latest time is at x = 0.
        const AxisMapping m = MakeAxisMapping(0, 999, 0.0, 1000.0, true);
        QCOMPARE(Raster({{900, 1000, 0}}, m), (SpanList{{0, 99, 0}}));
        QCOMPARE(Raster({{1.2, 1.4, 0}}, m), (SpanList{{999, 999, 0}}));
    }

    void matchesOneFillPerSegment_data()
    {
        QTest::addColumn<int>("seed");
        QTest::addColumn<double>("viewLeft");
        QTest::addColumn<double>("viewRight");
        QTest::newRow("whole day") << 1 << 0.0 << 86400.0;
        QTest::newRow("one hour") << 2 << 30000.0 << 33600.0;
        QTest::newRow("twelve minutes") << 3 << 40000.0 << 40720.0;
        QTest::newRow("fractional view") << 4 << 12345.6 << 19876.5;
    }
    void matchesOneFillPerSegment()
    {
        // The merged spans must light exactly the columns that filling every segment on its own
        // would light.
        QFETCH(int, seed);
        QFETCH(double, viewLeft);
        QFETCH(double, viewRight);
        QRandomGenerator random(seed);
        QVector<RasterSegment> segments;
        for (int i = 0; i < 3000; ++i) {
            const double left = random.bounded(90000.0) - 2000.0;
            const double length = i % 4 == 0 ? random.bounded(2.0) : random.bounded(3000.0);
            segments.append({left, left + length, random.bounded(4)});
        }
        const AxisMapping m = MakeAxisMapping(7, 1206, viewLeft, viewRight, false);

        QSet<QPair<int, int>> expected;
        for (const RasterSegment& s : segments) {
            if (s.dRight < viewLeft || s.dLeft > viewRight)
                continue;
            const int x0 = TimeToX(m, s.dLeft);
            const int x1 = std::max(x0, TimeToX(m, s.dRight) - 1);
            for (int x = std::max(x0, 7); x <= std::min(x1, 1206); ++x)
                expected.insert({s.nKey, x});
        }
        const SpanList spans = Raster(segments, m);
        QCOMPARE(Columns(spans), expected);
        // Merged: no two spans of a key touch or overlap.
        for (int i = 1; i < spans.size(); ++i) {
            if (spans.at(i).nKey == spans.at(i - 1).nKey)
                QVERIFY(spans.at(i).nX0 > spans.at(i - 1).nX1 + 1);
        }
    }

    void millionSegmentsOnOneColumnAreOneFill()
    {
        QVector<RasterSegment> segments(1000000);
        for (int i = 0; i < segments.size(); ++i)
            segments[i] = {50000.0 + i * 1e-5, 50000.0 + i * 1e-5, 0};
        const SpanList spans = Raster(segments, DayMapping());
        QCOMPARE(spans.size(), 1);
        QCOMPARE(spans.first().nX0, spans.first().nX1);
    }
};

QTEST_GUILESS_MAIN(tst_SegmentRaster)
#include "tst_segmentraster.moc"
