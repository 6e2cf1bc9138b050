#include "Calendar/CalendarDelegate.h"
#include "Calendar/CalendarMonthWidget.h"
#include "Calendar/CalendarTestSupport.h"
#include "Calendar/CalendarView.h"
#include "Calendar/CalendarWidget.h"
#include "Calendar/CalendarYearWidget.h"
#include "Core/ArbaricSetting.h"
#include "Core/Toolkit.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace TesselGUIToolkit;
using namespace CalendarTest;

namespace {

const QColor kAccent(245, 62, 67);
const QColor kMark(0, 160, 80);
const QColor kWhite(Qt::white);

// A calendar on September 2024 (the 1st is a Sunday), weeks from Monday, the 10th selected.
struct September
{
    explicit September(bool show = true)
    {
        w.SetFirstDayOfWeek(Qt::Monday);
        w.SetSelectedDate(QDate(2024, 9, 10));
        if (show)
            Show();
        ClearSpies();
    }
    void ClearSpies()
    {
        for (QSignalSpy* spy : {&selection, &page, &clicked, &range})
            spy->clear();
    }
    void Show()
    {
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
    }
    QWidget* Viewport() const { return w.GetView()->viewport(); }
    QRect Cell(const QDate& date) const // in the viewport
    {
        return w.GetView()->visualRect(w.GetModel()->IndexForDate(date));
    }
    QRect Pixels(const QDate& date) const // in Image()
    {
        return Cell(date).translated(Viewport()->mapTo(&w, QPoint(0, 0)));
    }
    void Mouse(QEvent::Type type, const QDate& date, Qt::MouseButtons buttons)
    {
        const QPoint at = Cell(date).center();
        const auto button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, Viewport()->mapToGlobal(at), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(Viewport(), &event);
    }
    template<typename T = QPushButton> T* Part(const char* name) const
    {
        return w.findChild<T*>(name);
    }
    QImage Image() { return Render(w); }

    CCalendarWidget w;
    QSignalSpy selection{&w, &CCalendarWidget::SignalSelectionChanged};
    QSignalSpy page{&w, &CCalendarWidget::SignalYearMonthChanged};
    QSignalSpy clicked{&w, &CCalendarWidget::SignalClicked};
    QSignalSpy range{&w, &CCalendarWidget::SignalDateChanged}; // begin and end
};

// clang-format off
struct ClickRow { const char* name; int mode; QDate day, minimum; int clicked, changed;
                  QDate selected; int month; bool hideOthers = false; };
struct SelectRow { const char* name; bool range; QDate first, second, selected; int changed, paged;
                   QDate minimum = {1970, 1, 1}, maximum = {2105, 12, 31}; };
// clang-format on

} // namespace

Q_DECLARE_METATYPE(ClickRow)
Q_DECLARE_METATYPE(SelectRow)

class tst_Calendar : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        InitGuiLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    void cleanup() { ArbaricSetting::Instance().SetReadDirection(ArbaricSetting::LeftToRight); }

    void partsAndDefaults()
    {
        CCalendarWidget calendar;
        QCOMPARE(calendar.size(), QSize(232, 202));
        for (const char* name : {"m_pPrevMonth_Arbaric", "m_pNextMonth_Arbaric",
                                 "ptr_month_button_", "ptr_year_button_"})
            QVERIFY2(calendar.findChild<QPushButton*>(name), name);
        QCOMPARE(calendar.findChild<CCalendarView*>("ptr_calendar_view_"), calendar.GetView());
        QVERIFY(qobject_cast<CCalendarDelegate*>(calendar.GetView()->itemDelegate()));
        QCOMPARE(calendar.GetView()->model(), calendar.GetModel());
        QCOMPARE(calendar.findChild<QLabel*>("ptr_triangle_label_")->styleSheet(),
                 QString("background: transparent; border: none;"));
        QCOMPARE(calendar.GetSelectedDate(), QDate::currentDate());
        QCOMPARE(calendar.property("selectionMode").value<CCalendarWidget::SelectionMode>(),
                 CCalendarWidget::SingleSelection);
        calendar.SetSelectionMode(CCalendarWidget::MultiSelection);
        calendar.SetSelectionMode(CCalendarWidget::SelectionMode(3)); // no such mode: ignored
        QCOMPARE(calendar.GetSelectionMode(), CCalendarWidget::MultiSelection);
        QSignalSpy enter(&calendar, &CCalendarWidget::SignalEnterCalendar);
        QEvent event(QEvent::Enter);
        QApplication::sendEvent(calendar.GetView()->viewport(), &event);
        QCOMPARE(enter.count(), 1);
        calendar.SetCurrentYearMonth(2024, 9);
        QCOMPARE(calendar.findChild<QPushButton*>("ptr_month_button_")->text(), QString("Sep"));
        QCOMPARE(calendar.findChild<QPushButton*>("ptr_year_button_")->text(), QString("2024"));
    }

    void modelCellsAndRoles()
    {
        September cal(false);
        CCalendarModel* model = cal.w.GetModel();
        const auto text = [model](int row, int column) {
            return model->data(model->index(row, column)).toString();
        };
        QCOMPARE(QSize(model->columnCount(), model->rowCount()), QSize(7, 7));
        QCOMPARE((QStringList{text(0, 0), text(0, 6), text(1, 0), text(1, 6)}),
                 (QStringList{"Mon", "Sun", "26", "1"})); // 26 August to 1 September
        QCOMPARE(model->data(model->index(3, 3), Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignCenter));
        QVERIFY(!model->data(model->index(99, 99)).isValid());
        cal.w.SetOtherDayShown(false);
        QCOMPARE(text(1, 0), QString());
        QCOMPARE(model->flags(model->index(1, 0)), Qt::NoItemFlags);
        cal.w.SetOtherDayShown(true);
        cal.w.SetFirstDayOfWeek(Qt::Saturday);
        QCOMPARE(text(0, 0), QString("Sat"));
        QCOMPARE(model->DateForCell(1, 0), QDate(2024, 8, 31));
        cal.w.SetFirstDayOfWeek(Qt::DayOfWeek(0)); // not a weekday: ignored
        QCOMPARE(cal.w.GetFirstDayOfWeek(), Qt::Saturday);

        // Days outside the range cannot be chosen; the header keeps its flags.
        cal.w.SetDateRange(QDate(2024, 9, 5), QDate(2024, 9, 25));
        const auto flags = [model](int d) {
            return model->flags(model->IndexForDate({2024, 9, d}));
        };
        QCOMPARE(flags(4) | flags(26), Qt::NoItemFlags);
        QVERIFY((flags(5) & Qt::ItemIsEnabled) && (flags(25) & Qt::ItemIsSelectable));
        QVERIFY(model->flags(model->index(0, 2)) & Qt::ItemIsEnabled);

        // Tool tip, foreground and background come from the text formats.
        QTextCharFormat holiday;
        holiday.setToolTip("Holiday");
        holiday.setForeground(Qt::blue);
        cal.w.SetDateTextFormat(QDate(2024, 9, 16), holiday);
        QTextCharFormat weekend;
        weekend.setBackground(Qt::yellow);
        cal.w.SetWeekdayTextFormat(Qt::Sunday, weekend);
        const QModelIndex day = model->IndexForDate(QDate(2024, 9, 16));
        QCOMPARE(model->data(day, Qt::ToolTipRole).toString(), QString("Holiday"));
        QCOMPARE(model->data(day, Qt::ForegroundRole).value<QBrush>(), QBrush(Qt::blue));
        const QModelIndex sunday = model->IndexForDate(QDate(2024, 9, 15));
        QCOMPARE(model->data(sunday, Qt::BackgroundRole).value<QBrush>(), QBrush(Qt::yellow));
        QVERIFY(!model->data(sunday, Qt::ToolTipRole).isValid());
        cal.w.SetDateTextFormat(QDate(), QTextCharFormat()); // clears every date
        QVERIFY(cal.w.GetDateTextFormat().isEmpty());
        QVERIFY(!model->data(day, Qt::ToolTipRole).isValid());

        // Each header format re-lays out the grid: the rows still fill the view.
        cal.Show();
        const CCalendarView* view = cal.w.GetView();
        for (auto format : {struCalendarData::SingleLetterDayNames, struCalendarData::LongDayNames,
                            struCalendarData::NoHorizontalHeader}) {
            cal.w.SetHorizontalHeaderFormat(format);
            const int rows = format == struCalendarData::NoHorizontalHeader ? 6 : 7;
            QCOMPARE(model->rowCount(), rows);
            QVERIFY(model->IsConsistent());
            const int bottom = view->rowViewportPosition(rows - 1) + view->rowHeight(rows - 1);
            QVERIFY(bottom <= view->viewport()->height());
            QVERIFY(bottom >= view->viewport()->height() - 5);
        }
        QCOMPARE(text(0, 0), QString("31")); // 31 August: weeks start on Saturday
    }

    void clickDay_data()
    {
        const QDate early(2024, 8, 1);
        // clang-format off
        AddRows<ClickRow>({
            {"day of the month", 1, {2024, 9, 18}, early, 1, 1, {2024, 9, 18}, 9},
            {"day of the previous month", 1, {2024, 8, 28}, early, 1, 1, {2024, 8, 28}, 8},
            {"day of the next month", 1, {2024, 10, 3}, early, 1, 1, {2024, 10, 3}, 10},
            {"selected day again", 1, {2024, 9, 10}, early, 1, 0, {2024, 9, 10}, 9},
            {"day before the minimum", 1, {2024, 9, 3}, {2024, 9, 5}, 0, 0, {2024, 9, 10}, 9},
            {"hidden neighbour day", 1, {2024, 8, 28}, early, 0, 0, {2024, 9, 10}, 9, true},
            {"no selection", 0, {2024, 9, 18}, early, 1, 0, {2024, 9, 10}, 9},
            {"multi-selection", 2, {2024, 9, 18}, early, 1, 1, {2024, 9, 18}, 9}});
        // clang-format on
    }
    void clickDay()
    {
        QFETCH(ClickRow, row);
        September cal;
        cal.w.SetDateRange(row.minimum, QDate(2024, 10, 31));
        cal.w.SetSelectionMode(CCalendarWidget::SelectionMode(row.mode));
        const QPoint where = cal.Cell(row.day).center();
        cal.w.SetOtherDayShown(!row.hideOthers);
        cal.ClearSpies();
        QSignalSpy change(&cal.w, &CCalendarWidget::SignalChangeDate);
        QTest::mouseClick(cal.Viewport(), Qt::LeftButton, Qt::NoModifier, where);
        QCOMPARE(cal.clicked.count(), row.clicked);
        QCOMPARE(cal.selection.count(), row.changed);
        QCOMPARE(change.count(), row.changed);
        QCOMPARE(cal.range.count(), row.mode != 0 ? row.clicked : 0);
        if (row.clicked)
            QCOMPARE(cal.clicked.at(0).at(0).toDate(), row.day);
        if (row.changed)
            QCOMPARE(change.at(0), (QList<QVariant>{row.day, row.mode == 2}));
        if (!cal.range.isEmpty())
            QCOMPARE(cal.range.at(0), (QList<QVariant>{row.day, row.day}));
        QCOMPARE(cal.w.GetSelectedDate(), row.selected);
        QCOMPARE(cal.w.GetMonthShown(), row.month);
        QVERIFY(cal.w.GetModel()->IsConsistent());
    }

    void dragSelectsRange()
    {
        // backward over weeks: the range runs from the earlier day
        const QDate from(2024, 9, 29);
        const QDate to(2024, 9, 2);
        September cal;
        cal.w.SetSelectionMode(CCalendarWidget::MultiSelection);
        cal.Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
        cal.Mouse(QEvent::MouseMove, from.addDays(1), Qt::LeftButton);
        cal.Mouse(QEvent::MouseMove, to, Qt::LeftButton);
        cal.Mouse(QEvent::MouseButtonRelease, to, Qt::NoButton);
        QCOMPARE(cal.range.count(), 1);
        QCOMPARE(cal.range.at(0), (QList<QVariant>{to, from}));
        QCOMPARE(cal.clicked.at(0).at(0).toDate(), to);
        QDate begin;
        QDate end;
        cal.w.GetSelectedDate(begin, end);
        QCOMPARE(QPair(begin, end), QPair(to, from));
        // every day of the range is painted selected, the days around it are not
        const QImage image = cal.Image();
        for (const QDate& day : {to, to.addDays(8), from, from.addDays(1)}) {
            const QRect cell = cal.Pixels(day);
            COMPARE_COLOR(image.pixelColor(cell.left() + 3, cell.bottom() - 1),
                          day > from ? kWhite : kAccent);
        }
    }

    void pageMoves()
    {
        September cal(false);
        void (CCalendarWidget::*moves[])() = {
            &CCalendarWidget::ShowNextMonth, &CCalendarWidget::ShowPreviousMonth,
            &CCalendarWidget::ShowNextYear, &CCalendarWidget::ShowPreviousYear};
        // year, month, move, expected year and month: over new year, and held at the limits
        const int rows[][5] = {{2024, 12, 0, 2025, 1}, {2025, 1, 1, 2024, 12},
                               {2024, 2, 2, 2025, 2},  {2024, 2, 3, 2023, 2},
                               {2105, 6, 2, 2105, 12}, {1970, 6, 3, 1970, 1}};
        for (const auto& r : rows) {
            cal.w.SetCurrentYearMonth(r[0], r[1]);
            cal.page.clear();
            (cal.w.*moves[r[2]])();
            QCOMPARE(cal.page.count(), 1);
            QCOMPARE(cal.page.at(0), (QList<QVariant>{r[3], r[4]}));
        }
        QCOMPARE(cal.w.GetSelectedDate(), QDate(2024, 9, 10)); // pages leave the selection

        // Bad pages are ignored or held at the range; so are bad month and year texts.
        const int bad[][4] = {{2024, 13, 2024, 9}, {0, 5, 2024, 9}, {100000, 1, 2105, 12},
                              {-4000, 1, 1970, 1}}; // year, month, shown year and month
        for (const auto& b : bad) {
            cal.w.SetCurrentYearMonth(2024, 9);
            cal.w.SetCurrentYearMonth(b[0], b[1]);
            QCOMPARE(QPoint(cal.w.GetYearShown(), cal.w.GetMonthShown()), QPoint(b[2], b[3]));
        }
        const char* texts[][3] = {{"3", "", "2024/3"},        {"dec", "", "2024/12"},
                                  {"July", "2030", "2030/7"}, {"Julember", "20x0", "2024/9"},
                                  {"13", "-", "2024/9"}}; // month text, year text, shown
        for (const auto& t : texts) {
            cal.w.SetCurrentYearMonth(2024, 9);
            cal.w.OnMonthChanged(t[0]);
            cal.w.OnYearChanged(t[1]);
            QCOMPARE(QString("%1/%2").arg(cal.w.GetYearShown()).arg(cal.w.GetMonthShown()),
                     QString(t[2]));
        }
    }

    void selectDateAndRange_data()
    {
        // SetDateRange(first, second) or SetSelectedDate(first)
        const QDate d1(2024, 10, 5);
        const QDate d2(2024, 12, 31);
        const QDate sel(2024, 9, 10);
        const QDate early(2020, 1, 1);
        const QDate late(2020, 2, 1);
        // clang-format off
        AddRows<SelectRow>({
            {"same page", false, {2024, 9, 20}, {}, {2024, 9, 20}, 1, 0},
            {"other page", false, {2025, 2, 3}, {}, {2025, 2, 3}, 1, 1},
            {"current date", false, sel, {}, sel, 0, 0}, {"invalid", false, {}, {}, sel, 0, 0},
            {"30 February", false, {2024, 2, 30}, {}, sel, 0, 0},
            {"far past", false, {1, 1, 1}, {}, {1970, 1, 1}, 1, 1},
            {"far future", false, {9999, 12, 31}, {}, {2105, 12, 31}, 1, 1},
            {"range", true, d1, d2, d1, 1, 1, d1, d2},
            {"reversed range", true, d2, d1, d1, 1, 1, d1, d2},
            {"range holds the selection", true, {2024, 9, 1}, d2, sel, 0, 0, {2024, 9, 1}, d2},
            {"range before the selection", true, early, late, late, 1, 1, early, late},
            {"far apart", true, {1, 1, 1}, {9999, 12, 31}, sel, 0, 0, {1, 1, 1}, {9999, 12, 31}},
            {"invalid minimum", true, {}, d2, sel, 0, 0},
            {"invalid maximum", true, d1, {2024, 2, 30}, sel, 0, 0},
            {"unchanged range", true, {1970, 1, 1}, {2105, 12, 31}, sel, 0, 0}});
        // clang-format on
    }
    void selectDateAndRange()
    {
        QFETCH(SelectRow, row);
        September cal(false);
        if (row.range)
            cal.w.SetDateRange(row.first, row.second);
        else
            cal.w.SetSelectedDate(row.first);
        QCOMPARE(QPair(cal.w.GetMinimumDate(), cal.w.GetMaximumDate()),
                 QPair(row.minimum, row.maximum));
        QCOMPARE(cal.selection.count(), row.changed);
        QCOMPARE(cal.page.count(), row.paged);
        QCOMPARE(QPoint(cal.w.GetYearShown(), cal.w.GetMonthShown()),
                 QPoint(row.selected.year(), row.selected.month()));
        QDate begin;
        QDate end;
        cal.w.GetSelectedDate(begin, end);
        QCOMPARE(QVector<QDate>({cal.w.GetSelectedDate(), begin, end}),
                 QVector<QDate>(3, row.selected));
        QVERIFY(cal.w.GetModel()->IsConsistent());
    }

    void selectDateWithRangeAndLimits()
    {
        September cal(false);
        cal.w.SetSelectedDate(QDate(2024, 9, 25), QDate(2024, 9, 12), QDate(2024, 9, 12));
        QCOMPARE(cal.selection.count(), 1);
        QDate begin;
        QDate end;
        cal.w.GetSelectedDate(begin, end);
        QCOMPARE(QPair(begin, end), QPair(QDate(2024, 9, 12), QDate(2024, 9, 25)));
        QCOMPARE(cal.w.GetSelectedDate(), QDate(2024, 9, 12));
        // the date already current: only the title is refreshed
        cal.w.SetCurrentYearMonth(2024, 3);
        cal.w.SetSelectedDate(QDate(2024, 1, 1), QDate(2024, 1, 5), QDate(2024, 9, 12));
        QCOMPARE(cal.selection.count(), 1);
        QCOMPARE(cal.w.GetMonthShown(), 3);
        // a new range moves the page into it; one limit pushes the other, and the selection
        cal.w.SetDateRange(QDate(2024, 6, 1), QDate(2024, 12, 31));
        QCOMPARE(cal.w.GetMonthShown(), 6);
        cal.w.SetMinimumDate(QDate(2025, 8, 1));
        QCOMPARE(cal.w.GetMaximumDate(), QDate(2025, 8, 1));
        cal.w.SetMaximumDate(QDate(2023, 2, 1));
        cal.w.SetMaximumDate(QDate());
        QCOMPARE((QVector<QDate>{cal.w.GetMinimumDate(), cal.w.GetMaximumDate(),
                                 cal.w.GetSelectedDate()}),
                 QVector<QDate>(3, QDate(2023, 2, 1)));
    }

    void slotsIgnoreBadInput()
    {
        September cal;
        cal.w.OnChangeDate(QDate(), true);
        cal.w.OnSelectDate(QDate(), QDate(2024, 9, 20));
        cal.w.OnSelectDate(QDate(2024, 9, 20), QDate(2024, 2, 31));
        cal.w.OnShowDate(QDate());
        cal.w.UpdateCurrentPage(QDate());
        cal.w.UpdateCell(QDate());
        cal.w.UpdateCell(QDate(1999, 1, 1));
        cal.w.OnSelectedYear(0);
        QTest::mouseClick(cal.Part("ptr_month_button_"), Qt::LeftButton);
        cal.w.OnSelectedMonth(13); // nothing to show, but the picker still closes
        QCOMPARE(cal.w.GetOpenPicker(), 0);
        QCOMPARE(cal.selection.count() + cal.page.count(), 0);
        QDate begin;
        QDate end;
        cal.w.GetSelectedDate(begin, end);
        QCOMPARE(QVector<QDate>({cal.w.GetSelectedDate(), begin, end}),
                 QVector<QDate>(3, QDate(2024, 9, 10)));
        QVERIFY(cal.w.GetModel()->IsConsistent());
        // the multi-selection switch reports a press on the selected day again
        cal.w.OnChangeDate(QDate(2024, 9, 10), true);
        QCOMPARE(cal.selection.count(), 1);
        cal.w.OnChangeDate(QDate(2024, 9, 10), false);
        QCOMPARE(cal.selection.count(), 1);
    }

    void marksAndColours()
    {
        September cal;
        CCalendarWidget& calendar = cal.w;
        const QDate day(2024, 9, 12);
        calendar.SetDayMarkColor(day, Qt::red);
        calendar.SetDayMarkColor(day, Qt::green); // the second colour replaces the first
        QCOMPARE(calendar.GetColorByTickType(day), QColor(Qt::green));
        calendar.SetDayColor(day, Qt::blue);
        calendar.SetDayBackgroundColor(day, Qt::yellow);
        calendar.RemoveDayMark(day); // the mark only
        QVERIFY(!calendar.GetColorByTickType(day).isValid());
        QCOMPARE(calendar.GetDayColorByTickType(day), QColor(Qt::blue));
        calendar.SetDayMarkColor(QDate(), Qt::red);
        QVERIFY(!calendar.GetColorByTickType(QDate()).isValid());
        calendar.SetDayMarkColor(day, Qt::red);
        calendar.SetDayMarkColor(day, QColor()); // an invalid colour removes the mark
        QVERIFY(!calendar.GetColorByTickType(day).isValid());

        // Removing by colour empties all three lists of it; each Clear empties one list.
        calendar.SetDayMarkColor(day, Qt::blue);
        calendar.SetDayMarkColor(day.addDays(1), Qt::red);
        calendar.SetDayBackgroundColor(day.addDays(1), Qt::blue);
        calendar.RemoveAllDayMarkByColor(Qt::blue);
        QVERIFY(!calendar.GetColorByTickType(day).isValid());
        QVERIFY(!calendar.GetDayColorByTickType(day).isValid());
        QVERIFY(!calendar.GetBackgroundColorByTickType(day.addDays(1)).isValid());
        QCOMPARE(calendar.GetColorByTickType(day.addDays(1)), QColor(Qt::red));
        calendar.SetDayColor(day, Qt::red);
        calendar.ClearAllDayMark();
        calendar.ClearAllDayColor();
        QVERIFY(!calendar.GetColorByTickType(day.addDays(1)).isValid());
        QVERIFY(!calendar.GetDayColorByTickType(day).isValid());
        QCOMPARE(calendar.GetBackgroundColorByTickType(day), QColor(Qt::yellow));
        calendar.ClearAllDayBackgroundColor();
        QVERIFY(!calendar.GetBackgroundColorByTickType(day).isValid());

        // Every day of the default range marked: still quick to set, paint and remove.
        const QDate first(1970, 1, 1);
        for (int i = 0; i < 49000; ++i)
            calendar.SetDayMarkColor(first.addDays(i), i % 2 ? kMark : QColor(Qt::blue));
        QCOMPARE(calendar.GetColorByTickType(first.addDays(48999)), kMark);
        QVERIFY(!cal.Image().isNull());
        calendar.RemoveAllDayMarkByColor(Qt::blue);
        QVERIFY(!calendar.GetColorByTickType(first).isValid());
        QCOMPARE(calendar.GetColorByTickType(first.addDays(1)), kMark);
    }

    void dayLooks()
    {
        September cal;
        const auto day = [](int d) { return QDate(2024, 9, d); };
        cal.w.SetDateRange(QDate(2024, 8, 1), day(27));
        cal.w.SetDayMarkColor(day(18), kMark);
        cal.w.SetDayMarkColor(day(10), kMark); // selected: a white triangle
        cal.w.SetDayBackgroundColor(day(17), QColor(0, 0, 200));
        cal.w.SetDayColor(day(24), QColor(0, 0, 0, 20));
        cal.w.SetDayMarkColor(day(24), kMark);
        cal.Mouse(QEvent::MouseMove, day(25), Qt::NoButton);
        QCOMPARE(cal.w.GetView()->GetHoverIndex(), cal.w.GetModel()->IndexForDate(day(25)));
        QImage image = cal.Image();
        // a pixel of a day's cell, counted from the right or bottom edge when negative
        const auto at = [&](int d, int dx, int dy) {
            const QRect cell = cal.Pixels(day(d));
            return image.pixelColor(dx < 0 ? cell.right() + 1 + dx : cell.left() + dx,
                                    dy < 0 ? cell.bottom() + 1 + dy : cell.top() + dy);
        };
        const int side = qMin(cal.Pixels(day(18)).width(), cal.Pixels(day(18)).height()) / 3;
        const int mid = cal.Pixels(day(18)).height() / 2;
        const QColor blue(0, 0, 200);
        // clang-format off
        const struct { int day, dx, dy; QColor colour; } probes[] = {
            // the mark: a corner triangle of side min(w, h) / 3, white on the selected day, and
            // the day's own look below its edge; no triangle on an unmarked day
            {18, -4, 2, kMark}, {18, -2, side - 3, kMark}, {18, 2 - side, side - 2, kWhite},
            {10, -4, 2, kWhite}, {10, -2, side - 3, kWhite}, {10, 2 - side, side - 2, kAccent},
            {19, -4, 2, kWhite},
            // selected: the inner rectangle in the accent; hovered: a one-pixel frame in it
            {10, 2, 2, kAccent}, {10, 1, 2, kWhite}, {25, 2, mid, kAccent}, {25, -3, mid, kAccent},
            {25, 3, mid, kWhite}, {25, 0, mid, kWhite},
            // a background colour fills the cell over the text, a day colour (black at alpha
            // 20) over the mark too
            {17, 0, 0, blue}, {17, 16, mid, blue}, {24, 0, -1, {235, 235, 235}},
            {24, -4, 2, {0, 147, 74}}};
        // clang-format on
        for (const auto& p : probes)
            COMPARE_COLOR(at(p.day, p.dx, p.dy), p.colour);
        const auto text = [&](int d) {
            return cal.w.GetTextRect(cal.Pixels(day(d))).adjusted(4, 2, -4, -2);
        };
        QVERIFY(HasPixelNear(image, text(10), kWhite, 3));
        QVERIFY(HasPixelNear(image, text(25), kAccent, 12));
        // Text: grey 51 in the month; black at opacity 0.28 (grey 184) for another month's days
        // and for days outside the range. Header cells: a light fill and grey 153 text.
        const QRect neighbour = cal.w.GetTextRect(cal.Pixels(QDate(2024, 8, 28)));
        const QRect header = cal.w.GetView()->visualRect(cal.w.GetModel()->index(0, 2))
                                 .translated(cal.Viewport()->mapTo(&cal.w, QPoint(0, 0)));
        for (const auto& [rect, ink] : {std::pair(text(19), 51), std::pair(neighbour, 184),
                                        std::pair(text(28), 184), std::pair(header, 153)})
            QVERIFY2(qAbs(Ink(image, rect) - ink) <= 8, QByteArray::number(Ink(image, rect)));
        COMPARE_COLOR(image.pixelColor(header.topLeft() + QPoint(1, 1)), QColor(250, 250, 250));

        cal.w.SetOtherDayShown(false);
        cal.w.SetSelectionMode(CCalendarWidget::NoSelection);
        image = cal.Image();
        QCOMPARE(Ink(image, neighbour), 255); // no number at all
        COMPARE_COLOR(at(10, 2, 2), kWhite);
    }

    void todayHasTheAccentAndADot()
    {
        const QDate today = QDate::currentDate();
        September cal(false);
        cal.w.SetSelectedDate(today.addDays(today.day() > 15 ? -10 : 10));
        cal.w.SetCurrentYearMonth(today.year(), today.month());
        cal.Show();
        QImage image = cal.Image();
        const QRect cell = cal.Pixels(today);
        const QPoint dot(cell.left() + cell.width() / 2, cell.top() + 24);
        for (const QPoint& d : {QPoint(-1, 0), QPoint(0, 0), QPoint(-1, 1), QPoint(0, 1)})
            COMPARE_COLOR(image.pixelColor(dot + d), kAccent);
        COMPARE_COLOR(image.pixelColor(dot + QPoint(2, 1)), kWhite); // a 2 x 2 block, no more
        QVERIFY(HasPixelNear(image, cal.w.GetTextRect(cell), kAccent, 12));
        cal.w.SetSelectedDate(today); // selected, the dot turns white on the accent
        image = cal.Image();
        COMPARE_COLOR(image.pixelColor(dot), kWhite);
        COMPARE_COLOR(image.pixelColor(dot + QPoint(-5, 0)), kAccent);
    }

    void monthPickerChoosesAMonth()
    {
        September cal;
        QSignalSpy label(&cal.w, &CCalendarWidget::SignalMonthLabelClicked);
        QSignalSpy popup(&cal.w, &CCalendarWidget::SignalMonthPopup);
        QPushButton* button = cal.Part("ptr_month_button_");
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(QPoint(label.count(), popup.count()), QPoint(1, 1));
        QCOMPARE(cal.w.GetOpenPicker(), 1);
        QVERIFY(button->isChecked());
        auto* picker = cal.Part<CCalendarMonthWidget>("ptr_month_widget_");
        QVERIFY(picker->isVisible());
        QCOMPARE(QPoint(picker->GetYear(), picker->GetCurrentMonth()), QPoint(2024, 9));
        auto* overlay = cal.Part<QFrame>("ptr_overlay_frame_");
        QCOMPARE(overlay->geometry(), QRect(0, 25, 232, 177));
        QCOMPARE(overlay->styleSheet(),
                 QString("background-color: rgba(38, 38, 38, 102); border: none;"));
        auto* triangle = cal.Part<QLabel>("ptr_triangle_label_");
        QCOMPARE(triangle->geometry(), QRect(91, 25, 8, 4));
        QVERIFY(overlay->isVisible() && triangle->isVisible());
        // Over the dimmed grid (rgba(38, 38, 38, 102) on white: grey 168) the white picker and
        // the white triangle, apex 2 pixels wide, base 8.
        const QImage image = cal.Image();
        const QColor dim(168, 168, 168);
        const std::pair<QPoint, QColor> probes[] = {
            {{4, 198}, dim},    {{116, 60}, kWhite}, {{94, 25}, kWhite}, {{95, 25}, kWhite},
            {{92, 25}, dim},    {{91, 28}, kWhite},  {{98, 28}, kWhite}, {{90, 28}, dim}};
        for (const auto& [point, colour] : probes)
            COMPARE_COLOR(image.pixelColor(point), colour);

        // Month 7 sits in row 1, column 0.
        QWidget* viewport = picker->viewport();
        const QPoint july = picker->visualRect(picker->model()->index(1, 0)).center();
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, july);
        QCOMPARE(QPoint(cal.w.GetYearShown(), cal.w.GetMonthShown()), QPoint(2024, 7));
        QCOMPARE(cal.page.count(), 1);
        QCOMPARE(cal.page.at(0).at(1).toInt(), 7);
        QCOMPARE(cal.w.GetOpenPicker(), 0);
        QVERIFY(!picker->isVisible() && !overlay->isVisible() && !triangle->isVisible());
        QVERIFY(!button->isChecked());
        QCOMPARE(overlay->styleSheet(), QString("background: transparent; border: none;"));

        // Within a range: the arrows stop at its months, the picker offers only its months.
        cal.w.SetDateRange(QDate(2024, 3, 15), QDate(2024, 11, 2));
        cal.w.SetCurrentYearMonth(2024, 11);
        QVERIFY(cal.Part("m_pPrevMonth_Arbaric")->isEnabled());
        QVERIFY(!cal.Part("m_pNextMonth_Arbaric")->isEnabled());
        QTest::mouseClick(cal.Part("m_pNextMonth_Arbaric"), Qt::LeftButton);
        QCOMPARE(cal.w.GetMonthShown(), 11);

        QTest::mouseClick(button, Qt::LeftButton);
        for (int month : {2, 3, 11, 12})
            QCOMPARE(picker->IsMonthEnabled(month), month >= 3 && month <= 11);
        const QPoint december = picker->visualRect(picker->model()->index(1, 5)).center();
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, december);
        QTest::mouseClick(viewport, Qt::RightButton, Qt::NoModifier, july);
        QVERIFY(!picker->GetSelectedDate().isValid());
        QCOMPARE(cal.w.GetOpenPicker(), 1); // nothing chosen, still open
        QSignalSpy chosen(picker, &CCalendarMonthWidget::SignalSelectionChanged);
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, july);
        QMouseEvent twice(QEvent::MouseButtonDblClick, july, viewport->mapToGlobal(july),
                          Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(viewport, &twice); // adds nothing of its own
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(picker->GetSelectedDate(), QDate(2024, 7, 1));
        QCOMPARE(cal.w.GetMonthShown(), 7);
        const QPoint away(-10, -10);
        QMouseEvent outside(QEvent::MouseButtonRelease, away, viewport->mapToGlobal(away),
                            Qt::LeftButton, Qt::NoButton, {});
        QApplication::sendEvent(viewport, &outside); // released outside the cells: no date
        QVERIFY(!picker->GetSelectedDate().isValid());
        picker->setSelectionMode(QAbstractItemView::NoSelection);
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, july);
        QVERIFY(!picker->GetSelectedDate().isValid());
        picker->SetYear(0); // no such year
        QCOMPARE(picker->GetYear(), 2024);
    }

    void rightToLeftMirrorsTheGrid()
    {
        ArbaricSetting::Instance().SetReadDirection(ArbaricSetting::RightToLeft);
        September cal(false); // the direction is taken when the calendar is built
        ArbaricSetting::Instance().SetReadDirection(ArbaricSetting::LeftToRight);
        cal.Show();
        QCOMPARE(cal.w.layoutDirection(), Qt::RightToLeft);
        // Monday is the first column, which reads from the right
        QVERIFY(cal.Cell(QDate(2024, 9, 9)).x() > cal.Cell(QDate(2024, 9, 15)).x());
        QVERIFY(cal.Part("m_pPrevMonth_Arbaric")->x() > cal.Part("m_pNextMonth_Arbaric")->x());
        QVERIFY(cal.w.GetYearLabelRect().x() < cal.w.GetMonthLabelRect().x());
        QTest::mouseClick(cal.Part("ptr_year_button_"), Qt::LeftButton);
        QCOMPARE(cal.Part<QLabel>("ptr_triangle_label_")->x(), 87);
        // clicking still picks the day under the mouse
        cal.w.OnPopup(false);
        cal.Mouse(QEvent::MouseButtonPress, QDate(2024, 9, 16), Qt::LeftButton);
        cal.Mouse(QEvent::MouseButtonRelease, QDate(2024, 9, 16), Qt::NoButton);
        QCOMPARE(cal.clicked.count(), 1);
        QCOMPARE(cal.clicked.at(0).at(0).toDate(), QDate(2024, 9, 16));
    }

    void yearPickerAndSwitchingPickers()
    {
        September cal;
        QSignalSpy popup(&cal.w, &CCalendarWidget::SignalYearPopup);
        QPushButton* month = cal.Part("ptr_month_button_");
        QPushButton* year = cal.Part("ptr_year_button_");
        QTest::mouseClick(month, Qt::LeftButton);
        QTest::mouseClick(year, Qt::LeftButton); // one picker replaces the other
        QCOMPARE(popup.count(), 1);
        QCOMPARE(cal.w.GetOpenPicker(), 2);
        QVERIFY(year->isChecked() && !month->isChecked());
        QVERIFY(!cal.Part<CCalendarMonthWidget>("ptr_month_widget_")->isVisible());
        auto* picker = cal.Part<CCalendarYearWidget>("ptr_year_widget_");
        QCOMPARE(QPoint(picker->GetPageStartYear(), picker->GetCurrentYear()), QPoint(2016, 2024));
        QTest::mouseClick(picker, Qt::LeftButton, {}, picker->GetYearRect(2019).center());
        QCOMPARE(QPoint(cal.w.GetYearShown(), cal.w.GetMonthShown()), QPoint(2019, 9));
        QCOMPARE(cal.w.GetOpenPicker(), 0);
        QVERIFY(!picker->isVisible() && !year->isChecked());

        // The same button, a click on the overlay or Escape close a picker; an open picker
        // follows the page.
        QTest::mouseClick(year, Qt::LeftButton);
        QTest::mouseClick(year, Qt::LeftButton);
        QCOMPARE(cal.w.GetOpenPicker(), 0);
        QTest::mouseClick(month, Qt::LeftButton);
        cal.w.ShowNextYear();
        QCOMPARE(cal.Part<CCalendarMonthWidget>("ptr_month_widget_")->GetYear(), 2020);
        auto* overlay = cal.Part<QFrame>("ptr_overlay_frame_");
        QTest::mouseClick(overlay, Qt::LeftButton, Qt::NoModifier, QPoint(10, 170));
        QCOMPARE(cal.w.GetOpenPicker(), 0);
        QVERIFY(!overlay->isVisible());
        QTest::mouseClick(month, Qt::LeftButton);
        QTest::keyClick(&cal.w, Qt::Key_Escape);
        QCOMPARE(cal.w.GetOpenPicker(), 0);
        QCOMPARE(cal.w.GetMonthShown(), 9);
    }

    void yearPickerPagesStopAtTheRange()
    {
        CCalendarYearWidget picker;
        picker.resize(216, 108);
        picker.SetDateRange(QDate(2030, 12, 31), QDate(2020, 1, 1)); // reversed
        picker.SetCurrentYear(2024);
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        auto* previous = picker.findChild<QPushButton*>("ptr_prev_years_button_");
        auto* next = picker.findChild<QPushButton*>("ptr_next_years_button_");
        QVERIFY(!previous->isEnabled() && next->isEnabled());
        QTest::mouseClick(next, Qt::LeftButton);
        QCOMPARE(picker.GetPageStartYear(), 2028);
        QVERIFY(previous->isEnabled() && !next->isEnabled());
        QTest::mouseClick(previous, Qt::LeftButton);
        // years outside the range cannot be chosen
        for (int year : {2017, 2021}) {
            QTest::mouseClick(&picker, Qt::LeftButton, {}, picker.GetYearRect(year).center());
            QCOMPARE(picker.GetSelectedDate(), year == 2021 ? QDate(year, 1, 1) : QDate());
        }
        QCOMPARE(picker.YearAt(QPoint(-5, 500)), 0);
    }

    void badSizesAndPaintInput()
    {
        September cal;
        cal.w.resize(0, 0);
        QCOMPARE(cal.w.size(), QSize(232, 202)); // the calendar has one size
        cal.w.GetView()->resize(0, 0);
        QVERIFY(!cal.Image().isNull());
        cal.w.GetView()->resize(10000, 10000);
        QVERIFY(!cal.Image().isNull());
        QCOMPARE(cal.w.GetView()->columnWidth(6), 1429); // 10000 = 3 x 1428 + 4 x 1429
        QTest::mouseClick(cal.Part("ptr_month_button_"), Qt::LeftButton);
        cal.Part<CCalendarMonthWidget>("ptr_month_widget_")->resize(0, 0);
        QVERIFY(!cal.Image().isNull());

        QImage image(40, 40, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QStyleOptionViewItem option;
        const QModelIndex cell = cal.w.GetModel()->index(2, 2);
        cal.w.paintCell(&painter, option, cell); // an empty rectangle
        option.rect = QRect(0, 0, 40, 40);
        cal.w.paintCell(nullptr, option, cell);
        cal.w.paintCell(&painter, option, QModelIndex());
        CCalendarModel foreign;
        cal.w.paintCell(&painter, option, foreign.index(2, 2));
        cal.w.DrawPoint(nullptr, QRect(0, 0, 10, 10));
        QCOMPARE(image.pixelColor(20, 20), kWhite);
        CCalendarDelegate orphan(nullptr);
        orphan.paint(nullptr, option, cell);
        orphan.paint(&painter, option, cell);
    }
};

QTEST_MAIN(tst_Calendar)
#include "tst_calendar.moc"
