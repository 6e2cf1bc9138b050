#include "TimeLine/ChartSeries.h"
#include "TimeLine/ChartView.h"
#include "TimeLine/SingleTimeSlider.h"
#include "Widgets/Event.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <ctime>
#include <memory>

using namespace TesselGUIToolkit;

namespace {

// A strip whose chart (margins 9 and 9) is exactly 1000 pixels wide: x 9..1008, 86.4 s a pixel
// at the 24-hour view.
constexpr int kWidth = 1018;
constexpr int kHeight = 46;
constexpr int kChartLeft = 9;
constexpr int kSegmentY = 32;

qint64 TodayMidnight()
{
    return QDate::currentDate().startOfDay().toSecsSinceEpoch();
}

// The x of an axis second at the first 24-hour view [midnight - 12 h, midnight + 12 h].
int DayViewX(qint64 utc)
{
    const double offset = double(utc - (TodayMidnight() - 43200));
    return kChartLeft + int(std::floor(offset * 1000.0 / 86400.0 + 0.5));
}

void SendMouse(QWidget* target, QEvent::Type type, const QPoint& pos, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, target->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
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

    CSingleTimeSlider slider;
    CChartView* view = nullptr;
};

} // namespace

class tst_TimeSlider : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void newSliderShowsTodayAtTheDayView()
    {
        Strip strip;
        QDateTime begin;
        QDateTime end;
        strip.slider.GetTimeRange(begin, end);
        QCOMPARE(begin, QDate::currentDate().startOfDay());
        QCOMPARE(end.time(), QTime(23, 59, 59));
        QCOMPARE(end.date(), QDate::currentDate());
        QCOMPARE(strip.view->GetViewSpan(), 86400.0);
        QCOMPARE(strip.view->GetViewLeft(), double(TodayMidnight() - 43200));
        QCOMPARE(strip.view->GetScaleText(), QString("24h"));
        QCOMPARE(strip.view->GetChartRect(), QRect(QPoint(9, 0), QPoint(1008, kHeight - 3)));
        QCOMPARE(strip.slider.GetRangeFloor(), TodayMidnight() - 43200);
        QCOMPARE(strip.slider.GetRangeCeiling(), TodayMidnight() + 86400 + 43200);
    }

    void segmentIsPaintedAtItsTrueTime()
    {
        // Never given a range: the constructor's today must still place bars at their times.
        Strip strip;
        const QDateTime from = QDate::currentDate().startOfDay().addSecs(10 * 3600);
        strip.slider.AddTime(from, from.addSecs(1800), QBrush(Qt::red), QBrush(Qt::blue), 1);
        const QVector<TimeRectItem> items = strip.Segments()->GetItems(1);
        QCOMPARE(items.size(), 1);
        QCOMPARE(items.first().dLeft, double(from.toSecsSinceEpoch()));
        QCOMPARE(items.first().dRight - items.first().dLeft, 1800.0);

        const QImage image = strip.Picture();
        const int x = DayViewX(from.toSecsSinceEpoch() + 900);
        QCOMPARE(image.pixelColor(x, kSegmentY), QColor(Qt::red));
        QVERIFY(image.pixelColor(DayViewX(from.toSecsSinceEpoch()) - 2, kSegmentY)
                != QColor(Qt::red));
        QVERIFY(image.pixelColor(DayViewX(from.toSecsSinceEpoch() + 1800) + 1, kSegmentY)
                != QColor(Qt::red));

        // Same view, new data: the next picture must show it; hidden levels must go.
        const QDateTime later = from.addSecs(-4 * 3600);
        strip.slider.AddTime(later, later.addSecs(600), QBrush(Qt::blue), QBrush(), 2);
        const int laterX = DayViewX(later.toSecsSinceEpoch() + 300);
        QCOMPARE(strip.Picture().pixelColor(laterX, kSegmentY), QColor(Qt::blue));
        strip.Segments()->SetFilterLevels({1});
        strip.view->RepaintChart();
        const QImage filtered = strip.Picture();
        QVERIFY(filtered.pixelColor(laterX, kSegmentY) != QColor(Qt::blue));
        QCOMPARE(filtered.pixelColor(x, kSegmentY), QColor(Qt::red));
    }

    void oneSecondSegmentLightsOneColumn()
    {
        Strip strip;
        const qint64 at = TodayMidnight() + 6 * 3600;
        QList<struTimeSliderData::TimeSegmentParam> list;
        struTimeSliderData::TimeSegmentParam segment;
        segment.llBegin = at;
        segment.llEnd = at + 1;
        segment.brushFill = QBrush(QColor(0, 200, 0));
        segment.nLevel = 3;
        list << segment;
        strip.slider.AddTime(list);
        const QImage image = strip.Picture();
        const int x = DayViewX(at);
        QCOMPARE(image.pixelColor(x, kSegmentY), QColor(0, 200, 0));
        QVERIFY(image.pixelColor(x - 1, kSegmentY) != QColor(0, 200, 0));
        QVERIFY(image.pixelColor(x + 1, kSegmentY) != QColor(0, 200, 0));
    }

    void centreLineAndTicks()
    {
        Strip strip;
        const QImage image = strip.Picture();
        const int centre = (9 + 1008) / 2;
        for (int x = centre - 1; x <= centre + 1; ++x)
            QCOMPARE(image.pixelColor(x, 5), QColor(Qt::yellow));
        QVERIFY(image.pixelColor(centre + 2, 5) != QColor(Qt::yellow));
        // The tick at the view's left edge (yesterday noon) sits one pixel inside the chart.
        QCOMPARE(image.pixelColor(9, 7), QColor(114, 114, 114));
        QCOMPARE(image.pixelColor(10, 3), QColor(114, 114, 114));
    }

    void narrowChartShowsNoTicks()
    {
        Strip strip(80, kHeight); // chart 62 pixels wide
        const QImage image = strip.Picture();
        QVERIFY(image.pixelColor(9, 7) != QColor(114, 114, 114));
    }

    void styleDefaults_data()
    {
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("axis name") << QByteArray("m_colorAxisName") << QVariant(QColor(114, 114, 114));
        QTest::newRow("axis text") << QByteArray("m_colorAxisText") << QVariant(QColor(150, 150, 150));
        QTest::newRow("axis small text") << QByteArray("m_colorAxisSmallText")
                                         << QVariant(QColor(Qt::white));
        QTest::newRow("scale line") << QByteArray("m_colorScaleLine") << QVariant(QColor(114, 114, 114));
        QTest::newRow("mid line time text") << QByteArray("m_colorMidLineTimeText")
                                            << QVariant(QColor(Qt::white));
        QTest::newRow("show mid line") << QByteArray("m_bShowMidLine") << QVariant(true);
        QTest::newRow("mid line") << QByteArray("m_colorMidLine") << QVariant(QColor(Qt::yellow));
        QTest::newRow("mouse text") << QByteArray("m_colorMouseText") << QVariant(QColor(Qt::white));
        QTest::newRow("tag") << QByteArray("m_colorTag") << QVariant(QColor(131, 131, 131));
    }
    void styleDefaults()
    {
        QFETCH(QByteArray, property);
        QFETCH(QVariant, value);
        CChartView view;
        QCOMPARE(view.property(property.constData()), value);
    }

    void styleSheetSetsTheCentreLineColour()
    {
        Strip strip;
        strip.slider.setStyleSheet(
            "TesselGUIToolkit--CChartView { qproperty-m_colorMidLine: rgb(255, 0, 255);"
            " qproperty-m_colorScaleLine: rgb(0, 0, 255) }");
        strip.view->ensurePolished();
        QCOMPARE(strip.view->property("m_colorMidLine").value<QColor>(), QColor(255, 0, 255));
        strip.view->RepaintChart();
        const QImage image = strip.Picture();
        QCOMPARE(image.pixelColor((9 + 1008) / 2, 20), QColor(255, 0, 255));
        QCOMPARE(image.pixelColor(9, 7), QColor(0, 0, 255));
    }

    void childWidgetsByName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("toolTip");
        QTest::newRow("calendar") << "CalendarBtn" << "";
        QTest::newRow("zoom in") << "ZoomInBtn" << "ZoomIn";
        QTest::newRow("zoom out") << "ZoomOutBtn" << "ZoomOut";
        QTest::newRow("filter") << "m_pFilterBtn" << "Filter";
    }
    void childWidgetsByName()
    {
        QFETCH(QString, name);
        CChartView view;
        auto* button = view.findChild<QPushButton*>(name);
        QVERIFY(button);
        QTEST(button->toolTip(), "toolTip");
        QVERIFY(view.findChild<QFrame*>("m_pFilterFrame"));
        QVERIFY(view.findChild<QLabel*>("m_pCameraNameLabel"));
        QCOMPARE(view.findChild<QLabel*>("m_pCameraNameLabel")->styleSheet(),
                 QString("QLabel{color:white}"));
    }

    void chartViewButtonsEmit()
    {
        CChartView view;
        view.resize(400, 46);
        QSignalSpy zoomIn(&view, &CChartView::SignalZoomIn);
        QSignalSpy zoomOut(&view, &CChartView::SignalZoomOut);
        QSignalSpy calendar(&view, &CChartView::SignalCalendarBtnClicked);
        QSignalSpy filter(&view, &CChartView::SignalFilterRec);
        QTest::mousePress(view.findChild<QPushButton*>("ZoomInBtn"), Qt::LeftButton);
        QCOMPARE(zoomIn.count(), 1); // on press, not on release
        QTest::mouseRelease(view.findChild<QPushButton*>("ZoomInBtn"), Qt::LeftButton);
        QTest::mousePress(view.findChild<QPushButton*>("ZoomOutBtn"), Qt::LeftButton);
        QCOMPARE(zoomOut.count(), 1);
        QTest::mouseRelease(view.findChild<QPushButton*>("ZoomOutBtn"), Qt::LeftButton);
        QTest::mouseClick(view.findChild<QPushButton*>("CalendarBtn"), Qt::LeftButton);
        QCOMPARE(calendar.count(), 1);
        QTest::mouseClick(view.findChild<QPushButton*>("m_pFilterBtn"), Qt::LeftButton);
        QCOMPARE(filter.count(), 1);
        QCOMPARE(zoomIn.count(), 1);
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
        QTest::addColumn<int>("toX");
        QTest::addColumn<bool>("emitted");
        QTest::addColumn<qint64>("seconds"); // after today's midnight
        QTest::newRow("100 px left: 2 h 24 min later") << 409 << true << qint64(8640);
        QTest::newRow("one pixel left") << 508 << true << qint64(86);
        QTest::newRow("to the chart's left edge") << 9 << true << qint64(43200);
        QTest::newRow("far beyond: held at the range end") << -500 << true << qint64(86400);
        QTest::newRow("right at the range begin is held") << 609 << false << qint64(0);
    }
    void dragToSeek()
    {
        QFETCH(int, toX);
        QFETCH(bool, emitted);
        QFETCH(qint64, seconds);
        Strip strip;
        QSignalSpy click(&strip.slider, &CSingleTimeSlider::SignalMouseClick);
        QSignalSpy time(strip.view, &CChartView::SignalCalenderTimeChanged);
        SendMouse(strip.view, QEvent::MouseButtonPress, {509, 20}, Qt::LeftButton, Qt::LeftButton);
        QVERIFY(strip.slider.IsMoving());
        QCOMPARE(strip.view->cursor().shape(), Qt::OpenHandCursor);
        SendMouse(strip.view, QEvent::MouseMove, {toX, 20}, Qt::NoButton, Qt::LeftButton);
        SendMouse(strip.view, QEvent::MouseButtonRelease, {toX, 20}, Qt::LeftButton, Qt::NoButton);
        QVERIFY(!strip.slider.IsMoving());
        QCOMPARE(click.count(), emitted ? 1 : 0);
        QCOMPARE(strip.view->GetViewSpan(), 86400.0);
        if (!emitted)
            return;
        const qint64 expected = TodayMidnight() + seconds;
        QCOMPARE(qint64(click.at(0).at(0).value<time_t>()), expected);
        QCOMPARE(strip.slider.CurrentTime().toSecsSinceEpoch(), expected);
        QVERIFY(time.count() >= 1);
        QCOMPARE(strip.view->GetCenterText(),
                 QDateTime::fromSecsSinceEpoch(expected).toString("yyyy/MM/dd hh:mm:ss"));
    }

    void clickBand_data()
    {
        QTest::addColumn<int>("y");
        QTest::addColumn<bool>("emitted");
        QTest::newRow("above the band") << 26 << false;
        QTest::newRow("top of the band") << 27 << true;
        QTest::newRow("middle") << 31 << true;
        QTest::newRow("bottom of the band") << 35 << true;
        QTest::newRow("below the band") << 36 << false;
        QTest::newRow("over the axis") << 5 << false;
    }
    void clickBand()
    {
        QFETCH(int, y);
        QFETCH(bool, emitted);
        Strip strip;
        QSignalSpy click(&strip.slider, &CSingleTimeSlider::SignalMouseClick);
        QTest::mouseClick(strip.view, Qt::LeftButton, Qt::NoModifier, {609, y});
        QCOMPARE(click.count(), emitted ? 1 : 0);
        if (emitted) // 600 pixels of 86.4 s from yesterday noon
            QCOMPARE(qint64(click.at(0).at(0).value<time_t>()), TodayMidnight() + 8640);
        QCOMPARE(strip.view->GetViewLeft(), double(TodayMidnight() - 43200));
    }

    void clicksThatDoNotSeek()
    {
        Strip strip;
        QSignalSpy click(&strip.slider, &CSingleTimeSlider::SignalMouseClick);
        QTest::mouseClick(strip.view, Qt::RightButton, Qt::NoModifier, {609, 31});
        QTest::mouseClick(strip.view, Qt::LeftButton, Qt::NoModifier, {3, 31}); // left margin
        QCOMPARE(click.count(), 0);
        QVERIFY(!strip.slider.IsMoving());
    }

    void hoverTextFollowsThePointer()
    {
        Strip strip;
        SendMouse(strip.view, QEvent::MouseMove, {609, 20}, Qt::NoButton, Qt::NoButton);
        auto* hover = dynamic_cast<CMouseTextSeries*>(
            strip.view->GetSeries(CChartSeries::MouseTextSeries));
        QVERIFY(hover);
        QCOMPARE(hover->GetText(), QString("02:24:00"));
        SendMouse(strip.view, QEvent::MouseMove, {2, 20}, Qt::NoButton, Qt::NoButton);
        QCOMPARE(hover->GetText(), QString(" "));
    }

    void wheelAndZoomButtons()
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
        QCOMPARE(strip.slider.GetScaleLevel(), 9);
        Wheel(strip.view, 120);
        QCOMPARE(strip.slider.GetScaleLevel(), 9); // the wheel stops at nine

        auto* zoomOut = strip.view->findChild<QPushButton*>("ZoomOutBtn");
        auto* zoomIn = strip.view->findChild<QPushButton*>("ZoomInBtn");
        for (int i = 0; i < 7; ++i)
            QTest::mouseClick(zoomOut, Qt::LeftButton);
        QCOMPARE(strip.slider.GetScaleLevel(), 14);
        QCOMPARE(strip.view->GetViewSpan(), 720.0);
        QCOMPARE(strip.view->GetScaleText(), QString("12m"));
        QTest::mouseClick(zoomIn, Qt::LeftButton);
        QCOMPARE(strip.slider.GetScaleLevel(), 13);
        QCOMPARE(strip.view->GetViewSpan(), 3600.0);
        QTRY_VERIFY(moved.count() >= 1); // the posted rebuild arrives
    }

    void zoomNearTheEndStaysInsideTheLimits()
    {
        Strip strip;
        strip.slider.ShowMaxsize();
        auto* zoomOut = strip.view->findChild<QPushButton*>("ZoomOutBtn");
        auto* zoomIn = strip.view->findChild<QPushButton*>("ZoomInBtn");
        for (int i = 0; i < 5; ++i)
            QTest::mouseClick(zoomOut, Qt::LeftButton);
        strip.slider.OnPlayTime(unsigned(TodayMidnight() + 86400));
        QCOMPARE(strip.CentreUtc(), TodayMidnight() + 86400);
        for (int i = 0; i < 5; ++i) {
            QTest::mouseClick(zoomIn, Qt::LeftButton);
            QVERIFY(strip.view->GetViewRight() <= double(strip.slider.GetRangeCeiling()));
            QVERIFY(strip.view->GetViewLeft() >= double(strip.slider.GetRangeFloor()));
        }
        QCOMPARE(strip.view->GetViewRight(), double(strip.slider.GetRangeCeiling()));
    }

    void stepMoves()
    {
        Strip strip;
        strip.slider.ShowMaxsize();
        auto* zoomOut = strip.view->findChild<QPushButton*>("ZoomOutBtn");
        for (int i = 0; i < 5; ++i)
            QTest::mouseClick(zoomOut, Qt::LeftButton);
        strip.slider.OnPlayTime(unsigned(TodayMidnight() + 3600));
        const double left = strip.view->GetViewLeft();
        strip.slider.MoveRight();
        QCOMPARE(strip.view->GetViewLeft(), left + 60);
        QCOMPARE(strip.slider.CurrentTime().toSecsSinceEpoch(), TodayMidnight() + 3660);
        QVERIFY(strip.slider.IsMoving());
        // The user's step wins over the playing clock until the step button is let go.
        strip.slider.OnPlayTime(unsigned(TodayMidnight() + 7200));
        QCOMPARE(strip.view->GetViewLeft(), left + 60);
        strip.slider.MoveLeft();
        strip.slider.MoveLeft();
        QCOMPARE(strip.view->GetViewLeft(), left - 60);
        strip.slider.OnSlotReleaseMove();
        strip.slider.OnPlayTime(unsigned(TodayMidnight() + 7200));
        QCOMPARE(strip.CentreUtc(), TodayMidnight() + 7200);

        strip.slider.OnSlotReleaseMove();
        strip.slider.OnPlayTime(unsigned(TodayMidnight() + 86400));
        for (int i = 0; i < 800; ++i) // 48,000 s of one-minute steps: past the ceiling
            strip.slider.MoveRight();
        QCOMPARE(strip.view->GetViewRight(), double(strip.slider.GetRangeCeiling()));
    }

    void playingTimeMovesTheView_data()
    {
        QTest::addColumn<qint64>("played");
        QTest::addColumn<qint64>("centre");
        const qint64 midnight = TodayMidnight();
        QTest::newRow("inside") << midnight + 8 * 3600 + 17 << midnight + 8 * 3600 + 17;
        QTest::newRow("last second") << midnight + 86399 << midnight + 86399;
        QTest::newRow("before the range") << midnight - 4000 << midnight;
        QTest::newRow("zero") << qint64(0) << midnight;
        QTest::newRow("after the range") << midnight + 200000 << midnight + 86400;
    }
    void playingTimeMovesTheView()
    {
        QFETCH(qint64, played);
        QFETCH(qint64, centre);
        Strip strip;
        QSignalSpy time(strip.view, &CChartView::SignalCalenderTimeChanged);
        strip.slider.OnPlayTime(unsigned(played));
        QCOMPARE(strip.CentreUtc(), centre);
        QCOMPARE(strip.view->GetViewSpan(), 86400.0);
        QCOMPARE(strip.slider.CurrentTime().toSecsSinceEpoch(), centre);
        QCOMPARE(time.count(), 1);
        QCOMPARE(strip.slider.GetLastPlayTime(), unsigned(centre));
    }

    void ignoredPlayTimes()
    {
        Strip strip;
        strip.slider.OnPlayTime(unsigned(TodayMidnight() + 600));
        const double left = strip.view->GetViewLeft();
        strip.slider.OnPlayTime(0xFFFFFFFFu);
        strip.slider.OnPlayTime(QDateTime());
        strip.slider.OnPlayTime(QDateTime(QDate(1969, 7, 20), QTime(20, 17)));
        strip.slider.OnPlayTime(QDateTime(QDate(2107, 1, 1), QTime(0, 0)));
        QCOMPARE(strip.view->GetViewLeft(), left);

        strip.slider.SetHold(true);
        strip.slider.OnPlayTime(unsigned(TodayMidnight() + 7200));
        QCOMPARE(strip.view->GetViewLeft(), left);
        strip.slider.SetHold(false);
        strip.slider.OnPlayTime(QDate::currentDate().startOfDay().addSecs(7200));
        QCOMPARE(strip.CentreUtc(), TodayMidnight() + 7200);
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
        auto* zoomIn = strip.view->findChild<QPushButton*>("ZoomInBtn");
        auto* zoomOut = strip.view->findChild<QPushButton*>("ZoomOutBtn");
        QVERIFY(zoomIn->isVisible());
        QVERIFY(zoomOut->isVisible());
        QCOMPARE(zoomIn->pos(), QPoint(kWidth - 100 + 3, 17));
        QCOMPARE(zoomOut->x(), zoomIn->x() + zoomIn->width() + 4);
        QCOMPARE(strip.view->GetChartRect().right(), kWidth - 1 - 100);
        auto* axis = dynamic_cast<CAxisSeries*>(strip.view->GetSeries(CChartSeries::AxisSeries));
        QVERIFY(axis && !axis->IsCompact());
        QCOMPARE(axis->GetTickStep(), 7200);

        QTest::mouseClick(zoomOut, Qt::LeftButton);
        QTest::mouseClick(zoomOut, Qt::LeftButton);
        QCOMPARE(strip.slider.GetScaleLevel(), 11);
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
    }

    void longDayToTheSecond_data()
    {
        // Normal size, chart 900 px wide (x 24..923) over the 25-hour day: 100 s a pixel, the
        // view centred on noon (after the clocks went back at 03:00).
        QTest::addColumn<int>("x");
        QTest::addColumn<qint64>("offset");
        QTest::addColumn<QString>("local");
        QTest::newRow("centre") << 474 << qint64(0) << "2024/10/27 12:00:00";
        QTest::newRow("one pixel") << 475 << qint64(100) << "2024/10/27 12:01:40";
        QTest::newRow("evening") << 834 << qint64(36000) << "2024/10/27 22:00:00";
        QTest::newRow("left edge, before the switch") << 24 << qint64(-45000)
                                                      << "2024/10/27 00:30:00";
        QTest::newRow("right edge, the next day") << 923 << qint64(44900) << "2024/10/28 00:28:20";
    }
    void longDayToTheSecond()
    {
        QFETCH(int, x);
        QFETCH(qint64, offset);
        QFETCH(QString, local);
        const QByteArray oldZone = qgetenv("TZ");
        qputenv("TZ", "Europe/Berlin");
        tzset();
        {
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
            QSignalSpy click(&strip.slider, &CSingleTimeSlider::SignalMouseClick);
            QTest::mouseClick(strip.view, Qt::LeftButton, Qt::NoModifier, {x, 30});
            QCOMPARE(click.count(), 1);
            const qint64 clicked = qint64(click.at(0).at(0).value<time_t>());
            QCOMPARE(clicked, noon.toSecsSinceEpoch() + offset);
            QCOMPARE(QDateTime::fromSecsSinceEpoch(clicked).toString("yyyy/MM/dd hh:mm:ss"), local);

            QDateTime begin;
            QDateTime end;
            strip.slider.GetTimeRange(begin, end);
            QCOMPARE(end.toSecsSinceEpoch() - begin.toSecsSinceEpoch(), qint64(90000 - 1));
            strip.slider.OnPlayTime(QDateTime(day, QTime(23, 59, 59)));
            QCOMPARE(strip.view->GetCenterText(), QString("2024/10/27 23:59:59"));
        }
        if (oldZone.isEmpty())
            qunsetenv("TZ");
        else
            qputenv("TZ", oldZone);
        tzset();
    }

    void shortDayState()
    {
        Strip strip;
        strip.slider.SetDSTState(DSTStateShortDay);
        strip.slider.ShowNormalSize();
        QCOMPARE(strip.view->GetViewSpan(), 82800.0);
        strip.slider.SetDSTState(7); // unknown: ignored
        QCOMPARE(strip.slider.GetDSTState(), DSTStateShortDay);
        DSTTimeData data;
        data.uDSTBegin = 1711846800u;
        strip.slider.SetDST(data);
        QCOMPARE(strip.slider.GetDST().uDSTBegin, 1711846800u);
    }

    void badSegmentsAreDropped_data()
    {
        QTest::addColumn<qint64>("begin");
        QTest::addColumn<qint64>("end");
        QTest::addColumn<bool>("kept");
        const qint64 midnight = TodayMidnight();
        QTest::newRow("inside") << midnight + 60 << midnight + 120 << true;
        QTest::newRow("reversed") << midnight + 120 << midnight + 60 << false;
        QTest::newRow("zero to zero") << qint64(0) << qint64(0) << false;
        QTest::newRow("zero to no time covers the day") << qint64(0) << qint64(0xFFFFFFFF) << true;
        QTest::newRow("no time") << qint64(0xFFFFFFFF) << qint64(0xFFFFFFFF) << false;
        QTest::newRow("before 1970") << qint64(-500000) << qint64(-1000) << false;
        QTest::newRow("after 2105") << qint64(4500000000LL) << qint64(4600000000LL) << false;
        QTest::newRow("yesterday") << midnight - 7200 << midnight - 3600 << false;
    }
    void badSegmentsAreDropped()
    {
        QFETCH(qint64, begin);
        QFETCH(qint64, end);
        QFETCH(bool, kept);
        Strip strip;
        struTimeSliderData::TimeSegmentParam segment;
        segment.llBegin = begin;
        segment.llEnd = end;
        segment.brushFill = QBrush(Qt::red);
        segment.nLevel = 77; // levels are the client's; the one-channel line keeps any
        QList<struTimeSliderData::TimeSegmentParam> list{segment};
        strip.slider.AddTime(list);
        strip.slider.AddTime(QDateTime::fromSecsSinceEpoch(begin), QDateTime::fromSecsSinceEpoch(end),
                             QBrush(Qt::red), QBrush(), 77);
        QCOMPARE(strip.Segments()->ItemCount(), kept ? 2 : 0);
        strip.Picture();

        QList<struTimeSliderData::TimeSegmentParam> empty;
        strip.slider.AddTime(empty);
        strip.slider.AddTime(QDateTime(), QDateTime(), QBrush(), QBrush(), 0);
        QCOMPARE(strip.Segments()->ItemCount(), kept ? 2 : 0);
        strip.slider.Reset();
        QCOMPARE(strip.Segments()->ItemCount(), 0);
    }

    void reversedRangeIsIgnored()
    {
        Strip strip;
        const QDate today = QDate::currentDate();
        strip.slider.SetTimeRange(today.addDays(2), today);
        strip.slider.SetTimeRange(QDate(), today);
        strip.slider.SetTimeRange(QDate(1960, 1, 1), today);
        QDateTime begin;
        QDateTime end;
        strip.slider.GetTimeRange(begin, end);
        QCOMPARE(begin.date(), today);
        QCOMPARE(end.date(), today);
        QCOMPARE(strip.slider.GetRangeFloor(), TodayMidnight() - 43200);
    }

    void millionSegmentsInOneCall()
    {
        Strip strip;
        const qint64 midnight = TodayMidnight();
        QList<struTimeSliderData::TimeSegmentParam> list;
        list.reserve(1000000);
        struTimeSliderData::TimeSegmentParam segment;
        segment.brushFill = QBrush(Qt::red);
        for (int i = 0; i < 1000000; ++i) {
            segment.llBegin = midnight + (i * 7) % 86000;
            segment.llEnd = segment.llBegin + 3;
            segment.nLevel = i % 5;
            list.append(segment);
        }
        strip.slider.AddTime(list);
        QCOMPARE(strip.Segments()->ItemCount(), 1000000);
        const QImage image = strip.Picture();
        QCOMPARE(image.pixelColor(DayViewX(midnight + 3600), kSegmentY), QColor(Qt::red));
        // Merged: far fewer fills than segments.
        QVERIFY(strip.Segments()->LastPaintedFillCount() <= 5 * 1000);
    }

    void absurdSizes()
    {
        Strip strip;
        const QDateTime from = QDate::currentDate().startOfDay().addSecs(3600);
        strip.slider.AddTime(from, from.addSecs(60), QBrush(Qt::red), QBrush(), 0);
        strip.slider.resize(0, 0);
        QCOMPARE(strip.Picture().isNull(), true);
        QVERIFY(strip.view->GetPicture().isNull());
        QSignalSpy click(&strip.slider, &CSingleTimeSlider::SignalMouseClick);
        QTest::mouseClick(strip.view, Qt::LeftButton, Qt::NoModifier, {0, 0});
        strip.slider.ShowMaxsize();
        strip.slider.OnPlayTime(unsigned(TodayMidnight() + 100));
        QCoreApplication::sendPostedEvents(strip.view, CEvent::EventType);
        QCOMPARE(click.count(), 0);

        strip.slider.resize(10000, kHeight);
        strip.slider.ShowNormalSize();
        strip.slider.OnPlayTime(unsigned(TodayMidnight() + 3630));
        QCoreApplication::sendPostedEvents(strip.view, CEvent::EventType);
        QCOMPARE(strip.view->GetPicture().width(), 10000);
        const QImage image = strip.view->GetPicture().toImage();
        QCOMPARE(image.pixelColor(strip.view->GetChartRect().center().x(), kSegmentY),
                 QColor(Qt::red));
    }
};

QTEST_MAIN(tst_TimeSlider)
#include "tst_timeslider.moc"
