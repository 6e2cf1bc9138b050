#include "TimeLine/TimeAxis_p.h"

#include <QTest>

#include <ctime>

using namespace TesselGUIToolkit;
using namespace TesselGUIToolkit::Detail;

namespace {

qint64 Utc(const QDate& date, const QTime& time)
{
    return QDateTime(date, time).toSecsSinceEpoch();
}

// Berlin: clocks go forward on 2024-03-31 (a 23-hour day) and back on 2024-10-27 (25 hours).
const QDate kShortDay(2024, 3, 31);
const QDate kLongDay(2024, 10, 27);
const QDate kPlainDay(2024, 6, 12);

} // namespace

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

    void scaleTable_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("dstState");
        QTest::addColumn<int>("span");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("overscroll");
        QTest::addColumn<QString>("label");
        QTest::newRow("7") << 7 << 0 << 86400 << 43200 << 43200 << "24h";
        QTest::newRow("8") << 8 << 0 << 86400 << 21600 << 43200 << "24h";
        QTest::newRow("9") << 9 << 0 << 86400 << 7200 << 43200 << "24h";
        QTest::newRow("10") << 10 << 0 << 43200 << 3600 << 21600 << "12h";
        QTest::newRow("11") << 11 << 0 << 21600 << 1800 << 10800 << "6h";
        QTest::newRow("12") << 12 << 0 << 7200 << 600 << 3600 << "2h";
        QTest::newRow("13") << 13 << 0 << 3600 << 300 << 1800 << "1h";
        QTest::newRow("14") << 14 << 0 << 720 << 60 << 150 << "12m";
        QTest::newRow("7 on a 23-hour day") << 7 << 1 << 82800 << 43200 << 43200 << "24h";
        QTest::newRow("8 on a 23-hour day") << 8 << 1 << 82800 << 21600 << 43200 << "24h";
        QTest::newRow("9 on a 25-hour day") << 9 << 2 << 90000 << 7200 << 43200 << "24h";
        QTest::newRow("12 ignores the day state") << 12 << 2 << 7200 << 600 << 3600 << "2h";
        QTest::newRow("6 is outside") << 6 << 0 << 86400 << -1 << 0 << "24h";
        QTest::newRow("15 is outside") << 15 << 0 << 86400 << -1 << 0 << "24h";
        QTest::newRow("outside on a 25-hour day") << -1 << 2 << 90000 << -1 << 0 << "24h";
        QTest::newRow("unknown day state counts as ordinary") << 7 << 9 << 86400 << 43200 << 43200
                                                                << "24h";
    }
    void scaleTable()
    {
        QFETCH(int, level);
        QFETCH(int, dstState);
        const ScaleRow row = ScaleForLevel(level, dstState);
        QTEST(row.nSpan, "span");
        QTEST(row.nStep, "step");
        QTEST(row.nOverscroll, "overscroll");
        QTEST(QString::fromLatin1(row.pszLabel), "label");
    }

    void zoomStopsAtNineAndFourteen_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("in");
        QTest::addColumn<int>("out");
        QTest::newRow("7") << 7 << 7 << 8;
        QTest::newRow("9") << 9 << 9 << 10;
        QTest::newRow("10") << 10 << 9 << 11;
        QTest::newRow("14") << 14 << 13 << 14;
    }
    void zoomStopsAtNineAndFourteen()
    {
        QFETCH(int, level);
        CTimeAxisModel model(0, kPlainDay);
        model.SetLevel(level);
        QTEST(model.ZoomInLevel(), "in");
        QTEST(model.ZoomOutLevel(), "out");
    }

    void levelIsClamped()
    {
        CTimeAxisModel model(0, kPlainDay);
        model.SetLevel(99);
        QCOMPARE(model.GetLevel(), 14);
        model.SetLevel(-5);
        QCOMPARE(model.GetLevel(), 7);
        QVERIFY(!model.SetDstState(3));
        QVERIFY(!model.SetDstState(-1));
        QCOMPARE(model.GetDstState(), 0);
        QVERIFY(model.CheckInvariant());
    }

    void timeToX_data()
    {
        QTest::addColumn<int>("chartLeft");
        QTest::addColumn<int>("chartRight");
        QTest::addColumn<double>("viewLeft");
        QTest::addColumn<double>("viewRight");
        QTest::addColumn<bool>("mirrored");
        QTest::addColumn<double>("t");
        QTest::addColumn<int>("x");
        QTest::newRow("day, left edge") << 9 << 1008 << 0.0 << 86400.0 << false << 0.0 << 9;
        QTest::newRow("day, noon") << 9 << 1008 << 0.0 << 86400.0 << false << 43200.0 << 509;
        QTest::newRow("day, right edge") << 9 << 1008 << 0.0 << 86400.0 << false << 86400.0
                                         << 1009;
        QTest::newRow("day, 1 s rounds down") << 9 << 1008 << 0.0 << 86400.0 << false << 1.0 << 9;
        QTest::newRow("day, 44 s rounds up") << 9 << 1008 << 0.0 << 86400.0 << false << 44.0 << 10;
        QTest::newRow("half pixel rounds up") << 0 << 99 << 0.0 << 200.0 << false << 1.0 << 1;
        QTest::newRow("negative half rounds up") << 0 << 99 << 0.0 << 200.0 << false << -1.0 << 0;
        QTest::newRow("negative one and a half") << 0 << 99 << 0.0 << 200.0 << false << -3.0 << -1;
        QTest::newRow("12 minutes, second 61") << 0 << 719 << 1000.0 << 1720.0 << false << 1061.0
                                               << 61;
        QTest::newRow("empty span maps to the left") << 5 << 99 << 50.0 << 50.0 << false << 70.0
                                                     << 5;
        QTest::newRow("mirrored right edge") << 0 << 99 << 0.0 << 200.0 << true << 200.0 << 0;
        QTest::newRow("mirrored left edge") << 0 << 99 << 0.0 << 200.0 << true << 0.0 << 100;
        QTest::newRow("mirrored middle") << 10 << 109 << 0.0 << 200.0 << true << 99.0 << 51;
        QTest::newRow("absurd time saturates") << 0 << 99 << 0.0 << 1.0 << false << 1.0e30
                                               << 1000000000;
    }
    void timeToX()
    {
        QFETCH(int, chartLeft);
        QFETCH(int, chartRight);
        QFETCH(double, viewLeft);
        QFETCH(double, viewRight);
        QFETCH(bool, mirrored);
        QFETCH(double, t);
        const AxisMapping m = MakeAxisMapping(chartLeft, chartRight, viewLeft, viewRight, mirrored);
        QTEST(TimeToX(m, t), "x");
    }

    void xToTime_data()
    {
        QTest::addColumn<int>("chartLeft");
        QTest::addColumn<int>("chartRight");
        QTest::addColumn<double>("viewLeft");
        QTest::addColumn<double>("viewRight");
        QTest::addColumn<int>("x");
        QTest::addColumn<double>("t");
        QTest::newRow("left edge") << 9 << 1008 << 1000.0 << 87400.0 << 9 << 1000.0;
        QTest::newRow("one pixel truncates 86.4 s") << 9 << 1008 << 1000.0 << 87400.0 << 10
                                                    << 1086.0;
        QTest::newRow("centre") << 9 << 1008 << 1000.0 << 87400.0 << 509 << 44200.0;
        QTest::newRow("left of the chart") << 9 << 1008 << 1000.0 << 87400.0 << 8 << 913.0;
        QTest::newRow("negative axis truncates toward zero") << 0 << 99 << -100.0 << 100.0 << 1
                                                             << -98.0;
        QTest::newRow("negative fraction") << 0 << 2 << -10.0 << 0.0 << 1 << -6.0;
        QTest::newRow("empty chart gives the left edge") << 9 << 8 << 500.0 << 900.0 << 50
                                                         << 500.0;
    }
    void xToTime()
    {
        QFETCH(int, chartLeft);
        QFETCH(int, chartRight);
        QFETCH(double, viewLeft);
        QFETCH(double, viewRight);
        QFETCH(int, x);
        const AxisMapping m = MakeAxisMapping(chartLeft, chartRight, viewLeft, viewRight, false);
        QTEST(XToTime(m, x), "t");
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
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<qint64>("length");
        QTest::addColumn<QString>("lastSecond");
        QTest::newRow("ordinary day") << kPlainDay << kPlainDay << qint64(86400)
                                      << "2024/06/12 23:59:59";
        QTest::newRow("23-hour day") << kShortDay << kShortDay << qint64(82800)
                                     << "2024/03/31 23:59:59";
        QTest::newRow("25-hour day") << kLongDay << kLongDay << qint64(90000)
                                     << "2024/10/27 23:59:59";
        QTest::newRow("three days over the switch") << kLongDay.addDays(-1) << kLongDay.addDays(1)
                                                    << qint64(3 * 86400 + 3600)
                                                    << "2024/10/28 23:59:59";
        QTest::newRow("first unsigned day") << QDate(1970, 1, 1) << QDate(1970, 1, 1)
                                            << qint64(86400) << "1970/01/01 23:59:59";
    }
    void rangeOfDays()
    {
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(qint64, length);
        CTimeAxisModel model(3600, QDate(2024, 1, 5));
        QVERIFY(model.SetTimeRange(from, to));
        QCOMPARE(model.GetRangeBeginUtc(), Utc(from, QTime(0, 0)));
        QCOMPARE(model.GetRangeEndUtc() - model.GetRangeBeginUtc(), length);
        QCOMPARE(model.GetRangeFloor(), model.GetRangeBeginUtc() - 43200);
        QCOMPARE(model.GetRangeCeiling(), model.GetRangeEndUtc() + 43200);
        QTEST(model.GetRangeEnd().addSecs(-1).toString("yyyy/MM/dd hh:mm:ss"), "lastSecond");
        QVERIFY(model.CheckInvariant());
    }

    void neverGivenRangeKeepsMargins()
    {
        // The constructor's day and a first SetTimeRange of the same day must both carry the
        // half-day margins; otherwise every segment lands twelve hours off.
        const QDate today = kPlainDay;
        CTimeAxisModel model(7200, today);
        const qint64 midnight = Utc(today, QTime(0, 0));
        QCOMPARE(model.GetRangeFloor(), midnight - 43200);
        QCOMPARE(model.GetRangeCeiling(), midnight + 86400 + 43200);
        QVERIFY(!model.IsRangeGiven());
        QVERIFY(model.SetTimeRange(today, today));
        QVERIFY(model.IsRangeGiven());
        QCOMPARE(model.GetRangeFloor(), midnight - 43200);
        QVERIFY(!model.SetTimeRange(today, today));

        double left = 0;
        double right = 0;
        const qint64 at = Utc(today, QTime(10, 0, 5));
        QVERIFY(model.MapSegment(at, at + 95, left, right));
        QCOMPARE(left, double(at));
        QCOMPARE(right, double(at + 95));
        QVERIFY(model.CheckInvariant());
    }

    void firstRangeFollowsDriftSinceConstruction()
    {
        // Built in winter (+1 h), first range given in summer (+2 h): the floor must use the drift
        // of the moment it is set, even though the days equal the constructor's.
        const QDate today = kPlainDay;
        CTimeAxisModel model(3600, today);
        model.SetCurrentOffset(7200);
        QVERIFY(model.SetTimeRange(today, today));
        QCOMPARE(model.GetRangeFloor(), Utc(today, QTime(0, 0)) + 3600 - 43200);
    }

    void zoneDrift_data()
    {
        QTest::addColumn<int>("construction");
        QTest::addColumn<int>("now");
        QTest::addColumn<int>("drift");
        QTest::newRow("unchanged zone") << 3600 << 3600 << 0;
        QTest::newRow("summer time began") << 3600 << 7200 << 3600;
        QTest::newRow("summer time ended") << 7200 << 3600 << -3600;
        QTest::newRow("moved west") << 0 << -18000 << -18000;
    }
    void zoneDrift()
    {
        QFETCH(int, construction);
        QFETCH(int, now);
        QFETCH(int, drift);
        CTimeAxisModel model(construction, kPlainDay);
        model.SetCurrentOffset(now);
        QCOMPARE(model.GetZoneDrift(), drift);
        QVERIFY(model.SetTimeRange(kLongDay, kLongDay));
        const qint64 begin = Utc(kLongDay, QTime(0, 0));
        QCOMPARE(model.GetRangeFloor(), begin + drift - 43200);
        const qint64 at = Utc(kLongDay, QTime(23, 30, 17));
        QCOMPARE(model.AxisFromUtc(at), double(at + drift));
        QCOMPARE(model.UtcFromAxis(at + drift + 0.9), at);
        double left = 0;
        double right = 0;
        QVERIFY(model.MapSegment(at, at + 60, left, right));
        QCOMPARE(left, double(at + drift));
    }

    void localZoneOffset()
    {
        QCOMPARE(LocalZoneOffset(QDateTime(kPlainDay, QTime(12, 0))), 7200);
        QCOMPARE(LocalZoneOffset(QDateTime(kLongDay, QTime(1, 0))), 7200);
        QCOMPARE(LocalZoneOffset(QDateTime(kLongDay, QTime(4, 0))), 3600);
        QCOMPARE(FormatLocal(Utc(kLongDay, QTime(23, 59, 59)), "yyyy/MM/dd hh:mm:ss"),
                 QString("2024/10/27 23:59:59"));
    }

    void badRangeLeavesModelAlone_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::newRow("reversed") << QDate(2024, 6, 13) << QDate(2024, 6, 12);
        QTest::newRow("invalid from") << QDate() << QDate(2024, 6, 12);
        QTest::newRow("invalid to") << QDate(2024, 6, 12) << QDate(2024, 2, 30);
        QTest::newRow("before 1970") << QDate(1969, 12, 31) << QDate(1970, 1, 2);
        QTest::newRow("after 2105") << QDate(2106, 3, 1) << QDate(2106, 3, 1);
    }
    void badRangeLeavesModelAlone()
    {
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        CTimeAxisModel model(0, kPlainDay);
        QVERIFY(model.SetTimeRange(kLongDay, kLongDay));
        const qint64 floor = model.GetRangeFloor();
        const qint64 ceiling = model.GetRangeCeiling();
        QVERIFY(!model.SetTimeRange(from, to));
        QCOMPARE(model.GetRangeFloor(), floor);
        QCOMPARE(model.GetRangeCeiling(), ceiling);
        QVERIFY(model.CheckInvariant());
    }

    void spanAround_data()
    {
        // Range: 2024-06-12, floor = begin - 43200, ceiling = end + 43200 (begin = 0 here).
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("right");
        QTest::addColumn<double>("span");
        QTest::addColumn<double>("newLeft");
        QTest::newRow("centred") << 36000.0 << 50400.0 << 3600.0 << 41400.0;
        QTest::newRow("held at the floor") << -43200.0 << -36000.0 << 86400.0 << -43200.0;
        QTest::newRow("held at the ceiling") << 120000.0 << 129600.0 << 43200.0 << 86400.0;
        QTest::newRow("wider than the limits starts at the floor") << 0.0 << 86400.0 << 300000.0
                                                                   << -43200.0;
        QTest::newRow("zoom in near the end") << 100800.0 << 129600.0 << 720.0 << 114840.0;
    }
    void spanAround()
    {
        QFETCH(double, left);
        QFETCH(double, right);
        QFETCH(double, span);
        CTimeAxisModel model(0, kPlainDay);
        QVERIFY(model.SetTimeRange(kPlainDay, kPlainDay));
        const double begin = double(model.GetRangeBeginUtc());
        const ViewWindow view = model.SpanAround({begin + left, begin + right}, span);
        QTEST(view.dLeft - begin, "newLeft");
        QCOMPARE(view.Span(), span);
    }

    void steps_data()
    {
        QTest::addColumn<double>("left");
        QTest::addColumn<int>("step");
        QTest::addColumn<bool>("right");
        QTest::addColumn<double>("newLeft");
        QTest::newRow("one minute later") << 36000.0 << 60 << true << 36060.0;
        QTest::newRow("one minute earlier") << 36000.0 << 60 << false << 35940.0;
        QTest::newRow("stops at the ceiling") << 128800.0 << 600 << true << 128880.0;
        QTest::newRow("stops at the floor") << -43000.0 << 600 << false << -43200.0;
        QTest::newRow("negative step does nothing") << 36000.0 << -60 << true << 36000.0;
    }
    void steps()
    {
        QFETCH(double, left);
        QFETCH(int, step);
        QFETCH(bool, right);
        CTimeAxisModel model(0, kPlainDay);
        QVERIFY(model.SetTimeRange(kPlainDay, kPlainDay));
        const double begin = double(model.GetRangeBeginUtc());
        const ViewWindow from{begin + left, begin + left + 720.0};
        const ViewWindow view = right ? model.StepRight(from, step) : model.StepLeft(from, step);
        QTEST(view.dLeft - begin, "newLeft");
        QCOMPARE(view.Span(), 720.0);
    }

    void drag_data()
    {
        QTest::addColumn<double>("savedLeft");
        QTest::addColumn<qint64>("delta");
        QTest::addColumn<int>("overscroll");
        QTest::addColumn<double>("newLeft");
        QTest::newRow("pointer left, view later") << 0.0 << qint64(-600) << 1800 << 600.0;
        QTest::newRow("pointer right, view earlier") << 3600.0 << qint64(600) << 1800 << 3000.0;
        QTest::newRow("no move") << 3600.0 << qint64(0) << 1800 << 3600.0;
        QTest::newRow("held at end + overscroll") << 84000.0 << qint64(-9000) << 1800 << 84600.0;
        QTest::newRow("held at begin - overscroll") << 100.0 << qint64(5000) << 1800 << -1800.0;
    }
    void drag()
    {
        QFETCH(double, savedLeft);
        QFETCH(qint64, delta);
        QFETCH(int, overscroll);
        CTimeAxisModel model(0, kPlainDay);
        QVERIFY(model.SetTimeRange(kPlainDay, kPlainDay));
        const double begin = double(model.GetRangeBeginUtc());
        const ViewWindow saved{begin + savedLeft, begin + savedLeft + 3600.0};
        const ViewWindow view = model.DragView(saved, delta, overscroll);
        QTEST(view.dLeft - begin, "newLeft");
        QCOMPARE(view.Span(), 3600.0);
    }

    void playTime_data()
    {
        QTest::addColumn<qint64>("time");
        QTest::addColumn<bool>("applied");
        QTest::addColumn<QString>("centre");
        const qint64 begin = Utc(kLongDay, QTime(0, 0));
        QTest::newRow("inside") << Utc(kLongDay, QTime(8, 15, 31)) << true << "08:15:31";
        QTest::newRow("after the switch") << Utc(kLongDay, QTime(23, 59, 59)) << true << "23:59:59";
        QTest::newRow("zero clamps to the begin") << qint64(0) << true << "00:00:00";
        QTest::newRow("before the range clamps to the begin") << begin - 5000 << true << "00:00:00";
        QTest::newRow("after the range clamps to the end") << begin + 200000 << true << "00:00:00";
        QTest::newRow("no time") << qint64(0xFFFFFFFF) << false << "";
        QTest::newRow("past unsigned") << qint64(0x100000000LL) << false << "";
        QTest::newRow("negative") << qint64(-1) << false << "";
    }
    void playTime()
    {
        QFETCH(qint64, time);
        QFETCH(bool, applied);
        QFETCH(QString, centre);
        CTimeAxisModel model(0, kPlainDay);
        QVERIFY(model.SetTimeRange(kLongDay, kLongDay));
        ViewWindow view{1000.0, 4600.0};
        QCOMPARE(model.PlayTime(time, view), applied);
        if (!applied) {
            QCOMPARE(view, (ViewWindow{1000.0, 4600.0}));
            return;
        }
        QCOMPARE(view.Span(), 3600.0);
        QCOMPARE(FormatLocal(model.UtcFromAxis(view.Center()), "hh:mm:ss"), centre);
        // The same time again changes nothing.
        ViewWindow again{0.0, 720.0};
        QVERIFY(!model.PlayTime(time, again));
        QCOMPARE(again, (ViewWindow{0.0, 720.0}));
    }

    void mapSegment_data()
    {
        QTest::addColumn<qint64>("begin");
        QTest::addColumn<qint64>("end");
        QTest::addColumn<bool>("kept");
        QTest::addColumn<qint64>("left");
        QTest::addColumn<qint64>("length");
        const qint64 day = Utc(kLongDay, QTime(0, 0));
        const qint64 next = day + 90000;
        QTest::newRow("inside") << day + 100 << day + 160 << true << day + 100 << qint64(60);
        QTest::newRow("in the repeated hour") << Utc(kLongDay, QTime(2, 30)) + 3600
                                              << Utc(kLongDay, QTime(2, 30)) + 3660 << true
                                              << Utc(kLongDay, QTime(2, 30)) + 3600 << qint64(60);
        QTest::newRow("last hour of the long day") << next - 3600 << next << true << next - 3600
                                                   << qint64(3600);
        QTest::newRow("straddles the begin") << day - 500 << day + 500 << true << day
                                             << qint64(500);
        QTest::newRow("straddles the end") << next - 10 << next + 500 << true << next - 10
                                           << qint64(10);
        QTest::newRow("covers the range") << qint64(0) << qint64(0xFFFFFFFF) << true << day
                                          << qint64(90000);
        QTest::newRow("zero length") << day + 7 << day + 7 << true << day + 7 << qint64(0);
        QTest::newRow("wholly before") << day - 500 << day - 1 << false << qint64(0) << qint64(0);
        QTest::newRow("wholly after") << next + 1 << next + 500 << false << qint64(0) << qint64(0);
        QTest::newRow("reversed") << day + 500 << day + 100 << false << qint64(0) << qint64(0);
        QTest::newRow("before 1970") << qint64(-90000) << qint64(-10) << false << qint64(0)
                                     << qint64(0);
        QTest::newRow("after 2105") << qint64(4500000000LL) << qint64(4500000100LL) << false
                                    << qint64(0) << qint64(0);
    }
    void mapSegment()
    {
        QFETCH(qint64, begin);
        QFETCH(qint64, end);
        QFETCH(bool, kept);
        CTimeAxisModel model(0, kPlainDay);
        QVERIFY(model.SetTimeRange(kLongDay, kLongDay));
        double left = -1;
        double right = -1;
        QCOMPARE(model.MapSegment(begin, end, left, right), kept);
        if (!kept)
            return;
        QTEST(qint64(left), "left");
        QTEST(qint64(right - left), "length");
    }
};

QTEST_GUILESS_MAIN(tst_TimeAxis)
#include "tst_timeaxis.moc"
