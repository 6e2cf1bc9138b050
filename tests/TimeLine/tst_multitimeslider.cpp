#include "TimeLine/MultiChartView.h"
#include "TimeLine/MultiTimeSlider.h"
#include "TimeLine/MultiTimeSliderGeometry_p.h"
#include "TimeLine/TimeLineTestSupport.h"
#include "TimeLine/TimeSliderFilterPopup.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace TesselGUIToolkit;
using namespace TimeLineTest;
using Segment = struTimeSliderData::TimeSegmentParam;

namespace {

const QDate kDay(2024, 6, 12);

qint64 At(int h, int m = 0, int s = 0)
{
    return QDateTime(kDay, QTime(0, 0)).addSecs(h * 3600 + m * 60 + s).toSecsSinceEpoch();
}

/// A shown slider on kDay, its view on the whole day (level 9) centred on noon.
struct Line
{
    explicit Line(int rows = 4, const QSize& size = {800, 300})
    {
        slider.SetTimeRange(kDay, kDay);
        slider.SetTimeSliderCount(unsigned(rows));
        slider.resize(size);
        slider.show();
        QVERIFY(QTest::qWaitForWindowExposed(&slider));
        slider.OnPlayTime(unsigned(At(12)));
        Rebuild();
    }
    void Add(int row, qint64 begin, qint64 end, const QBrush& brush, int level = 0)
    {
        QVector<Segment> segments{MakeSegment(begin, end, brush, level)};
        slider.AddTime(segments, row);
    }
    // Runs layouts and the pending picture rebuild, as the event loop would.
    void Rebuild()
    {
        QCoreApplication::sendPostedEvents();
        view->RebuildNow();
    }
    int X(qint64 utc) const { return view->TimeToX(double(utc)); }
    int Y(int row) const { return view->GetRowRect(row).center().y(); } // as drawn now
    QColor Pixel(int x, int y)
    {
        Rebuild();
        return view->GetPicture().toImage().pixelColor(x, y);
    }
    bool Shows(qint64 utc, int row, const QColor& c) { return SameColor(Pixel(X(utc), Y(row)), c); }
    void Click(const QPoint& at)
    {
        Press(view, at);
        Release(view, at);
    }
    void Drag(int row, qint64 from, qint64 to)
    {
        Press(view, {X(from), Y(row)});
        DragTo(view, {X(to), Y(row)});
        Release(view, {X(to), Y(row)});
    }
    double Centre() const { return view->GetViewLeft() + view->GetViewSpan() / 2; }
    QList<qint64> AskedTimes(QSignalSpy& requests) const
    {
        QList<qint64> asked;
        for (const QList<QVariant>& args : qAsConst(requests))
            if (args.at(0).toBool())
                asked.append(args.at(1).toLongLong());
        return asked;
    }

    CMultiTimeSlider slider;
    CMultiChartView* view = slider.GetMultiChartView();
};

// clang-format off
struct BrushRow { const char* name; QBrush brush; QColor expected; };
struct ThumbRow { const char* name; QVector<qint64> row0, row1; int height; bool hideFirst;
                  QList<qint64> expected; };
// clang-format on

} // namespace

Q_DECLARE_METATYPE(BrushRow)
Q_DECLARE_METATYPE(ThumbRow)

class tst_MultiTimeSlider : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { OffscreenWarningFilter::Install(); }
    void cleanupTestCase() { OffscreenWarningFilter::Remove(); }

    void rowsAndScrollBar()
    {
        CMultiTimeSlider fresh;
        QCOMPARE(fresh.GetTimeSliderCount(), 1);
        const unsigned counts[][2] = {{0, 0},   {1, 1},    {16, 16},       {64, 64},
                                      {65, 64}, {100, 64}, {0xFFFFFFFF, 64}};
        for (const auto& r : counts) {
            fresh.SetTimeSliderCount(r[0]);
            QCOMPARE(fresh.GetTimeSliderCount(), int(r[1]));
            QCOMPARE(fresh.GetMultiChartView()->GetRowCount(), int(r[1]));
            QVERIFY(!fresh.GetMultiChartView()->GetRowSeries(int(r[1])));
        }
        Line line(4, {600, 300});
        QScrollBar* bar = line.slider.GetVerticalScrollBar();
        QVERIFY(bar->isHidden());
        line.slider.SetTimeSliderCount(64);
        const int content = line.view->GetContentHeight();
        QVERIFY(content > 300 && !bar->isHidden());
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), content - 300 + 2);
        QCOMPARE(bar->singleStep(), line.slider.GetRowHeight());
        bar->setValue(100);
        line.slider.SetTimeSliderCount(64); // setting the count scrolls back to the top
        QCOMPARE(bar->value(), 0);

        // Rows out of sight cost nothing until shown.
        line.Add(40, At(1), At(23), Qt::cyan);
        line.Rebuild();
        QCOMPARE(line.view->GetRowSeries(40)->LastPaintedFillCount(), 0);
        line.slider.SetShowIndex(40);
        line.Rebuild();
        QCOMPARE(line.view->GetRowSeries(40)->LastPaintedFillCount(), 1);
        QVERIFY(line.Shows(At(12), 40, Qt::cyan));
        // row shown, first visible row after it: 8 lies among 7..10, 64 is no row
        const int shown[][2] = {{2, 0}, {10, 7}, {8, 7}, {64, 7}, {1, 0}};
        for (const auto& r : shown) {
            line.slider.SetShowIndex(unsigned(r[0]));
            QCOMPARE(line.slider.GetFirstVisibleRow(), r[1]);
        }
        for (const QSize& size : {QSize(300, 10000), QSize(0, 0), QSize(600, 300)}) {
            line.slider.resize(size);
            line.Rebuild();
            QCOMPARE(bar->isHidden(), size.height() > 5000);
        }
        line.slider.SetTimeSliderCount(3);
        QVERIFY(bar->isHidden());
    }

    void rowPainting()
    {
        Line line(4);
        QVERIFY(SameColor(line.Pixel(60, 40), Qt::black)); // the header, above the first row
        line.Add(2, At(6), At(18), Qt::red);
        QVERIFY(line.Shows(At(12), 2, Qt::red));
        // Nothing leaks into the neighbouring rows or before the segment.
        QVERIFY(!line.Shows(At(12), 1, Qt::red));
        QVERIFY(!line.Shows(At(12), 3, Qt::red));
        QVERIFY(!line.Shows(At(3), 2, Qt::red));
        // One second at the 24-hour view is far less than a pixel, yet it lights its column.
        line.Add(0, At(9, 30), At(9, 30, 1), Qt::green);
        QVERIFY(line.Shows(At(9, 30), 0, Qt::green));
        // A thousand segments on one column cost one fill.
        QVector<Segment> segments;
        for (int i = 0; i < 1000; ++i)
            segments.append(MakeSegment(At(8) + i / 20, At(8) + i / 20 + 1, Qt::yellow));
        line.slider.AddTime(segments, 1);
        line.Rebuild();
        QCOMPARE(line.view->GetRowSeries(1)->LastPaintedFillCount(), 1);
        line.slider.resize(10000, 300);
        QVERIFY(line.Shows(At(12), 2, Qt::red));
        QVERIFY(line.view->GetPicture().width() >= 9000);
        line.view->setStyleSheet(
            "TesselGUIToolkit--CMultiChartView { qproperty-m_colorTopBackground: red }");
        line.view->ensurePolished();
        QVERIFY(SameColor(line.Pixel(60, 40), Qt::red));
    }

    void brushesOfEveryKindArePainted_data()
    {
        // Half-transparent white over the band's grey, premultiplied; a pattern has no one colour.
        AddRows<BrushRow>({{"plain colour", QColor(Qt::red), QColor(Qt::red)},
                           {"translucent", QColor(255, 255, 255, 128), QColor(191, 191, 191)},
                           {"pattern", QBrush(Qt::darkGreen, Qt::Dense4Pattern), QColor()}});
    }
    void brushesOfEveryKindArePainted()
    {
        QFETCH(BrushRow, row);
        Line line(3);
        line.view->setStyleSheet("TesselGUIToolkit--CMultiChartView { "
                                 "qproperty-m_colorRightChartBackground: rgb(128, 128, 128) }");
        line.view->ensurePolished();
        line.Add(1, At(6), At(18), row.brush);
        line.Add(0, At(6), At(18), Qt::yellow); // the rows must not wipe each other
        const int x = line.X(At(12));
        int painted = 0; // a pattern paints some pixels and leaves the band in the others
        for (int dx = 0; dx < 8; ++dx)
            painted += SameColor(line.Pixel(x + dx, line.Y(1)), Qt::darkGreen) ? 1 : 0;
        if (row.expected.isValid())
            QVERIFY(Near(line.Pixel(x, line.Y(1)), row.expected, 2));
        else
            QVERIFY(painted > 0 && painted < 8);
        QVERIFY(line.Shows(At(12), 0, Qt::yellow));
        QVERIFY(line.Shows(At(2), 1, QColor(128, 128, 128))); // the band where nothing was recorded
    }

    void levelFilter()
    {
        Line line(2);
        line.slider.AddTimeLevel(QIcon(), "Continuous", 0);
        line.slider.AddTimeLevel(QIcon(), "Event", 1);
        line.Add(0, At(2), At(6), Qt::red, 0);
        line.Add(0, At(14), At(18), Qt::blue, 1);
        line.Add(1, At(14), At(18), Qt::blue, 1);
        QVERIFY(line.Shows(At(16), 0, Qt::blue));
        QSignalSpy filtered(&line.slider, &CMultiTimeSlider::SignalFilterTriggered);
        QTest::mouseClick(line.view->GetFilterButton(), Qt::LeftButton);
        CTimeSliderFilterPopup* popup = line.slider.GetFilterPopup();
        QVERIFY(popup->isVisible());
        QTest::mouseClick(popup->GetLevelCheckBox(1), Qt::LeftButton);
        QCOMPARE(filtered.count(), 1);
        QCOMPARE(filtered.at(0).at(0).value<QList<int>>(), QList<int>{0});
        QCOMPARE(line.slider.GetFilteredLevels(), QList<int>{0});
        QVERIFY(!line.Shows(At(16), 0, Qt::blue));
        QVERIFY(!line.Shows(At(16), 1, Qt::blue));
        QVERIFY(line.Shows(At(4), 0, Qt::red));
        QTest::mouseClick(popup->GetLevelCheckBox(1), Qt::LeftButton);
        QCOMPARE(filtered.at(1).at(0).value<QList<int>>(), (QList<int>{0, 1}));
        QVERIFY(line.Shows(At(16), 1, Qt::blue));
        popup->hide();

        // Set by the client: an empty list does nothing; new rows follow the filter.
        line.slider.SetFilteredLevels({});
        QCOMPARE(line.slider.GetFilteredLevels(), (QList<int>{0, 1}));
        line.slider.SetFilteredLevels({1});
        QVERIFY(!popup->IsLevelChecked(1) && popup->IsLevelChecked(0));
        line.slider.SetTimeSliderCount(3);
        QCOMPARE(line.view->GetRowSeries(2)->GetFilterLevels(), QList<int>{1});
        QCOMPARE(CMultiTimeSlider().GetMultiChartView()->GetRowSeries(0)->GetFilterLevels(),
                 QList<int>{-1});
    }

    void storageChoiceIsReported()
    {
        CMultiTimeSlider slider;
        StorageSetting setting;
        setting.vecStorages = {{1, 10, "Device"}, {2, 20, "Server"}};
        slider.SetStorageType(setting, 1, 10);
        CTimeSliderFilterPopup* popup = slider.GetFilterPopup();
        QVERIFY(popup->GetStorageButton(0)->isChecked());
        QVERIFY(!popup->GetStorageButton(5));
        QSignalSpy changed(&slider, &CMultiTimeSlider::SignalStorageTypeChanged);
        QTest::mouseClick(popup->GetStorageButton(1), Qt::LeftButton);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toInt(), 2);
        QCOMPARE(changed.at(0).at(1).toInt(), 20);
    }

    void synchronisedModeAndPlayMarkers()
    {
        Line line(2);
        QVERIFY(line.slider.IsSyncTime());
        // No time is ignored everywhere; time 0 lies before the range: its begin.
        const double left = line.view->GetViewLeft();
        line.slider.SetSyncTime(0xFFFFFFFFu);
        line.slider.SetPlayTime(0, 0xFFFFFFFFu, true);
        line.slider.SetCurrentTime(QDateTime());
        QCOMPARE(line.view->GetViewLeft(), left);
        line.slider.OnPlayTime(0u);
        QCOMPARE(line.Centre(), double(At(0)));
        line.slider.SetSyncTime(unsigned(At(9)));
        QCOMPARE(line.Centre(), double(At(9)));
        line.slider.CloseSynTime();
        QVERIFY(!line.slider.IsSyncTime());
        line.slider.SetSyncTime(unsigned(At(15))); // apart: ignored
        QCOMPARE(line.Centre(), double(At(9)));

        // Apart, each channel shows its own play marker in its row.
        line.Add(1, At(0, 30), At(23), Qt::darkBlue);
        line.slider.SetPlayTime(1, unsigned(At(10)), false);
        QVERIFY(line.Shows(At(10), 1, Qt::white));
        line.slider.ClearSinglePlayLine(1);
        QVERIFY(line.Shows(At(10), 1, Qt::darkBlue));
        line.slider.SetPlayTime(1, unsigned(At(10)), false);
        line.slider.OpenSynTime();
        QVERIFY(line.Shows(At(10), 1, Qt::darkBlue));

        // A held view follows the playing time only when asked to centre.
        line.slider.SetSpanType(13);
        line.slider.SetTagLockEditShow(true);
        QDateTime begin;
        QDateTime end;
        line.slider.SetTagLockEditTime(0xFFFFFFFFu, 0xFFFFFFFFu);
        QVERIFY(!line.slider.GetTagLockTimeRange(begin, end));
        const double held = line.view->GetViewLeft();
        line.slider.SetHold(true);
        line.slider.SetPlayTime(0, unsigned(At(20)), false);
        QCOMPARE(line.view->GetViewLeft(), held);
        QCOMPARE(line.view->GetTagLockEditSeries()->GetXValues().at(0), double(At(20)));
        line.slider.SetPlayTime(0, unsigned(At(20)), true);
        QCOMPARE(line.Centre(), double(At(20)));
        QCOMPARE(line.view->GetViewSpan(), 3600.0);
        line.slider.SetHold(false);
    }

    void dragSeeksAndReportsTheCentre()
    {
        Line line(2);
        QSignalSpy click(&line.slider, QOverload<time_t>::of(&CMultiTimeSlider::SignalMouseClick));
        QSignalSpy clickRow(&line.slider,
                            QOverload<int, time_t>::of(&CMultiTimeSlider::SignalMouseClick));
        QSignalSpy rowClicked(&line.slider, &CMultiTimeSlider::SignalClicked);
        const double before = line.view->GetViewLeft();
        const QPoint start(400, line.Y(0));
        Press(line.view, start);
        QCOMPARE(line.view->cursor().shape(), Qt::ClosedHandCursor);
        DragTo(line.view, start - QPoint(100, 0));
        line.slider.OnPlayTime(unsigned(At(3))); // ignored while dragging
        QVERIFY(line.view->GetViewLeft() > before); // dragging left shows later times
        Release(line.view, start - QPoint(100, 0));
        QCOMPARE(line.view->cursor().shape(), Qt::ArrowCursor);
        const qint64 centre = qint64(line.Centre());
        QCOMPARE(click.count(), 1);
        QCOMPARE(click.at(0).at(0).toLongLong(), centre);
        QCOMPARE(clickRow.at(0).at(0).toInt(), 0);
        QCOMPARE(clickRow.at(0).at(1).toLongLong(), centre);
        QCOMPARE(line.slider.CurrentTime().toSecsSinceEpoch(), centre);
        QCOMPARE(rowClicked.count(), 0); // a drag is not a click on a row
        line.Click({300, line.Y(1)});
        QCOMPARE(rowClicked.count(), 1);
        QCOMPARE(rowClicked.at(0).at(0).toInt(), 1);
        QCOMPARE(line.view->GetSelectedRow(), 1);

        // With the selection rectangle on, a drag in a row selects instead of moving the view.
        line.view->SetOpenSelectRect(true);
        QSignalSpy select(&line.slider, &CMultiTimeSlider::SignalSelect);
        const double left = line.view->GetViewLeft();
        line.Drag(1, At(8), At(10));
        QCOMPARE(line.view->GetViewLeft(), left);
        QCOMPARE(select.count(), 1);
        QCOMPARE(select.at(0).at(0).toInt(), 1);
        // One pixel is about two minutes at this scale.
        QVERIFY(qAbs(select.at(0).at(1).toLongLong() - At(8)) < 150);
        QVERIFY(qAbs(select.at(0).at(2).toLongLong() - At(10)) < 150);
    }

    void tagAndLockClicks()
    {
        Line line(2);
        Segment tag = MakeSegment(At(8), At(8, 5), Qt::gray);
        tag.llUserData = 77;
        tag.strText = "door";
        QVector<Segment> tags{MakeSegment(At(2), At(2, 1), Qt::gray), tag};
        QVector<Segment> locks{MakeSegment(At(16), At(17), Qt::gray)};
        line.slider.AddTag(tags);
        line.slider.AddLock(locks);
        line.Rebuild();
        QVector<RecordDataTag> marks;
        line.slider.GetTagRecordData(marks);
        QCOMPARE(marks.size(), 2);
        QCOMPARE(marks.at(1).llUserData, qint64(77));
        QCOMPARE(marks.at(1).strText, QString("door"));
        const QRect mark = line.view->GetTagSeries()->GetMarkRect(1);
        QCOMPARE(line.slider.GetTagRecordDataPoint(marks[1]),
                 line.view->mapToGlobal(mark.topLeft()));

        QSignalSpy tagClicked(&line.slider, &CMultiTimeSlider::SignalTagClicked);
        QSignalSpy lockClicked(&line.slider, &CMultiTimeSlider::SignalLockClicked);
        QSignalSpy click(&line.slider, QOverload<time_t>::of(&CMultiTimeSlider::SignalMouseClick));
        Hover(line.view, mark.center());
        QCOMPARE(line.view->cursor().shape(), Qt::ArrowCursor);
        line.Click(mark.center());
        QCOMPARE(tagClicked.count(), 1);
        QCOMPARE(tagClicked.at(0).at(0).toPoint(), mark.center());
        QCOMPARE(tagClicked.at(0).at(1).value<size_t>(), size_t(1));
        QCOMPARE(click.count(), 1);
        line.Click(line.view->GetLockSeries()->GetMarkRect(0).center());
        QCOMPARE(lockClicked.count(), 1);
        QCOMPARE(lockClicked.at(0).at(1).value<size_t>(), size_t(0));
        line.slider.ClearTag();
        line.slider.GetTagRecordData(marks);
        QVERIFY(marks.isEmpty());
        RecordDataTag unknown;
        QCOMPARE(line.slider.GetTagRecordDataPoint(unknown), QPoint(0, 0));
    }

    void editRangeHandlesFollowTheMouse()
    {
        Line line(3);
        Hover(line.view, {200, 5});
        QCOMPARE(line.view->cursor().shape(), Qt::OpenHandCursor); // the header band
        line.slider.SetTagLockEditShow(true);
        line.slider.SetTagLockEditTime(unsigned(At(10)), unsigned(At(12)));
        line.Rebuild();
        QSignalSpy changed(&line.slider, &CMultiTimeSlider::SignalTagLockTimeRangeChanged);
        QSignalSpy saved(&line.slider, &CMultiTimeSlider::SignalUpadteLockFile);
        QSignalSpy click(&line.slider, QOverload<time_t>::of(&CMultiTimeSlider::SignalMouseClick));
        const double viewLeft = line.view->GetViewLeft();
        const int y = line.Y(1);
        Hover(line.view, {line.X(At(12)), y});
        QCOMPARE(line.view->cursor().shape(), Qt::SizeHorCursor);
        Press(line.view, {line.X(At(10)), y});
        DragTo(line.view, {line.X(At(11)), y});
        QCOMPARE(changed.count(), 1);
        const qint64 moved = qint64(line.view->XToTime(line.X(At(11))));
        QCOMPARE(changed.at(0).at(0).toDateTime(), QDateTime::fromSecsSinceEpoch(moved));
        QCOMPARE(changed.at(0).at(1).toBool(), true);
        DragTo(line.view, {line.X(At(13)), y}); // past the right edge: the left edge stays
        Release(line.view, {line.X(At(13)), y});
        QCOMPARE(changed.count(), 1);
        QCOMPARE(saved.count(), 1);
        QCOMPARE(click.count(), 0);
        QCOMPARE(line.view->GetViewLeft(), viewLeft);
        line.Rebuild();
        line.Drag(1, At(12), At(9)); // nor the right edge before the left one
        QCOMPARE(changed.count(), 1);
        // Reversed times from the client are ignored too.
        line.slider.SetTagLockTimeRange(QDateTime::fromSecsSinceEpoch(At(15)),
                                        QDateTime::fromSecsSinceEpoch(At(14)), false);
        QDateTime begin;
        QDateTime end;
        QVERIFY(line.slider.GetTagLockTimeRange(begin, end));
        QCOMPARE(begin.toSecsSinceEpoch(), moved);
        QCOMPARE(end.toSecsSinceEpoch(), At(12));
        line.slider.SetTagLockEditShow(false);
        QVERIFY(!line.slider.GetTagLockTimeRange(begin, end));
    }

    void calendarSignalsAndEnterLeave()
    {
        Line line(1);
        QSignalSpy calendar(&line.slider, &CMultiTimeSlider::SignalPopupCalendar);
        QTest::mouseClick(line.view->GetCalendarButton(), Qt::LeftButton);
        QCOMPARE(calendar.count(), 1);
        line.slider.SetTimeRange(kDay, kDay.addDays(1));
        QSignalSpy date(&line.slider, &CMultiTimeSlider::SignalCalendarDateChanged);
        QSignalSpy time(&line.slider, &CMultiTimeSlider::SignalCalenderTimeChanged);
        const QDateTime next(kDay.addDays(1), QTime(1, 0));
        line.slider.SetCurrentTime(next);
        QCOMPARE(date.count(), 1);
        QCOMPARE(time.count(), 1);
        QCOMPARE(time.at(0).at(0).toDateTime(), next);

        QSignalSpy entered(&line.slider, &CTimeSlider::SignalMouseEnter);
        QSignalSpy left(&line.slider, &CTimeSlider::SignalMouseLeave);
        QEvent enter(QEvent::Enter);
        QEvent leave(QEvent::Leave);
        for (QEvent* event : {&enter, &leave, &enter, &leave}) // back within the delay once
            QCoreApplication::sendEvent(line.view, event);
        QCOMPARE(entered.count(), 1);
        QTRY_COMPARE(left.count(), 1);
    }

    void thumbnailRequests_data()
    {
        // 770 chart pixels for 24 hours: a picture 80 px wide (height 60) covers about 2.5 h.
        // clang-format off
        AddRows<ThumbRow>({
            {"one start", {At(10)}, {}, 60, false, {At(10)}},
            {"close starts share a picture", {At(1), At(1, 30), At(3), At(4)}, {}, 60, false,
             {At(1), At(4)}},
            {"starts of all rows", {At(5)}, {At(1)}, 60, false, {At(1), At(5)}},
            {"last minute of the day", {At(23, 59)}, {}, 60, false, {At(23, 59)}},
            {"smaller pictures lie closer", {At(1), At(3)}, {}, 30, false, {At(1), At(3)}},
            {"hidden level has no picture", {At(1), At(6)}, {}, 60, true, {At(6)}},
            {"no height, no request", {At(10)}, {At(11)}, 0, false, {}},
            {"nothing recorded", {}, {}, 60, false, {}}});
        // clang-format on
    }
    void thumbnailRequests()
    {
        QFETCH(ThumbRow, row);
        Line line(2);
        QCOMPARE(line.view->GetChartRect().width(), 770);
        for (int i = 0; i < row.row0.size(); ++i) // the first is level 1, for the filter to hide
            line.Add(0, row.row0.at(i), row.row0.at(i) + 60, Qt::red, i == 0 ? 1 : 0);
        for (qint64 t : row.row1)
            line.Add(1, t, t + 60, Qt::red);
        if (row.hideFirst)
            line.slider.SetFilteredLevels({0});
        line.slider.SetThumbnailHeight(row.height);
        QCOMPARE(line.slider.GetThumbnailWidth(), row.height * 4 / 3);
        line.Rebuild();
        QSignalSpy requests(&line.slider, &CMultiTimeSlider::SignalThumbnail);
        line.slider.OnHoverTimerOut();
        QCOMPARE(line.AskedTimes(requests), row.expected);
        QCOMPARE(line.slider.GetRequestedThumbnailTimes(), row.expected);
        requests.clear(); // asking again without a new view repeats nothing
        line.slider.OnHoverTimerOut();
        QCOMPARE(requests.count(), row.expected.size());
    }

    void thumbnailAnswersArePlacedAndFollowTheView()
    {
        Line line(1);
        line.Add(0, At(10), At(11), Qt::red);
        line.slider.SetThumbnailHeight(60);
        line.Rebuild();
        line.slider.OnHoverTimerOut();
        QCOMPARE(line.slider.GetRequestedThumbnailTimes(), QList<qint64>{At(10)});
        CThumbnailWraper* strip = line.slider.GetThumbnailWraper();
        QVERIFY(strip && strip->isVisible());
        QCOMPARE(strip->height(), 60 + 21);
        QPixmap picture(64, 48);
        picture.fill(Qt::darkGreen);
        line.slider.ShowThumbnail(At(9), picture); // never asked for
        QVERIFY(line.slider.GetThumbnailTimes().isEmpty());
        line.slider.ShowThumbnail(picture); // the pending request
        QCOMPARE(line.slider.GetThumbnailTimes(), QList<qint64>{At(10)});
        CTimeSilderPictureLabel* label = line.slider.GetThumbnailLabel(At(10));
        QVERIFY(label);
        QCOMPARE(label->property("time_t").toLongLong(), At(10));
        QCOMPARE(label->size(), QSize(80, 60));
        QCOMPARE(label->geometry().left() + 40, line.X(At(10)) - line.view->GetChartRect().left());

        QSignalSpy clickRow(&line.slider,
                            QOverload<int, time_t>::of(&CMultiTimeSlider::SignalMouseClick));
        QTest::mouseClick(label, Qt::LeftButton);
        QCOMPARE(clickRow.count(), 1);
        QCOMPARE(clickRow.at(0).at(1).toLongLong(), At(10));

        // A zoom drops what was asked for; a late answer then changes nothing.
        line.slider.SetSpanType(12); // 11:00 to 13:00, about 9.4 s a pixel
        QVERIFY(line.slider.GetRequestedThumbnailTimes().isEmpty());
        line.slider.ShowThumbnail(At(10), picture);
        QVERIFY(line.slider.GetThumbnailTimes().isEmpty());

        // Dragging asks for the starts that come into sight.
        line.Add(0, At(12, 10), At(12, 11), Qt::red);
        line.Add(0, At(13, 50), At(13, 51), Qt::red);
        line.Rebuild();
        line.slider.OnHoverTimerOut();
        QCOMPARE(line.slider.GetRequestedThumbnailTimes(), QList<qint64>{At(12, 10)});
        line.slider.ShowThumbnail(At(12, 10), picture);
        QSignalSpy requests(&line.slider, &CMultiTimeSlider::SignalThumbnail);
        Press(line.view, {400, line.Y(0)});
        DragTo(line.view, {50, line.Y(0)}); // about 55 minutes later
        line.Rebuild();
        Release(line.view, {50, line.Y(0)});
        QCOMPARE(requests.count(), 1);
        QCOMPARE(line.AskedTimes(requests), QList<qint64>{At(13, 50)});
        QVERIFY(line.slider.GetThumbnailLabel(At(12, 10))->isVisible());
    }

    void stripHeightSnapsWhenDragged()
    {
        Line line(1);
        line.slider.SetThumbnailHeight(150);
        line.slider.SetAllwaysShow(true);
        CThumbnailWraper* strip = line.slider.GetThumbnailWraper();
        QVERIFY(strip && strip->isVisible());
        QCOMPARE(line.slider.GetHintHeight(), 171);
        // dragged height, picture height: above 200 it is 200, 100..200 are kept, 22..99 snap up
        // to 100 and less hides the pictures
        const int snap[][2] = {{900, 200}, {201, 200}, {200, 200}, {150, 150}, {100, 100},
                               {99, 100},  {50, 100},  {22, 100},  {21, 0},    {15, 0}, {-40, 0}};
        for (const auto& r : snap)
            QCOMPARE(Detail::SnapThumbnailHeight(r[0]), r[1]);
        // The strip moves while it is resized: the pointer is kept in screen coordinates.
        const QPoint press = strip->mapToGlobal(QPoint(20, 10)); // in the top band
        const auto at = [strip](const QPoint& global) { return strip->mapFromGlobal(global); };
        Press(strip, at(press));
        QVERIFY(strip->IsResizing());
        DragTo(strip, at(press + QPoint(0, 100)));
        QCOMPARE(line.slider.GetThumbnailHeight(), 100); // dragged to 50
        QCOMPARE(line.slider.GetThumbnailWidth(), 133);
        QCOMPARE(strip->height(), 121);
        DragTo(strip, at(press + QPoint(0, 135)));
        QCOMPARE(line.slider.GetThumbnailHeight(), 0); // dragged to 15
        QCOMPARE(strip->height(), 21);
        QCOMPARE(line.slider.GetHintHeight(), 0);
        DragTo(strip, at(press - QPoint(0, 200)));
        QCOMPARE(line.slider.GetThumbnailHeight(), 200);
        Release(strip, at(press));
        QVERIFY(!strip->IsResizing());
        // The strip's bottom stays on the time line.
        QCOMPARE(strip->geometry().bottom() + 1, line.view->mapToGlobal(QPoint(0, 0)).y());
    }

    void noThumbnailsWithoutSupportOrInSimplifyMode()
    {
        Line line(3);
        line.Add(2, At(6), At(18), Qt::magenta);
        line.slider.SetThumbnailHeight(60);
        line.slider.SetThumbnailSurpot(false);
        QCOMPARE(line.slider.GetThumbnailWraper()->GetTextLabel()->text(),
                 QString("The camera not support thumbnail!"));
        QSignalSpy requests(&line.slider, &CMultiTimeSlider::SignalThumbnail);
        line.slider.OnHoverTimerOut();
        QCOMPARE(requests.count(), 0);
        line.slider.SetThumbnailSurpot(true);
        QVERIFY(line.slider.GetThumbnailWraper()->GetTextLabel()->text().isEmpty());
        line.slider.OnHoverTimerOut();
        QCOMPARE(requests.count(), 1);

        // Thin rows keep their segments; pictures are off for good.
        line.slider.SetShowSimplifyMode();
        QCOMPARE(line.view->GetRowRect(2).height(), 6);
        QVERIFY(line.Shows(At(12), 2, Qt::magenta));
        QVERIFY(!line.Shows(At(12), 1, Qt::magenta));
        requests.clear();
        line.slider.OnHoverTimerOut();
        QCOMPARE(requests.count(), 0);
    }

    void spanTypeRemoveAndReset()
    {
        CMultiTimeSlider fresh;
        QCOMPARE(fresh.GetScaleLevel(), 9);
        fresh.SetSpanType(3); // outside the table
        fresh.SetSpanType(15);
        QCOMPARE(fresh.GetScaleLevel(), 9);
        fresh.SetSpanType(14);
        QCOMPARE(fresh.GetMultiChartView()->GetViewSpan(), 720.0);

        Line line(3);
        for (int row = 0; row < 3; ++row) {
            line.Add(row, At(1), At(2), Qt::red, 0);
            line.Add(row, At(3), At(4), Qt::blue, 2);
        }
        line.slider.RemoveTimeByTimeLevel(1, 2);
        QCOMPARE(line.view->GetRowSeries(1)->GetLevels(), QList<int>{0});
        QCOMPARE(line.view->GetRowSeries(0)->GetLevels(), (QList<int>{0, 2}));
        line.slider.RemoveTimeByTimeLevel(-1, 0); // every row
        QCOMPARE(line.view->GetRowSeries(0)->GetLevels(), QList<int>{2});
        QVERIFY(line.view->GetRowSeries(1)->GetLevels().isEmpty());
        QCOMPARE(line.view->GetRowSeries(2)->GetLevels(), QList<int>{2});

        line.slider.SetSpanType(12);
        line.slider.Reset(); // today, at the span type, without segments
        QCOMPARE(line.slider.GetScaleLevel(), 12);
        QCOMPARE(line.view->GetRowSeries(2)->ItemCount(), 0);
        QDateTime begin;
        QDateTime end;
        line.slider.GetCurrentTimeRange(begin, end);
        QCOMPARE(begin.secsTo(end), 7200);
        QCOMPARE(begin.date(), QDate::currentDate());
        QCOMPARE(end.date(), QDate::currentDate());
    }

    void rowsOutsideTheCountAreIgnored()
    {
        Line line(3);
        line.Add(0, At(1), At(2), Qt::red);
        for (int row : {-1, 3, 64, 1 << 30}) {
            line.Add(row, At(3), At(4), Qt::red);
            QMap<unsigned int, QVector<Segment>> map{
                {unsigned(row), {MakeSegment(At(5), At(6), Qt::red)}}};
            line.slider.AddTime(map);
            line.slider.ClearTime(row);
            if (row != -1) // -1 stands for every row there
                line.slider.RemoveTimeByTimeLevel(row, 0);
            line.slider.ClearSinglePlayLine(row);
            line.slider.SetPlayTime(unsigned(row), unsigned(At(7)), true);
            line.slider.SetChartName(unsigned(row), "x");
            line.slider.SetShowIndex(unsigned(row));
            int total = 0;
            for (int r = 0; r < 3; ++r)
                total += line.view->GetRowSeries(r)->ItemCount();
            QCOMPARE(total, 1);
            QCOMPARE(line.slider.GetFirstVisibleRow(), 0);
            line.Rebuild();
        }
    }

    void badSegmentsAreDropped()
    {
        // begin, end, level, stored: only levels 0..4, only times within unsigned seconds
        // clang-format off
        const qint64 rows[][4] = {{At(1), At(2), 5, 0}, {At(1), At(2), -1, 0}, {At(1), At(2), 4, 1},
                                  {At(2), At(1), 0, 0}, {0, 0, 0, 0}, {0, 0xFFFFFFFF, 0, 1},
                                  {0xFFFFFFFF, 0xFFFFFFFF, 0, 0}, {-100000, -1, 0, 0},
                                  {5000000000LL, 5000000100LL, 0, 0}};
        // clang-format on
        Line line(1);
        CTimeRectSeries* series = line.view->GetRowSeries(0);
        for (const auto& r : rows) {
            line.slider.ClearAllTimeRectSeries();
            line.Add(0, r[0], r[1], Qt::red, int(r[2]));
            QCOMPARE(series->ItemCount(), int(r[3]));
            QCOMPARE(line.Shows(At(1, 30), 0, Qt::red), r[3] == 1);
            if (r[3]) // clipped to the day
                QVERIFY(series->GetItems(int(r[2])).first().dLeft >= At(0)
                        && series->GetItems(int(r[2])).first().dRight <= At(24));
        }
    }
};

QTEST_MAIN(tst_MultiTimeSlider)
#include "tst_multitimeslider.moc"
