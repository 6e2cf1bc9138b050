#include "Widgets/RulerScale_p.h"

#include <QTest>
#include <QTimeZone>

using namespace TesselGUIToolkit;
using namespace TesselGUIToolkit::Detail;

namespace {

qint64 Utc(int y, int mo, int day, int h, int mi = 0, int s = 0)
{
    return QDateTime(QDate(y, mo, day), QTime(h, mi, s), Qt::UTC).toSecsSinceEpoch();
}

// A zoom advanced the way the widget's timer does it.
void Advance(CRulerZoom& zoom, int ticks)
{
    for (int i = 0; i < ticks; ++i)
        if (zoom.Advance(kRulerTimerInterval))
            zoom.Finish();
}

QVector<RulerTick> Ticks(int width, const CRulerZoom& zoom, qint64 currentMs,
                         const TimeZoneParam& zone = TimeZoneParam(), int spacing = 40)
{
    RulerTickInput in;
    in.llCurrentMs = currentMs;
    in.nWidth = width;
    in.unit = zoom.Unit(width);
    in.nFineDivisor = zoom.FineDivisor();
    in.dFineAlpha = zoom.FineAlpha();
    in.nLabelSpacing = spacing;
    QVector<RulerTick> ticks;
    ComputeRulerTicks(in, zone, ticks);
    return ticks;
}

QString Labels(const QVector<RulerTick>& ticks)
{
    QStringList labels;
    for (const RulerTick& tick : ticks)
        if (tick.fLabelAlpha > 0)
            labels << FormatClock(tick.llLocal, false);
    return labels.join(QLatin1Char(' '));
}

CRulerZoom AtLevel(int level)
{
    CRulerZoom zoom;
    zoom.SetLevel(level);
    return zoom;
}

} // namespace

class tst_RulerScale : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void levelTable_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("unitSeconds");
        QTest::addColumn<int>("spanSeconds");
        QTest::addColumn<int>("ratio");
        QTest::newRow("0: 24 hours") << 0 << 7200 << 86400 << 2;
        QTest::newRow("1: 12 hours") << 1 << 3600 << 43200 << 2;
        QTest::newRow("2: 6 hours") << 2 << 1800 << 21600 << 3;
        QTest::newRow("3: 2 hours") << 3 << 600 << 7200 << 2;
        QTest::newRow("4: 1 hour") << 4 << 300 << 3600 << 5;
        QTest::newRow("5: 12 minutes") << 5 << 60 << 720 << 1;
        QTest::newRow("-1") << -1 << 0 << 0 << 1;
        QTest::newRow("6") << 6 << 0 << 0 << 1;
    }
    void levelTable()
    {
        QFETCH(int, level);
        QFETCH(int, unitSeconds);
        QFETCH(int, spanSeconds);
        QFETCH(int, ratio);
        QCOMPARE(RulerUnitSeconds(level), unitSeconds);
        QCOMPARE(RulerUnitSeconds(level) * kRulerUnitsAcross, spanSeconds);
        QCOMPARE(RulerLevelRatio(level), ratio);
        CRulerZoom zoom;
        QCOMPARE(zoom.SetLevel(level), unitSeconds > 0);
        QVERIFY(zoom.CheckInvariant());
        if (unitSeconds > 0) {
            const RulerUnit unit = zoom.Unit(1920);
            QCOMPARE(unit.dLength, 160.0);
            QCOMPARE(unit.dTime, double(unitSeconds));
        } else {
            QCOMPARE(zoom.Level(), 0); // a bad level leaves the zoom where it was
        }
    }

    void zoomUnit_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<double>("length");
        QTest::addColumn<double>("time");
        QTest::addColumn<double>("fineAlpha");
        QTest::newRow("in 0>1 start") << 1920 << 0 << 1 << 0 << 160.0 << 7200.0 << 0.0;
        QTest::newRow("in 0>1 300 ms") << 1920 << 0 << 1 << 10 << 220.0 << 7200.0 << 0.375;
        QTest::newRow("in 0>1 780 ms") << 1920 << 0 << 1 << 26 << 316.0 << 7200.0 << 0.975;
        QTest::newRow("out 1>0 start") << 1920 << 1 << -1 << 0 << 320.0 << 7200.0 << 1.0;
        QTest::newRow("out 1>0 300 ms") << 1920 << 1 << -1 << 10 << 260.0 << 7200.0 << 0.625;
        QTest::newRow("in 2>3 600 ms, ratio 3") << 1920 << 2 << 1 << 20 << 400.0 << 1800.0 << 0.75;
        QTest::newRow("out 3>2 600 ms") << 1920 << 3 << -1 << 20 << 240.0 << 1800.0 << 0.25;
        QTest::newRow("in 4>5 240 ms, ratio 5") << 1200 << 4 << 1 << 8 << 220.0 << 300.0 << 0.3;
        QTest::newRow("out 5>4 240 ms") << 1200 << 5 << -1 << 8 << 380.0 << 300.0 << 0.7;
        QTest::newRow("zero width") << 0 << 0 << 1 << 10 << 0.0 << 7200.0 << 0.375;
        QTest::newRow("ended: back at rest") << 1920 << 0 << 1 << 27 << 160.0 << 3600.0 << 0.0;
    }
    void zoomUnit()
    {
        QFETCH(int, width);
        QFETCH(int, from);
        QFETCH(int, step);
        QFETCH(int, ticks);
        QFETCH(double, length);
        QFETCH(double, time);
        QFETCH(double, fineAlpha);
        CRulerZoom zoom = AtLevel(from);
        QCOMPARE(zoom.Step(step), CRulerZoom::Started);
        Advance(zoom, ticks);
        QVERIFY(zoom.CheckInvariant());
        const RulerUnit unit = zoom.Unit(width);
        QVERIFY2(qAbs(unit.dLength - length) < 1e-9, qPrintable(QString::number(unit.dLength)));
        QCOMPARE(unit.dTime, time);
        QVERIFY(qAbs(zoom.FineAlpha() - fineAlpha) < 1e-9);
    }

    void zoomSteps_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("script"); // +1 / -1 / +2 steps, tN timer ticks
        QTest::addColumn<int>("lastResult");
        QTest::addColumn<bool>("scaling");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("elapsed");
        QTest::newRow("start") << 0 << "+1" << int(CRulerZoom::Started) << true << 0 << 1 << 0;
        QTest::newRow("reverse mid-zoom")
            << 0 << "+1 t10 -1" << int(CRulerZoom::Reversed) << true << 1 << 0 << 500;
        QTest::newRow("reverse twice")
            << 0 << "+1 t10 -1 t5 +1" << int(CRulerZoom::Reversed) << true << 0 << 1 << 150;
        QTest::newRow("reverse right away")
            << 3 << "-1 +1" << int(CRulerZoom::Reversed) << true << 2 << 3 << 800;
        QTest::newRow("same way again is ignored")
            << 0 << "+1 t10 +1" << int(CRulerZoom::Ignored) << true << 0 << 1 << 300;
        QTest::newRow("past the finest")
            << 5 << "+1" << int(CRulerZoom::Ignored) << false << 5 << 5 << 0;
        QTest::newRow("past the coarsest")
            << 0 << "-1" << int(CRulerZoom::Ignored) << false << 0 << 0 << 0;
        QTest::newRow("two levels at once")
            << 2 << "+2" << int(CRulerZoom::Ignored) << false << 2 << 2 << 0;
        QTest::newRow("zero step") << 2 << "+0" << int(CRulerZoom::Ignored) << false << 2 << 2 << 0;
        QTest::newRow("runs to its end")
            << 0 << "+1 t27" << int(CRulerZoom::Started) << false << 1 << 1 << 0;
        QTest::newRow("not yet at 26 ticks")
            << 0 << "+1 t26" << int(CRulerZoom::Started) << true << 0 << 1 << 780;
        QTest::newRow("reversed run ends at its start")
            << 3 << "+1 t20 -1 t27" << int(CRulerZoom::Reversed) << false << 3 << 3 << 0;
        QTest::newRow("next zoom after the end")
            << 0 << "+1 t27 +1" << int(CRulerZoom::Started) << true << 1 << 2 << 0;
    }
    void zoomSteps()
    {
        QFETCH(int, start);
        QFETCH(QString, script);
        QFETCH(int, lastResult);
        QFETCH(bool, scaling);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, elapsed);
        CRulerZoom zoom = AtLevel(start);
        int result = -1;
        for (const QString& action : script.split(QLatin1Char(' '))) {
            if (action.startsWith(QLatin1Char('t'))) {
                Advance(zoom, action.mid(1).toInt());
            } else {
                const double before = zoom.Unit(1920).dLength;
                result = zoom.Step(action.toInt());
                if (result == CRulerZoom::Reversed) // the ruler turns round without a jump
                    QVERIFY(qAbs(zoom.Unit(1920).dLength - before) < 1e-9);
            }
            QVERIFY2(zoom.CheckInvariant(), qPrintable(action));
        }
        QCOMPARE(result, lastResult);
        QCOMPARE(zoom.IsScaling(), scaling);
        QCOMPARE(zoom.From(), from);
        QCOMPARE(zoom.To(), to);
        QCOMPARE(zoom.Elapsed(), elapsed);
        QCOMPARE(zoom.Level(), qMin(from, to));
    }

    void secondsAtX_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("currentMs"); // past 12:00:00 UTC
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("offset"); // seconds from 12:00:00
        QTest::newRow("middle") << 1920 << 0 << 0 << 960.0 << 0;
        QTest::newRow("a pixel right, 24 h") << 1920 << 0 << 0 << 961.0 << 45;
        QTest::newRow("left edge, 24 h") << 1920 << 0 << 0 << 0.0 << -43200;
        QTest::newRow("right edge, 24 h") << 1920 << 0 << 0 << 1920.0 << 43200;
        QTest::newRow("a unit right, 12 min") << 1920 << 5 << 0 << 1120.0 << 60;
        QTest::newRow("part of a second right") << 1920 << 5 << 0 << 961.0 << 0;
        QTest::newRow("part of a second left") << 1920 << 5 << 0 << 959.0 << -1;
        QTest::newRow("inexact unit, 1 hour") << 1000 << 4 << 0 << 1000.0 << 1800;
        QTest::newRow("inexact unit, 2 hours") << 1000 << 3 << 0 << 0.0 << -3600;
        QTest::newRow("odd width") << 1001 << 0 << 0 << 1001.0 << 43243;
        QTest::newRow("current past the second") << 1920 << 0 << 999 << 960.0 << 0;
        QTest::newRow("10000 px") << 10000 << 5 << 0 << 10000.0 << 360;
        QTest::newRow("zero width: current") << 0 << 0 << 0 << 500.0 << 0;
    }
    void secondsAtX()
    {
        QFETCH(int, width);
        QFETCH(int, level);
        QFETCH(int, currentMs);
        QFETCH(double, x);
        QFETCH(int, offset);
        const qint64 noon = Utc(2026, 6, 15, 12);
        QCOMPARE(RulerSecondsAtX(noon * 1000 + currentMs, x, width, AtLevel(level).Unit(width)),
                 noon + offset);
    }

    void xAtSeconds_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("offset");
        QTest::addColumn<double>("limited");
        QTest::addColumn<double>("visual");
        QTest::newRow("current") << 1920 << 0 << 0 << 960.0 << 960.0;
        QTest::newRow("45 s at 24 h") << 1920 << 0 << 45 << 961.0 << 961.0;
        QTest::newRow("half a day later") << 1920 << 0 << 43200 << 1920.0 << 1920.0;
        QTest::newRow("half a day earlier") << 1920 << 0 << -43200 << 0.0 << 0.0;
        QTest::newRow("half a day and a second")
            << 1920 << 0 << 43201 << -1.0 << 1920.0 + 160.0 / 7200;
        QTest::newRow("very wide, past half a day")
            << 10000 << 0 << -43201 << -1.0 << 5000.0 - 43201 * (10000.0 / 12) / 7200;
        QTest::newRow("beyond the width") << 1920 << 5 << 3600 << -1.0 << 960.0 + 3600 * 160.0 / 60;
        QTest::newRow("just before the left edge")
            << 1920 << 5 << -361 << -1.0 << 960.0 - 361 * 160.0 / 60;
        QTest::newRow("zero width") << 0 << 0 << 0 << 0.0 << 0.0;
        QTest::newRow("zero width, later") << 0 << 0 << 10 << 0.0 << 0.0;
    }
    void xAtSeconds()
    {
        QFETCH(int, width);
        QFETCH(int, level);
        QFETCH(int, offset);
        QFETCH(double, limited);
        QFETCH(double, visual);
        const qint64 noon = Utc(2026, 6, 15, 12);
        const RulerUnit unit = AtLevel(level).Unit(width);
        QVERIFY(qAbs(RulerXAtSeconds(noon + offset, noon, width, unit) - limited) < 1e-6);
        QVERIFY(qAbs(RulerVisualXAtSeconds(noon + offset, noon, width, unit) - visual) < 1e-6);
    }

    void xRoundTrip()
    {
        // The time under x always maps back into x's pixel (never a pixel to the right).
        const qint64 noon = Utc(2026, 6, 15, 12);
        for (int width : {1, 320, 1000, 1001, 1920, 10000}) {
            for (int level = 0; level < kRulerLevelCount; ++level) {
                const RulerUnit unit = AtLevel(level).Unit(width);
                const double pixelTime = unit.dTime / unit.dLength;
                for (int x = 0; x <= width; x += qMax(1, width / 97)) {
                    const qint64 s = RulerSecondsAtX(noon * 1000, x, width, unit);
                    const double back = RulerVisualXAtSeconds(s, noon, width, unit);
                    QVERIFY2(
                        back <= x + 0.01 && back > x - 1 / pixelTime - 1e-6,
                        qPrintable(
                            QStringLiteral("w %1 level %2 x %3").arg(width).arg(level).arg(x)));
                }
            }
        }
    }

    void daylightSaving_data()
    {
        QTest::addColumn<qint64>("start");
        QTest::addColumn<qint64>("end");
        QTest::addColumn<qint64>("time");
        QTest::addColumn<bool>("within");
        QTest::newRow("before the season") << qint64(100) << qint64(200) << qint64(99) << false;
        QTest::newRow("first second") << qint64(100) << qint64(200) << qint64(100) << true;
        QTest::newRow("last second") << qint64(100) << qint64(200) << qint64(199) << true;
        QTest::newRow("end is outside") << qint64(100) << qint64(200) << qint64(200) << false;
        QTest::newRow("wrapped: january")
            << Utc(2026, 10, 3, 16) << Utc(2026, 4, 4, 16) << Utc(2026, 1, 15, 0) << true;
        QTest::newRow("wrapped: june")
            << Utc(2026, 10, 3, 16) << Utc(2026, 4, 4, 16) << Utc(2026, 6, 15, 0) << false;
        QTest::newRow("wrapped: at its end")
            << Utc(2026, 10, 3, 16) << Utc(2026, 4, 4, 16) << Utc(2026, 4, 4, 16) << false;
        QTest::newRow("wrapped: at its start")
            << Utc(2026, 10, 3, 16) << Utc(2026, 4, 4, 16) << Utc(2026, 10, 3, 16) << true;
        QTest::newRow("start equal to end: all year")
            << qint64(100) << qint64(100) << qint64(5) << true;
    }
    void daylightSaving()
    {
        QFETCH(qint64, start);
        QFETCH(qint64, end);
        QFETCH(qint64, time);
        QFETCH(bool, within);
        QCOMPARE(IsWithinDaylightSaving(time, start, end), within);
    }

    void zoneFromTimeZone_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<int>("bias");
        QTest::addColumn<int>("dstBias");
        QTest::addColumn<qint64>("start");
        QTest::addColumn<qint64>("end");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("Berlin") << QByteArray("Europe/Berlin") << -60 << -60 << Utc(2026, 3, 29, 1)
                                << Utc(2026, 10, 25, 1) << true;
        QTest::newRow("Sydney: season across new year")
            << QByteArray("Australia/Sydney") << -600 << -60 << Utc(2026, 10, 3, 16)
            << Utc(2026, 4, 4, 16) << true;
        QTest::newRow("Tokyo: no daylight saving")
            << QByteArray("Asia/Tokyo") << -540 << 0 << qint64(0) << qint64(0) << false;
        QTest::newRow("UTC") << QByteArray("UTC") << 0 << 0 << qint64(0) << qint64(0) << false;
        QTest::newRow("unknown zone")
            << QByteArray("Nowhere/Nothing") << 0 << 0 << qint64(0) << qint64(0) << false;
    }
    void zoneFromTimeZone()
    {
        QFETCH(QByteArray, zone);
        QFETCH(int, bias);
        QFETCH(int, dstBias);
        QFETCH(qint64, start);
        QFETCH(qint64, end);
        QFETCH(bool, enabled);
        const TimeZoneParam param = TimeZoneParam::FromTimeZone(QTimeZone(zone), 2026);
        QCOMPARE(param.nBias, bias);
        QCOMPARE(param.nDSTBias, dstBias);
        QCOMPARE(param.llDSTStart, start);
        QCOMPARE(param.llDSTEnd, end);
        QCOMPARE(param.bEnableDST, enabled);
    }

    void zoneClock_data()
    {
        QTest::addColumn<qint64>("utc");
        QTest::addColumn<QString>("clock");
        QTest::newRow("midnight opening the 23-hour day") << Utc(2026, 3, 28, 23) << "00:00:00";
        QTest::newRow("last second of winter time") << Utc(2026, 3, 29, 0, 59, 59) << "01:59:59";
        QTest::newRow("first second of summer time") << Utc(2026, 3, 29, 1) << "03:00:00";
        QTest::newRow("midnight closing the 23-hour day") << Utc(2026, 3, 29, 22) << "00:00:00";
        QTest::newRow("midnight opening the 25-hour day") << Utc(2026, 10, 24, 22) << "00:00:00";
        QTest::newRow("last second of summer time") << Utc(2026, 10, 25, 0, 59, 59) << "02:59:59";
        QTest::newRow("the hour again") << Utc(2026, 10, 25, 1) << "02:00:00";
        QTest::newRow("midnight closing the 25-hour day") << Utc(2026, 10, 25, 23) << "00:00:00";
        QTest::newRow("winter") << Utc(2026, 1, 15, 12, 34, 56) << "13:34:56";
        QTest::newRow("summer") << Utc(2026, 7, 1, 12) << "14:00:00";
    }
    void zoneClock()
    {
        QFETCH(qint64, utc);
        QFETCH(QString, clock);
        const QTimeZone berlin("Europe/Berlin");
        const TimeZoneParam zone = TimeZoneParam::FromTimeZone(berlin, 2026);
        QCOMPARE(FormatClock(ZoneLocalSeconds(utc, zone), true), clock);
        QCOMPARE(FormatClock(ZoneLocalSeconds(utc, zone), false), clock.left(5));
        // The same answer as the system's zone data.
        QCOMPARE(QDateTime::fromSecsSinceEpoch(utc, berlin).toString(QStringLiteral("hh:mm:ss")),
                 clock);
    }

    void formatClock_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("epoch") << qint64(0) << "00:00:00";
        QTest::newRow("last second of a day") << qint64(86399) << "23:59:59";
        QTest::newRow("next day") << qint64(86400 + 3661) << "01:01:01";
        QTest::newRow("before 1970") << qint64(-1) << "23:59:59";
        QTest::newRow("far before 1970") << qint64(-86400 * 400 - 60) << "23:59:00";
        QTest::newRow("unsigned end") << qint64(0xFFFFFFFFll) << "06:28:15";
    }
    void formatClock()
    {
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        QCOMPARE(FormatClock(seconds, true), text);
    }

    void ticksAtRest_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("offset"); // current time, seconds past 12:00 UTC
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("firstX");
        QTest::addColumn<int>("spacing");
        QTest::addColumn<QString>("firstLabel");
        QTest::newRow("24 h at noon") << 1920 << 0 << 0 << 13 << 0 << 160 << "00:00";
        QTest::newRow("24 h at 12:30") << 1920 << 0 << 1800 << 12 << 120 << 160 << "02:00";
        QTest::newRow("12 min at noon") << 1920 << 5 << 0 << 13 << 0 << 160 << "11:54";
        QTest::newRow("12 min, 20 s past") << 1920 << 5 << 20 << 12 << 107 << 160 << "11:55";
        QTest::newRow("1 hour, 1200 px") << 1200 << 4 << 0 << 13 << 0 << 100 << "11:30";
        QTest::newRow("10000 px, 6 hours") << 10000 << 2 << 0 << 13 << 0 << 833 << "09:00";
    }
    void ticksAtRest()
    {
        QFETCH(int, width);
        QFETCH(int, level);
        QFETCH(int, offset);
        QFETCH(int, count);
        QFETCH(int, firstX);
        QFETCH(int, spacing);
        QFETCH(QString, firstLabel);
        const qint64 now = (Utc(2026, 6, 15, 12) + offset) * 1000;
        const QVector<RulerTick> ticks = Ticks(width, AtLevel(level), now);
        QCOMPARE(ticks.size(), count);
        QCOMPARE(ticks.first().nX, firstX);
        QCOMPARE(FormatClock(ticks.first().llLocal, false), firstLabel);
        for (int i = 0; i < ticks.size(); ++i) {
            QVERIFY(ticks[i].bCoarse);
            QCOMPARE(ticks[i].fAlpha, 1.0f);
            QCOMPARE(ticks[i].fLabelAlpha, 1.0f);
            QCOMPARE(ticks[i].llLocal % RulerUnitSeconds(level), qint64(0));
            if (i > 0)
                QVERIFY(qAbs(ticks[i].nX - ticks[i - 1].nX - spacing) <= 1);
        }
    }

    void ticksDuringZoom_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("coarseSpacing");
        QTest::addColumn<double>("fineAlpha");
        QTest::newRow("zooming in, halfway") << 0 << 1 << 13 << 238 << 0.4875;
        QTest::newRow("zooming out, a quarter") << 1 << -1 << 7 << 278 << 0.7375;
        QTest::newRow("zooming in by 3") << 2 << 1 << 10 << 280 << 0.375;
        QTest::newRow("zooming out by 5") << 5 << -1 << 20 << 320 << 0.25;
    }
    void ticksDuringZoom()
    {
        QFETCH(int, from);
        QFETCH(int, step);
        QFETCH(int, ticks);
        QFETCH(int, coarseSpacing);
        QFETCH(double, fineAlpha);
        CRulerZoom zoom = AtLevel(from);
        zoom.Step(step);
        Advance(zoom, ticks);
        QVERIFY(qAbs(zoom.FineAlpha() - fineAlpha) < 1e-9);
        const QVector<RulerTick> all = Ticks(1920, zoom, Utc(2026, 6, 15, 12) * 1000);
        const int k = zoom.FineDivisor();
        const qint64 unit = RulerUnitSeconds(zoom.Level());
        int coarse = 0;
        for (const RulerTick& tick : all) {
            QCOMPARE(tick.bCoarse, tick.llLocal % unit == 0);
            QCOMPARE(tick.llLocal % (unit / k), qint64(0));
            if (tick.bCoarse) {
                ++coarse;
                QCOMPARE(tick.fAlpha, 1.0f);
                QCOMPARE(tick.fLabelAlpha, 1.0f);
                QVERIFY(qAbs(tick.nX - 960) % coarseSpacing <= 1
                        || coarseSpacing - qAbs(tick.nX - 960) % coarseSpacing <= 1);
            } else {
                QVERIFY(qAbs(tick.fAlpha - fineAlpha) < 1e-6);
                QVERIFY(tick.fLabelAlpha == 0.0f || qAbs(tick.fLabelAlpha - fineAlpha) < 1e-6);
            }
        }
        QVERIFY(coarse > 0);
        QVERIFY(all.size() > coarse); // the other level's ticks are blended in
    }

    void labelsKeepApart()
    {
        // Whatever the width, zoom and time, no two labels come closer than the spacing, and
        // the work per frame stays bounded.
        const qint64 base = Utc(2026, 3, 29, 1) * 1000 - 12345;
        const TimeZoneParam zone = TimeZoneParam::FromTimeZone(QTimeZone("Europe/Berlin"), 2026);
        for (int width : {1, 5, 60, 100, 240, 333, 480, 1000, 1920, 10000}) {
            for (int level = 0; level < kRulerLevelCount; ++level) {
                for (int step : {0, 1, -1}) {
                    for (int ticks : {0, 9, 17, 26}) {
                        CRulerZoom zoom = AtLevel(level);
                        if (step != 0 && zoom.Step(step) != CRulerZoom::Started)
                            continue;
                        Advance(zoom, ticks);
                        const QVector<RulerTick> all = Ticks(width, zoom, base, zone, 40);
                        QVERIFY(all.size() <= 200);
                        int last = INT_MIN / 2;
                        for (const RulerTick& tick : all) {
                            if (tick.fLabelAlpha <= 0)
                                continue;
                            QVERIFY2(tick.nX - last >= 40,
                                     qPrintable(QStringLiteral("w %1 level %2 step %3 ticks %4")
                                                    .arg(width)
                                                    .arg(level)
                                                    .arg(step)
                                                    .arg(ticks)));
                            last = tick.nX;
                        }
                    }
                }
            }
        }
    }

    void narrowRulerLabelsRoundTimes()
    {
        // 240 px at 24 h: 20 px per unit, so only every other unit (4 hours) gets a label.
        const QVector<RulerTick> all = Ticks(240, AtLevel(0), Utc(2026, 6, 15, 12) * 1000);
        QCOMPARE(Labels(all), QStringLiteral("00:00 04:00 08:00 12:00 16:00 20:00 00:00"));
        QCOMPARE(all.size(), 15); // and one unlabelled tick beyond each edge for half a label
    }

    void ticksAcrossDaylightSaving_data()
    {
        QTest::addColumn<qint64>("current");
        QTest::addColumn<QString>("labels");
        QTest::addColumn<QList<int>>("xs");
        // Local noon of the 23-hour day: 02:00 never happens, midnight to midnight is 1840 px.
        QTest::newRow("23-hour day")
            << Utc(2026, 3, 29, 10)
            << "00:00 04:00 06:00 08:00 10:00 12:00 14:00 16:00 18:00 "
               "20:00 22:00 00:00"
            << QList<int>{80, 320, 480, 640, 800, 960, 1120, 1280, 1440, 1600, 1760, 1920};
        // Around the switch of the 25-hour day: 02:00 comes twice, an hour apart.
        QTest::newRow("25-hour day")
            << Utc(2026, 10, 25, 1)
            << "16:00 18:00 20:00 22:00 00:00 02:00 02:00 04:00 06:00 "
               "08:00 10:00 12:00 14:00"
            << QList<int>{80, 240, 400, 560, 720, 880, 960, 1120, 1280, 1440, 1600, 1760, 1920};
    }
    void ticksAcrossDaylightSaving()
    {
        QFETCH(qint64, current);
        QFETCH(QString, labels);
        QFETCH(QList<int>, xs);
        const TimeZoneParam zone = TimeZoneParam::FromTimeZone(QTimeZone("Europe/Berlin"), 2026);
        const QVector<RulerTick> all = Ticks(1920, AtLevel(0), current * 1000, zone);
        QCOMPARE(Labels(all), labels);
        QCOMPARE(all.size(), xs.size());
        for (int i = 0; i < xs.size(); ++i)
            QCOMPARE(all[i].nX, xs[i]);
    }

    void ticksBadInput()
    {
        CRulerZoom zoom = AtLevel(0);
        QVERIFY(Ticks(0, zoom, 0).isEmpty());
        QVERIFY(Ticks(-5, zoom, 0).isEmpty());
        QVERIFY(!Ticks(1920, zoom, -86400000LL * 500).isEmpty()); // before 1970
        QVERIFY(Labels(Ticks(1920, zoom, -1000)).contains(QStringLiteral("00:00")));
        RulerTickInput in;
        in.nWidth = 100;
        in.unit.dLength = 10;
        in.unit.dTime = 7200;
        in.nFineDivisor = 7; // does not divide the unit: refused
        in.dFineAlpha = 0.5;
        QVector<RulerTick> ticks(3);
        ComputeRulerTicks(in, TimeZoneParam(), ticks);
        QVERIFY(ticks.isEmpty());
    }

    void labelStep_data()
    {
        QTest::addColumn<double>("spacing");
        QTest::addColumn<int>("step");
        QTest::newRow("room for all") << 40.0 << 1;
        QTest::newRow("every other") << 20.0 << 2;
        QTest::newRow("every third") << 14.0 << 3;
        QTest::newRow("every sixth") << 7.0 << 6;
        QTest::newRow("beyond twelve") << 1.0 << 48;
        QTest::newRow("no room") << 0.0 << 0;
    }
    void labelStep()
    {
        QFETCH(double, spacing);
        QFETCH(int, step);
        QCOMPARE(RulerLabelStep(spacing, 40), step);
    }

    void inertiaDecay_data()
    {
        QTest::addColumn<double>("speed");
        QTest::addColumn<double>("next");
        QTest::newRow("fast loses a thirtieth") << 1.5 << 1.45;
        QTest::newRow("fast, leftward") << -1.5 << -1.45;
        QTest::newRow("just above fast") << 0.36 << 0.348;
        QTest::newRow("slow loses 0.012") << 0.2 << 0.188;
        QTest::newRow("slow, leftward") << -0.2 << -0.188;
        QTest::newRow("last step") << 0.02 << 0.0;
        QTest::newRow("below the minimum") << 0.011 << 0.0;
        QTest::newRow("still") << 0.0 << 0.0;
    }
    void inertiaDecay()
    {
        QFETCH(double, speed);
        QFETCH(double, next);
        QVERIFY(qAbs(DecayInertiaSpeed(speed) - next) < 1e-12);
    }

    void inertiaRunEnds()
    {
        // A run decays to a stop in both directions, symmetrically, and covers a finite way.
        for (double start : {0.05, 0.5, 3.0, 40.0}) {
            double right = start;
            double left = -start;
            int ticks = 0;
            int wayRight = 0;
            int wayLeft = 0;
            while (right != 0 && ticks < 10000) {
                wayRight += int(right * 10);
                wayLeft += int(left * 10);
                right = DecayInertiaSpeed(right);
                left = DecayInertiaSpeed(left);
                QCOMPARE(left, -right);
                ++ticks;
            }
            QVERIFY(ticks < 10000);
            QCOMPARE(wayLeft, -wayRight);
        }
    }

    void inertiaStart_data()
    {
        QTest::addColumn<double>("measured");
        QTest::addColumn<qint64>("sinceMove");
        QTest::addColumn<qint64>("sincePress");
        QTest::addColumn<double>("pixels");
        QTest::addColumn<double>("speed");
        QTest::newRow("fling") << 0.5 << qint64(10) << qint64(500) << 200.0 << 0.5;
        QTest::newRow("fling left") << -0.5 << qint64(70) << qint64(500) << -200.0 << -0.5;
        QTest::newRow("released too late") << 0.5 << qint64(71) << qint64(500) << 200.0 << 0.0;
        QTest::newRow("short flick: whole gesture")
            << 0.0 << qint64(10) << qint64(150) << 30.0 << 0.2;
        QTest::newRow("short flick, press too long ago")
            << 0.0 << qint64(10) << qint64(201) << 30.0 << 0.0;
        QTest::newRow("short flick too slow") << 0.0 << qint64(10) << qint64(150) << 1.0 << 0.0;
        QTest::newRow("all within one millisecond") << 0.0 << qint64(0) << qint64(0) << 5.0 << 5.0;
    }
    void inertiaStart()
    {
        QFETCH(double, measured);
        QFETCH(qint64, sinceMove);
        QFETCH(qint64, sincePress);
        QFETCH(double, pixels);
        QFETCH(double, speed);
        QVERIFY(qAbs(InertiaStartSpeed(measured, sinceMove, sincePress, pixels) - speed) < 1e-12);
    }

    void speedMeter_data()
    {
        QTest::addColumn<QList<QPointF>>("samples"); // (ms, x)
        QTest::addColumn<double>("speed");
        QTest::newRow("steady") << QList<QPointF>{{0, 0}, {10, 10}, {20, 20}} << 1.0;
        QTest::newRow("a turn restarts")
            << QList<QPointF>{{0, 0}, {10, 50}, {20, 40}, {30, 30}} << -1.0;
        QTest::newRow("old samples fall out")
            << QList<QPointF>{{0, 0}, {100, 100}, {200, 110}, {250, 120}} << 20.0 / 150;
        QTest::newRow("one sample") << QList<QPointF>{{0, 5}} << 0.0;
        QTest::newRow("same millisecond") << QList<QPointF>{{5, 0}, {5, 30}} << 0.0;
    }
    void speedMeter()
    {
        QFETCH(QList<QPointF>, samples);
        QFETCH(double, speed);
        CDragSpeedMeter meter;
        meter.Start(qint64(samples.first().x()), samples.first().y());
        for (int i = 1; i < samples.size(); ++i)
            meter.Add(qint64(samples[i].x()), samples[i].y());
        QVERIFY(qAbs(meter.Speed() - speed) < 1e-12);
    }

    void linearSlide_data()
    {
        QTest::addColumn<qint64>("distance");
        QTest::addColumn<int>("duration");
        QTest::addColumn<qint64>("jump");
        QTest::addColumn<qint64>("animated");
        QTest::addColumn<double>("pixels");
        QTest::addColumn<int>("finalDuration");
        const qint64 day = 86400;
        QTest::newRow("three days later") << 3 * day << 1000 << 2 * day << day << 1920.0 << 1000;
        QTest::newRow("three days earlier")
            << -3 * day << 1000 << -2 * day << -day << -1920.0 << 1000;
        QTest::newRow("one day later") << day << 1000 << qint64(0) << day << 1920.0 << 1000;
        QTest::newRow("one day earlier") << -day << 1000 << qint64(0) << -day << -1920.0 << 1000;
        QTest::newRow("a day and a second")
            << day + 1 << 1000 << qint64(0) << day + 1 << (day + 1) * 160.0 / 7200 << 1000;
        QTest::newRow("an hour") << qint64(3600) << 1000 << qint64(0) << qint64(3600) << 80.0
                                 << 1000;
        QTest::newRow("a minute: minimum speed")
            << qint64(60) << 1000 << qint64(0) << qint64(60) << 60 * 160.0 / 7200 << 67;
        QTest::newRow("nothing") << qint64(0) << 1000 << qint64(0) << qint64(0) << 0.0 << 0;
        QTest::newRow("negative duration")
            << qint64(3600) << -5 << qint64(0) << qint64(3600) << 80.0 << 0;
    }
    void linearSlide()
    {
        QFETCH(qint64, distance);
        QFETCH(int, duration);
        QFETCH(qint64, jump);
        QFETCH(qint64, animated);
        QFETCH(double, pixels);
        QFETCH(int, finalDuration);
        const qint64 noon = Utc(2026, 6, 15, 12);
        const LinearSlidePlan plan =
            PlanLinearSlide(noon, noon + distance, duration, AtLevel(0).Unit(1920), true);
        QCOMPARE(plan.llJumpSeconds, jump);
        QCOMPARE(plan.llDistance, animated);
        QCOMPARE(plan.llJumpSeconds + plan.llDistance, distance);
        QVERIFY(qAbs(plan.dPixels - pixels) < 1e-9);
        QCOMPARE(plan.nDuration, finalDuration);
    }

    void nonLinearSlideCoversTheDistance()
    {
        int sum = 0;
        int peak = 0;
        for (int k = 1; k <= 15; ++k) {
            const int weight = NonLinearSlideWeight(k);
            QVERIFY(weight >= 0);
            if (k <= 8)
                QVERIFY(weight >= peak); // speeding up
            else
                QVERIFY(weight <= peak); // slowing down
            peak = k <= 8 ? weight : qMin(peak, weight);
            sum += weight;
        }
        QCOMPARE(sum, 56);
        QCOMPARE(NonLinearSlideWeight(0), 0);
        QCOMPARE(NonLinearSlideWeight(16), 0);
        QCOMPARE(16 * kRulerTimerInterval, kNonLinearSlideLength);
    }
};

QTEST_GUILESS_MAIN(tst_RulerScale)
#include "tst_rulerscale.moc"
