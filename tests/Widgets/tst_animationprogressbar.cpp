#include "Widgets/AbstractDelegate.h"
#include "Widgets/AnimationProgressBar.h"
#include "Widgets/RulerScale_p.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QTimeZone>

using namespace TesselGUIToolkit;
using namespace TesselGUIToolkit::Detail;
using Bar = CAnimationProgressBar;
using Calls = QList<QVariantList>; // what a QSignalSpy recorded

namespace {

qint64 Utc(int y, int mo, int day, int h, int mi = 0, int s = 0)
{
    return QDateTime(QDate(y, mo, day), QTime(h, mi, s), Qt::UTC).toSecsSinceEpoch();
}

QDateTime At(qint64 utcSeconds)
{
    return QDateTime::fromSecsSinceEpoch(utcSeconds, Qt::UTC);
}

const qint64 kNoon = Utc(2026, 6, 15, 12); // where the rulers of the tests stand

// _data() adds one row per entry of a static table (tag = its name); the test reads it back.
template <typename T, size_t N> void AddRows(const T (&table)[N])
{
    QTest::addColumn<int>("row");
    for (size_t i = 0; i < N; ++i)
        QTest::newRow(table[i].name) << int(i);
}

template <typename T, size_t N> const T& Row(const T (&table)[N])
{
    return table[*static_cast<int*>(QTest::qData("row", QMetaType::Int))];
}

// A zoom resting on `level`, or from it by `step`, `ticks` timer ticks of the widget in.
CRulerZoom Zoom(int level, int step = 0, int ticks = 0)
{
    CRulerZoom zoom;
    zoom.SetLevel(level);
    zoom.Step(step);
    for (int i = 0; i < ticks; ++i)
        if (zoom.Advance(kRulerTimerInterval))
            zoom.Finish();
    return zoom;
}

QVector<RulerTick> Ticks(int width, const CRulerZoom& zoom, qint64 currentMs,
                         const TimeZoneParam& zone = TimeZoneParam())
{
    const RulerTickInput in{currentMs, width, zoom.Unit(width), zoom.FineDivisor(),
                            zoom.FineAlpha()};
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
    return labels.join(' ');
}

bool Near(double a, double b, double tolerance = 1e-9)
{
    return qAbs(a - b) < tolerance;
}

const TimeZoneParam kBerlin = TimeZoneParam::FromTimeZone(QTimeZone("Europe/Berlin"), 2026);
const qint64 kDay = 86400;

// clang-format off
const struct { const char* name; int level, unit, ratio; } kLevels[] = {
    {"24 h", 0, 7200, 2}, {"12 h", 1, 3600, 2}, {"6 h", 2, 1800, 3}, {"2 h", 3, 600, 2},
    {"1 h", 4, 300, 5}, {"12 min", 5, 60, 1}, {"-1", -1, 0, 1}, {"6", 6, 0, 1}};

// A zoom `ticks` timer ticks in: the unit's pixels and seconds, the finer level's opacity.
const struct { const char* name; int width, from, step, ticks; double length, time, alpha; }
kUnits[] = {
    {"in 0>1", 1920, 0, 1, 0, 160, 7200, 0}, {"in 0>1 300 ms", 1920, 0, 1, 10, 220, 7200, 0.375},
    {"in 0>1 780 ms", 1920, 0, 1, 26, 316, 7200, 0.975}, {"out 1>0", 1920, 1, -1, 0, 320, 7200, 1},
    {"in 2>3 600 ms", 1920, 2, 1, 20, 400, 1800, 0.75}, {"out 5>4", 1200, 5, -1, 8, 380, 300, 0.7},
    {"zero width", 0, 0, 1, 10, 0, 7200, 0.375}, {"ended: at rest", 1920, 0, 1, 27, 160, 3600, 0}};

// Steps +1 / -1 / +2 and tN timer ticks; the last step's result and the zoom afterwards.
const int I = CRulerZoom::Ignored, S = CRulerZoom::Started, R = CRulerZoom::Reversed;
const struct { const char* name; int start; const char* script; int result, on, from, to, ms; }
kSteps[] = {
    {"start", 0, "+1", S, 1, 0, 1, 0}, {"reverse mid-zoom", 0, "+1 t10 -1", R, 1, 1, 0, 500},
    {"reverse twice", 0, "+1 t10 -1 t5 +1", R, 1, 0, 1, 150}, {"+2", 2, "+2", I, 0, 2, 2, 0},
    {"reverse at once", 3, "-1 +1", R, 1, 2, 3, 800}, {"past the finest", 5, "+1", I, 0, 5, 5, 0},
    {"same way again", 0, "+1 t10 +1", I, 1, 0, 1, 300}, {"not yet", 0, "+1 t26", S, 1, 0, 1, 780},
    {"runs to its end", 0, "+1 t27", S, 0, 1, 1, 0},
    {"reversed run ends at its start", 3, "+1 t20 -1 t27", R, 0, 3, 3, 0}};

// `offset`: seconds from noon under x, or whose x (`limited` within half a day and the width,
// else -1) is asked.
const struct { const char* name; int width, level, ms; double x; int offset; } kSecondsAtX[] = {
    {"middle", 1920, 0, 0, 960, 0}, {"a pixel right", 1920, 0, 0, 961, 45},
    {"left edge", 1920, 0, 0, 0, -43200}, {"part of a second right", 1920, 5, 0, 961, 0},
    {"part of a second left", 1920, 5, 0, 959, -1}, {"inexact unit, 1 h", 1000, 4, 0, 1000, 1800},
    {"inexact unit, 2 h", 1000, 3, 0, 0, -3600}, {"odd width", 1001, 0, 0, 1001, 43243},
    {"current past the second", 1920, 0, 999, 960, 0}, {"zero width: current", 0, 0, 0, 500, 0}};
const struct { const char* name; int width, level, offset; double x, visualX; } kXAtSeconds[] = {
    {"current", 1920, 0, 0, 960, 960}, {"half a day earlier", 1920, 0, -43200, 0, 0},
    {"half a day and a second", 1920, 0, 43201, -1, 1920 + 160.0 / 7200},
    {"wide, past half a day", 10000, 0, -43201, -1, 5000 - 43201 * (10000.0 / 12) / 7200},
    {"beyond the width", 1920, 5, 3600, -1, 960 + 3600 * 160.0 / 60},
    {"zero width", 0, 0, 10, 0, 0}};

const struct { const char* name; const char* zone; int bias, dst; qint64 start, end; } kZones[] = {
    {"Berlin", "Europe/Berlin", -60, -60, Utc(2026, 3, 29, 1), Utc(2026, 10, 25, 1)},
    {"Sydney", "Australia/Sydney", -600, -60, Utc(2026, 10, 3, 16), Utc(2026, 4, 4, 16)},
    {"Tokyo: no daylight saving", "Asia/Tokyo", -540, 0, 0, 0}, {"UTC", "UTC", 0, 0, 0, 0},
    {"unknown zone", "Nowhere/Nothing", 0, 0, 0, 0}};

// Berlin's wall clock around its two switches of 2026, and the time of day of UTC.
const struct { const char* name; qint64 utc; const char* clock; const char* plain; } kClocks[] = {
    {"midnight opening the 23-hour day", Utc(2026, 3, 28, 23), "00:00:00", "23:00:00"},
    {"last second of winter time", Utc(2026, 3, 29, 0, 59, 59), "01:59:59", "00:59:59"},
    {"first second of summer time", Utc(2026, 3, 29, 1), "03:00:00", "01:00:00"},
    {"last second of summer time", Utc(2026, 10, 25, 0, 59, 59), "02:59:59", "00:59:59"},
    {"the hour again", Utc(2026, 10, 25, 1), "02:00:00", "01:00:00"},
    {"winter", Utc(2026, 1, 15, 12, 34, 56), "13:34:56", "12:34:56"}};

// From noon at 24 h on 1920 px, 160 px per 2 hours, with the minimum speed.
const struct { const char* name; qint64 distance; int duration; qint64 jump; double px; int ms; }
kSlides[] = {
    {"three days later", 3 * kDay, 1000, 2 * kDay, 1920, 1000},
    {"three days earlier", -3 * kDay, 1000, -2 * kDay, -1920, 1000},
    {"one day later", kDay, 1000, 0, 1920, 1000}, {"one day earlier", -kDay, 1000, 0, -1920, 1000},
    {"a day and a second", kDay + 1, 1000, 0, (kDay + 1) * 160.0 / 7200, 1000},
    {"an hour", 3600, 1000, 0, 80, 1000},
    {"a minute: lengthened to the minimum speed", 60, 1000, 0, 60 * 160.0 / 7200, 67},
    {"nothing", 0, 1000, 0, 0, 0}, {"negative duration", 3600, -5, 0, 80, 0}};
// clang-format on

const QColor kBackground(0x1F, 0x1F, 0x1F);
const QColor kScale(0xCC, 0xCC, 0xCC);
const QColor kMiddle(0xFA, 0x32, 0x39);

// A 1920 x 48 ruler at 24 hours, its middle (x = 960) on kNoon: 45 s a pixel.
struct Ruler : CAnimationProgressBar
{
    explicit Ruler(int width = 1920)
    {
        resize(width, 48);
        SetCurrentUTCTime(kNoon * 1000);
    }
    qint64 Seconds() const { return GetCurrentUTCTime() / 1000; }
    void Mouse(QEvent::Type type, int x, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, QPoint(x, 30), mapToGlobal(QPoint(x, 30)), button, buttons, {});
        QApplication::sendEvent(this, &event);
    }
    void Press(int x) { Mouse(QEvent::MouseButtonPress, x, Qt::LeftButton, Qt::LeftButton); }
    void Move(int x) { Mouse(QEvent::MouseMove, x, Qt::NoButton, Qt::LeftButton); }
    void Release(int x) { Mouse(QEvent::MouseButtonRelease, x, Qt::LeftButton, Qt::NoButton); }
    void Click(int x)
    {
        Press(x);
        Release(x);
    }
    // Released well after the last move, so no inertia follows.
    void SlowDrag(int from, int to)
    {
        Press(from);
        Move(to);
        QTest::qWait(100);
        Release(to);
    }
    bool Wheel(int delta)
    {
        QWheelEvent event(QPointF(100, 20), QPointF(mapToGlobal(QPoint(100, 20))), QPoint(),
                          QPoint(0, delta), Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(this, &event);
        return event.isAccepted();
    }
    // A quick drag released right after its last move. Whether it counts as a fling depends
    // on the scheduler (at most 70 ms from the last move), so a delayed gesture is repeated.
    bool Fling(int dx)
    {
        for (int attempt = 0; attempt < 3 && !IsMoving(); ++attempt) {
            Press(400);
            for (int i = 1; i <= 10; ++i) {
                QTest::qWait(8);
                Move(400 + i * dx);
            }
            Release(400 + 10 * dx);
        }
        return IsMoving();
    }
    QImage Image()
    {
        QImage image(size(), QImage::Format_ARGB32);
        image.fill(Qt::magenta); // whatever stays magenta was never painted
        render(&image);
        return image;
    }
    void Range(qint64 earliest, qint64 latest) { SetTimeRange(At(earliest), At(latest)); }
    QLabel* Tip() const { return findChild<QLabel*>("ptr_time_tip_lb_"); }
};

struct Recorder : CAbstractDelegate
{
    Recorder(QStringList* log, QString name, bool take = false, QColor colour = QColor())
        : log(log)
        , name(std::move(name))
        , take(take)
        , colour(colour)
    {
    }
    void Paint(QPainter* painter) override
    {
        *log << name;
        if (colour.isValid())
            painter->fillRect(QRect(0, 0, 300, 48), colour);
    }
    bool MousePress(const QPoint& pos) override
    {
        *log << QStringLiteral("%1 %2").arg(name).arg(pos.x());
        return take;
    }
    QStringList* log;
    QString name;
    bool take;
    QColor colour;
};

} // namespace

class tst_AnimationProgressBar : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // --- The ruler's arithmetic -----------------------------------------------------------

    void levelTable_data() { AddRows(kLevels); }
    void levelTable()
    {
        const auto& r = Row(kLevels);
        QVERIFY(RulerUnitSeconds(r.level) == r.unit && RulerLevelRatio(r.level) == r.ratio);
        CRulerZoom zoom;
        QCOMPARE(zoom.SetLevel(r.level), r.unit > 0); // a bad level changes nothing
        QVERIFY(zoom.CheckInvariant() && zoom.Level() == (r.unit > 0 ? r.level : 0));
        QVERIFY(r.unit == 0 || (zoom.Unit(1920).dLength == 160 && zoom.Unit(1920).dTime == r.unit));
    }

    void zoomUnit_data() { AddRows(kUnits); }
    void zoomUnit()
    {
        const auto& r = Row(kUnits);
        const CRulerZoom zoom = Zoom(r.from, r.step, r.ticks);
        QVERIFY(zoom.CheckInvariant() && Near(zoom.FineAlpha(), r.alpha));
        QVERIFY(Near(zoom.Unit(r.width).dLength, r.length) && zoom.Unit(r.width).dTime == r.time);
    }

    void zoomSteps_data() { AddRows(kSteps); }
    void zoomSteps()
    {
        const auto& r = Row(kSteps);
        CRulerZoom zoom = Zoom(r.start);
        int result = -1;
        for (const QString& action : QString(r.script).split(' ')) {
            const double before = zoom.Unit(1920).dLength;
            for (int i = 0; action.startsWith('t') && i < action.mid(1).toInt(); ++i)
                if (zoom.Advance(kRulerTimerInterval))
                    zoom.Finish();
            if (!action.startsWith('t') && (result = zoom.Step(action.toInt())) == R)
                QVERIFY(Near(zoom.Unit(1920).dLength, before)); // turns round without a jump
            QVERIFY2(zoom.CheckInvariant(), qPrintable(action));
        }
        QVERIFY(result == r.result && zoom.IsScaling() == bool(r.on) && zoom.Elapsed() == r.ms);
        QVERIFY(zoom.From() == r.from && zoom.To() == r.to && zoom.Level() == qMin(r.from, r.to));
    }

    void secondsAtX_data() { AddRows(kSecondsAtX); }
    void secondsAtX()
    {
        const auto& r = Row(kSecondsAtX);
        const RulerUnit unit = Zoom(r.level).Unit(r.width);
        QCOMPARE(RulerSecondsAtX(kNoon * 1000 + r.ms, r.x, r.width, unit), kNoon + r.offset);
    }

    void xAtSeconds_data() { AddRows(kXAtSeconds); }
    void xAtSeconds()
    {
        const auto& r = Row(kXAtSeconds);
        const RulerUnit unit = Zoom(r.level).Unit(r.width);
        QVERIFY(Near(RulerXAtSeconds(kNoon + r.offset, kNoon, r.width, unit), r.x, 1e-6));
        QVERIFY(
            Near(RulerVisualXAtSeconds(kNoon + r.offset, kNoon, r.width, unit), r.visualX, 1e-6));
    }

    void zoneFromTimeZone_data() { AddRows(kZones); }
    void zoneFromTimeZone()
    {
        const auto& r = Row(kZones);
        const TimeZoneParam zone = TimeZoneParam::FromTimeZone(QTimeZone(r.zone), 2026);
        QVERIFY(zone.nBias == r.bias && zone.nDSTBias == r.dst && zone.bEnableDST == (r.end > 0));
        QVERIFY(zone.llDSTStart == r.start && zone.llDSTEnd == r.end);
        QVERIFY(IsWithinDaylightSaving(5, 100, 100)); // a season whose start is its end: all year
    }

    void zoneClock_data() { AddRows(kClocks); }
    void zoneClock()
    {
        const auto& r = Row(kClocks);
        const qint64 local = ZoneLocalSeconds(r.utc, kBerlin);
        QVERIFY(FormatClock(local, true) == r.clock
                && FormatClock(local, false) == QString(r.clock).left(5));
        QCOMPARE(
            QDateTime::fromSecsSinceEpoch(r.utc, QTimeZone("Europe/Berlin")).toString("hh:mm:ss"),
            QString(r.clock)); // as the system's zone data has it
        QCOMPARE(FormatClock(ZoneLocalSeconds(r.utc, TimeZoneParam()), true), QString(r.plain));
        // any day, also before 1970
        QVERIFY(FormatClock(-1, true) == "23:59:59"
                && FormatClock(-kDay * 400 - 60, true) == "23:59:00");
        QCOMPARE(FormatClock(0xFFFFFFFFll, true), QStringLiteral("06:28:15"));
    }

    void labelsKeepApart()
    {
        // Whatever the width, zoom and time, no two labels come closer than the spacing, and
        // the work per frame stays bounded.
        for (int width : {1, 5, 60, 100, 240, 333, 480, 1000, 1920, 10000})
            for (int level = 0; level < kRulerLevelCount; ++level)
                for (int step : {0, 1, -1})
                    for (int ticks : {0, 9, 17, 26}) {
                        const CRulerZoom zoom = Zoom(level, step, ticks);
                        const auto all =
                            Ticks(width, zoom, Utc(2026, 3, 29, 1) * 1000 - 12345, kBerlin);
                        QVERIFY(all.size() <= 200);
                        int last = INT_MIN / 2;
                        for (const RulerTick& tick : all) {
                            if (tick.fLabelAlpha <= 0)
                                continue;
                            QVERIFY2(tick.nX - last >= 40,
                                     qPrintable(QString::asprintf("w %d level %d step %d ticks %d",
                                                                  width, level, step, ticks)));
                            last = tick.nX;
                        }
                    }
    }

    void labelsOnRoundTimesAndAcrossDaylightSaving()
    {
        // 240 px at 24 h: 20 px per unit, so only every other unit (4 hours) gets a label, and
        // one unlabelled tick lies beyond each edge for half a label.
        QVector<RulerTick> all = Ticks(240, Zoom(0), kNoon * 1000);
        QCOMPARE(Labels(all), QStringLiteral("00:00 04:00 08:00 12:00 16:00 20:00 00:00"));
        QCOMPARE(all.size(), 15);
        // Local noon of the 23-hour day: 02:00 never happens, midnight to midnight is 1840 px.
        all = Ticks(1920, Zoom(0), Utc(2026, 3, 29, 10) * 1000, kBerlin);
        QCOMPARE(Labels(all),
                 "00:00 04:00 06:00 08:00 10:00 12:00 14:00 16:00 18:00 20:00 22:00 00:00");
        QVERIFY(all.first().nX == 80 && all[1].nX == 320 && all.last().nX == 1920);
        // Around the switch of the 25-hour day: 02:00 comes twice, an hour apart.
        all = Ticks(1920, Zoom(0), Utc(2026, 10, 25, 1) * 1000, kBerlin);
        QCOMPARE(Labels(all),
                 "16:00 18:00 20:00 22:00 00:00 02:00 02:00 04:00 06:00 08:00 10:00 12:00 14:00");
        QVERIFY(all[5].nX == 880 && all[6].nX == 960 && all.last().nX == 1920);
    }

    void ticksBadInput()
    {
        QVERIFY(Ticks(0, Zoom(0), 0).isEmpty() && Ticks(-5, Zoom(0), 0).isEmpty());
        QVERIFY(Labels(Ticks(1920, Zoom(0), -1000)).contains("00:00")); // before 1970
        QVector<RulerTick> ticks(3);
        ComputeRulerTicks({0, 100, {10, 7200}, 7, 0.5}, {}, ticks); // 7 does not divide the unit
        QVERIFY(ticks.isEmpty());
        // label steps keep labels 40 px apart on round times; 0: no room at all
        for (const QPair<double, int>& step :
             QVector<QPair<double, int>>{{40, 1}, {20, 2}, {14, 3}, {7, 6}, {1, 48}, {0, 0}})
            QCOMPARE(RulerLabelStep(step.first, 40), step.second);
    }

    void linearSlide_data() { AddRows(kSlides); }
    void linearSlide()
    {
        const auto& r = Row(kSlides);
        const auto plan =
            PlanLinearSlide(kNoon, kNoon + r.distance, r.duration, Zoom(0).Unit(1920), true);
        QVERIFY(plan.llJumpSeconds == r.jump && plan.llJumpSeconds + plan.llDistance == r.distance);
        QVERIFY(Near(plan.dPixels, r.px) && plan.nDuration == r.ms);
    }

    // --- The widget -----------------------------------------------------------------------

    void freshRuler()
    {
        Bar bar;
        QVERIFY(!bar.isScaling() && !bar.IsSliding() && !bar.IsMoving() && !bar.IsDragEnable());
        QVERIFY(bar.IsDrawMiddleLine() && !bar.IsSimplifyMode() && bar.Delegate().isEmpty());
        QDateTime earliest, latest;
        bar.GetTimeRange(earliest, latest);
        QVERIFY(earliest == At(Utc(1971, 1, 1, 0)) && latest == At(Utc(2105, 1, 1, 0)));
        QVERIFY(qAbs(bar.GetCurrentUTCTime() - QDateTime::currentMSecsSinceEpoch()) < 3600000);
        QCOMPARE(bar.GetBackgroundColor(), kBackground);
        bar.setStyleSheet(
            "TesselGUIToolkit--CAnimationProgressBar { qproperty-m_colorBackground: red; }");
        bar.ensurePolished();
        QCOMPARE(bar.GetBackgroundColor(), QColor(Qt::red));
    }

    void levelsAndWheel()
    {
        Ruler bar;
        QStringList log;
        connect(&bar, &Bar::SignalScalingStarted, this, [&] { log << "started"; });
        connect(&bar, &Bar::SignalScalingEnded, this, [&] { log << "ended"; });
        connect(&bar, &Bar::SignalLevelChanged, this,
                [&](Bar::TotalValue l) { log << QString::number(l); });
        for (int level : {5, -1, 6, 2}) // levels outside 0 to 5 are ignored
            bar.SetCurrentLevel(Bar::TotalValue(level));
        QVERIFY(bar.UnitTimeLength() == 1800.0f && log == QStringList({"5", "2"}));
        for (int bad : {2, -2, 0, 120}) // zooms go one level at a time
            bar.ScaleByStep(bad);
        for (int bad : {240, 60}) // and the wheel turns by whole notches
            QVERIFY(bar.Wheel(bad) && !bar.isScaling());
        QSignalSpy ticks(&bar, &Bar::SignalScaling);
        QVERIFY(bar.Wheel(-120) && bar.isScaling());
        QCOMPARE(bar.GetCurrentLevel(), Bar::Total12Hours); // the units follow the lower level
        QTRY_VERIFY(!bar.isScaling());
        QCOMPARE(log, QStringList({"5", "2", "started", "ended", "1"}));
        QCOMPARE(ticks.count(), 27); // 800 ms in 30 ms ticks, and the one that ends it
        QVERIFY(bar.UnitScaleLength() == 160.0f && bar.Seconds() == kNoon); // the middle stays
    }

    void zoomAndSlideExcludeEachOther()
    {
        Ruler bar;
        bar.StartSliding(kNoon + 3600, 1000);
        bar.Wheel(120); // the wheel waits for the slide
        QVERIFY(bar.IsSliding() && !bar.isScaling());
        bar.ScaleByStep(1); // a zoom asked for in code ends the slide on its target
        QVERIFY(bar.isScaling() && !bar.IsSliding() && bar.Seconds() == kNoon + 3600);
        QSignalSpy ended(&bar, &Bar::SignalScalingEnded);
        bar.StartSliding(kNoon, 300); // and a slide ends the zoom on its target level
        QVERIFY(ended.count() == 1 && !bar.isScaling()
                && bar.GetCurrentLevel() == Bar::Total12Hours);
        QTRY_VERIFY(!bar.IsSliding());
        QCOMPARE(bar.Seconds(), kNoon);
    }

    void slides()
    {
        Ruler bar;
        bar.StartSliding(kNoon - 3 * kDay, 300); // all but the last day are jumped
        QVERIFY(bar.IsSliding() && bar.Seconds() == kNoon - 2 * kDay);
        for (qint64 last = 0, guard = 0; bar.IsSliding() && guard < 500; ++guard) {
            last = bar.GetCurrentUTCTime();
            QTest::qWait(10);
            QVERIFY2(bar.GetCurrentUTCTime() <= last, "the slide never turns back");
        }
        QCOMPARE(bar.Seconds(), kNoon - 3 * kDay); // lands exactly
        bar.Range(kNoon - 3600, kNoon + 3600);
        bar.StartSliding(kNoon + 5 * 3600, 200); // clamped to the range
        QTRY_VERIFY(!bar.IsSliding());
        QCOMPARE(bar.Seconds(), kNoon + 3600);
        bar.StartSliding(kNoon - 3600, 5000); // held by the user, a stopped slide stays
        QTRY_VERIFY(bar.Seconds() < kNoon + 3600);
        bar.SetPressed(true);
        bar.StopSliding();
        QVERIFY(bar.Seconds() > kNoon - 3600);
        bar.SetPressed(false);
        // Animated SetCurrentDateTime is a slide too; NonLinear takes 480 ms whatever is asked.
        bar.SetCurrentDateTime(At(kNoon), true, 60000, Bar::NonLinear);
        QVERIFY(bar.IsSliding());
        QTRY_VERIFY_WITH_TIMEOUT(!bar.IsSliding(), 3000);
        QCOMPARE(bar.Seconds(), kNoon);
    }

    void clickSlidesThere()
    {
        Ruler bar;
        QSignalSpy clicked(&bar, &Bar::SignalClickedAtTime);
        QSignalSpy stopped(&bar, &Bar::SignalStopAtTime);
        bar.Click(960 + 160); // one unit right: two hours later
        QCOMPARE(clicked, (Calls{{kNoon + 7200}}));
        for (qint64 last = 0, guard = 0; bar.IsSliding() && guard < 500; ++guard) {
            last = bar.GetCurrentUTCTime();
            QTest::qWait(5);
            if (bar.IsSliding())
                bar.Click(100); // presses while sliding are ignored
            QVERIFY(bar.GetCurrentUTCTime() >= last);
        }
        QVERIFY(bar.Seconds() == kNoon + 7200 && clicked.count() == 1 && stopped.isEmpty());
        bar.Range(kNoon + 5000, kNoon + 7200);
        bar.Click(960 + 160); // outside the range: nothing
        bar.Click(960 - 100);
        QVERIFY(clicked.count() == 1 && !bar.IsSliding());
    }

    void dragsAndFlings()
    {
        Ruler bar;
        QSignalSpy dragged(&bar, &Bar::SignalDragAtTime);
        QSignalSpy moving(&bar, &Bar::SignalMovingAtAtTime); // the inertia run
        QSignalSpy stopped(&bar, &Bar::SignalStopAtTime);
        QSignalSpy clicked(&bar, &Bar::SignalClickedAtTime);
        bar.Press(1000);
        for (int i = 1; i <= 8; ++i)
            bar.Move(1000 - 10 * i); // 80 px left: 3600 s later
        QVERIFY(dragged.count() == 8 && dragged.first().at(0).toUInt() == unsigned(kNoon + 450));
        QTest::qWait(100); // longer than 70 ms from the last move: no fling
        bar.Release(920);
        QVERIFY(!bar.IsMoving() && !bar.IsSliding() && stopped == (Calls{{At(kNoon + 3600)}}));
        QCOMPARE(clicked, (Calls{{kNoon + 3600}}));
        QVERIFY(bar.Fling(6) && stopped.count() == 1); // toward earlier times, on after the release
        const qint64 released = bar.GetCurrentUTCTime();
        QTRY_VERIFY_WITH_TIMEOUT(!bar.IsMoving(), 10000);
        QVERIFY(bar.GetCurrentUTCTime() < released && stopped.count() == 2);
        QVERIFY(moving.last()[0].toUInt() == bar.Seconds() && clicked.last()[0] == bar.Seconds());
        QVERIFY(bar.Fling(-6)); // a press catches it, and is no click of its own
        bar.Press(500);
        QVERIFY(!bar.IsMoving());
        const qint64 caught = bar.GetCurrentUTCTime();
        bar.Release(500);
        QVERIFY(bar.GetCurrentUTCTime() == caught && !bar.IsSliding() && stopped.count() == 3);
        QVERIFY(bar.Fling(6));
        bar.SetStopMoving(); // stops at its next step
        QTRY_VERIFY(!bar.IsMoving());
        bar.SetCurrentUTCTime(kNoon * 1000); // runs end at the ends of the range
        bar.Range(kNoon - 3000, kNoon + 3000);
        QVERIFY(bar.Fling(6));
        QTRY_VERIFY_WITH_TIMEOUT(!bar.IsMoving(), 10000);
        QVERIFY(bar.Seconds() == kNoon - 3000 && stopped.count() == 5);
    }

    void ignoredInput()
    {
        Ruler bar;
        QSignalSpy clicked(&bar, &Bar::SignalClickedAtTime);
        QSignalSpy entered(&bar, &Bar::SignalEnter);
        bar.Mouse(QEvent::MouseButtonPress, 1200, Qt::RightButton, Qt::RightButton);
        bar.Mouse(QEvent::MouseButtonRelease, 1200, Qt::RightButton, Qt::NoButton);
        QVERIFY(clicked.isEmpty() && !bar.IsPressed());
        bar.ScaleByStep(1);
        bar.Click(1200); // during a zoom
        bar.StopAllAnimation();
        QVERIFY(clicked.isEmpty() && bar.GetCurrentLevel() == Bar::Total12Hours);
        for (bool held : {true, false}) { // playback yields to the hand
            bar.SetPressed(held);
            bar.SetPlayBackTime(unsigned(kNoon + 100));
            QCOMPARE(bar.Seconds(), held ? kNoon : kNoon + 100);
        }
        bar.DisableMouseEvent();
        bar.Click(1200);
        QVERIFY(clicked.isEmpty() && !bar.Wheel(120) && !bar.isScaling());
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(&bar, &enter);
        QCOMPARE(entered.count(), 0);
    }

    void delegates()
    {
        QStringList log;
        Recorder a(&log, "a");
        Recorder b(&log, "b", true);
        Recorder green(&log, "green", false, Qt::green);
        Ruler bar(400);
        bar.InsertDelegate(&a);
        bar.InsertDelegate(&b, 0);
        bar.InsertDelegate(nullptr);
        bar.InsertDelegate(&a, 1); // already there
        bar.InsertDelegate(&green, 99);
        QCOMPARE(bar.Delegate(), (QVector<CAbstractDelegate*>{&b, &a, &green}));
        const QImage image = bar.Image(); // between the scale and the middle line
        QCOMPARE(log, QStringList({"b", "a", "green"}));
        QVERIFY(image.pixelColor(33, 2) == Qt::green && image.pixelColor(198, 40) == kMiddle);
        log.clear();
        bar.SetDragEnable(true);
        QSignalSpy dragData(&bar, &Bar::SignalDragData);
        bar.SlowDrag(300, 180); // taken by the first delegate: no drag
        QVERIFY(log == QStringList{"b 300"} && bar.Seconds() == kNoon && dragData.isEmpty());
        bar.RemoveDelegate(&b);
        bar.RemoveDelegate(nullptr);
        log.clear();
        bar.SlowDrag(300, 180); // left to the ruler by all of them
        QVERIFY(log == QStringList({"a 300", "green 300"}) && !dragData.isEmpty());
        bar.RemoveAllDelegate();
        QVERIFY(bar.Delegate().isEmpty());
    }

    void dragData()
    {
        Ruler bar;
        QSignalSpy reports(&bar, &Bar::SignalDragData);
        bar.SlowDrag(960, 960);
        QVERIFY(reports.isEmpty()); // off unless enabled
        bar.SetCurrentUTCTime(kNoon * 1000);
        bar.SetDragEnable(true);
        bar.SlowDrag(960, 920);
        const DragData first = reports.first()[0].value<DragData>();
        const DragData last = reports.last()[0].value<DragData>();
        QVERIFY(!reports.first()[1].toBool() && reports.last()[1].toBool()); // finished
        QVERIFY(first.llTime == kNoon * 1000 && first.llPressTime == kNoon * 1000
                && !first.nOffsetX);
        QVERIFY(last.llTime == (kNoon + 40 * 45) * 1000 && last.llPressTime == kNoon * 1000
                && last.nOffsetX == -40 && last.nLevel == 0);
    }

    void timeTip()
    {
        Ruler bar;
        bar.SetTimeZoneInfor(kBerlin);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QSignalSpy entered(&bar, &Bar::SignalEnter);
        QSignalSpy left(&bar, &Bar::SignalLeave);
        QEnterEvent enter(QPointF(1120, 30), QPointF(1120, 30), QPointF(1120, 30));
        QApplication::sendEvent(&bar, &enter);
        bar.Mouse(QEvent::MouseMove, 1120, Qt::NoButton, Qt::NoButton); // 2 hours after noon
        QVERIFY(entered.count() == 1 && !bar.Tip()->isVisible());
        QTRY_VERIFY(bar.Tip()->isVisible());
        QCOMPARE(bar.Tip()->text(), QStringLiteral("16:00:00")); // summer time in Berlin
        QCOMPARE(bar.Tip()->x(), 1120 - 27);
        QCOMPARE(bar.GetCurrentDateTimeByTimeZone().offsetFromUtc(), 7200);
        bar.SetCurrentUTCTime((kNoon + 61) * 1000); // the ruler moves under the still cursor
        QTRY_COMPARE(bar.Tip()->text(), QStringLiteral("16:01:01"));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&bar, &leave);
        QVERIFY(left.count() == 1 && !bar.Tip()->isVisible());
    }

    void paints()
    {
        Ruler bar;
        QImage image = bar.Image();
        for (int x : {0, 160, 1120}) // a tick every 2 hours
            QCOMPARE(image.pixelColor(x, 2), kScale);
        for (int x : {80, 161, 1119})
            QCOMPARE(image.pixelColor(x, 2), kBackground);
        for (int x : {957, 958, 959})
            QCOMPARE(image.pixelColor(x, 40), kMiddle);
        QVERIFY(qAbs(image.pixelColor(961, 40).red() - 40) <= 2); // #2e2e2e at 0.58 beside it
        QCOMPARE(image.pixelColor(963, 40), kBackground);
        const QRect label(140, 14, 40, 16); // under the tick at 160
        QImage plain(label.size(), image.format());
        plain.fill(kBackground);
        QVERIFY(image.copy(label) != plain);
        bar.SetDrawMiddleLine(false);
        bar.SetBackgroundColor(QColor(Qt::darkBlue));
        bar.SetBackgroundColor(QColor()); // invalid: ignored
        bar.SetSimplifyMode(true); // ticks without labels
        image = bar.Image();
        QVERIFY(image.pixelColor(958, 40) == Qt::darkBlue && image.pixelColor(160, 2) == kScale);
        plain.fill(Qt::darkBlue);
        QCOMPARE(image.copy(label), plain);

        Ruler zooming;
        QSignalSpy ticks(&zooming, &Bar::SignalScaling);
        zooming.Wheel(120); // 24 h to 12 h: the hourly ticks fade in
        QTRY_VERIFY(ticks.count() >= 8);
        if (!zooming.isScaling())
            QSKIP("the zoom ended before it could be sampled");
        const float length = zooming.UnitScaleLength();
        image = zooming.Image();
        const QColor blended = image.pixelColor(960 + qRound(length / 2), 2); // 13:00: fine only
        const int expected = qRound(0x1F + (length / 160.0 - 1.0) * (0xCC - 0x1F));
        QVERIFY2(qAbs(blended.red() - expected) <= 3, qPrintable(QString::number(blended.red())));
        QCOMPARE(image.pixelColor(960 + qRound(length), 2), kScale); // 14:00: both levels
    }

    void badTimesAndRanges()
    {
        const qint64 earliest = Utc(1971, 1, 1, 0);
        const qint64 latest = Utc(2105, 1, 1, 0);
        Ruler bar;
        for (const auto& time : QList<QPair<quint32, qint64>>{
                 {0xFFFFFFFFu, kNoon}, {0, earliest}, {quint32(latest + 99), latest}}) {
            bar.SetPlayBackTime(time.first, true, 200); // no time: ignored; the others clamp
            QTRY_VERIFY(!bar.IsSliding());
            QCOMPARE(bar.Seconds(), time.second);
        }
        bar.SetCurrentDateTime(QDateTime());
        bar.SetCurrentUTCTime(-5000);
        QCOMPARE(bar.Seconds(), earliest);
        QVERIFY(!bar.IsDatetimeValid(QDateTime()) && !bar.IsDatetimeValid(qint64(0)));
        QCOMPARE(bar.GetAvailableDateTime(QDateTime()), bar.GetCurrentDateTime());
        QCOMPARE(bar.GetAvailableDateTime(At(Utc(2200, 1, 1, 0))), At(latest));
        QCOMPARE(bar.GetAvailableDateTime(At(Utc(2000, 1, 1, 0))), At(Utc(2000, 1, 1, 0)));
        bar.SetCurrentUTCTime(kNoon * 1000);
        for (unsigned bad : {0u, 0xFFFFFFFFu, unsigned(kNoon + 43201)})
            QCOMPARE(bar.XPosAtUTCSeconds(bad), -1.0f);
        QCOMPARE(bar.XPosAtUTCSeconds(unsigned(kNoon + 43200)), 1920.0f);
        QVERIFY(bar.UTCSecondsToString(0xFFFFFFFFu).isEmpty()
                && bar.UTCSecondsToString(0) == "00:00");

        QVERIFY(!bar.SetTimeRange(At(kNoon + 60), At(kNoon - 60))); // reversed
        QVERIFY(!bar.SetTimeRange(QDateTime(), At(kNoon)) && !bar.SetTimeRange(At(kNoon), {}));
        QDateTime from, to;
        bar.GetTimeRange(from, to);
        QVERIFY(from == At(earliest) && to == At(latest) && bar.Seconds() == kNoon);
        QVERIFY(bar.SetTimeRange(At(kNoon + 600), At(kNoon + 900))); // the time is clamped in
        QCOMPARE(bar.Seconds(), kNoon + 600);
        QVERIFY(bar.SetTimeRange(At(kNoon - 5), At(kNoon - 5))); // one instant
        bar.GetTimeRange(from, to);
        QVERIFY(from == At(kNoon - 5) && to == from && bar.Seconds() == kNoon - 5);
        QVERIFY(bar.SetTimeRange(At(Utc(1960, 1, 1, 0)), At(Utc(2200, 1, 1, 0))));
        bar.SetPlayBackTime(0); // 1970 lies within it now
        QCOMPARE(bar.Seconds(), qint64(0));
        bar.resize(0, 48); // nothing to measure or move at zero width
        bar.SlowDrag(0, 50);
        QVERIFY(bar.UnitScaleLength() == 0 && bar.UTCSecondsAtXPos(100) == 0 && bar.Seconds() == 0);
        bar.SetTimeZoneInfor(TimeZoneParam::FromTimeZone(QTimeZone("Australia/Sydney"), 2026));
        QVERIFY(bar.IsWithinDST(unsigned(Utc(2026, 1, 15, 0)))
                && !bar.IsWithinDST(unsigned(kNoon)));
    }
};

QTEST_MAIN(tst_AnimationProgressBar)
#include "tst_animationprogressbar.moc"
