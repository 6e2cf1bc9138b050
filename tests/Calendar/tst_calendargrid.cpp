#include "Calendar/CalendarGrid_p.h"
#include "Calendar/CalendarTestSupport.h"

#include <QTest>

#include <limits>
#include <numeric>

using namespace TesselGUIToolkit;
using namespace TesselGUIToolkit::Detail;

// clang-format off
struct SplitRow { const char* name; int total, parts; QVector<int> expected; };
// clang-format on
Q_DECLARE_METATYPE(SplitRow)

class tst_CalendarGrid : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Every day of every month sits exactly once on its own page, in the column of its weekday,
    // and the cell found for a date leads back to that date.
    void everyMonthFitsItsPage()
    {
        for (int firstDay = Qt::Monday; firstDay <= Qt::Sunday; ++firstDay) {
            const auto first = Qt::DayOfWeek(firstDay);
            for (int year : {1970, 2000, 2023, 2024, 2100}) {
                for (int month = 1; month <= 12; ++month) {
                    const CalendarPage page{year, month};
                    for (int day = 1; day <= QDate(year, month, 1).daysInMonth(); ++day) {
                        const QDate date(year, month, day);
                        int row = -1;
                        int column = -1;
                        QVERIFY2(CellOfDate(date, page, first, &row, &column),
                                 qPrintable(date.toString(Qt::ISODate)));
                        QCOMPARE(DateAtCell(page, first, row, column), date);
                        QCOMPARE(WeekdayForColumn(first, column), date.dayOfWeek());
                        QCOMPARE(ColumnForWeekday(first, date.dayOfWeek()), column);
                        if (day == 1)
                            QCOMPARE(row, 0);
                    }
                    const QDate last =
                        DateAtCell(page, first, kCalendarWeekRows - 1, kCalendarDayColumns - 1);
                    QCOMPARE(FirstDateOfPage(page, first).daysTo(last), qint64(41));
                }
            }
        }
    }

    void firstDateOfPage()
    {
        // 1 September 2024 is a Sunday, 1 February 2021 a Monday.
        QCOMPARE(FirstDateOfPage({2024, 9}, Qt::Monday), QDate(2024, 8, 26));
        QCOMPARE(FirstDateOfPage({2021, 2}, Qt::Monday), QDate(2021, 2, 1));
        QCOMPARE(FirstDateOfPage({2021, 2}, Qt::Tuesday), QDate(2021, 1, 26));
        QVERIFY(!FirstDateOfPage({2024, 13}, Qt::Monday).isValid());
        QVERIFY(!FirstDateOfPage({0, 5}, Qt::Monday).isValid());
        QVERIFY(!FirstDateOfPage({2024, 9}, Qt::DayOfWeek(0)).isValid());
    }

    void cellsOffThePage()
    {
        for (const QPoint& cell : {QPoint(0, -1), QPoint(0, 6), QPoint(-1, 0), QPoint(7, 0),
                                   QPoint(99999, 99999)}) // column, row
            QVERIFY(!DateAtCell({2024, 9}, Qt::Monday, cell.y(), cell.x()).isValid());
        int row = 7;
        int column = 7;
        QVERIFY(!CellOfDate(QDate(2024, 8, 25), {2024, 9}, Qt::Monday, &row, &column));
        QVERIFY(!CellOfDate(QDate(2024, 10, 7), {2024, 9}, Qt::Monday, &row, &column));
        QVERIFY(!CellOfDate(QDate(), {2024, 9}, Qt::Monday, &row, &column));
        QCOMPARE(row, 7); // untouched on failure
        QVERIFY(CellOfDate(QDate(2024, 10, 6), {2024, 9}, Qt::Monday, &row, &column));
        QCOMPARE(QPoint(column, row), QPoint(6, 5));
        QVERIFY(IsOtherMonth(QDate(2024, 10, 6), {2024, 9}));
        QVERIFY(!IsOtherMonth(QDate(2024, 9, 30), {2024, 9}));
    }

    void pageArithmetic()
    {
        // There is no year 0, and no count of months overflows.
        QCOMPARE(AddMonths({1, 1}, -1), (CalendarPage{-1, 12}));
        QCOMPARE(AddMonths({-1, 12}, 1), (CalendarPage{1, 1}));
        QCOMPARE(AddMonths({2024, 2}, -25), (CalendarPage{2022, 1}));
        const CalendarPage far = AddMonths({2024, 1}, std::numeric_limits<int>::max());
        QVERIFY(far.month >= 1 && far.month <= 12);
        const CalendarPage back = AddMonths({2024, 1}, std::numeric_limits<int>::min());
        QVERIFY(back.month >= 1 && back.month <= 12 && (back < CalendarPage{2024, 1}));
        QCOMPARE(ClampPage({2023, 12}, {2024, 3, 15}, {2024, 11, 2}), (CalendarPage{2024, 3}));
        QCOMPARE(ClampDate(QDate(1, 1, 1), QDate(), QDate()), QDate(1, 1, 1)); // no limits
    }

    void pickerCellsOutside()
    {
        // The month picker is 2 x 6 (month 7 in row 1, column 0); a year page holds 12 years
        // from a multiple of 12, negative years too.
        QCOMPARE(MonthAt(1, 0), 7);
        QVERIFY(!MonthCell(0, nullptr, nullptr));
        QVERIFY(!MonthCell(13, nullptr, nullptr));
        for (const QPoint& cell : {QPoint(0, 2), QPoint(6, 0), QPoint(0, -1)}) // column, row
            QCOMPARE(MonthAt(cell.y(), cell.x()), -1);
        QCOMPARE(YearPageStart(-5), -12);
        QCOMPARE(YearAt(-12, 0, 0), -12);
        QCOMPARE(YearAt(2016, 3, 0), 0);
    }

    void splitLength_data()
    {
        // the remainder goes one pixel each to the last parts
        CalendarTest::AddRows<SplitRow>({{"calendar width", 232, 7, {33, 33, 33, 33, 33, 33, 34}},
                                         {"even", 70, 7, QVector<int>(7, 10)},
                                         {"zero", 0, 7, QVector<int>(7, 0)},
                                         {"negative", -50, 3, QVector<int>(3, 0)},
                                         {"smaller than parts", 3, 7, {0, 0, 0, 0, 1, 1, 1}},
                                         {"no parts", 100, 0, {}},
                                         {"huge", 10000, 6, {1666, 1666, 1667, 1667, 1667, 1667}}});
    }
    void splitLength()
    {
        QFETCH(SplitRow, row);
        QCOMPARE(SplitLength(row.total, row.parts), row.expected);
    }

    void rowHeights()
    {
        const QVector<int> grid = CalendarRowHeights(177, true);
        QCOMPARE(grid, (QVector<int>{15, 27, 27, 27, 27, 27, 27}));
        QCOMPARE(std::accumulate(grid.begin(), grid.end(), 0), 177);
        QCOMPARE(CalendarRowHeights(177, false), QVector<int>(6, 29));
        QCOMPARE(CalendarRowHeights(0, true), QVector<int>(7, 0));
        QCOMPARE(CalendarRowHeights(10, true), (QVector<int>{10, 0, 0, 0, 0, 0, 0}));
    }

    void markTriangleAndTodayDot()
    {
        // s = min(w, h) / 3 with integer division: corners (right, top + 1), (right - s + 1,
        // top + 1) and (right, top + s)
        QCOMPARE(MarkTriangle({33, 15, 33, 27}), QPolygon({{65, 16}, {57, 16}, {65, 24}}));
        QCOMPARE(MarkTriangle({0, 0, 30, 30}), QPolygon({{29, 1}, {20, 1}, {29, 10}}));
        QCOMPARE(MarkTriangle({10, 10, 12, 100}), QPolygon({{21, 11}, {18, 11}, {21, 14}}));
        // centre x = 33 + 16 = 49 and one to its left; y = top + 24 and + 25
        QCOMPARE(TodayDotPoints({33, 15, 33, 27}),
                 (QVector<QPoint>{{48, 39}, {49, 39}, {48, 40}, {49, 40}}));
    }

    void titleGeometry()
    {
        // direction, month triangle x, year triangle x; a triangle stays under its button
        for (const auto& t : {QVector<int>{0, 91, 137}, {1, 133, 87}}) {
            const CalendarTitleGeometry title = TitleGeometry(232, 24, t[0] == 1);
            QCOMPARE(QPoint(title.monthTriangleX, title.yearTriangleX), QPoint(t[1], t[2]));
            QCOMPARE(title.prevMonth.x() < title.nextMonth.x(), t[0] == 0);
            QVERIFY(title.month.left() <= t[1]);
            QVERIFY(t[1] + kCalendarTriangleWidth - 1 <= title.month.right());
            QVERIFY(title.year.left() <= t[2] && !title.month.intersects(title.year));
        }
        QCOMPARE(TitleGeometry(0, 0, false).month.height(), 0);
        QCOMPARE(TitleGeometry(-100, -5, true).month.height(), 0);
    }

    void stateStaysInsideItsRange()
    {
        CCalendarState state(QDate(3000, 6, 1));
        QCOMPARE(state.Selected(), QDate(2105, 12, 31));
        QVERIFY(state.SetRange(QDate(2024, 12, 31), QDate(2024, 10, 5))); // reversed
        QCOMPARE(state.Selected(), QDate(2024, 12, 31));
        QVERIFY(state.SelectRange(QDate(1900, 1, 1), QDate(3000, 1, 1)));
        QCOMPARE(state.RangeBegin(), QDate(2024, 10, 5));
        QVERIFY(state.ShowPage({2000, 1}));
        QCOMPARE(state.Page(), (CalendarPage{2024, 10}));
        QVERIFY(state.IsConsistent());
    }
};

QTEST_GUILESS_MAIN(tst_CalendarGrid)
#include "tst_calendargrid.moc"
