#include "TimeLine/ChartSeries.h"
#include "TimeLine/ChartView.h"
#include "TimeLine/SingleTimeSlider.h"
#include "TimeLine/TimeLineTestSupport.h"
#include "Widgets/Event.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <cmath>

using namespace TesselGUIToolkit;
using namespace TimeLineTest;

namespace {

// A strip whose chart (margins 9 and 9) is exactly 1000 pixels wide: x 9..1008, 86.4 s a pixel
// at the 24-hour view.
constexpr int kWidth = 1018;
constexpr int kHeight = 46;
constexpr int kSegmentY = 32;
const QColor kScaleGrey(114, 114, 114);

qint64 TodayMidnight()
{
    return QDate::currentDate().startOfDay().toSecsSinceEpoch();
}

// The x of a UTC second at the first 24-hour view [midnight - 12 h, midnight + 12 h].
int DayViewX(qint64 utc)
{
    return 9 + int(std::floor(double(utc - (TodayMidnight() - 43200)) * 1000.0 / 86400.0 + 0.5));
}

void Wheel(QWidget* target, int delta)
{
    const QPoint pos = target->rect().center();
    QWheelEvent event(pos, target->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

struct Strip
{
    Strip(int width = kWidth, int height = kHeight)
    {
        slider.resize(width, height);
        slider.show();
        QVERIFY(QTest::qWaitForWindowExposed(&slider));
        view = slider.GetChartView();
    }
    QImage Picture()
    {
        QCoreApplication::sendPostedEvents(view, CEvent::EventType);
        return view->grab().toImage();
    }
    CTimeRectSeries* Segments() const
    {
        return dynamic_cast<CTimeRectSeries*>(view->GetSeries(CChartSeries::TimeRectSeries));
    }
    qint64 CentreUtc() const
    {
        return qint64(std::trunc((view->GetViewLeft() + view->GetViewRight()) / 2));
    }
    QPushButton* Button(const char* name) const { return view->findChild<QPushButton*>(name); }
    qint64 Clicked(const QPoint& at, Qt::MouseButton button = Qt::LeftButton)
    {
        QSignalSpy click(&slider, &CSingleTimeSlider::SignalMouseClick);
        QTest::mouseClick(view, button, Qt::NoModifier, at);
        return click.isEmpty() ? -1 : qint64(click.at(0).at(0).value<time_t>());
    }

    CSingleTimeSlider slider;
    CChartView* view = nullptr;
};

// clang-format off
struct DragRow { const char* name; int toX; bool emitted; qint64 seconds; };
struct ClickRow { const char* name; int x, y; bool emitted;
                  Qt::MouseButton button = Qt::LeftButton; };
struct LongDayRow { const char* name; int x; qint64 offset; const char* local; };
// clang-format on

} // namespace

Q_DECLARE_METATYPE(DragRow)
Q_DECLARE_METATYPE(ClickRow)
Q_DECLARE_METATYPE(LongDayRow)

class tst_TimeSlider : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void newSliderShowsTodayAtTheDayView()
    {
        Strip strip;
        const QDate today = QDate::currentDate();
        for (int pass = 0; pass < 2; ++pass) { // bad ranges leave everything as it was
            QDateTime begin;
            QDateTime end;
            strip.slider.GetTimeRange(begin, end);
            QCOMPARE(begin, today.startOfDay());
            QCOMPARE(end, QDateTime(today, QTime(23, 59, 59)));
            QCOMPARE(strip.slider.GetRangeFloor(), TodayMidnight() - 43200);
            QCOMPARE(strip.slider.GetRangeCeiling(), TodayMidnight() + 86400 + 43200);
            strip.slider.SetTimeRange(today.addDays(2), today);
            strip.slider.SetTimeRange(QDate(), today);
            strip.slider.SetTimeRange(QDate(1960, 1, 1), today);
        }
        QCOMPARE(strip.view->GetViewSpan(), 86400.0);
        QCOMPARE(strip.view->GetViewLeft(), double(TodayMidnight() - 43200));
        QCOMPARE(strip.view->GetScaleText(), QString("24h"));
        QCOMPARE(strip.view->GetChartRect(), QRect(QPoint(9, 0), QPoint(1008, kHeight - 3)));
    }

    void segmentsArePaintedAtTheirTrueTime()
    {
        // Never given a range: the constructor's today must still place bars at their times.
        Strip strip;
        const QDateTime from = QDate::currentDate().startOfDay().addSecs(10 * 3600);
        const qint64 t = from.toSecsSinceEpoch();
        strip.slider.AddTime(from, from.addSecs(1800), QBrush(Qt::red), QBrush(Qt::blue), 1);
        const QImage image = strip.Picture();
        QCOMPARE(image.pixelColor(DayViewX(t + 900), kSegmentY), QColor(Qt::red));
        QVERIFY(image.pixelColor(DayViewX(t) - 2, kSegmentY) != QColor(Qt::red));
        QVERIFY(image.pixelColor(DayViewX(t + 1800) + 1, kSegmentY) != QColor(Qt::red));

        // Same view, new data: the next picture must show it; hidden levels must go. One second
        // is far less than a pixel, yet it lights its column.
        strip.slider.AddTime(from.addSecs(-14400), from.addSecs(-13800), QBrush(Qt::blue), {}, 2);
        QList<struTimeSliderData::TimeSegmentParam> list{
            MakeSegment(t - 7200, t - 7199, Qt::green)};
        strip.slider.AddTime(list);
        QImage next = strip.Picture();
        QCOMPARE(next.pixelColor(DayViewX(t - 14100), kSegmentY), QColor(Qt::blue));
        const int x = DayViewX(t - 7200);
        QCOMPARE(next.pixelColor(x, kSegmentY), QColor(Qt::green));
        QVERIFY(next.pixelColor(x - 1, kSegmentY) != QColor(Qt::green));
        QVERIFY(next.pixelColor(x + 1, kSegmentY) != QColor(Qt::green));
        strip.Segments()->SetFilterLevels({1});
        strip.view->RepaintChart();
        next = strip.Picture();
        QVERIFY(next.pixelColor(DayViewX(t - 14100), kSegmentY) != QColor(Qt::blue));
        QCOMPARE(next.pixelColor(DayViewX(t + 900), kSegmentY), QColor(Qt::red));
    }

    void centreLineTicksAndStyleSheet()
    {
        Strip strip;
        QImage image = strip.Picture();
        const int centre = (9 + 1008) / 2;
        for (int x = centre - 1; x <= centre + 1; ++x)
            QCOMPARE(image.pixelColor(x, 5), QColor(Qt::yellow));
        QVERIFY(image.pixelColor(centre + 2, 5) != QColor(Qt::yellow));
        // The tick at the view's left edge (yesterday noon) sits one pixel inside the chart.
        QCOMPARE(image.pixelColor(9, 7), kScaleGrey);
        QCOMPARE(image.pixelColor(10, 3), kScaleGrey);

        strip.slider.setStyleSheet(
            "TesselGUIToolkit--CChartView { qproperty-m_colorMidLine: rgb(255, 0, 255);"
            " qproperty-m_colorScaleLine: rgb(0, 0, 255) }");
        strip.view->ensurePolished();
        strip.view->RepaintChart();
        image = strip.Picture();
        QCOMPARE(image.pixelColor(centre, 20), QColor(255, 0, 255));
        QCOMPARE(image.pixelColor(9, 7), QColor(0, 0, 255));

        Strip narrow(80, kHeight); // a chart of 62 pixels shows no ticks
        QVERIFY(narrow.Picture().pixelColor(9, 7) != kScaleGrey);
    }

    void chartViewDefaultsPartsAndButtons()
    {
        CChartView view;
        const QColor white(Qt::white);
        const std::pair<const char*, QVariant> defaults[] = {
            {"m_colorAxisName", kScaleGrey}, {"m_colorAxisText", QColor(150, 150, 150)},
            {"m_colorAxisSmallText", white}, {"m_colorScaleLine", kScaleGrey},
            {"m_colorMidLineTimeText", white}, {"m_bShowMidLine", true},
            {"m_colorMidLine", QColor(Qt::yellow)}, {"m_colorMouseText", white},
            {"m_colorTag", QColor(131, 131, 131)}};
        for (const auto& [property, value] : defaults)
            QVERIFY2(view.property(property) == value, property);
        QVERIFY(view.findChild<QFrame*>("m_pFilterFrame"));
        QCOMPARE(view.findChild<QLabel*>("m_pCameraNameLabel")->styleSheet(),
                 QString("QLabel{color:white}"));
        // clang-format off
        const struct { const char* name; const char* toolTip; void (CChartView::*signal)();
                       bool onPress; } buttons[] = {
            {"ZoomInBtn", "ZoomIn", &CChartView::SignalZoomIn, true},
            {"ZoomOutBtn", "ZoomOut", &CChartView::SignalZoomOut, true},
            {"CalendarBtn", "", &CChartView::SignalCalendarBtnClicked, false},
            {"m_pFilterBtn", "Filter", &CChartView::SignalFilterRec, false}};
        // clang-format on
        for (const auto& b : buttons) {
            auto* button = view.findChild<QPushButton*>(b.name);
            QVERIFY2(button && button->toolTip() == b.toolTip, b.name);
            QSignalSpy spy(&view, b.signal);
            QTest::mousePress(button, Qt::LeftButton);
            QCOMPARE(spy.count(), b.onPress ? 1 : 0);
            QTest::mouseRelease(button, Qt::LeftButton);
            QCOMPARE(spy.count(), 1);
        }
    }

    void currentTimeSignals()
    {
        CChartView view;
        QSignalSpy time(&view, &CChartView::SignalCalenderTimeChanged);
        QSignalSpy date(&view, &CChartView::SignalCalendarDateChanged);
        const QDateTime a(QDate(2024, 6, 12), QTime(10, 0, 0));
        view.SetCurrentTime(a);
        view.SetCurrentTime(a.addSecs(60));
        view.SetCurrentTime(a.addDays(1));
        QCOMPARE(time.count(), 3);
        QCOMPARE(date.count(), 2);
        QCOMPARE(date.at(1).at(0).toDate(), QDate(2024, 6, 13));
        QCOMPARE(view.GetTimeButton()->text(), QString("2024/06/13 10:00:00"));
    }

    void dragToSeek_data()
    {
        // From x 509; seconds after today's midnight.
        AddRows<DragRow>({{"100 px left: 2 h 24 min later", 409, true, 8640},
                          {"one pixel left", 508, true, 86},
                          {"to the chart's left edge", 9, true, 43200},
                          {"far beyond: held at the range end", -500, true, 86400},
                          {"right at the range begin is held", 609, false, 0}});
    }
    void dragToSeek()
    {
        QFETCH(DragRow, row);
        Strip strip;
        QSignalSpy click(&strip.slider, &CSingleTimeSlider::SignalMouseClick);
        QSignalSpy time(strip.view, &CChartView::SignalCalenderTimeChanged);
        Press(strip.view, {509, 20});
        QVERIFY(strip.slider.IsMoving());
        QCOMPARE(strip.view->cursor().shape(), Qt::OpenHandCursor);
        DragTo(strip.view, {row.toX, 20});
        Release(strip.view, {row.toX, 20});
        QVERIFY(!strip.slider.IsMoving());
        QCOMPARE(click.count(), row.emitted ? 1 : 0);
        QCOMPARE(strip.view->GetViewSpan(), 86400.0);
        if (!row.emitted)
            return;
        const qint64 expected = TodayMidnight() + row.seconds;
        QCOMPARE(qint64(click.at(0).at(0).value<time_t>()), expected);
        QCOMPARE(strip.slider.CurrentTime().toSecsSinceEpoch(), expected);
        QVERIFY(time.count() >= 1);
        QCOMPARE(strip.view->GetCenterText(),
                 QDateTime::fromSecsSinceEpoch(expected).toString("yyyy/MM/dd hh:mm:ss"));
    }

    void clickWithoutDrag_data()
    {
        // clang-format off
        AddRows<ClickRow>({
            {"above the band", 609, 26, false}, {"top of the band", 609, 27, true},
            {"middle", 609, 31, true}, {"bottom of the band", 609, 35, true},
            {"below the band", 609, 36, false}, {"over the axis", 609, 5, false},
            {"right button", 609, 31, false, Qt::RightButton}, {"left margin", 3, 31, false}});
        // clang-format on
    }
    void clickWithoutDrag()
    {
        QFETCH(ClickRow, row);
        Strip strip;
        // 600 pixels of 86.4 s from yesterday noon
        QCOMPARE(strip.Clicked({row.x, row.y}, row.button),
                 row.emitted ? TodayMidnight() + 8640 : -1);
        QCOMPARE(strip.view->GetViewLeft(), double(TodayMidnight() - 43200));
        QVERIFY(!strip.slider.IsMoving());
    }

    void hoverTextFollowsThePointer()
    {
        Strip strip;
        Hover(strip.view, {609, 20});
        auto* hover =
            dynamic_cast<CMouseTextSeries*>(strip.view->GetSeries(CChartSeries::MouseTextSeries));
        QVERIFY(hover);
        QCOMPARE(hover->GetText(), QString("02:24:00"));
        Hover(strip.view, {2, 20});
        QCOMPARE(hover->GetText(), QString(" "));
    }

    void zoomAndStepMoves()
    {
        Strip strip;
        strip.slider.ShowMaxsize();
        QCOMPARE(strip.slider.GetScaleLevel(), 9);
        QSignalSpy moved(strip.view, &CChartView::SignalMove);
        Wheel(strip.view, -120);
        QCOMPARE(strip.slider.GetScaleLevel(), 10);
        QCOMPARE(strip.view->GetViewSpan(), 43200.0);
        QCOMPARE(strip.view->GetScaleText(), QString("12h"));
        Wheel(strip.view, 120);
        Wheel(strip.view, 120);
        QCOMPARE(strip.slider.GetScaleLevel(), 9); // the wheel stops at nine, the buttons at 14
        for (int i = 0; i < 7; ++i)
            QTest::mouseClick(strip.Button("ZoomOutBtn"), Qt::LeftButton);
        QCOMPARE(strip.slider.GetScaleLevel(), 14);
        QCOMPARE(strip.view->GetViewSpan(), 720.0);
        QCOMPARE(strip.view->GetScaleText(), QString("12m"));
        QTRY_VERIFY(moved.count() >= 1); // the posted rebuild arrives

        // A step is one tick; the user's step wins over the playing clock until it is let go.
        strip.slider.OnPlayTime(unsigned(TodayMidnight() + 3600));
        const double left = strip.view->GetViewLeft();
        strip.slider.MoveRight();
        QCOMPARE(strip.view->GetViewLeft(), left + 60);
        QCOMPARE(strip.slider.CurrentTime().toSecsSinceEpoch(), TodayMidnight() + 3660);
        QVERIFY(strip.slider.IsMoving());
        strip.slider.OnPlayTime(unsigned(TodayMidnight() + 7200));
        strip.slider.MoveLeft();
        strip.slider.MoveLeft();
        QCOMPARE(strip.view->GetViewLeft(), left - 60);
        strip.slider.OnSlotReleaseMove();

        // Zooming in and stepping near the range end keep the view inside the limits.
        strip.slider.OnPlayTime(unsigned(TodayMidnight() + 86400));
        QCOMPARE(strip.CentreUtc(), TodayMidnight() + 86400);
        for (int i = 0; i < 5; ++i) {
            QTest::mouseClick(strip.Button("ZoomInBtn"), Qt::LeftButton);
            QVERIFY(strip.view->GetViewRight() <= double(strip.slider.GetRangeCeiling()));
            QVERIFY(strip.view->GetViewLeft() >= double(strip.slider.GetRangeFloor()));
        }
        QCOMPARE(strip.slider.GetScaleLevel(), 9);
        QCOMPARE(strip.view->GetViewRight(), double(strip.slider.GetRangeCeiling()));
        for (int i = 0; i < 20; ++i)
            strip.slider.MoveRight();
        QCOMPARE(strip.view->GetViewRight(), double(strip.slider.GetRangeCeiling()));
    }

    void playingTimeMovesTheView()
    {
        Strip strip;
        QSignalSpy time(strip.view, &CChartView::SignalCalenderTimeChanged);
        const qint64 midnight = TodayMidnight();
        // played, centre: clamped into the day
        const qint64 m = midnight;
        const qint64 rows[][2] = {{m + 28817, m + 28817}, {0, m}, {m + 86399, m + 86399},
                                  {m + 200000, m + 86400}, {m - 4000, m}};
        for (const auto& r : rows) {
            strip.slider.OnPlayTime(unsigned(r[0]));
            QCOMPARE(strip.CentreUtc(), r[1]);
            QCOMPARE(strip.slider.CurrentTime().toSecsSinceEpoch(), r[1]);
            QCOMPARE(strip.slider.GetLastPlayTime(), unsigned(r[1]));
        }
        QCOMPARE(time.count(), 5);
        QCOMPARE(strip.view->GetViewSpan(), 86400.0);

        // No time, invalid or unrepresentable moments, and anything while held, are ignored.
        const double left = strip.view->GetViewLeft();
        strip.slider.OnPlayTime(0xFFFFFFFFu);
        strip.slider.OnPlayTime(QDateTime());
        strip.slider.OnPlayTime(QDateTime(QDate(1969, 7, 20), QTime(20, 17)));
        strip.slider.OnPlayTime(QDateTime(QDate(2107, 1, 1), QTime(0, 0)));
        strip.slider.SetHold(true);
        strip.slider.OnPlayTime(unsigned(midnight + 7200));
        QCOMPARE(strip.view->GetViewLeft(), left);
        strip.slider.SetHold(false);
        strip.slider.OnPlayTime(QDate::currentDate().startOfDay().addSecs(7200));
        QCOMPARE(strip.CentreUtc(), midnight + 7200);
    }

    void enterAndLeave()
    {
        Strip strip;
        QSignalSpy entered(&strip.slider, &CTimeSlider::SignalMouseEnter);
        QSignalSpy left(&strip.slider, &CTimeSlider::SignalMouseLeave);
        QEnterEvent enter({500, 20}, {500, 20}, strip.view->mapToGlobal(QPoint(500, 20)));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(strip.view, &enter);
        QCOMPARE(entered.count(), 1);
        QApplication::sendEvent(strip.view, &leave);
        QCOMPARE(left.count(), 0);
        QTRY_COMPARE(left.count(), 1);

        // Back within the delay: neither a leave nor a second enter.
        QApplication::sendEvent(strip.view, &enter);
        QCOMPARE(entered.count(), 2);
        QApplication::sendEvent(strip.view, &leave);
        QApplication::sendEvent(strip.view, &enter);
        QCOMPARE(entered.count(), 2);
        QTest::qWait(700);
        QCOMPARE(left.count(), 1);

        // Held: no leave notice until the hold is released.
        strip.slider.SetHold(true);
        QApplication::sendEvent(strip.view, &leave);
        QTest::qWait(700);
        QCOMPARE(left.count(), 1);
        strip.slider.SetHold(false);
        QTRY_COMPARE(left.count(), 2);
    }

    void sizeModes()
    {
        Strip strip;
        strip.slider.ShowMaxsize();
        QCOMPARE(strip.view->GetLeftMargin(), 24);
        QCOMPARE(strip.view->GetRightMargin(), 100);
        QPushButton* zoomIn = strip.Button("ZoomInBtn");
        QPushButton* zoomOut = strip.Button("ZoomOutBtn");
        QVERIFY(zoomIn->isVisible() && zoomOut->isVisible());
        QCOMPARE(zoomIn->pos(), QPoint(kWidth - 100 + 3, 17));
        QCOMPARE(zoomOut->x(), zoomIn->x() + zoomIn->width() + 4);
        QCOMPARE(strip.view->GetChartRect().right(), kWidth - 1 - 100);
        auto* axis = dynamic_cast<CAxisSeries*>(strip.view->GetSeries(CChartSeries::AxisSeries));
        QVERIFY(axis && !axis->IsCompact());
        QCOMPARE(axis->GetTickStep(), 7200);

        QTest::mouseClick(zoomOut, Qt::LeftButton);
        QTest::mouseClick(zoomOut, Qt::LeftButton);
        strip.slider.ShowNormalSize();
        QCOMPARE(strip.view->GetLeftMargin(), 24);
        QCOMPARE(strip.view->GetRightMargin(), 8);
        QVERIFY(!zoomIn->isVisible());
        QVERIFY(axis->IsCompact());
        QCOMPARE(strip.view->GetViewSpan(), 86400.0);
        QCOMPARE(axis->GetTickStep(), 43200);
        QCOMPARE(strip.slider.GetScaleLevel(), 11); // kept for the next ShowMaxsize
        strip.slider.ShowMaxsize();
        QCOMPARE(strip.view->GetViewSpan(), 21600.0);
        strip.slider.SetDSTState(DSTStateShortDay); // applies at the next scale change
        strip.slider.ShowNormalSize();
        QCOMPARE(strip.view->GetViewSpan(), 82800.0);
        strip.slider.SetDSTState(7); // unknown: ignored
        QCOMPARE(strip.slider.GetDSTState(), DSTStateShortDay);
    }

    void longDayToTheSecond_data()
    {
        // Normal size, chart 900 px wide (x 24..923) over the 25-hour day: 100 s a pixel, the
        // view centred on noon (after the clocks went back at 03:00).
        AddRows<LongDayRow>({{"centre", 474, 0, "2024/10/27 12:00:00"},
                             {"one pixel", 475, 100, "2024/10/27 12:01:40"},
                             {"evening", 834, 36000, "2024/10/27 22:00:00"},
                             {"left edge, before the switch", 24, -45000, "2024/10/27 00:30:00"},
                             {"right edge, the next day", 923, 44900, "2024/10/28 00:28:20"}});
    }
    void longDayToTheSecond()
    {
        QFETCH(LongDayRow, row);
        ScopedBerlinZone zone;
        Strip strip(932, kHeight);
        const QDate day(2024, 10, 27);
        strip.slider.SetTimeRange(day, day);
        strip.slider.SetDSTState(DSTStateLongDay);
        strip.slider.ShowNormalSize();
        QCOMPARE(strip.view->GetChartRect().width(), 900);
        QCOMPARE(strip.view->GetViewSpan(), 90000.0);
        const QDateTime noon(day, QTime(12, 0, 0));
        strip.slider.OnPlayTime(noon);
        QCOMPARE(strip.view->GetCenterText(), QString("2024/10/27 12:00:00"));
        const qint64 clicked = strip.Clicked({row.x, 30});
        QCOMPARE(clicked, noon.toSecsSinceEpoch() + row.offset);
        QCOMPARE(QDateTime::fromSecsSinceEpoch(clicked).toString("yyyy/MM/dd hh:mm:ss"),
                 QString(row.local));
        QDateTime begin;
        QDateTime end;
        strip.slider.GetTimeRange(begin, end);
        QCOMPARE(end.toSecsSinceEpoch() - begin.toSecsSinceEpoch(), qint64(90000 - 1));
        strip.slider.OnPlayTime(QDateTime(day, QTime(23, 59, 59)));
        QCOMPARE(strip.view->GetCenterText(), QString("2024/10/27 23:59:59"));
    }

    void badSegmentsAreDropped()
    {
        Strip strip;
        const qint64 m = TodayMidnight();
        // begin, end, kept; levels are the client's, the one-channel line keeps any
        // clang-format off
        const qint64 rows[][3] = {{m + 60, m + 120, 1}, {m + 120, m + 60, 0}, {m - 7200, m - 60, 0},
                                  {0, 0, 0}, {0, 0xFFFFFFFF, 1}, {0xFFFFFFFF, 0xFFFFFFFF, 0},
                                  {-500000, -1000, 0}, {4500000000LL, 4600000000LL, 0}};
        // clang-format on
        for (const auto& r : rows) {
            strip.slider.Reset();
            QList<struTimeSliderData::TimeSegmentParam> list{MakeSegment(r[0], r[1], Qt::red, 77)};
            strip.slider.AddTime(list);
            strip.slider.AddTime(QDateTime::fromSecsSinceEpoch(r[0]),
                                 QDateTime::fromSecsSinceEpoch(r[1]), QBrush(Qt::red), {}, 77);
            QCOMPARE(strip.Segments()->ItemCount(), 2 * int(r[2]));
            strip.Picture();
        }
        QList<struTimeSliderData::TimeSegmentParam> empty;
        strip.slider.AddTime(empty);
        strip.slider.AddTime(QDateTime(), QDateTime(), QBrush(), QBrush(), 0);
        QCOMPARE(strip.Segments()->ItemCount(), 0);
    }

    void millionSegmentsAndAbsurdSizes()
    {
        Strip strip;
        const qint64 midnight = TodayMidnight();
        QList<struTimeSliderData::TimeSegmentParam> list;
        list.reserve(1000000);
        for (int i = 0; i < 1000000; ++i) {
            const qint64 begin = midnight + (i * 7) % 86000;
            list.append(MakeSegment(begin, begin + 3, Qt::red, i % 5));
        }
        strip.slider.AddTime(list);
        QCOMPARE(strip.Segments()->ItemCount(), 1000000);
        QCOMPARE(strip.Picture().pixelColor(DayViewX(midnight + 3600), kSegmentY), QColor(Qt::red));
        QVERIFY(strip.Segments()->LastPaintedFillCount() <= 5 * 1000); // merged per column

        strip.slider.resize(0, 0);
        QVERIFY(strip.Picture().isNull());
        QCOMPARE(strip.Clicked({0, 0}), -1);
        strip.slider.ShowMaxsize();
        strip.slider.OnPlayTime(unsigned(midnight + 100));
        strip.Picture();
        strip.slider.resize(10000, kHeight);
        strip.slider.ShowNormalSize();
        strip.slider.OnPlayTime(unsigned(midnight + 3630));
        strip.Picture();
        const QImage image = strip.view->GetPicture().toImage();
        QCOMPARE(image.width(), 10000);
        QCOMPARE(image.pixelColor(strip.view->GetChartRect().center().x(), kSegmentY),
                 QColor(Qt::red));
    }
};

QTEST_MAIN(tst_TimeSlider)
#include "tst_timeslider.moc"
