#include "TimeLine/MultiChartView.h"
#include "TimeLine/MultiTimeSlider.h"
#include "TimeLine/MultiTimeSliderGeometry_p.h"
#include "TimeLine/TimeSliderFilterPopup.h"
#include "Widgets/Event.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace TesselGUIToolkit;
using Segment = struTimeSliderData::TimeSegmentParam;

namespace {

const QDate kDay(2024, 6, 12);

qint64 At(int h, int m = 0, int s = 0)
{
    return QDateTime(kDay, QTime(0, 0)).addSecs(h * 3600 + m * 60 + s).toSecsSinceEpoch();
}

Segment MakeSegment(qint64 begin, qint64 end, const QColor& color, int level)
{
    Segment s;
    s.llBegin = begin;
    s.llEnd = end;
    s.brushFill = QBrush(color);
    s.nLevel = level;
    return s;
}

void AddOne(CMultiTimeSlider& slider, int row, qint64 begin, qint64 end, const QColor& color,
            int level = 0)
{
    QVector<Segment> segments{MakeSegment(begin, end, color, level)};
    slider.AddTime(segments, row);
}

// Runs layouts and the pending picture rebuild, as the event loop would.
void Rebuild(CMultiTimeSlider& slider)
{
    QCoreApplication::sendPostedEvents();
    slider.GetMultiChartView()->RebuildNow();
}

QColor Pixel(CMultiTimeSlider& slider, int x, int y)
{
    Rebuild(slider);
    return slider.GetMultiChartView()->GetPicture().toImage().pixelColor(x, y);
}

int XOf(CMultiTimeSlider& slider, qint64 utc)
{
    return slider.GetMultiChartView()->TimeToX(static_cast<double>(utc));
}

// A row's vertical middle as drawn now.
int RowY(CMultiTimeSlider& slider, int row)
{
    return slider.GetMultiChartView()->GetRowRect(row).center().y();
}

void SendMouse(QWidget* widget, QEvent::Type type, const QPoint& pos, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

void Press(QWidget* w, const QPoint& p)
{
    SendMouse(w, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
}
void DragTo(QWidget* w, const QPoint& p)
{
    SendMouse(w, QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton);
}
void Hover(QWidget* w, const QPoint& p)
{
    SendMouse(w, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
}
void Release(QWidget* w, const QPoint& p)
{
    SendMouse(w, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
}

/// A shown slider on kDay with `rows` rows, its view on the whole day (level 9).
std::unique_ptr<CMultiTimeSlider> MakeSlider(int rows = 4, const QSize& size = QSize(800, 300))
{
    auto slider = std::make_unique<CMultiTimeSlider>();
    slider->SetTimeRange(kDay, kDay);
    slider->SetTimeSliderCount(rows);
    slider->resize(size);
    slider->show();
    if (!QTest::qWaitForWindowExposed(slider.get()))
        return nullptr;
    slider->OnPlayTime(static_cast<unsigned int>(At(12)));
    Rebuild(*slider);
    return slider;
}

QtMessageHandler g_previousHandler = nullptr;

// The offscreen platform plugin has no window manager: it warns when a shown window's size hints
// change (the scroll bar comes and goes), when a tool window (the thumbnail strip) is raised and
// when a pop-up (the level filter) grabs the keyboard. None of it says anything about this code.
void DropPlatformWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtWarningMsg
        && (text == QLatin1String("This plugin does not support propagateSizeHints()")
            || text == QLatin1String("This plugin does not support raise()")
            || text == QLatin1String("This plugin does not support grabbing the keyboard")))
        return;
    g_previousHandler(type, context, text);
}

bool SameColor(const QColor& a, const QColor& b)
{
    return a.rgba() == b.rgba();
}

} // namespace

class tst_MultiTimeSlider : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { g_previousHandler = qInstallMessageHandler(DropPlatformWarnings); }
    void cleanupTestCase() { qInstallMessageHandler(g_previousHandler); }

    // ---- pure rules --------------------------------------------------------------------------
    void snapThumbnailHeight_data()
    {
        QTest::addColumn<int>("dragged");
        QTest::addColumn<int>("expected");
        QTest::newRow("far above") << 900 << 200;
        QTest::newRow("just above") << 201 << 200;
        QTest::newRow("top") << 200 << 200;
        QTest::newRow("kept") << 150 << 150;
        QTest::newRow("bottom") << 100 << 100;
        QTest::newRow("just below") << 99 << 100;
        QTest::newRow("fifty snaps up") << 50 << 100;
        QTest::newRow("last to snap up") << 22 << 100;
        QTest::newRow("first to hide") << 21 << 0;
        QTest::newRow("fifteen hides") << 15 << 0;
        QTest::newRow("negative") << -40 << 0;
    }
    void snapThumbnailHeight()
    {
        QFETCH(int, dragged);
        QFETCH(int, expected);
        QCOMPARE(Detail::SnapThumbnailHeight(dragged), expected);
    }

    void showIndexScroll_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("firstVisible");
        QTest::addColumn<int>("expected"); // scroll value, -1 = stay
        QTest::newRow("inside the first four") << 2 << 0 << -1;
        QTest::newRow("fourth visible row") << 3 << 0 << -1;
        QTest::newRow("fifth row scrolls") << 4 << 0 << 20;
        QTest::newRow("row ten") << 10 << 0 << 140;
        QTest::newRow("above the first") << 1 << 5 << 0;
        QTest::newRow("not below zero") << 2 << 9 << 0;
    }
    void showIndexScroll()
    {
        QFETCH(int, row);
        QFETCH(int, firstVisible);
        QFETCH(int, expected);
        QCOMPARE(Detail::ShowIndexScrollValue(row, firstVisible, 20), expected);
    }

    // ---- rows and the scroll bar -------------------------------------------------------------
    void rowCount_data()
    {
        QTest::addColumn<unsigned int>("requested");
        QTest::addColumn<int>("expected");
        QTest::newRow("none") << 0u << 0;
        QTest::newRow("one") << 1u << 1;
        QTest::newRow("sixteen") << 16u << 16;
        QTest::newRow("limit") << 64u << 64;
        QTest::newRow("one too many") << 65u << 64;
        QTest::newRow("hundred") << 100u << 64;
        QTest::newRow("absurd") << 0xFFFFFFFFu << 64;
    }
    void rowCount()
    {
        QFETCH(unsigned int, requested);
        QFETCH(int, expected);
        CMultiTimeSlider slider;
        QCOMPARE(slider.GetTimeSliderCount(), 1);
        slider.SetTimeSliderCount(requested);
        QCOMPARE(slider.GetTimeSliderCount(), expected);
        QCOMPARE(slider.GetMultiChartView()->GetRowCount(), expected);
        QVERIFY(!slider.GetMultiChartView()->GetRowSeries(expected));
    }

    void scrollBarOnlyWhenRowsOverflow()
    {
        auto slider = MakeSlider(4, QSize(600, 300));
        QVERIFY(slider);
        QScrollBar* bar = slider->GetVerticalScrollBar();
        QVERIFY(bar->isHidden());

        slider->SetTimeSliderCount(64);
        const int content = slider->GetMultiChartView()->GetContentHeight();
        QVERIFY(content > 300);
        QVERIFY(!bar->isHidden());
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), content - 300 + 2);
        QCOMPARE(bar->singleStep(), slider->GetRowHeight());

        bar->setValue(100);
        slider->SetTimeSliderCount(64); // setting the count scrolls back to the top
        QCOMPARE(bar->value(), 0);

        slider->SetTimeSliderCount(3);
        QVERIFY(bar->isHidden());
    }

    void showIndexScrollsOnlyWhenNeeded()
    {
        auto slider = MakeSlider(64, QSize(600, 200));
        QVERIFY(slider);
        slider->SetShowIndex(2);
        QCOMPARE(slider->GetFirstVisibleRow(), 0);
        slider->SetShowIndex(10);
        QCOMPARE(slider->GetFirstVisibleRow(), 7);
        slider->SetShowIndex(8); // among rows 7..10
        QCOMPARE(slider->GetFirstVisibleRow(), 7);
        slider->SetShowIndex(64); // no such row
        QCOMPARE(slider->GetFirstVisibleRow(), 7);
        slider->SetShowIndex(1);
        QCOMPARE(slider->GetFirstVisibleRow(), 0);
    }

    // ---- painting ----------------------------------------------------------------------------
    void rowPaintsItsSegmentColour()
    {
        auto slider = MakeSlider(4);
        QVERIFY(slider);
        AddOne(*slider, 2, At(6), At(18), Qt::red);
        const int x = XOf(*slider, At(12));
        QVERIFY(SameColor(Pixel(*slider, x, RowY(*slider, 2)), Qt::red));
        // Nothing leaks into the neighbouring rows or before the segment.
        QVERIFY(!SameColor(Pixel(*slider, x, RowY(*slider, 1)), Qt::red));
        QVERIFY(!SameColor(Pixel(*slider, x, RowY(*slider, 3)), Qt::red));
        QVERIFY(!SameColor(Pixel(*slider, XOf(*slider, At(3)), RowY(*slider, 2)), Qt::red));
    }

    void brushesOfEveryKindArePainted_data()
    {
        QTest::addColumn<QBrush>("brush");
        QTest::addColumn<bool>("withBackground");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("plain colour") << QBrush(Qt::red) << false << QColor(Qt::red);
        QTest::newRow("plain colour over a band") << QBrush(Qt::red) << true << QColor(Qt::red);
        // Half-transparent white over the band's grey (premultiplied arithmetic).
        QTest::newRow("translucent over a band")
            << QBrush(QColor(255, 255, 255, 128)) << true << QColor(191, 191, 191);
        QTest::newRow("pattern") << QBrush(QColor(Qt::darkGreen), Qt::Dense4Pattern) << false
                                 << QColor();
        QTest::newRow("pattern over a band")
            << QBrush(QColor(Qt::darkGreen), Qt::Dense4Pattern) << true << QColor();
    }
    void brushesOfEveryKindArePainted()
    {
        QFETCH(QBrush, brush);
        QFETCH(bool, withBackground);
        QFETCH(QColor, expected);
        auto slider = MakeSlider(3);
        QVERIFY(slider);
        const QColor band(128, 128, 128);
        if (withBackground) {
            slider->GetMultiChartView()->setStyleSheet(QStringLiteral(
                "TesselGUIToolkit--CMultiChartView { qproperty-m_colorRightChartBackground: "
                "rgb(128, 128, 128) }"));
            slider->GetMultiChartView()->ensurePolished();
        }
        QVector<Segment> segments{MakeSegment(At(6), At(18), Qt::black, 0)};
        segments[0].brushFill = brush;
        slider->AddTime(segments, 1);
        // An opaque neighbour in the row above proves the rows do not wipe each other.
        AddOne(*slider, 0, At(6), At(18), Qt::yellow);
        const int x = XOf(*slider, At(12));
        if (expected.isValid()) {
            const QColor got = Pixel(*slider, x, RowY(*slider, 1));
            QVERIFY2(qAbs(got.red() - expected.red()) <= 2
                         && qAbs(got.green() - expected.green()) <= 2
                         && qAbs(got.blue() - expected.blue()) <= 2,
                     qPrintable(got.name()));
        } else {
            // A pattern leaves some pixels of the band showing and paints others.
            int painted = 0;
            for (int dx = 0; dx < 8; ++dx) {
                if (SameColor(Pixel(*slider, x + dx, RowY(*slider, 1)), Qt::darkGreen))
                    ++painted;
            }
            QVERIFY(painted > 0 && painted < 8);
        }
        QVERIFY(SameColor(Pixel(*slider, x, RowY(*slider, 0)), Qt::yellow));
        if (withBackground) // the band shows where nothing was recorded
            QVERIFY(SameColor(Pixel(*slider, XOf(*slider, At(2)), RowY(*slider, 1)), band));
    }

    void headerTakesItsStyleColour()
    {
        auto slider = MakeSlider(1);
        QVERIFY(slider);
        CMultiChartView* view = slider->GetMultiChartView();
        QCOMPARE(view->GetColorTopBackground(), QColor(Qt::black));
        QCOMPARE(view->GetColorSelectRect(), QColor(84, 90, 93));
        QCOMPARE(view->GetSelectRectOpacity(), 0.7);
        QVERIFY(!view->GetColorLeftChartBackground().isValid());
        const QPoint header(60, 40); // between the axis labels and the first row
        QVERIFY(SameColor(Pixel(*slider, header.x(), header.y()), Qt::black));
        view->setStyleSheet(QStringLiteral(
            "TesselGUIToolkit--CMultiChartView { qproperty-m_colorTopBackground: red }"));
        view->ensurePolished();
        QVERIFY(SameColor(Pixel(*slider, header.x(), header.y()), Qt::red));
    }

    void shortSegmentStillLightsItsColumn()
    {
        auto slider = MakeSlider(1);
        QVERIFY(slider);
        // One second at the 24-hour view is far less than a pixel.
        AddOne(*slider, 0, At(9, 30), At(9, 30, 1), Qt::green);
        QVERIFY(SameColor(Pixel(*slider, XOf(*slider, At(9, 30)), RowY(*slider, 0)), Qt::green));
    }

    void manySegmentsOnOneColumnCostOneFill()
    {
        auto slider = MakeSlider(1);
        QVERIFY(slider);
        QVector<Segment> segments;
        for (int i = 0; i < 1000; ++i)
            segments.append(MakeSegment(At(8) + i / 20, At(8) + i / 20 + 1, Qt::yellow, 0));
        slider->AddTime(segments, 0);
        Rebuild(*slider);
        QCOMPARE(slider->GetMultiChartView()->GetRowSeries(0)->LastPaintedFillCount(), 1);
    }

    void rowsOutOfSightCostNothing()
    {
        auto slider = MakeSlider(64, QSize(600, 300));
        QVERIFY(slider);
        AddOne(*slider, 40, At(1), At(23), Qt::cyan);
        Rebuild(*slider);
        CTimeRectSeries* row40 = slider->GetMultiChartView()->GetRowSeries(40);
        QCOMPARE(row40->LastPaintedFillCount(), 0);
        slider->SetShowIndex(40);
        Rebuild(*slider);
        QCOMPARE(row40->LastPaintedFillCount(), 1);
        QVERIFY(SameColor(Pixel(*slider, XOf(*slider, At(12)), RowY(*slider, 40)), Qt::cyan));
    }

    void levelFilterHidesAndShowsLevels()
    {
        auto slider = MakeSlider(2);
        QVERIFY(slider);
        slider->AddTimeLevel(QIcon(), QStringLiteral("Continuous"), 0);
        slider->AddTimeLevel(QIcon(), QStringLiteral("Event"), 1);
        AddOne(*slider, 0, At(2), At(6), Qt::red, 0);
        AddOne(*slider, 0, At(14), At(18), Qt::blue, 1);
        AddOne(*slider, 1, At(14), At(18), Qt::blue, 1);
        const int xRed = XOf(*slider, At(4));
        const int xBlue = XOf(*slider, At(16));
        QVERIFY(SameColor(Pixel(*slider, xBlue, RowY(*slider, 0)), Qt::blue));

        QSignalSpy filtered(slider.get(), &CMultiTimeSlider::SignalFilterTriggered);
        QTest::mouseClick(slider->GetMultiChartView()->GetFilterButton(), Qt::LeftButton);
        CTimeSliderFilterPopup* popup = slider->GetFilterPopup();
        QVERIFY(popup->isVisible());
        QTest::mouseClick(popup->GetLevelCheckBox(1), Qt::LeftButton);
        QCOMPARE(filtered.count(), 1);
        QCOMPARE(filtered.at(0).at(0).value<QList<int>>(), QList<int>{0});
        QCOMPARE(slider->GetFilteredLevels(), QList<int>{0});
        QVERIFY(!SameColor(Pixel(*slider, xBlue, RowY(*slider, 0)), Qt::blue));
        QVERIFY(!SameColor(Pixel(*slider, xBlue, RowY(*slider, 1)), Qt::blue));
        QVERIFY(SameColor(Pixel(*slider, xRed, RowY(*slider, 0)), Qt::red));

        QTest::mouseClick(popup->GetLevelCheckBox(1), Qt::LeftButton);
        QCOMPARE(filtered.count(), 2);
        QCOMPARE(filtered.at(1).at(0).value<QList<int>>(), (QList<int>{0, 1}));
        QVERIFY(SameColor(Pixel(*slider, xBlue, RowY(*slider, 1)), Qt::blue));
        popup->hide();
    }

    void setFilteredLevels()
    {
        CMultiTimeSlider slider;
        slider.SetTimeSliderCount(3);
        slider.AddTimeLevels({0, 1, 2});
        slider.SetFilteredLevels({});
        QCOMPARE(slider.GetFilterPopup()->GetCheckedLevels(), (QList<int>{0, 1, 2}));
        QCOMPARE(slider.GetMultiChartView()->GetRowSeries(2)->GetFilterLevels(), QList<int>{-1});

        slider.SetFilteredLevels({1});
        QVERIFY(!slider.GetFilterPopup()->IsLevelChecked(1));
        QVERIFY(slider.GetFilterPopup()->IsLevelChecked(0));
        for (int row = 0; row < 3; ++row)
            QCOMPARE(slider.GetMultiChartView()->GetRowSeries(row)->GetFilterLevels(),
                     QList<int>{1});
        slider.SetTimeSliderCount(5); // new rows follow the filter
        QCOMPARE(slider.GetMultiChartView()->GetRowSeries(4)->GetFilterLevels(), QList<int>{1});
    }

    void storageChoiceIsReported()
    {
        CMultiTimeSlider slider;
        StorageSetting setting;
        setting.vecStorages = {{1, 10, QStringLiteral("Device")},
                               {2, 20, QStringLiteral("Server")}};
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

    // ---- synchronised mode and play markers --------------------------------------------------
    void synchronisedMode()
    {
        auto slider = MakeSlider(2);
        QVERIFY(slider);
        CMultiChartView* view = slider->GetMultiChartView();
        QVERIFY(slider->IsSyncTime());
        slider->SetSyncTime(static_cast<unsigned int>(At(9)));
        QCOMPARE(view->GetViewLeft() + view->GetViewSpan() / 2, double(At(9)));

        slider->CloseSynTime();
        QVERIFY(!slider->IsSyncTime());
        QVERIFY(!view->IsShowMidLine());
        slider->SetSyncTime(static_cast<unsigned int>(At(15)));
        QCOMPARE(view->GetViewLeft() + view->GetViewSpan() / 2, double(At(9)));

        // Apart, each channel shows its own play marker in its row.
        AddOne(*slider, 1, At(0, 30), At(23), Qt::darkBlue);
        slider->SetPlayTime(1, static_cast<unsigned int>(At(10)), false);
        const int x = XOf(*slider, At(10));
        QVERIFY(SameColor(Pixel(*slider, x, RowY(*slider, 1)), Qt::white));
        slider->ClearSinglePlayLine(1);
        QVERIFY(SameColor(Pixel(*slider, x, RowY(*slider, 1)), Qt::darkBlue));

        slider->SetPlayTime(1, static_cast<unsigned int>(At(10)), false);
        slider->OpenSynTime();
        QVERIFY(slider->IsSyncTime());
        QVERIFY(SameColor(Pixel(*slider, x, RowY(*slider, 1)), Qt::darkBlue));
    }

    void playTimeCentresWhenAsked()
    {
        auto slider = MakeSlider(1);
        QVERIFY(slider);
        CMultiChartView* view = slider->GetMultiChartView();
        slider->SetSpanType(13);
        slider->SetTagLockEditShow(true);
        const double left = view->GetViewLeft();
        slider->SetHold(true); // the playing time alone does not move a held view
        slider->SetPlayTime(0, static_cast<unsigned int>(At(20)), false);
        QCOMPARE(view->GetViewLeft(), left);
        QCOMPARE(view->GetTagLockEditSeries()->GetXValues().at(0), double(At(20)));
        slider->SetPlayTime(0, static_cast<unsigned int>(At(20)), true);
        QCOMPARE(view->GetViewLeft() + view->GetViewSpan() / 2, double(At(20)));
        QCOMPARE(view->GetViewSpan(), 3600.0);
        slider->SetHold(false);
    }

    // ---- mouse and signals -------------------------------------------------------------------
    void dragSeeksAndReportsTheCentre()
    {
        auto slider = MakeSlider(2);
        QVERIFY(slider);
        CMultiChartView* view = slider->GetMultiChartView();
        QSignalSpy click(slider.get(), QOverload<time_t>::of(&CMultiTimeSlider::SignalMouseClick));
        QSignalSpy clickRow(slider.get(),
                            QOverload<int, time_t>::of(&CMultiTimeSlider::SignalMouseClick));
        QSignalSpy rowClicked(slider.get(), &CMultiTimeSlider::SignalClicked);
        const double before = view->GetViewLeft();
        const QPoint start(400, RowY(*slider, 0));
        Press(view, start);
        QCOMPARE(view->cursor().shape(), Qt::ClosedHandCursor);
        DragTo(view, start - QPoint(100, 0));
        QVERIFY(view->GetViewLeft() > before); // dragging left shows later times
        slider->OnPlayTime(static_cast<unsigned int>(At(3))); // ignored while dragging
        QVERIFY(view->GetViewLeft() > before);
        Release(view, start - QPoint(100, 0));
        QCOMPARE(view->cursor().shape(), Qt::ArrowCursor);

        QCOMPARE(click.count(), 1);
        QCOMPARE(clickRow.count(), 1);
        const qint64 centre = qint64(view->GetViewLeft() + view->GetViewSpan() / 2);
        QCOMPARE(click.at(0).at(0).toLongLong(), centre);
        QCOMPARE(clickRow.at(0).at(0).toInt(), 0);
        QCOMPARE(clickRow.at(0).at(1).toLongLong(), centre);
        QCOMPARE(slider->CurrentTime().toSecsSinceEpoch(), centre);
        QCOMPARE(rowClicked.count(), 0); // a drag is not a click on a row

        Press(view, QPoint(300, RowY(*slider, 1)));
        Release(view, QPoint(300, RowY(*slider, 1)));
        QCOMPARE(rowClicked.count(), 1);
        QCOMPARE(rowClicked.at(0).at(0).toInt(), 1);
        QCOMPARE(view->GetSelectedRow(), 1);
    }

    void selectRangeInARow()
    {
        auto slider = MakeSlider(3);
        QVERIFY(slider);
        CMultiChartView* view = slider->GetMultiChartView();
        view->SetOpenSelectRect(true);
        QSignalSpy select(slider.get(), &CMultiTimeSlider::SignalSelect);
        const double left = view->GetViewLeft();
        const int y = RowY(*slider, 2);
        Press(view, QPoint(XOf(*slider, At(8)), y));
        DragTo(view, QPoint(XOf(*slider, At(10)), y));
        Release(view, QPoint(XOf(*slider, At(10)), y));
        QCOMPARE(view->GetViewLeft(), left);
        QCOMPARE(select.count(), 1);
        QCOMPARE(select.at(0).at(0).toInt(), 2);
        // One pixel is about two minutes at this scale.
        QVERIFY(qAbs(select.at(0).at(1).toLongLong() - At(8)) < 150);
        QVERIFY(qAbs(select.at(0).at(2).toLongLong() - At(10)) < 150);
    }

    void tagAndLockClicks()
    {
        auto slider = MakeSlider(2);
        QVERIFY(slider);
        CMultiChartView* view = slider->GetMultiChartView();
        Segment tag = MakeSegment(At(8), At(8, 5), Qt::gray, 0);
        tag.llUserData = 77;
        tag.strText = QStringLiteral("door");
        QVector<Segment> tags{MakeSegment(At(2), At(2, 1), Qt::gray, 0), tag};
        slider->AddTag(tags);
        QVector<Segment> locks{MakeSegment(At(16), At(17), Qt::gray, 0)};
        slider->AddLock(locks);
        Rebuild(*slider);

        QVector<RecordDataTag> marks;
        slider->GetTagRecordData(marks);
        QCOMPARE(marks.size(), 2);
        QCOMPARE(marks.at(1).llUserData, qint64(77));
        QCOMPARE(marks.at(1).strText, QStringLiteral("door"));
        QCOMPARE(slider->GetTagRecordDataPoint(marks[1]),
                 view->mapToGlobal(view->GetTagSeries()->GetMarkRect(1).topLeft()));

        QSignalSpy tagClicked(slider.get(), &CMultiTimeSlider::SignalTagClicked);
        QSignalSpy lockClicked(slider.get(), &CMultiTimeSlider::SignalLockClicked);
        QSignalSpy click(slider.get(), QOverload<time_t>::of(&CMultiTimeSlider::SignalMouseClick));
        const QPoint onTag = view->GetTagSeries()->GetMarkRect(1).center();
        Hover(view, onTag);
        QCOMPARE(view->cursor().shape(), Qt::ArrowCursor);
        Press(view, onTag);
        Release(view, onTag);
        QCOMPARE(tagClicked.count(), 1);
        QCOMPARE(tagClicked.at(0).at(0).toPoint(), onTag);
        QCOMPARE(tagClicked.at(0).at(1).value<size_t>(), size_t(1));
        QCOMPARE(click.count(), 1);

        const QPoint onLock = view->GetLockSeries()->GetMarkRect(0).center();
        Press(view, onLock);
        Release(view, onLock);
        QCOMPARE(lockClicked.count(), 1);
        QCOMPARE(lockClicked.at(0).at(1).value<size_t>(), size_t(0));

        slider->ClearTag();
        slider->GetTagRecordData(marks);
        QVERIFY(marks.isEmpty());
        RecordDataTag unknown;
        QCOMPARE(slider->GetTagRecordDataPoint(unknown), QPoint(0, 0));
    }

    void cursorFollowsTheParts()
    {
        auto slider = MakeSlider(2);
        QVERIFY(slider);
        CMultiChartView* view = slider->GetMultiChartView();
        Hover(view, QPoint(200, 5));
        QCOMPARE(view->cursor().shape(), Qt::OpenHandCursor);
        Hover(view, QPoint(200, RowY(*slider, 1)));
        QCOMPARE(view->cursor().shape(), Qt::ArrowCursor);
        slider->SetTagLockEditShow(true);
        slider->SetTagLockEditTime(static_cast<unsigned int>(At(10)),
                                   static_cast<unsigned int>(At(12)));
        Rebuild(*slider);
        Hover(view, QPoint(XOf(*slider, At(12)), RowY(*slider, 1)));
        QCOMPARE(view->cursor().shape(), Qt::SizeHorCursor);
    }

    void editRangeHandlesFollowTheMouse()
    {
        auto slider = MakeSlider(3);
        QVERIFY(slider);
        CMultiChartView* view = slider->GetMultiChartView();
        slider->SetTagLockEditShow(true);
        QVERIFY(slider->IsTagLockEditShow());
        slider->SetTagLockEditTime(static_cast<unsigned int>(At(10)),
                                   static_cast<unsigned int>(At(12)));
        Rebuild(*slider);
        QSignalSpy changed(slider.get(), &CMultiTimeSlider::SignalTagLockTimeRangeChanged);
        QSignalSpy saved(slider.get(), &CMultiTimeSlider::SignalUpadteLockFile);
        QSignalSpy click(slider.get(), QOverload<time_t>::of(&CMultiTimeSlider::SignalMouseClick));
        const double viewLeft = view->GetViewLeft();
        const int y = RowY(*slider, 1);

        Press(view, QPoint(XOf(*slider, At(10)), y));
        QCOMPARE(view->cursor().shape(), Qt::SizeHorCursor);
        const int x11 = XOf(*slider, At(11));
        DragTo(view, QPoint(x11, y));
        QCOMPARE(changed.count(), 1);
        const qint64 expected = qint64(view->XToTime(x11));
        QCOMPARE(changed.at(0).at(0).toDateTime(), QDateTime::fromSecsSinceEpoch(expected));
        QCOMPARE(changed.at(0).at(1).toBool(), true);
        // Past the right edge the left edge stays where it was.
        DragTo(view, QPoint(XOf(*slider, At(13)), y));
        QCOMPARE(changed.count(), 1);
        Release(view, QPoint(XOf(*slider, At(13)), y));
        QCOMPARE(saved.count(), 1);
        QCOMPARE(click.count(), 0);
        QCOMPARE(view->GetViewLeft(), viewLeft);
        QDateTime begin;
        QDateTime end;
        QVERIFY(slider->GetTagLockTimeRange(begin, end));
        QCOMPARE(begin.toSecsSinceEpoch(), expected);
        QCOMPARE(end.toSecsSinceEpoch(), At(12));

        Rebuild(*slider);
        Press(view, QPoint(XOf(*slider, At(12)), y));
        DragTo(view, QPoint(XOf(*slider, At(9)), y)); // right edge before the left one
        Release(view, QPoint(XOf(*slider, At(9)), y));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(saved.count(), 1);
        QVERIFY(slider->GetTagLockTimeRange(begin, end));
        QCOMPARE(end.toSecsSinceEpoch(), At(12));

        slider->SetTagLockTimeRange(QDateTime::fromSecsSinceEpoch(At(15)),
                                    QDateTime::fromSecsSinceEpoch(At(14)), false);
        QVERIFY(slider->GetTagLockTimeRange(begin, end));
        QCOMPARE(end.toSecsSinceEpoch(), At(12));
        slider->SetTagLockEditShow(false);
        QVERIFY(!slider->GetTagLockTimeRange(begin, end));
    }

    void calendarSignals()
    {
        auto slider = MakeSlider(1);
        QVERIFY(slider);
        QSignalSpy calendar(slider.get(), &CMultiTimeSlider::SignalPopupCalendar);
        QTest::mouseClick(slider->GetMultiChartView()->GetCalendarButton(), Qt::LeftButton);
        QCOMPARE(calendar.count(), 1);

        slider->SetTimeRange(kDay, kDay.addDays(1));
        QSignalSpy date(slider.get(), &CMultiTimeSlider::SignalCalendarDateChanged);
        QSignalSpy time(slider.get(), &CMultiTimeSlider::SignalCalenderTimeChanged);
        slider->SetCurrentTime(QDateTime(kDay.addDays(1), QTime(1, 0)));
        QCOMPARE(date.count(), 1);
        QCOMPARE(date.at(0).at(0).toDate(), kDay.addDays(1));
        QCOMPARE(time.count(), 1);
        QCOMPARE(time.at(0).at(0).toDateTime(), QDateTime(kDay.addDays(1), QTime(1, 0)));
    }

    void enterAndLeave()
    {
        auto slider = MakeSlider(1);
        QVERIFY(slider);
        CMultiChartView* view = slider->GetMultiChartView();
        QSignalSpy entered(slider.get(), &CTimeSlider::SignalMouseEnter);
        QSignalSpy left(slider.get(), &CTimeSlider::SignalMouseLeave);
        QEvent enter(QEvent::Enter);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(view, &enter);
        QCOMPARE(entered.count(), 1);
        QCoreApplication::sendEvent(view, &leave);
        QCoreApplication::sendEvent(view, &enter); // back within the delay
        QCOMPARE(entered.count(), 1);
        QCoreApplication::sendEvent(view, &leave);
        QTRY_COMPARE(left.count(), 1);
        QCOMPARE(entered.count(), 1);
    }

    // ---- thumbnails --------------------------------------------------------------------------
    void thumbnailRequests_data()
    {
        QTest::addColumn<QVector<qint64>>("row0");
        QTest::addColumn<QVector<qint64>>("row1");
        QTest::addColumn<int>("height");
        QTest::addColumn<QList<int>>("hiddenLevels");
        QTest::addColumn<QList<qint64>>("expected");
        // 770 chart pixels for 24 hours: a picture 80 px wide (height 60) covers about 2.5 h.
        QTest::newRow("one start") << QVector<qint64>{At(10)} << QVector<qint64>{} << 60
                                   << QList<int>{} << QList<qint64>{At(10)};
        QTest::newRow("close starts share a picture")
            << QVector<qint64>{At(1), At(1, 30), At(3), At(4)} << QVector<qint64>{} << 60
            << QList<int>{} << QList<qint64>{At(1), At(4)};
        QTest::newRow("starts of all rows") << QVector<qint64>{At(5)} << QVector<qint64>{At(1)}
                                            << 60 << QList<int>{} << QList<qint64>{At(1), At(5)};
        QTest::newRow("last minute of the day") << QVector<qint64>{At(23, 59)} << QVector<qint64>{}
                                                << 60 << QList<int>{} << QList<qint64>{At(23, 59)};
        QTest::newRow("smaller pictures lie closer")
            << QVector<qint64>{At(1), At(3)} << QVector<qint64>{} << 30 << QList<int>{}
            << QList<qint64>{At(1), At(3)};
        QTest::newRow("hidden level has no picture")
            << QVector<qint64>{At(1), At(6)} << QVector<qint64>{} << 60 << QList<int>{1}
            << QList<qint64>{At(6)};
        QTest::newRow("no height, no request") << QVector<qint64>{At(10)} << QVector<qint64>{At(11)}
                                               << 0 << QList<int>{} << QList<qint64>{};
        QTest::newRow("nothing recorded")
            << QVector<qint64>{} << QVector<qint64>{} << 60 << QList<int>{} << QList<qint64>{};
    }
    void thumbnailRequests()
    {
        QFETCH(QVector<qint64>, row0);
        QFETCH(QVector<qint64>, row1);
        QFETCH(int, height);
        QFETCH(QList<int>, hiddenLevels);
        QFETCH(QList<qint64>, expected);
        auto slider = MakeSlider(2);
        QVERIFY(slider);
        QCOMPARE(slider->GetMultiChartView()->GetChartRect().width(), 770);
        for (int i = 0; i < row0.size(); ++i) {
            // The first segment is level 1, the others level 0, so a filter can hide one.
            AddOne(*slider, 0, row0.at(i), row0.at(i) + 60, Qt::red, i == 0 ? 1 : 0);
        }
        for (qint64 t : row1)
            AddOne(*slider, 1, t, t + 60, Qt::red);
        if (!hiddenLevels.isEmpty())
            slider->SetFilteredLevels({0});
        slider->SetThumbnailHeight(height);
        QCOMPARE(slider->GetThumbnailWidth(), height * 4 / 3);
        Rebuild(*slider);

        QSignalSpy requests(slider.get(), &CMultiTimeSlider::SignalThumbnail);
        slider->OnHoverTimerOut();
        QList<qint64> asked;
        for (const QList<QVariant>& args : qAsConst(requests)) {
            if (args.at(0).toBool())
                asked.append(args.at(1).toLongLong());
        }
        QCOMPARE(asked, expected);
        QCOMPARE(slider->GetRequestedThumbnailTimes(), expected);
        // Asking again without a new view repeats nothing.
        requests.clear();
        slider->OnHoverTimerOut();
        QCOMPARE(requests.count(), expected.size());
    }

    void thumbnailAnswersArePlacedAndClickable()
    {
        auto slider = MakeSlider(1);
        QVERIFY(slider);
        AddOne(*slider, 0, At(10), At(11), Qt::red);
        slider->SetThumbnailHeight(60);
        Rebuild(*slider);
        slider->OnHoverTimerOut();
        QCOMPARE(slider->GetRequestedThumbnailTimes(), QList<qint64>{At(10)});
        CThumbnailWraper* strip = slider->GetThumbnailWraper();
        QVERIFY(strip);
        QVERIFY(strip->isVisible());
        QCOMPARE(strip->height(), 60 + 21);

        QPixmap picture(64, 48);
        picture.fill(Qt::darkGreen);
        slider->ShowThumbnail(At(9), picture); // never asked for
        QVERIFY(slider->GetThumbnailTimes().isEmpty());
        slider->ShowThumbnail(picture); // the pending request
        QCOMPARE(slider->GetThumbnailTimes(), QList<qint64>{At(10)});
        CTimeSilderPictureLabel* label = slider->GetThumbnailLabel(At(10));
        QVERIFY(label);
        QCOMPARE(label->property("time_t").toLongLong(), At(10));
        QCOMPARE(label->size(), QSize(80, 60));
        const QRect chart = slider->GetMultiChartView()->GetChartRect();
        QCOMPARE(label->geometry().left() + 40, XOf(*slider, At(10)) - chart.left());

        QSignalSpy click(slider.get(), QOverload<time_t>::of(&CMultiTimeSlider::SignalMouseClick));
        QSignalSpy clickRow(slider.get(),
                            QOverload<int, time_t>::of(&CMultiTimeSlider::SignalMouseClick));
        QTest::mouseClick(label, Qt::LeftButton);
        QCOMPARE(click.count(), 1);
        QCOMPARE(click.at(0).at(0).toLongLong(), At(10));
        QCOMPARE(clickRow.at(0).at(1).toLongLong(), At(10));

        // A zoom drops what was asked for; a late answer then changes nothing.
        slider->SetSpanType(12);
        QVERIFY(slider->GetRequestedThumbnailTimes().isEmpty());
        slider->ShowThumbnail(At(10), picture);
        QVERIFY(slider->GetThumbnailTimes().isEmpty());
    }

    void dragAsksForUncoveredTimes()
    {
        auto slider = MakeSlider(1);
        QVERIFY(slider);
        slider->SetSpanType(12); // 11:00 to 13:00, about 9.4 s a pixel
        AddOne(*slider, 0, At(12, 10), At(12, 11), Qt::red);
        AddOne(*slider, 0, At(13, 50), At(13, 51), Qt::red);
        slider->SetThumbnailHeight(60);
        Rebuild(*slider);
        slider->OnHoverTimerOut();
        QCOMPARE(slider->GetRequestedThumbnailTimes(), QList<qint64>{At(12, 10)});
        QPixmap picture(64, 48);
        picture.fill(Qt::darkGreen);
        slider->ShowThumbnail(At(12, 10), picture);

        QSignalSpy requests(slider.get(), &CMultiTimeSlider::SignalThumbnail);
        CMultiChartView* view = slider->GetMultiChartView();
        const int y = RowY(*slider, 0);
        Press(view, QPoint(400, y));
        DragTo(view, QPoint(50, y)); // about 55 minutes later
        Rebuild(*slider);
        Release(view, QPoint(50, y));
        QCOMPARE(requests.count(), 1);
        QCOMPARE(requests.at(0).at(0).toBool(), true);
        QCOMPARE(requests.at(0).at(1).toLongLong(), At(13, 50));
        QVERIFY(slider->GetThumbnailLabel(At(12, 10))->isVisible());
    }

    void stripHeightSnapsWhenDragged()
    {
        auto slider = MakeSlider(1);
        QVERIFY(slider);
        slider->SetThumbnailHeight(150);
        slider->SetAllwaysShow(true);
        QVERIFY(slider->IsAllwaysShow());
        CThumbnailWraper* strip = slider->GetThumbnailWraper();
        QVERIFY(strip && strip->isVisible());
        QCOMPARE(slider->GetHintHeight(), 171);

        const QPoint band(20, 10);
        const QPoint pressGlobal = strip->mapToGlobal(band);
        auto sendGlobal = [strip](QEvent::Type type, const QPoint& global, Qt::MouseButton button,
                                  Qt::MouseButtons buttons) {
            QMouseEvent event(type, strip->mapFromGlobal(global), global, button, buttons,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(strip, &event);
        };
        sendGlobal(QEvent::MouseButtonPress, pressGlobal, Qt::LeftButton, Qt::LeftButton);
        QVERIFY(strip->IsResizing());
        sendGlobal(QEvent::MouseMove, pressGlobal + QPoint(0, 100), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(slider->GetThumbnailHeight(), 100); // dragged to 50
        QCOMPARE(slider->GetThumbnailWidth(), 133);
        QCOMPARE(strip->height(), 121);
        sendGlobal(QEvent::MouseMove, pressGlobal + QPoint(0, 135), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(slider->GetThumbnailHeight(), 0); // dragged to 15
        QCOMPARE(strip->height(), 21);
        QCOMPARE(slider->GetHintHeight(), 0);
        sendGlobal(QEvent::MouseMove, pressGlobal - QPoint(0, 200), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(slider->GetThumbnailHeight(), 200);
        sendGlobal(QEvent::MouseButtonRelease, pressGlobal, Qt::LeftButton, Qt::NoButton);
        QVERIFY(!strip->IsResizing());
        // The strip's bottom stays on the time line.
        const QPoint lineTop = slider->GetMultiChartView()->mapToGlobal(QPoint(0, 0));
        QCOMPARE(strip->geometry().bottom() + 1, lineTop.y());
    }

    void unsupportedCameraShowsTheNotice()
    {
        auto slider = MakeSlider(1);
        QVERIFY(slider);
        AddOne(*slider, 0, At(10), At(11), Qt::red);
        slider->SetThumbnailHeight(60);
        slider->SetThumbnailSurpot(false);
        QCOMPARE(slider->GetThumbnailWraper()->GetTextLabel()->text(),
                 QStringLiteral("The camera not support thumbnail!"));
        QSignalSpy requests(slider.get(), &CMultiTimeSlider::SignalThumbnail);
        slider->OnHoverTimerOut();
        QCOMPARE(requests.count(), 0);
        slider->SetThumbnailSurpot(true);
        QVERIFY(slider->GetThumbnailWraper()->GetTextLabel()->text().isEmpty());
        slider->OnHoverTimerOut();
        QCOMPARE(requests.count(), 1);
    }

    // ---- modes and reset ---------------------------------------------------------------------
    void resetReturnsToTodayAtTheSpanType()
    {
        auto slider = MakeSlider(2);
        QVERIFY(slider);
        AddOne(*slider, 1, At(1), At(2), Qt::red);
        slider->SetSpanType(12);
        slider->Reset();
        QCOMPARE(slider->GetScaleLevel(), 12);
        QCOMPARE(slider->GetMultiChartView()->GetRowSeries(1)->ItemCount(), 0);
        QDateTime begin;
        QDateTime end;
        slider->GetCurrentTimeRange(begin, end);
        QCOMPARE(begin.secsTo(end), 7200);
        QCOMPARE(begin.date(), QDate::currentDate());
        QCOMPARE(end.date(), QDate::currentDate());
    }

    void removeTimeByTimeLevel()
    {
        auto slider = MakeSlider(3);
        QVERIFY(slider);
        for (int row = 0; row < 3; ++row) {
            AddOne(*slider, row, At(1), At(2), Qt::red, 0);
            AddOne(*slider, row, At(3), At(4), Qt::blue, 2);
        }
        CMultiChartView* view = slider->GetMultiChartView();
        slider->RemoveTimeByTimeLevel(1, 2);
        QCOMPARE(view->GetRowSeries(1)->GetLevels(), QList<int>{0});
        QCOMPARE(view->GetRowSeries(0)->GetLevels(), (QList<int>{0, 2}));
        slider->RemoveTimeByTimeLevel(-1, 0);
        QCOMPARE(view->GetRowSeries(0)->GetLevels(), QList<int>{2});
        QVERIFY(view->GetRowSeries(1)->GetLevels().isEmpty());
        QCOMPARE(view->GetRowSeries(2)->GetLevels(), QList<int>{2});
    }

    void spanTypeIgnoresLevelsOutsideTheTable()
    {
        CMultiTimeSlider slider;
        QCOMPARE(slider.GetScaleLevel(), 9);
        slider.SetSpanType(3);
        slider.SetSpanType(15);
        QCOMPARE(slider.GetScaleLevel(), 9);
        slider.SetSpanType(14);
        QCOMPARE(slider.GetScaleLevel(), 14);
        QCOMPARE(slider.GetMultiChartView()->GetViewSpan(), 720.0);
    }

    void simplifyModeKeepsSegmentsInTheThinRows()
    {
        auto slider = MakeSlider(3);
        QVERIFY(slider);
        AddOne(*slider, 2, At(6), At(18), Qt::magenta);
        slider->SetThumbnailHeight(60);
        slider->SetShowSimplifyMode();
        QVERIFY(slider->IsSimplifyMode());
        QCOMPARE(slider->GetRowHeight(), 6);
        QCOMPARE(slider->GetMultiChartView()->GetRowRect(2).height(), 6);
        QVERIFY(SameColor(Pixel(*slider, XOf(*slider, At(12)), RowY(*slider, 2)), Qt::magenta));
        QVERIFY(!SameColor(Pixel(*slider, XOf(*slider, At(12)), RowY(*slider, 1)), Qt::magenta));
        QSignalSpy requests(slider.get(), &CMultiTimeSlider::SignalThumbnail);
        slider->OnHoverTimerOut();
        QCOMPARE(requests.count(), 0);
    }

    // ---- bad input ---------------------------------------------------------------------------
    void rowsOutsideTheCountAreIgnored_data()
    {
        QTest::addColumn<int>("row");
        QTest::newRow("negative") << -1;
        QTest::newRow("just past") << 3;
        QTest::newRow("past the limit") << 64;
        QTest::newRow("huge") << (1 << 30);
    }
    void rowsOutsideTheCountAreIgnored()
    {
        QFETCH(int, row);
        auto slider = MakeSlider(3);
        QVERIFY(slider);
        AddOne(*slider, 0, At(1), At(2), Qt::red);
        AddOne(*slider, row, At(3), At(4), Qt::red);
        QMap<unsigned int, QVector<Segment>> map;
        map.insert(static_cast<unsigned int>(row), {MakeSegment(At(5), At(6), Qt::red, 0)});
        slider->AddTime(map);
        slider->ClearTime(row);
        if (row != -1) // -1 stands for every row there
            slider->RemoveTimeByTimeLevel(row, 0);
        slider->ClearSinglePlayLine(row);
        slider->SetPlayTime(static_cast<unsigned int>(row), static_cast<unsigned int>(At(7)), true);
        slider->SetChartName(static_cast<unsigned int>(row), QStringLiteral("x"));
        slider->SetShowIndex(static_cast<unsigned int>(row));
        int total = 0;
        for (int r = 0; r < 3; ++r)
            total += slider->GetMultiChartView()->GetRowSeries(r)->ItemCount();
        QCOMPARE(total, 1);
        QCOMPARE(slider->GetFirstVisibleRow(), 0);
        Rebuild(*slider);
    }

    void badSegmentsAreDropped_data()
    {
        QTest::addColumn<qint64>("begin");
        QTest::addColumn<qint64>("end");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("stored");
        QTest::newRow("level 5") << At(1) << At(2) << 5 << 0;
        QTest::newRow("level -1") << At(1) << At(2) << -1 << 0;
        QTest::newRow("level 4") << At(1) << At(2) << 4 << 1;
        QTest::newRow("reversed") << At(2) << At(1) << 0 << 0;
        QTest::newRow("time 0") << qint64(0) << qint64(0) << 0 << 0;
        QTest::newRow("no time") << qint64(0xFFFFFFFF) << qint64(0xFFFFFFFF) << 0 << 0;
        QTest::newRow("0 to no time is clipped") << qint64(0) << qint64(0xFFFFFFFF) << 0 << 1;
        QTest::newRow("before 1970") << qint64(-100000) << qint64(-1) << 0 << 0;
        QTest::newRow("after 2105") << qint64(5000000000LL) << qint64(5000000100LL) << 0 << 0;
    }
    void badSegmentsAreDropped()
    {
        QFETCH(qint64, begin);
        QFETCH(qint64, end);
        QFETCH(int, level);
        QFETCH(int, stored);
        auto slider = MakeSlider(1);
        QVERIFY(slider);
        AddOne(*slider, 0, begin, end, Qt::red, level);
        CTimeRectSeries* row = slider->GetMultiChartView()->GetRowSeries(0);
        QCOMPARE(row->ItemCount(), stored);
        const bool painted =
            SameColor(Pixel(*slider, XOf(*slider, At(1, 30)), RowY(*slider, 0)), Qt::red);
        QCOMPARE(painted, stored == 1);
        if (stored == 1) {
            const QVector<TimeRectItem> items = row->GetItems(level);
            QVERIFY(items.first().dLeft >= At(0));
            QVERIFY(items.first().dRight <= At(24));
        }
    }

    void noTimesAreIgnored()
    {
        auto slider = MakeSlider(1);
        QVERIFY(slider);
        CMultiChartView* view = slider->GetMultiChartView();
        const double left = view->GetViewLeft();
        slider->SetSyncTime(0xFFFFFFFFu);
        slider->SetPlayTime(0, 0xFFFFFFFFu, true);
        slider->SetCurrentTime(QDateTime());
        QCOMPARE(view->GetViewLeft(), left);
        slider->OnPlayTime(0u); // before the range: the range's begin
        QCOMPARE(view->GetViewLeft() + view->GetViewSpan() / 2, double(At(0)));
        slider->SetTagLockEditShow(true);
        slider->SetTagLockEditTime(0xFFFFFFFFu, 0xFFFFFFFFu);
        QDateTime begin;
        QDateTime end;
        QVERIFY(!slider->GetTagLockTimeRange(begin, end));
    }

    void millionSegmentsInOneCall()
    {
        auto slider = MakeSlider(2);
        QVERIFY(slider);
        QVector<Segment> segments;
        segments.reserve(1000000);
        const QBrush brush(Qt::red);
        for (int i = 0; i < 1000000; ++i) {
            Segment s;
            s.llBegin = At(0) + (i * 86LL) / 1000;
            s.llEnd = s.llBegin + 1;
            s.brushFill = brush;
            s.nLevel = i % 5;
            segments.append(s);
        }
        slider->AddTime(segments, 1);
        CTimeRectSeries* row = slider->GetMultiChartView()->GetRowSeries(1);
        QCOMPARE(row->ItemCount(), 1000000);
        Rebuild(*slider);
        // Merged per column and level: never more fills than columns times levels.
        QVERIFY(row->LastPaintedFillCount() <= 5 * 770);
        QVERIFY(SameColor(Pixel(*slider, XOf(*slider, At(12)), RowY(*slider, 1)), Qt::red));
    }

    void absurdSizes()
    {
        auto slider = MakeSlider(64);
        QVERIFY(slider);
        AddOne(*slider, 0, At(1), At(23), Qt::red);
        slider->resize(0, 0);
        Rebuild(*slider);
        slider->resize(10000, 300);
        Rebuild(*slider);
        CMultiChartView* view = slider->GetMultiChartView();
        QVERIFY(view->GetPicture().width() >= 9000);
        QVERIFY(SameColor(Pixel(*slider, XOf(*slider, At(12)), RowY(*slider, 0)), Qt::red));
        slider->resize(300, 10000);
        Rebuild(*slider);
        QVERIFY(slider->GetVerticalScrollBar()->isHidden());
        slider->resize(800, 300);
        Rebuild(*slider);
        QVERIFY(!slider->GetVerticalScrollBar()->isHidden());
    }
};

QTEST_MAIN(tst_MultiTimeSlider)
#include "tst_multitimeslider.moc"
