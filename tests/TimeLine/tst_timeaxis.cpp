#include "TimeLine/SegmentRaster_p.h"
#include "TimeLine/TimeAxis_p.h"
#include "TimeLine/TimeLineTestSupport.h"

#include <QRandomGenerator>
#include <QSet>
#include <QTest>

using namespace TesselGUIToolkit::Detail;
using TimeLineTest::AddRows;

namespace {

qint64 Utc(const QDate& date, const QTime& time)
{
    return QDateTime(date, time).toSecsSinceEpoch();
}

// In the test's zone (Berlin) clocks go forward on 2024-03-31 and back on 2024-10-27.
const QDate kShortDay(2024, 3, 31);
const QDate kLongDay(2024, 10, 27);
const QDate kPlainDay(2024, 6, 12);

enum Move { Around, Right, Left, Drag };

using Segments = QVector<RasterSegment>;
using Spans = QVector<RasterSpan>;

// A chart of 1000 columns (x 10..1009) showing one day from axis second 0: 86.4 s a column.
AxisMapping DayMapping()
{
    return MakeAxisMapping(10, 1009, 0.0, 86400.0, false);
}

Spans Raster(Segments segments, const AxisMapping& m, int* walked = nullptr)
{
    QVector<double> maxRight;
    SortSegments(segments, maxRight);
    Spans out;
    const int n = RasterizeSegments(segments, maxRight, m, out);
    if (walked)
        *walked = n;
    std::sort(out.begin(), out.end(), [](const RasterSpan& a, const RasterSpan& b) {
        return a.nKey != b.nKey ? a.nKey < b.nKey : a.nX0 < b.nX0;
    });
    return out;
}

// Rows of the tables below.
// clang-format off
struct MapRow { const char* name; bool toX; int left, right; double viewLeft, viewRight;
                bool mirrored; QVector<QPair<double, int>> probes; }; // time and x
struct RangeRow { const char* name; QDate from, to; qint64 length; const char* lastSecond; };
struct MoveRow { const char* name; Move move; double left, right, arg, newLeft; };
struct PlayRow { const char* name; qint64 time; bool applied; const char* centre; };
struct SegmentRow { const char* name; qint64 begin, end; bool kept; qint64 left, length; };
struct SpanRow { const char* name; Segments segments; Spans expected; };
// clang-format on

} // namespace

Q_DECLARE_METATYPE(MapRow)
Q_DECLARE_METATYPE(RangeRow)
Q_DECLARE_METATYPE(MoveRow)
Q_DECLARE_METATYPE(PlayRow)
Q_DECLARE_METATYPE(SegmentRow)
Q_DECLARE_METATYPE(SpanRow)

class tst_TimeAxis : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        qputenv("TZ", "Europe/Berlin");
        tzset();
        QCOMPARE(QDateTime(kLongDay, QTime(12, 0)).offsetFromUtc(), 3600);
        QCOMPARE(QDateTime(kPlainDay, QTime(12, 0)).offsetFromUtc(), 7200);
    }

    void scaleTable()
    {
        // Levels 7..14; a span of 0 stands for the length of the day, which the day state sets
        // (state 3 is unknown and counts as an ordinary day). Levels 6 and 15 are outside.
        const int span[] = {0, 0, 0, 43200, 21600, 7200, 3600, 720};
        const int step[] = {43200, 21600, 7200, 3600, 1800, 600, 300, 60};
        const int overscroll[] = {43200, 43200, 43200, 21600, 10800, 3600, 1800, 150};
        const char* label[] = {"24h", "24h", "24h", "12h", "6h", "2h", "1h", "12m"};
        const int day[] = {86400, 82800, 90000, 86400};
        for (int state = 0; state < 4; ++state) {
            for (int level = 6; level <= 15; ++level) {
                const ScaleRow row = ScaleForLevel(level, state);
                const int i = level - 7;
                const bool inside = level >= 7 && level <= 14;
                QCOMPARE(row.nSpan, inside && span[i] ? span[i] : day[state]);
                QCOMPARE(row.nStep, inside ? step[i] : -1);
                QCOMPARE(row.nOverscroll, inside ? overscroll[i] : 0);
                QCOMPARE(QString(row.pszLabel), QString(inside ? label[i] : "24h"));
            }
        }
    }

    void levelsAndStatesAreClamped()
    {
        CTimeAxisModel model(0, kPlainDay);
        model.SetLevel(7); // zooming in stops at 9 (7 and 8 are only set directly)
        QCOMPARE(model.ZoomInLevel(), 7);
        model.SetLevel(99);
        QCOMPARE(model.GetLevel(), 14);
        model.SetLevel(-5);
        QCOMPARE(model.GetLevel(), 7);
        QVERIFY(!model.SetDstState(3));
        QVERIFY(!model.SetDstState(-1));
        QCOMPARE(model.GetDstState(), 0);
        QVERIFY(model.CheckInvariant());
    }

    void mapping_data()
    {
        // clang-format off
        AddRows<MapRow>({
            // 86.4 s a pixel: 1 s rounds down, 44 s up; the view's right edge is one past the chart
            {"day", true, 9, 1008, 0, 86400, false,
             {{0, 9}, {43200, 509}, {86400, 1009}, {1, 9}, {44, 10}}},
            {"halves round up, below zero too", true, 0, 99, 0, 200, false,
             {{1, 1}, {-1, 0}, {-3, -1}}},
            {"12 minutes, second 61", true, 0, 719, 1000, 1720, false, {{1061, 61}}},
            {"empty span maps to the left", true, 5, 99, 50, 50, false, {{70, 5}}},
            {"mirrored", true, 0, 99, 0, 200, true, {{200, 0}, {0, 100}}},
            {"mirrored, chart from 10", true, 10, 109, 0, 200, true, {{99, 51}}},
            {"absurd time saturates", true, 0, 99, 0, 1, false, {{1.0e30, 1000000000}}},
            // back to time, truncated: one pixel is 86.4 s
            {"x, day", false, 9, 1008, 1000, 87400, false,
             {{1000, 9}, {1086, 10}, {44200, 509}, {913, 8}}},
            {"x, below zero truncates toward zero", false, 0, 99, -100, 100, false, {{-98, 1}}},
            {"x, negative fraction", false, 0, 2, -10, 0, false, {{-6, 1}}},
            {"x, empty chart gives the left edge", false, 9, 8, 500, 900, false, {{500, 50}}}});
        // clang-format on
    }
    void mapping()
    {
        QFETCH(MapRow, row);
        const AxisMapping m =
            MakeAxisMapping(row.left, row.right, row.viewLeft, row.viewRight, row.mirrored);
        for (const auto& [t, x] : row.probes) {
            if (row.toX)
                QCOMPARE(TimeToX(m, t), x);
            else
                QCOMPARE(XToTime(m, x), t);
        }
    }

    void secondPerPixelRoundTrips()
    {
        // At 12 minutes over 720 pixels every pixel is one second: both ways must agree exactly.
        const double left = Utc(kLongDay, QTime(2, 54, 0)) + 0.0;
        const AxisMapping m = MakeAxisMapping(30, 749, left, left + 720.0, false);
        for (int x = 30; x <= 749; ++x)
            QCOMPARE(TimeToX(m, XToTime(m, x)), x);
    }

    void rangeOfDays_data()
    {
        // clang-format off
        AddRows<RangeRow>({
            {"ordinary day", kPlainDay, kPlainDay, 86400, "2024/06/12 23:59:59"},
            {"23-hour day", kShortDay, kShortDay, 82800, "2024/03/31 23:59:59"},
            {"25-hour day", kLongDay, kLongDay, 90000, "2024/10/27 23:59:59"},
            {"three days over the switch", kLongDay.addDays(-1), kLongDay.addDays(1),
             3 * 86400 + 3600, "2024/10/28 23:59:59"},
            {"first unsigned day", {1970, 1, 1}, {1970, 1, 1}, 86400, "1970/01/01 23:59:59"},
            {"reversed", {2024, 6, 13}, {2024, 6, 12}, 0, ""},
            {"invalid from", {}, {2024, 6, 12}, 0, ""},
            {"invalid to", {2024, 6, 12}, {2024, 2, 30}, 0, ""},
            {"before 1970", {1969, 12, 31}, {1970, 1, 2}, 0, ""},
            {"after 2105", {2106, 3, 1}, {2106, 3, 1}, 0, ""}});
        // clang-format on
    }
    void rangeOfDays()
    {
        QFETCH(RangeRow, row);
        CTimeAxisModel model(3600, QDate(2024, 1, 5));
        const qint64 floor = model.GetRangeFloor();
        const qint64 ceiling = model.GetRangeCeiling();
        QCOMPARE(model.SetTimeRange(row.from, row.to), row.length > 0);
        QVERIFY(model.CheckInvariant());
        if (row.length == 0) { // bad input leaves the model alone
            QCOMPARE(model.GetRangeFloor(), floor);
            QCOMPARE(model.GetRangeCeiling(), ceiling);
            return;
        }
        QCOMPARE(model.GetRangeBeginUtc(), Utc(row.from, QTime(0, 0)));
        QCOMPARE(model.GetRangeEndUtc() - model.GetRangeBeginUtc(), row.length);
        QCOMPARE(model.GetRangeFloor(), model.GetRangeBeginUtc() - 43200);
        QCOMPARE(model.GetRangeCeiling(), model.GetRangeEndUtc() + 43200);
        QCOMPARE(model.GetRangeEnd().addSecs(-1).toString("yyyy/MM/dd hh:mm:ss"),
                 QString(row.lastSecond));
    }

    void neverGivenRangeKeepsMargins()
    {
        // The constructor's day and a first SetTimeRange of the same day must both carry the
        // half-day margins; otherwise every segment lands twelve hours off.
        CTimeAxisModel model(7200, kPlainDay);
        const qint64 midnight = Utc(kPlainDay, QTime(0, 0));
        QCOMPARE(model.GetRangeFloor(), midnight - 43200);
        QCOMPARE(model.GetRangeCeiling(), midnight + 86400 + 43200);
        QVERIFY(!model.IsRangeGiven());
        QVERIFY(model.SetTimeRange(kPlainDay, kPlainDay));
        QVERIFY(model.IsRangeGiven());
        QCOMPARE(model.GetRangeFloor(), midnight - 43200);
        QVERIFY(!model.SetTimeRange(kPlainDay, kPlainDay));
        double left = 0;
        double right = 0;
        const qint64 at = Utc(kPlainDay, QTime(10, 0, 5));
        QVERIFY(model.MapSegment(at, at + 95, left, right));
        QCOMPARE(left, double(at));
        QCOMPARE(right, double(at + 95));
        QVERIFY(model.CheckInvariant());

        // Built in winter (+1 h), first range given in summer (+2 h): the floor uses the drift of
        // the moment it is set, even though the days equal the constructor's.
        CTimeAxisModel winter(3600, kPlainDay);
        winter.SetCurrentOffset(7200);
        QVERIFY(winter.SetTimeRange(kPlainDay, kPlainDay));
        QCOMPARE(winter.GetRangeFloor(), midnight + 3600 - 43200);
    }

    void zoneDrift()
    {
        // offset at construction, offset now: unchanged, summer time began and ended, moved west
        const int rows[][2] = {{3600, 3600}, {3600, 7200}, {7200, 3600}, {0, -18000}};
        const qint64 at = Utc(kLongDay, QTime(23, 30, 17));
        for (const auto& r : rows) {
            const int drift = r[1] - r[0];
            CTimeAxisModel model(r[0], kPlainDay);
            model.SetCurrentOffset(r[1]);
            QCOMPARE(model.GetZoneDrift(), drift);
            QVERIFY(model.SetTimeRange(kLongDay, kLongDay));
            QCOMPARE(model.GetRangeFloor(), Utc(kLongDay, QTime(0, 0)) + drift - 43200);
            QCOMPARE(model.AxisFromUtc(at), double(at + drift));
            QCOMPARE(model.UtcFromAxis(at + drift + 0.9), at);
            double left = 0;
            double right = 0;
            QVERIFY(model.MapSegment(at, at + 60, left, right));
            QCOMPARE(left, double(at + drift));
        }
    }

    void localZoneOffset()
    {
        QCOMPARE(LocalZoneOffset(QDateTime(kPlainDay, QTime(12, 0))), 7200);
        QCOMPARE(LocalZoneOffset(QDateTime(kLongDay, QTime(1, 0))), 7200);
        QCOMPARE(LocalZoneOffset(QDateTime(kLongDay, QTime(4, 0))), 3600);
        QCOMPARE(FormatLocal(Utc(kLongDay, QTime(23, 59, 59)), "yyyy/MM/dd hh:mm:ss"),
                 QString("2024/10/27 23:59:59"));
    }

    void viewMoves_data()
    {
        // Axis seconds from the begin of 2024-06-12; floor -43200, ceiling 129600. Steps move a
        // 720 s view, drags a 3600 s view with 1800 s of overscroll.
        // clang-format off
        AddRows<MoveRow>({
            {"span: centred", Around, 36000, 50400, 3600, 41400},
            {"span: held at the floor", Around, -43200, -36000, 86400, -43200},
            {"span: held at the ceiling", Around, 120000, 129600, 43200, 86400},
            {"span: wider than the limits starts at the floor", Around, 0, 86400, 300000, -43200},
            {"span: zoom in near the end", Around, 100800, 129600, 720, 114840},
            {"step: one minute later", Right, 36000, 36720, 60, 36060},
            {"step: one minute earlier", Left, 36000, 36720, 60, 35940},
            {"step: stops at the ceiling", Right, 128800, 129520, 600, 128880},
            {"step: stops at the floor", Left, -43000, -42280, 600, -43200},
            {"step: negative does nothing", Right, 36000, 36720, -60, 36000},
            {"drag: pointer left, view later", Drag, 0, 3600, -600, 600},
            {"drag: pointer right, view earlier", Drag, 3600, 7200, 600, 3000},
            {"drag: no move", Drag, 3600, 7200, 0, 3600},
            {"drag: held at end + overscroll", Drag, 84000, 87600, -9000, 84600},
            {"drag: held at begin - overscroll", Drag, 100, 3700, 5000, -1800}});
        // clang-format on
    }
    void viewMoves()
    {
        QFETCH(MoveRow, row);
        CTimeAxisModel model(0, kPlainDay);
        QVERIFY(model.SetTimeRange(kPlainDay, kPlainDay));
        const double begin = double(model.GetRangeBeginUtc());
        const ViewWindow from{begin + row.left, begin + row.right};
        const ViewWindow view = row.move == Around ? model.SpanAround(from, row.arg)
            : row.move == Right                    ? model.StepRight(from, int(row.arg))
            : row.move == Left                     ? model.StepLeft(from, int(row.arg))
                                                   : model.DragView(from, qint64(row.arg), 1800);
        QCOMPARE(view.dLeft - begin, row.newLeft);
        QCOMPARE(view.Span(), row.move == Around ? row.arg : from.Span());
    }

    void playTime_data()
    {
        const qint64 begin = Utc(kLongDay, QTime(0, 0));
        // clang-format off
        AddRows<PlayRow>({
            {"inside", Utc(kLongDay, QTime(8, 15, 31)), true, "08:15:31"},
            {"after the switch", Utc(kLongDay, QTime(23, 59, 59)), true, "23:59:59"},
            {"zero clamps to the begin", 0, true, "00:00:00"},
            {"before the range clamps to the begin", begin - 5000, true, "00:00:00"},
            {"after the range clamps to the end", begin + 200000, true, "00:00:00"},
            {"no time", 0xFFFFFFFF, false, ""}, {"past unsigned", 0x100000000LL, false, ""},
            {"negative", -1, false, ""}});
        // clang-format on
    }
    void playTime()
    {
        QFETCH(PlayRow, row);
        CTimeAxisModel model(0, kPlainDay);
        QVERIFY(model.SetTimeRange(kLongDay, kLongDay));
        ViewWindow view{1000.0, 4600.0};
        QCOMPARE(model.PlayTime(row.time, view), row.applied);
        if (!row.applied) {
            QCOMPARE(view, (ViewWindow{1000.0, 4600.0}));
            return;
        }
        QCOMPARE(view.Span(), 3600.0);
        QCOMPARE(FormatLocal(model.UtcFromAxis(view.Center()), "hh:mm:ss"), QString(row.centre));
        ViewWindow again{0.0, 720.0}; // the same time again changes nothing
        QVERIFY(!model.PlayTime(row.time, again));
        QCOMPARE(again, (ViewWindow{0.0, 720.0}));
    }

    void mapSegment_data()
    {
        const qint64 day = Utc(kLongDay, QTime(0, 0));
        const qint64 next = day + 90000;
        const qint64 repeated = Utc(kLongDay, QTime(2, 30)) + 3600; // 02:30 the second time
        // clang-format off
        AddRows<SegmentRow>({
            {"inside", day + 100, day + 160, true, day + 100, 60},
            {"in the repeated hour", repeated, repeated + 60, true, repeated, 60},
            {"last hour of the long day", next - 3600, next, true, next - 3600, 3600},
            {"straddles the begin", day - 500, day + 500, true, day, 500},
            {"straddles the end", next - 10, next + 500, true, next - 10, 10},
            {"covers the range", 0, 0xFFFFFFFF, true, day, 90000},
            {"zero length", day + 7, day + 7, true, day + 7, 0},
            {"wholly before", day - 500, day - 1, false, 0, 0},
            {"wholly after", next + 1, next + 500, false, 0, 0},
            {"reversed", day + 500, day + 100, false, 0, 0},
            {"before 1970", -90000, -10, false, 0, 0},
            {"after 2105", 4500000000LL, 4500000100LL, false, 0, 0}});
        // clang-format on
    }
    void mapSegment()
    {
        QFETCH(SegmentRow, row);
        CTimeAxisModel model(0, kPlainDay);
        QVERIFY(model.SetTimeRange(kLongDay, kLongDay));
        double left = -1;
        double right = -1;
        QCOMPARE(model.MapSegment(row.begin, row.end, left, right), row.kept);
        if (row.kept) {
            QCOMPARE(qint64(left), row.left);
            QCOMPARE(qint64(right - left), row.length);
        }
    }

    // ---- segments to pixel columns
    void spans_data()
    {
        Segments slivers; // a hundred on one column
        for (int i = 0; i < 100; ++i)
            slivers.append({43200.0 + i * 0.4, 43200.0 + i * 0.4 + 0.2, 1});
        // clang-format off
        AddRows<SpanRow>({
            {"empty", {}, {}},
            {"one hour", {{3600, 7200, 0}}, {{52, 92, 0}}},
            {"one second still lights its column", {{21600, 21601, 0}}, {{260, 260, 0}}},
            {"zero length still lights its column", {{43200, 43200, 2}}, {{510, 510, 2}}},
            {"hundred slivers on one column are one fill", slivers, {{510, 510, 1}}},
            {"touching columns merge", {{0, 864, 0}, {864, 1728, 0}}, {{10, 29, 0}}},
            {"a free column keeps them apart", {{0, 864, 0}, {950.4, 1728, 0}},
             {{10, 19, 0}, {21, 29, 0}}},
            {"keys are not merged", {{0, 864, 0}, {0, 864, 1}}, {{10, 19, 0}, {10, 19, 1}}},
            {"overlapping keys each merge", {{0, 864, 0}, {432, 1296, 1}, {864, 1728, 0}},
             {{10, 29, 0}, {15, 24, 1}}},
            {"clipped at the chart edges", {{-5000, 90000, 0}}, {{10, 1009, 0}}},
            {"ending at the view's left edge shows nothing", {{-5000, 0, 0}}, {}},
            {"long segment from before the view", {{-90000, 864, 0}, {-80000, -70000, 1}},
             {{10, 19, 0}}},
            {"outside the view", {{-9000, -100, 0}, {86500, 90000, 0}}, {}},
            {"reversed and negative keys are skipped", {{5000, 4000, 0}, {100, 200, -1}}, {}}});
        // clang-format on
    }
    void spans()
    {
        QFETCH(SpanRow, row);
        QCOMPARE(Raster(row.segments, DayMapping()), row.expected);
    }

    void segmentsOutsideTheViewAreNotWalked()
    {
        // A day of one-minute recordings viewed for one hour: the walk covers the hour only.
        Segments segments;
        for (int i = 0; i < 1440; ++i)
            segments.append({i * 60.0, i * 60.0 + 30.0, i % 3});
        int walked = 0;
        const Spans spans = Raster(segments, MakeAxisMapping(0, 719, 36000, 39600, false), &walked);
        QVERIFY2(walked <= 62, qPrintable(QString::number(walked)));
        QCOMPARE(spans.size(), 60); // the one starting on the right edge has no column left

        // Without the running maximum the walk starts at the first segment.
        Spans out;
        RasterizeSegments({{100, 200, 0}, {4000, 5000, 0}}, {}, DayMapping(), out);
        QCOMPARE(out.size(), 2);
    }

    void emptyOrMirroredMapping()
    {
        // Zero width, zero span, reversed view: nothing to light.
        for (const AxisMapping& m : {MakeAxisMapping(10, 9, 0, 86400, false),
                                     MakeAxisMapping(0, 999, 500, 500, false),
                                     MakeAxisMapping(0, 999, 800, 500, false)})
            QVERIFY(Raster({{0, 86400, 0}, {600, 700, 1}}, m).isEmpty());
        // Mirrored: the latest time is at x = 0.
        const AxisMapping m = MakeAxisMapping(0, 999, 0.0, 1000.0, true);
        QCOMPARE(Raster({{900, 1000, 0}}, m), (Spans{{0, 99, 0}}));
        QCOMPARE(Raster({{1.2, 1.4, 0}}, m), (Spans{{999, 999, 0}}));
    }

    void matchesOneFillPerSegment()
    {
        // The merged spans must light exactly the columns that filling every segment on its own
        // would light, and no two spans of a key may touch or overlap: whole day, one hour,
        // twelve minutes and a view at fractional seconds.
        const double views[][2] = {{0, 86400}, {30000, 33600}, {40000, 40720}, {12345.6, 19876.5}};
        for (const auto& [viewLeft, viewRight] : views) {
            QRandomGenerator random(static_cast<quint32>(viewLeft));
            Segments segments;
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
            const Spans spans = Raster(segments, m);
            QSet<QPair<int, int>> lit;
            for (int i = 0; i < spans.size(); ++i) {
                for (int x = spans.at(i).nX0; x <= spans.at(i).nX1; ++x)
                    lit.insert({spans.at(i).nKey, x});
                if (i > 0 && spans.at(i).nKey == spans.at(i - 1).nKey)
                    QVERIFY(spans.at(i).nX0 > spans.at(i - 1).nX1 + 1);
            }
            QCOMPARE(lit, expected);
        }
    }

    void millionSegmentsOnOneColumnAreOneFill()
    {
        Segments segments(1000000);
        for (int i = 0; i < segments.size(); ++i)
            segments[i] = {50000.0 + i * 1e-5, 50000.0 + i * 1e-5, 0};
        const Spans spans = Raster(segments, DayMapping());
        QCOMPARE(spans.size(), 1);
        QCOMPARE(spans.first().nX0, spans.first().nX1);
    }
};

QTEST_GUILESS_MAIN(tst_TimeAxis)
#include "tst_timeaxis.moc"
