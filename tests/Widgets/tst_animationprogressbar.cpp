#include "Widgets/AbstractDelegate.h"
#include "Widgets/AnimationProgressBar.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QTimeZone>

using namespace TesselGUIToolkit;

namespace {

using Bar = CAnimationProgressBar;

qint64 Utc(int y, int mo, int day, int h, int mi = 0, int s = 0)
{
    return QDateTime(QDate(y, mo, day), QTime(h, mi, s), Qt::UTC).toSecsSinceEpoch();
}

const qint64 kNoon = Utc(2026, 6, 15, 12);
const QColor kBackground(0x1F, 0x1F, 0x1F);
const QColor kScale(0xCC, 0xCC, 0xCC);
const QColor kMiddle(0xFA, 0x32, 0x39);

// A 1920 x 48 ruler at 24 hours, its middle (x = 960) on 2026-06-15 12:00:00 UTC: 45 s a pixel.
struct Scene
{
    explicit Scene(int width = 1920)
    {
        bar.resize(width, 48);
        bar.SetCurrentUTCTime(kNoon * 1000);
    }
    qint64 Seconds() const { return bar.GetCurrentUTCTime() / 1000; }
    Bar bar;
};

void Mouse(QWidget* widget, QEvent::Type type, int x, Qt::MouseButton button,
           Qt::MouseButtons buttons, int y = 24)
{
    const QPoint pos(x, y);
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void Press(QWidget* w, int x, Qt::MouseButton button = Qt::LeftButton)
{
    Mouse(w, QEvent::MouseButtonPress, x, button, button);
}

void DragTo(QWidget* w, int x)
{
    Mouse(w, QEvent::MouseMove, x, Qt::NoButton, Qt::LeftButton);
}

void Release(QWidget* w, int x, Qt::MouseButton button = Qt::LeftButton)
{
    Mouse(w, QEvent::MouseButtonRelease, x, button, Qt::NoButton);
}

void Click(QWidget* w, int x)
{
    Press(w, x);
    Release(w, x);
}

void Hover(QWidget* w, int x, int y = 30)
{
    Mouse(w, QEvent::MouseMove, x, Qt::NoButton, Qt::NoButton, y);
}

bool Wheel(QWidget* w, int delta)
{
    QWheelEvent event(QPointF(100, 20), w->mapToGlobal(QPoint(100, 20)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &event);
    return event.isAccepted();
}

// A quick drag of `steps` moves of `dx` pixels released right after the last move. Whether it
// counts as a fling depends on the scheduler (at most 70 ms between the last move and the
// release), so a gesture the machine delayed is repeated.
bool Fling(Bar& bar, int from, int dx, int steps = 10)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        int x = from;
        Press(&bar, x);
        for (int i = 0; i < steps; ++i) {
            QTest::qWait(8);
            x += dx;
            DragTo(&bar, x);
        }
        Release(&bar, x);
        if (bar.IsMoving())
            return true;
    }
    return false;
}

QImage Render(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::magenta); // whatever stays magenta was never painted
    widget.render(&image);
    return image;
}

bool Near(const QColor& a, const QColor& b, int tolerance = 2)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance
        && qAbs(a.blue() - b.blue()) <= tolerance;
}

QString Describe(const QColor& c)
{
    return c.name();
}

class Recorder : public CAbstractDelegate
{
public:
    Recorder(QStringList* log, QString name, bool take = false, QColor colour = QColor())
        : m_pLog(log)
        , m_strName(std::move(name))
        , m_bTake(take)
        , m_color(colour)
    {
    }
    void Paint(QPainter* painter) override
    {
        m_pLog->append(m_strName + QStringLiteral(" paint"));
        if (m_color.isValid()) {
            painter->setOpacity(0.2); // must not leak into the bar's own drawing
            painter->setOpacity(1.0);
            painter->fillRect(QRect(0, 0, 300, 48), m_color);
        }
    }
    bool MousePress(const QPoint& pos) override
    {
        m_pLog->append(QStringLiteral("%1 press %2").arg(m_strName).arg(pos.x()));
        return m_bTake;
    }

private:
    QStringList* m_pLog;
    QString m_strName;
    bool m_bTake;
    QColor m_color;
};

} // namespace

class tst_AnimationProgressBar : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void freshBar()
    {
        Bar bar;
        bar.resize(1920, 48);
        QCOMPARE(bar.GetCurrentLevel(), Bar::Total24Hours);
        QVERIFY(!bar.isScaling());
        QVERIFY(!bar.IsSliding());
        QVERIFY(!bar.IsMoving());
        QCOMPARE(bar.GetBackgroundColor(), kBackground);
        QVERIFY(bar.IsDrawMiddleLine());
        QVERIFY(!bar.IsSimplifyMode());
        QVERIFY(!bar.IsDragEnable());
        QVERIFY(bar.Delegate().isEmpty());
        QCOMPARE(bar.UnitScaleLength(), 160.0f);
        QCOMPARE(bar.UnitTimeLength(), 7200.0f);
        QDateTime earliest;
        QDateTime latest;
        bar.GetTimeRange(earliest, latest);
        QCOMPARE(earliest.toUTC(), QDateTime(QDate(1971, 1, 1), QTime(0, 0), Qt::UTC));
        QCOMPARE(latest.toUTC(), QDateTime(QDate(2105, 1, 1), QTime(0, 0), Qt::UTC));
        // It starts on today's time.
        QVERIFY(qAbs(bar.GetCurrentUTCTime() - QDateTime::currentMSecsSinceEpoch()) < 3600 * 1000);
        auto* tip = bar.findChild<QLabel*>(QStringLiteral("ptr_time_tip_lb_"));
        QVERIFY(tip);
        QCOMPARE(tip->size(), QSize(54, 13));
        QCOMPARE(tip->alignment(), Qt::AlignCenter);
        QVERIFY(tip->isHidden());
    }

    void styleSheetSetsBackground()
    {
        Scene scene;
        scene.bar.setStyleSheet(QStringLiteral(
            "TesselGUIToolkit--CAnimationProgressBar { qproperty-m_colorBackground: #102030; }"));
        scene.bar.ensurePolished();
        QCOMPARE(scene.bar.GetBackgroundColor(), QColor(0x10, 0x20, 0x30));
        QCOMPARE(Render(scene.bar).pixelColor(50, 40), QColor(0x10, 0x20, 0x30));
    }

    void setCurrentLevel_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<float>("unitTime");
        QTest::newRow("24 hours") << 0 << 7200.0f;
        QTest::newRow("12 hours") << 1 << 3600.0f;
        QTest::newRow("6 hours") << 2 << 1800.0f;
        QTest::newRow("2 hours") << 3 << 600.0f;
        QTest::newRow("1 hour") << 4 << 300.0f;
        QTest::newRow("12 minutes") << 5 << 60.0f;
        QTest::newRow("-1: ignored") << -1 << 3600.0f;
        QTest::newRow("6: ignored") << 6 << 3600.0f;
    }
    void setCurrentLevel()
    {
        QFETCH(int, level);
        QFETCH(float, unitTime);
        Scene scene;
        scene.bar.SetCurrentLevel(Bar::Total12Hours);
        QSignalSpy changed(&scene.bar, &Bar::SignalLevelChanged);
        scene.bar.SetCurrentLevel(Bar::TotalValue(level));
        const bool valid = level >= 0 && level <= 5;
        QCOMPARE(changed.count(), valid ? 1 : 0);
        if (valid)
            QCOMPARE(int(changed.at(0).at(0).value<Bar::TotalValue>()), level);
        QCOMPARE(scene.bar.UnitTimeLength(), unitTime);
        QCOMPARE(scene.bar.UnitScaleLength(), 160.0f);
        QVERIFY(!scene.bar.isScaling());
    }

    void wheelZooms_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("delta");
        QTest::addColumn<int>("end"); // -1: no zoom
        QTest::newRow("one notch in") << 0 << 120 << 1;
        QTest::newRow("one notch out") << 3 << -120 << 2;
        QTest::newRow("in to the finest") << 4 << 120 << 5;
        QTest::newRow("two notches in one event") << 0 << 240 << -1;
        QTest::newRow("half a notch") << 2 << 60 << -1;
        QTest::newRow("out of the coarsest") << 0 << -120 << -1;
        QTest::newRow("in past the finest") << 5 << 120 << -1;
    }
    void wheelZooms()
    {
        QFETCH(int, start);
        QFETCH(int, delta);
        QFETCH(int, end);
        QStringList log;
        Scene scene;
        Bar& bar = scene.bar;
        bar.SetCurrentLevel(Bar::TotalValue(start));
        connect(&bar, &Bar::SignalScalingStarted, this, [&] { log << "started"; });
        connect(&bar, &Bar::SignalScalingEnded, this, [&] { log << "ended"; });
        connect(&bar, &Bar::SignalLevelChanged, this,
                [&](Bar::TotalValue level) { log << QStringLiteral("level %1").arg(level); });
        QSignalSpy ticks(&bar, &Bar::SignalScaling);

        QVERIFY(Wheel(&bar, delta));
        QCOMPARE(bar.isScaling(), end >= 0);
        if (end < 0) {
            QVERIFY(log.isEmpty());
            QCOMPARE(int(bar.GetCurrentLevel()), start);
            return;
        }
        QCOMPARE(int(bar.GetCurrentLevel()), qMin(start, end)); // units follow the lower level
        QTRY_VERIFY(!bar.isScaling());
        QCOMPARE(log, (QStringList{"started", "ended", QStringLiteral("level %1").arg(end)}));
        QCOMPARE(ticks.count(), 27); // 800 ms in 30 ms ticks, and the one that ends it
        QCOMPARE(int(bar.GetCurrentLevel()), end);
        QCOMPARE(bar.UnitScaleLength(), 160.0f);
        QCOMPARE(scene.Seconds(), kNoon); // zooming keeps the time under the middle line
    }

    void oppositeStepReversesZoom()
    {
        Scene scene;
        Bar& bar = scene.bar;
        bar.SetCurrentLevel(Bar::Total6Hours);
        QSignalSpy ticks(&bar, &Bar::SignalScaling);
        QSignalSpy started(&bar, &Bar::SignalScalingStarted);
        QSignalSpy ended(&bar, &Bar::SignalScalingEnded);
        QSignalSpy changed(&bar, &Bar::SignalLevelChanged);
        Wheel(&bar, 120);
        QTRY_VERIFY(ticks.count() >= 8);
        if (!bar.isScaling())
            QSKIP("the zoom ended before it could be turned round");
        const float before = bar.UnitScaleLength();
        QVERIFY(before > 160.0f);
        Wheel(&bar, -120);
        QVERIFY(bar.isScaling());
        QCOMPARE(bar.UnitScaleLength(), before); // no jump: it runs back from where it stood
        Wheel(&bar, -120); // the same way again: ignored
        QCOMPARE(bar.UnitScaleLength(), before);
        QTRY_VERIFY(!bar.isScaling());
        QCOMPARE(started.count(), 1);
        QCOMPARE(ended.count(), 1);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).value<Bar::TotalValue>(), Bar::Total6Hours);
        QCOMPARE(bar.UnitTimeLength(), 1800.0f);
        QCOMPARE(bar.UnitScaleLength(), 160.0f);
    }

    void zoomAndSlideExcludeEachOther()
    {
        Scene scene;
        Bar& bar = scene.bar;
        bar.StartSliding(kNoon + 3600, 1000);
        QVERIFY(bar.IsSliding());
        Wheel(&bar, 120); // the wheel waits for the slide
        QVERIFY(!bar.isScaling());
        bar.ScaleByStep(1); // a zoom asked for in code ends the slide on its target
        QVERIFY(bar.isScaling());
        QVERIFY(!bar.IsSliding());
        QCOMPARE(scene.Seconds(), kNoon + 3600);
        QSignalSpy ended(&bar, &Bar::SignalScalingEnded);
        bar.StartSliding(kNoon, 300); // and a slide ends the zoom on its target level
        QCOMPARE(ended.count(), 1);
        QVERIFY(!bar.isScaling());
        QCOMPARE(bar.GetCurrentLevel(), Bar::Total12Hours);
        QTRY_VERIFY(!bar.IsSliding());
        QCOMPARE(scene.Seconds(), kNoon);
    }

    void linearSlide_data()
    {
        QTest::addColumn<qint64>("distance");
        QTest::addColumn<qint64>("jump"); // where the ruler stands right after the start
        const qint64 day = 86400;
        QTest::newRow("an hour later") << qint64(3600) << qint64(0);
        QTest::newRow("a minute earlier") << qint64(-60) << qint64(0);
        QTest::newRow("a day later") << day << qint64(0);
        QTest::newRow("three days later: the last one is animated") << 3 * day << 2 * day;
        QTest::newRow("three days earlier") << -3 * day << -2 * day;
        QTest::newRow("three days and a second") << 3 * day + 1 << qint64(0);
    }
    void linearSlide()
    {
        QFETCH(qint64, distance);
        QFETCH(qint64, jump);
        Scene scene;
        Bar& bar = scene.bar;
        bar.StartSliding(kNoon + distance, 300);
        QVERIFY(bar.IsSliding());
        QCOMPARE(scene.Seconds(), kNoon + jump);
        qint64 last = bar.GetCurrentUTCTime();
        for (int guard = 0; bar.IsSliding() && guard < 500; ++guard) {
            QTest::qWait(10);
            const qint64 now = bar.GetCurrentUTCTime();
            QVERIFY2(distance > 0 ? now >= last : now <= last, "the slide never turns back");
            last = now;
        }
        QCOMPARE(bar.GetCurrentUTCTime(), (kNoon + distance) * 1000); // lands exactly
    }

    void slideEdges()
    {
        Scene scene;
        Bar& bar = scene.bar;
        bar.StartSliding(kNoon + 600, 0); // no duration: there at once
        QVERIFY(!bar.IsSliding());
        QCOMPARE(scene.Seconds(), kNoon + 600);
        bar.StartSliding(kNoon, -50);
        QCOMPARE(scene.Seconds(), kNoon);
        QVERIFY(bar.SetTimeRange(QDateTime::fromSecsSinceEpoch(kNoon - 3600, Qt::UTC),
                                 QDateTime::fromSecsSinceEpoch(kNoon + 3600, Qt::UTC)));
        bar.StartSliding(kNoon + 5 * 3600, 200); // clamped to the range
        QTRY_VERIFY(!bar.IsSliding());
        QCOMPARE(scene.Seconds(), kNoon + 3600);
        // Held by the user, a stopped slide stays where it is.
        bar.StartSliding(kNoon - 3600, 5000);
        QTRY_VERIFY(bar.GetCurrentUTCTime() < (kNoon + 3600) * 1000);
        bar.SetPressed(true);
        bar.StopSliding();
        QVERIFY(scene.Seconds() > kNoon - 3600);
        bar.SetPressed(false);
        // Animated SetCurrentDateTime is a slide too; NonLinear takes 480 ms whatever is asked.
        bar.SetCurrentDateTime(QDateTime::fromSecsSinceEpoch(kNoon, Qt::UTC), true, 60000,
                               Bar::NonLinear);
        QVERIFY(bar.IsSliding());
        QTRY_VERIFY_WITH_TIMEOUT(!bar.IsSliding(), 3000);
        QCOMPARE(scene.Seconds(), kNoon);
    }

    void clickSlidesThere()
    {
        Scene scene;
        Bar& bar = scene.bar;
        QSignalSpy clicked(&bar, &Bar::SignalClickedAtTime);
        QSignalSpy stopped(&bar, &Bar::SignalStopAtTime);
        Click(&bar, 960 + 160); // one unit right: two hours later
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.at(0).at(0).toLongLong(), kNoon + 7200);
        QVERIFY(bar.IsSliding());
        QList<qint64> steps;
        qint64 last = bar.GetCurrentUTCTime();
        for (int guard = 0; bar.IsSliding() && guard < 500; ++guard) {
            QTest::qWait(5);
            if (bar.IsSliding())
                Click(&bar, 100); // presses while sliding are ignored
            steps << bar.GetCurrentUTCTime() - last;
            last = bar.GetCurrentUTCTime();
            QVERIFY(steps.last() >= 0);
        }
        QCOMPARE(bar.GetCurrentUTCTime(), (kNoon + 7200) * 1000);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(stopped.count(), 0);
    }

    void clickOutsideRangeDoesNothing()
    {
        Scene scene;
        Bar& bar = scene.bar;
        QVERIFY(bar.SetTimeRange(QDateTime::fromSecsSinceEpoch(kNoon - 3600, Qt::UTC),
                                 QDateTime::fromSecsSinceEpoch(kNoon + 3600, Qt::UTC)));
        QSignalSpy clicked(&bar, &Bar::SignalClickedAtTime);
        Click(&bar, 960 + 160);
        Click(&bar, 960 - 100);
        QCOMPARE(clicked.count(), 0);
        QVERIFY(!bar.IsSliding());
        QCOMPARE(scene.Seconds(), kNoon);
    }

    void slowDragReportsStopAtOnce()
    {
        Scene scene;
        Bar& bar = scene.bar;
        QSignalSpy dragged(&bar, &Bar::SignalDragAtTime);
        QSignalSpy stopped(&bar, &Bar::SignalStopAtTime);
        QSignalSpy clicked(&bar, &Bar::SignalClickedAtTime);
        Press(&bar, 1000);
        for (int i = 1; i <= 8; ++i)
            DragTo(&bar, 1000 - 10 * i); // 80 px left: 3600 s later
        QCOMPARE(scene.Seconds(), kNoon + 3600);
        QCOMPARE(dragged.count(), 8);
        QCOMPARE(dragged.at(0).at(0).toUInt(), unsigned(kNoon + 450));
        QCOMPARE(dragged.last().at(0).toUInt(), unsigned(kNoon + 3600));
        QTest::qWait(100); // longer than 70 ms from the last move: no fling
        Release(&bar, 920);
        QVERIFY(!bar.IsMoving());
        QVERIFY(!bar.IsSliding());
        QCOMPARE(stopped.count(), 1);
        QCOMPARE(stopped.at(0).at(0).toDateTime().toSecsSinceEpoch(), kNoon + 3600);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.at(0).at(0).toLongLong(), kNoon + 3600);
    }

    void dragStopsAtRangeEnds()
    {
        Scene scene;
        Bar& bar = scene.bar;
        QVERIFY(bar.SetTimeRange(QDateTime::fromSecsSinceEpoch(kNoon - 3600, Qt::UTC),
                                 QDateTime::fromSecsSinceEpoch(kNoon + 3600, Qt::UTC)));
        Press(&bar, 960);
        DragTo(&bar, 0); // 12 hours later is past the end
        QCOMPARE(scene.Seconds(), kNoon + 3600);
        DragTo(&bar, 1900); // and far before the start
        QCOMPARE(scene.Seconds(), kNoon - 3600);
        QTest::qWait(100);
        Release(&bar, 1900);
    }

    void flingRunsOnAndStops()
    {
        Scene scene;
        Bar& bar = scene.bar;
        QSignalSpy moving(&bar, &Bar::SignalMovingAtAtTime);
        QSignalSpy stopped(&bar, &Bar::SignalStopAtTime);
        QSignalSpy clicked(&bar, &Bar::SignalClickedAtTime);
        QVERIFY(Fling(bar, 400, 6)); // rightward: toward earlier times
        QCOMPARE(stopped.count(), 0);
        const qint64 released = bar.GetCurrentUTCTime();
        QTRY_VERIFY_WITH_TIMEOUT(!bar.IsMoving(), 10000);
        QVERIFY(moving.count() > 0);
        QVERIFY(bar.GetCurrentUTCTime() < released);
        QCOMPARE(moving.last().at(0).toUInt(), unsigned(scene.Seconds()));
        QCOMPARE(stopped.count(), 1);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.at(0).at(0).toLongLong(), scene.Seconds());
    }

    void flingEndsInsideRange()
    {
        Scene scene;
        Bar& bar = scene.bar;
        // The drag itself takes 60 px (45 min); the run would carry on well past the start.
        QVERIFY(bar.SetTimeRange(QDateTime::fromSecsSinceEpoch(kNoon - 3000, Qt::UTC),
                                 QDateTime::fromSecsSinceEpoch(kNoon + 3000, Qt::UTC)));
        QSignalSpy stopped(&bar, &Bar::SignalStopAtTime);
        QVERIFY(Fling(bar, 400, 6));
        QTRY_VERIFY_WITH_TIMEOUT(!bar.IsMoving(), 10000);
        QCOMPARE(scene.Seconds(), kNoon - 3000);
        QCOMPARE(stopped.count(), 1);
        QVERIFY(bar.IsDatetimeValid(bar.GetCurrentUTCTime()));
    }

    void pressCatchesFling()
    {
        Scene scene;
        Bar& bar = scene.bar;
        QSignalSpy stopped(&bar, &Bar::SignalStopAtTime);
        QSignalSpy clicked(&bar, &Bar::SignalClickedAtTime);
        QVERIFY(Fling(bar, 400, -6));
        Press(&bar, 500);
        QVERIFY(!bar.IsMoving());
        const qint64 caught = bar.GetCurrentUTCTime();
        Release(&bar, 500); // not a click: it only caught the ruler
        QVERIFY(!bar.IsSliding());
        QCOMPARE(bar.GetCurrentUTCTime(), caught);
        QCOMPARE(stopped.count(), 1);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.at(0).at(0).toLongLong(), caught / 1000);
        bar.SetStopMoving(); // nothing to stop: no effect
        QVERIFY(!bar.IsMoving());
    }

    void stopMovingRequest()
    {
        Scene scene;
        Bar& bar = scene.bar;
        QSignalSpy stopped(&bar, &Bar::SignalStopAtTime);
        QVERIFY(Fling(bar, 400, 6));
        bar.SetStopMoving();
        QTRY_VERIFY(!bar.IsMoving());
        QCOMPARE(stopped.count(), 1);
        QVERIFY(Fling(bar, 400, 6));
        bar.StopAllAnimation(); // stops at once, silently
        QVERIFY(!bar.IsMoving());
        QCOMPARE(stopped.count(), 1);
    }

    void ignoredPresses()
    {
        Scene scene;
        Bar& bar = scene.bar;
        QSignalSpy clicked(&bar, &Bar::SignalClickedAtTime);
        QSignalSpy entered(&bar, &Bar::SignalEnter);
        Press(&bar, 1200, Qt::RightButton);
        Release(&bar, 1200, Qt::RightButton);
        QCOMPARE(clicked.count(), 0);
        QVERIFY(!bar.IsPressed());
        bar.ScaleByStep(1);
        Click(&bar, 1200); // during a zoom
        QCOMPARE(clicked.count(), 0);
        bar.StopAllAnimation();
        QCOMPARE(bar.GetCurrentLevel(), Bar::Total12Hours);

        bar.DisableMouseEvent();
        Click(&bar, 1200);
        QCOMPARE(clicked.count(), 0);
        QVERIFY(!Wheel(&bar, 120));
        QVERIFY(!bar.isScaling());
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(&bar, &enter);
        QCOMPARE(entered.count(), 0);
    }

    void delegateList()
    {
        QStringList log;
        Recorder a(&log, "a");
        Recorder b(&log, "b");
        Recorder c(&log, "c");
        Scene scene;
        Bar& bar = scene.bar;
        bar.InsertDelegate(&a);
        bar.InsertDelegate(&b, 0);
        bar.InsertDelegate(nullptr);
        bar.InsertDelegate(&a, 1); // already there
        bar.InsertDelegate(&c, 99);
        QCOMPARE(bar.Delegate(), (QVector<CAbstractDelegate*>{&b, &a, &c}));
        bar.RemoveDelegate(&a);
        bar.RemoveDelegate(nullptr);
        QCOMPARE(bar.Delegate(), (QVector<CAbstractDelegate*>{&b, &c}));
        Render(bar);
        QCOMPARE(log, (QStringList{"b paint", "c paint"}));
        bar.RemoveAllDelegate();
        QVERIFY(bar.Delegate().isEmpty());
    }

    void delegatePress_data()
    {
        QTest::addColumn<bool>("firstTakes");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<bool>("slides");
        QTest::newRow("taken by the first") << true << QStringList{"first press 1120"} << false;
        QTest::newRow("left to the ruler")
            << false << QStringList{"first press 1120", "second press 1120"} << true;
    }
    void delegatePress()
    {
        QFETCH(bool, firstTakes);
        QFETCH(QStringList, asked);
        QFETCH(bool, slides);
        QStringList log;
        Recorder first(&log, "first", firstTakes);
        Recorder second(&log, "second");
        Scene scene;
        Bar& bar = scene.bar;
        bar.SetDragEnable(true);
        bar.InsertDelegate(&first);
        bar.InsertDelegate(&second);
        QSignalSpy clicked(&bar, &Bar::SignalClickedAtTime);
        QSignalSpy dragData(&bar, &Bar::SignalDragData);
        Press(&bar, 1120);
        DragTo(&bar, 1000);
        QTest::qWait(100); // no fling
        Release(&bar, 1000);
        QCOMPARE(log, asked);
        if (slides) // a drag, then
            QCOMPARE(scene.Seconds(), kNoon + 120 * 45);
        else
            QCOMPARE(scene.Seconds(), kNoon);
        QCOMPARE(clicked.isEmpty(), !slides);
        QCOMPARE(dragData.isEmpty(), !slides);
    }

    void delegatesPaintBetweenScaleAndMiddleLine()
    {
        QStringList log;
        Recorder green(&log, "green", false, Qt::green);
        Scene scene;
        Bar& bar = scene.bar;
        bar.resize(400, 48);
        bar.InsertDelegate(&green);
        const QImage image = Render(bar);
        QCOMPARE(image.pixelColor(33, 2), QColor(Qt::green)); // over the tick at 33
        QCOMPARE(image.pixelColor(198, 40), kMiddle); // under the middle line
        QCOMPARE(image.pixelColor(350, 40), kBackground);
    }

    void dragData()
    {
        Scene scene;
        Bar& bar = scene.bar;
        QSignalSpy reports(&bar, &Bar::SignalDragData);
        Press(&bar, 960);
        Release(&bar, 960);
        QVERIFY(reports.isEmpty()); // off unless enabled
        bar.StopAllAnimation();
        bar.SetCurrentUTCTime(kNoon * 1000);

        bar.SetDragEnable(true);
        Press(&bar, 960);
        QCOMPARE(reports.count(), 1);
        DragData first = reports.at(0).at(0).value<DragData>();
        QCOMPARE(first.llTime, kNoon * 1000);
        QCOMPARE(first.llPressTime, kNoon * 1000);
        QCOMPARE(first.nOffsetX, 0);
        QCOMPARE(reports.at(0).at(1).toBool(), false);
        DragTo(&bar, 920);
        QTest::qWait(100);
        Release(&bar, 920);
        const DragData last = reports.last().at(0).value<DragData>();
        QCOMPARE(reports.last().at(1).toBool(), true);
        QCOMPARE(last.llTime, (kNoon + 40 * 45) * 1000);
        QCOMPARE(last.llPressTime, kNoon * 1000);
        QCOMPARE(last.nOffsetX, -40);
        QCOMPARE(last.nLevel, 0);
    }

    void timeTip_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QString>("text");
        QTest::newRow("UTC") << QByteArray() << "14:00:00";
        QTest::newRow("Berlin summer time") << QByteArray("Europe/Berlin") << "16:00:00";
    }
    void timeTip()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QString, text);
        Scene scene;
        Bar& bar = scene.bar;
        if (!zone.isEmpty())
            bar.SetTimeZoneInfor(TimeZoneParam::FromTimeZone(QTimeZone(zone), 2026));
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        auto* tip = bar.findChild<QLabel*>(QStringLiteral("ptr_time_tip_lb_"));
        QSignalSpy entered(&bar, &Bar::SignalEnter);
        QSignalSpy left(&bar, &Bar::SignalLeave);
        QEnterEvent enter(QPointF(1120, 30), QPointF(1120, 30), QPointF(1120, 30));
        QApplication::sendEvent(&bar, &enter);
        QCOMPARE(entered.count(), 1);
        Hover(&bar, 1120); // two hours after the middle
        QVERIFY(!tip->isVisible());
        QTRY_VERIFY(tip->isVisible());
        QCOMPARE(tip->text(), text);
        QCOMPARE(tip->x(), 1120 - 27);
        // The ruler moves under the still cursor: the tip follows.
        bar.SetCurrentUTCTime((kNoon + 61) * 1000);
        QTRY_COMPARE(tip->text(), text.left(3) + QStringLiteral("01:01"));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&bar, &leave);
        QCOMPARE(left.count(), 1);
        QVERIFY(!tip->isVisible());

        bar.SetSimplifyMode(true); // no tip in simplify mode
        Hover(&bar, 1000);
        QTest::qWait(700);
        QVERIFY(!tip->isVisible());
    }

    void paintsScale_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("offset"); // seconds past noon
        QTest::addColumn<QList<int>>("ticks");
        QTest::addColumn<QList<int>>("gaps");
        QTest::newRow("24 h at noon")
            << 0 << 0 << QList<int>{0, 160, 800, 1120, 1760} << QList<int>{80, 161, 1119, 1200};
        QTest::newRow("24 h at 12:30")
            << 0 << 1800 << QList<int>{120, 280, 1720, 1880} << QList<int>{0, 160, 1920 - 1};
        QTest::newRow("12 min, 20 s past")
            << 5 << 20 << QList<int>{107, 267, 1387} << QList<int>{106, 108, 160};
    }
    void paintsScale()
    {
        QFETCH(int, level);
        QFETCH(int, offset);
        QFETCH(QList<int>, ticks);
        QFETCH(QList<int>, gaps);
        Scene scene;
        Bar& bar = scene.bar;
        bar.SetCurrentLevel(Bar::TotalValue(level));
        bar.SetCurrentUTCTime((kNoon + offset) * 1000);
        const QImage image = Render(bar);
        for (int x : ticks)
            QVERIFY2(
                image.pixelColor(x, 2) == kScale,
                qPrintable(QStringLiteral("%1: %2").arg(x).arg(Describe(image.pixelColor(x, 2)))));
        for (int x : gaps)
            QVERIFY2(image.pixelColor(x, 2) == kBackground, qPrintable(QString::number(x)));
        QCOMPARE(image.pixelColor(50, 40), kBackground);
    }

    void paintsMiddleLineAndLook()
    {
        Scene scene;
        Bar& bar = scene.bar;
        QImage image = Render(bar);
        for (int x : {957, 958, 959})
            QCOMPARE(image.pixelColor(x, 40), kMiddle);
        // The shadow: #2e2e2e at 0.58 over the background.
        for (int x : {960, 961, 962})
            QVERIFY2(Near(image.pixelColor(x, 40), QColor(40, 40, 40)),
                     qPrintable(Describe(image.pixelColor(x, 40))));
        QCOMPARE(image.pixelColor(963, 40), kBackground);
        // Labels sit under the ticks.
        int lit = 0;
        for (int y = 14; y < 30; ++y)
            for (int x = 140; x < 180; ++x)
                lit += image.pixelColor(x, y) != kBackground;
        QVERIFY(lit > 10);

        bar.SetDrawMiddleLine(false);
        bar.SetBackgroundColor(QColor(Qt::darkBlue));
        bar.SetBackgroundColor(QColor()); // invalid: ignored
        bar.SetSimplifyMode(true);
        image = Render(bar);
        QCOMPARE(image.pixelColor(958, 40), QColor(Qt::darkBlue));
        QCOMPARE(image.pixelColor(160, 2), kScale);
        for (int y = 14; y < 30; ++y)
            for (int x = 140; x < 180; ++x)
                QCOMPARE(image.pixelColor(x, y), QColor(Qt::darkBlue)); // no labels
    }

    void zoomBlendsTicks()
    {
        Scene scene;
        Bar& bar = scene.bar;
        QSignalSpy ticks(&bar, &Bar::SignalScaling);
        Wheel(&bar, 120); // 24 h to 12 h: the hourly ticks fade in
        QTRY_VERIFY(ticks.count() >= 8);
        if (!bar.isScaling())
            QSKIP("the zoom ended before it could be sampled");
        const float length = bar.UnitScaleLength();
        const double progress = length / 160.0 - 1.0;
        QVERIFY(progress > 0 && progress < 1);
        const QImage image = Render(bar);
        const int hour = 960 + qRound(length / 2); // 13:00, only the finer level has it
        const int twoHours = 960 + qRound(length); // 14:00, both levels have it
        QCOMPARE(image.pixelColor(twoHours, 2), kScale);
        const QColor blended = image.pixelColor(hour, 2);
        const int expected = qRound(0x1F + progress * (0xCC - 0x1F));
        QVERIFY2(qAbs(blended.red() - expected) <= 3,
                 qPrintable(QStringLiteral("%1, expected %2").arg(blended.red()).arg(expected)));
        QCOMPARE(image.pixelColor(hour + 2, 2), kBackground);
    }

    void daysOfDaylightSaving_data()
    {
        QTest::addColumn<QDate>("day");
        QTest::addColumn<int>("hours");
        QTest::newRow("spring forward") << QDate(2026, 3, 29) << 23;
        QTest::newRow("fall back") << QDate(2026, 10, 25) << 25;
        QTest::newRow("ordinary summer day") << QDate(2026, 6, 15) << 24;
        QTest::newRow("ordinary winter day") << QDate(2026, 12, 1) << 24;
    }
    void daysOfDaylightSaving()
    {
        QFETCH(QDate, day);
        QFETCH(int, hours);
        const QTimeZone berlin("Europe/Berlin");
        const qint64 midnight = QDateTime(day, QTime(0, 0), berlin).toSecsSinceEpoch();
        const qint64 next = QDateTime(day.addDays(1), QTime(0, 0), berlin).toSecsSinceEpoch();
        QCOMPARE(next - midnight, qint64(hours) * 3600);

        Scene scene;
        Bar& bar = scene.bar;
        bar.SetTimeZoneInfor(TimeZoneParam::FromTimeZone(berlin, 2026));
        bar.SetCurrentUTCTime(midnight * 1000);
        QCOMPARE(bar.UTCSecondsToString(unsigned(midnight)), QStringLiteral("00:00"));
        QCOMPARE(bar.UTCSecondsToString(unsigned(midnight - 1)), QStringLiteral("23:59"));
        QCOMPARE(bar.UTCSecondsToString(unsigned(next)), QStringLiteral("00:00"));
        QCOMPARE(bar.UTCSecondsToString(unsigned(next - 1)), QStringLiteral("23:59"));
        // 80 px an hour at 24 h: the day is as long on the ruler as it is on the clock.
        QCOMPARE(bar.VisualXPosAtUTCSeconds(unsigned(next)), float(960 + hours * 80));
        QCOMPARE(bar.UTCSecondsAtXPos(float(960 + hours * 80)), next);
        QCOMPARE(bar.UTCSecondsAtXPos(float(960 + hours * 80 - 1)), next - 45);
        QCOMPARE(bar.XPosAtUTCSeconds(unsigned(next)), -1.0f); // more than half a day away
        const QDateTime local = bar.GetCurrentDateTimeByTimeZone();
        QCOMPARE(local.date(), day);
        QCOMPARE(local.time(), QTime(0, 0));
        QCOMPARE(local.offsetFromUtc(), berlin.offsetFromUtc(local));
        QCOMPARE(bar.GetCurrentUTCDayTime().toSecsSinceEpoch(), midnight);
    }

    void wrappedDaylightSaving()
    {
        Scene scene;
        Bar& bar = scene.bar;
        bar.SetTimeZoneInfor(TimeZoneParam::FromTimeZone(QTimeZone("Australia/Sydney"), 2026));
        QVERIFY(bar.GetTimeZoneInfor().llDSTStart > bar.GetTimeZoneInfor().llDSTEnd);
        QVERIFY(bar.IsWithinDST(unsigned(Utc(2026, 1, 15, 0))));
        QVERIFY(!bar.IsWithinDST(unsigned(Utc(2026, 6, 15, 0))));
        QCOMPARE(bar.UTCSecondsToString(unsigned(Utc(2026, 1, 15, 0))), QStringLiteral("11:00"));
        QCOMPARE(bar.UTCSecondsToString(unsigned(Utc(2026, 6, 15, 0))), QStringLiteral("10:00"));
    }

    void badTimes_data()
    {
        QTest::addColumn<quint32>("seconds");
        QTest::addColumn<qint64>("expected");
        const qint64 earliest = Utc(1971, 1, 1, 0);
        const qint64 latest = Utc(2105, 1, 1, 0);
        QTest::newRow("0: before the range") << quint32(0) << earliest;
        QTest::newRow("0xFFFFFFFF: no time") << quint32(0xFFFFFFFFu) << kNoon;
        QTest::newRow("after 2105") << quint32(Utc(2105, 6, 1, 0)) << latest;
        QTest::newRow("last second of 2104") << quint32(latest - 1) << latest - 1;
        QTest::newRow("in range") << quint32(kNoon + 5) << kNoon + 5;
    }
    void badTimes()
    {
        QFETCH(quint32, seconds);
        QFETCH(qint64, expected);
        Scene scene;
        Bar& bar = scene.bar;
        bar.SetPlayBackTime(seconds);
        QCOMPARE(scene.Seconds(), expected);
        bar.SetCurrentUTCTime(kNoon * 1000);
        bar.SetPlayBackTime(seconds, true, 200); // animated: lands at the same place
        QTRY_VERIFY(!bar.IsSliding());
        QCOMPARE(scene.Seconds(), expected);
    }

    void badDates()
    {
        Scene scene;
        Bar& bar = scene.bar;
        bar.SetCurrentDateTime(QDateTime());
        QCOMPARE(scene.Seconds(), kNoon);
        bar.SetCurrentDateTime(QDateTime(QDate(1960, 5, 1), QTime(0, 0), Qt::UTC));
        QCOMPARE(scene.Seconds(), Utc(1971, 1, 1, 0));
        bar.SetCurrentDateTime(QDateTime(QDate(2200, 5, 1), QTime(0, 0), Qt::UTC));
        QCOMPARE(scene.Seconds(), Utc(2105, 1, 1, 0));
        bar.SetCurrentUTCTime(-5000);
        QCOMPARE(scene.Seconds(), Utc(1971, 1, 1, 0));
        QVERIFY(!bar.IsDatetimeValid(QDateTime()));
        QVERIFY(!bar.IsDatetimeValid(qint64(0)));
        QCOMPARE(bar.GetAvailableDateTime(QDateTime()), bar.GetCurrentDateTime());
        QCOMPARE(bar.GetAvailableDateTime(QDateTime(QDate(1960, 1, 1), QTime(0, 0), Qt::UTC))
                     .toSecsSinceEpoch(),
                 Utc(1971, 1, 1, 0));
        const QDateTime inside(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC);
        QCOMPARE(bar.GetAvailableDateTime(inside), inside);

        bar.SetCurrentUTCTime(kNoon * 1000);
        QCOMPARE(bar.XPosAtUTCSeconds(0), -1.0f);
        QCOMPARE(bar.XPosAtUTCSeconds(0xFFFFFFFFu), -1.0f);
        QCOMPARE(bar.XPosAtUTCSeconds(unsigned(kNoon + 43201)), -1.0f);
        QCOMPARE(bar.XPosAtUTCSeconds(unsigned(kNoon + 43200)), 1920.0f);
        QCOMPARE(bar.UTCSecondsToString(0xFFFFFFFFu), QString());
        QCOMPARE(bar.UTCSecondsToString(0), QStringLiteral("00:00"));
        for (int step : {2, -2, 0, 120})
            bar.ScaleByStep(step);
        QVERIFY(!bar.isScaling());
    }

    void timeRanges_data()
    {
        QTest::addColumn<QDateTime>("earliest");
        QTest::addColumn<QDateTime>("latest");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<qint64>("current"); // after the call; the ruler stood at noon
        const auto at = [](qint64 s) { return QDateTime::fromSecsSinceEpoch(s, Qt::UTC); };
        QTest::newRow("around noon") << at(kNoon - 60) << at(kNoon + 60) << true << kNoon;
        QTest::newRow("later: clamps") << at(kNoon + 600) << at(kNoon + 900) << true << kNoon + 600;
        QTest::newRow("earlier: clamps")
            << at(kNoon - 900) << at(kNoon - 600) << true << kNoon - 600;
        QTest::newRow("one instant") << at(kNoon - 5) << at(kNoon - 5) << true << kNoon - 5;
        QTest::newRow("reversed") << at(kNoon + 60) << at(kNoon - 60) << false << kNoon;
        QTest::newRow("invalid start") << QDateTime() << at(kNoon) << false << kNoon;
        QTest::newRow("invalid end") << at(kNoon) << QDateTime() << false << kNoon;
        QTest::newRow("1960 to 2200")
            << at(Utc(1960, 1, 1, 0)) << at(Utc(2200, 1, 1, 0)) << true << kNoon;
    }
    void timeRanges()
    {
        QFETCH(QDateTime, earliest);
        QFETCH(QDateTime, latest);
        QFETCH(bool, accepted);
        QFETCH(qint64, current);
        Scene scene;
        Bar& bar = scene.bar;
        QCOMPARE(bar.SetTimeRange(earliest, latest), accepted);
        QCOMPARE(scene.Seconds(), current);
        QDateTime from;
        QDateTime to;
        bar.GetTimeRange(from, to);
        if (accepted) {
            QCOMPARE(from, earliest);
            QCOMPARE(to, latest);
        } else {
            QCOMPARE(from.toUTC().date(), QDate(1971, 1, 1));
        }
    }

    void playbackYieldsToTheHand()
    {
        Scene scene;
        Bar& bar = scene.bar;
        bar.SetPressed(true);
        bar.SetPlayBackTime(unsigned(kNoon + 100));
        QCOMPARE(scene.Seconds(), kNoon);
        bar.SetPressed(false);
        bar.SetPlayBackTime(unsigned(kNoon + 100));
        QCOMPARE(scene.Seconds(), kNoon + 100);
    }

    void absurdSizes()
    {
        Scene scene;
        Bar& bar = scene.bar;
        bar.resize(0, 0);
        QCOMPARE(bar.UnitScaleLength(), 0.0f);
        QCOMPARE(bar.UTCSecondsAtXPos(100), kNoon);
        QCOMPARE(bar.XPosAtUTCSeconds(unsigned(kNoon)), 0.0f);
        QImage dot(1, 1, QImage::Format_ARGB32);
        bar.render(&dot);
        QSignalSpy clicked(&bar, &Bar::SignalClickedAtTime);
        Press(&bar, 0);
        DragTo(&bar, 50); // nothing to move at zero width
        QCOMPARE(scene.Seconds(), kNoon);
        QTest::qWait(100);
        Release(&bar, 50);
        Wheel(&bar, 120);
        QTRY_VERIFY(!bar.isScaling());
        QCOMPARE(bar.GetCurrentLevel(), Bar::Total12Hours);

        bar.resize(10000, 48);
        bar.SetCurrentLevel(Bar::Total24Hours);
        QVERIFY(qAbs(bar.UnitScaleLength() - 10000.0f / 12) < 1e-3f);
        const QImage image = Render(bar);
        QCOMPARE(image.pixelColor(5000 + 833, 2), kScale);
        QCOMPARE(image.pixelColor(0, 2), kScale);
        QCOMPARE(image.pixelColor(9999, 40), kBackground);
        QCOMPARE(bar.UTCSecondsAtXPos(10000), kNoon + 43200);
    }
};

QTEST_MAIN(tst_AnimationProgressBar)
#include "tst_animationprogressbar.moc"
