#include "Calendar/CalendarGrid_p.h"

#include <QTest>

#include <limits>
#include <numeric>

using namespace TesselGUIToolkit;
using namespace TesselGUIToolkit::Detail;

class tst_CalendarGrid : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void weekdayForColumn_data()
    {
        QTest::addColumn<Qt::DayOfWeek>("firstDay");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("weekday");
        QTest::newRow("monday first, column 0") << Qt::Monday << 0 << 1;
        QTest::newRow("monday first, column 6") << Qt::Monday << 6 << 7;
        QTest::newRow("sunday first, column 0") << Qt::Sunday << 0 << 7;
        QTest::newRow("sunday first, column 1") << Qt::Sunday << 1 << 1;
        QTest::newRow("saturday first, column 2") << Qt::Saturday << 2 << 1;
        QTest::newRow("wednesday first, column 6") << Qt::Wednesday << 6 << 2;
    }
    void weekdayForColumn()
    {
        QFETCH(Qt::DayOfWeek, firstDay);
        QFETCH(int, column);
        QFETCH(int, weekday);
        QCOMPARE(WeekdayForColumn(firstDay, column), weekday);
        QCOMPARE(ColumnForWeekday(firstDay, weekday), column);
    }

    void firstDateOfPage_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<Qt::DayOfWeek>("firstDay");
        QTest::addColumn<QDate>("expected");
        // 1 September 2024 is a Sunday, 1 February 2021 a Monday.
        QTest::newRow("sunday 1st, weeks from monday")
            << 2024 << 9 << Qt::Monday << QDate(2024, 8, 26);
        QTest::newRow("sunday 1st, weeks from sunday")
            << 2024 << 9 << Qt::Sunday << QDate(2024, 9, 1);
        QTest::newRow("monday 1st starts the page") << 2021 << 2 << Qt::Monday << QDate(2021, 2, 1);
        QTest::newRow("monday 1st, weeks from tuesday")
            << 2021 << 2 << Qt::Tuesday << QDate(2021, 1, 26);
        QTest::newRow("across the year") << 2025 << 1 << Qt::Monday << QDate(2024, 12, 30);
        QTest::newRow("month 13") << 2024 << 13 << Qt::Monday << QDate();
        QTest::newRow("year 0") << 0 << 5 << Qt::Monday << QDate();
        QTest::newRow("bad first day") << 2024 << 9 << Qt::DayOfWeek(0) << QDate();
    }
    void firstDateOfPage()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(Qt::DayOfWeek, firstDay);
        QFETCH(QDate, expected);
        QCOMPARE(FirstDateOfPage({year, month}, firstDay), expected);
    }

    // Every day of every month sits exactly once on its own page, in the column of its weekday,
    // and the cell found for a date leads back to that date.
    void everyMonthFitsItsPage()
    {
        for (int firstDay = Qt::Monday; firstDay <= Qt::Sunday; ++firstDay) {
            const auto first = Qt::DayOfWeek(firstDay);
            for (int year : {1970, 2000, 2023, 2024, 2100}) {
                for (int month = 1; month <= 12; ++month) {
                    const CalendarPage page{year, month};
                    const QDate firstOfMonth(year, month, 1);
                    for (int day = 1; day <= firstOfMonth.daysInMonth(); ++day) {
                        const QDate date(year, month, day);
                        int row = -1;
                        int column = -1;
                        QVERIFY2(CellOfDate(date, page, first, &row, &column),
                                 qPrintable(date.toString(Qt::ISODate)));
                        QCOMPARE(DateAtCell(page, first, row, column), date);
                        QCOMPARE(WeekdayForColumn(first, column), date.dayOfWeek());
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

    void cellOutsidePage_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::newRow("row -1") << -1 << 0;
        QTest::newRow("row 6") << 6 << 0;
        QTest::newRow("column -1") << 0 << -1;
        QTest::newRow("column 7") << 0 << 7;
        QTest::newRow("huge") << 99999 << 99999;
    }
    void cellOutsidePage()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QVERIFY(!DateAtCell({2024, 9}, Qt::Monday, row, column).isValid());
    }

    void dateOffThePage()
    {
        int row = 7;
        int column = 7;
        QVERIFY(!CellOfDate(QDate(2024, 8, 25), {2024, 9}, Qt::Monday, &row, &column));
        QVERIFY(!CellOfDate(QDate(2024, 10, 7), {2024, 9}, Qt::Monday, &row, &column));
        QVERIFY(!CellOfDate(QDate(), {2024, 9}, Qt::Monday, &row, &column));
        QCOMPARE(row, 7); // untouched on failure
        QVERIFY(CellOfDate(QDate(2024, 10, 6), {2024, 9}, Qt::Monday, &row, &column));
        QCOMPARE(row, 5);
        QCOMPARE(column, 6);
        QVERIFY(IsOtherMonth(QDate(2024, 10, 6), {2024, 9}));
        QVERIFY(!IsOtherMonth(QDate(2024, 9, 30), {2024, 9}));
    }

    void addMonths_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("months");
        QTest::addColumn<int>("expectedYear");
        QTest::addColumn<int>("expectedMonth");
        QTest::newRow("december + 1") << 2024 << 12 << 1 << 2025 << 1;
        QTest::newRow("january - 1") << 2025 << 1 << -1 << 2024 << 12;
        QTest::newRow("next year") << 2024 << 5 << 12 << 2025 << 5;
        QTest::newRow("previous year") << 2024 << 5 << -12 << 2023 << 5;
        QTest::newRow("back 25 months") << 2024 << 2 << -25 << 2022 << 1;
        QTest::newRow("zero") << 2024 << 7 << 0 << 2024 << 7;
        QTest::newRow("no year 0 going back") << 1 << 1 << -1 << -1 << 12;
        QTest::newRow("no year 0 going forward") << -1 << 12 << 1 << 1 << 1;
    }
    void addMonths()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, months);
        QFETCH(int, expectedYear);
        QFETCH(int, expectedMonth);
        const CalendarPage page = AddMonths({year, month}, months);
        QCOMPARE(page.year, expectedYear);
        QCOMPARE(page.month, expectedMonth);
    }

    void addMonthsNeverOverflows()
    {
        const CalendarPage far = AddMonths({2024, 1}, std::numeric_limits<int>::max());
        QVERIFY(far.month >= 1 && far.month <= 12);
        const CalendarPage back = AddMonths({2024, 1}, std::numeric_limits<int>::min());
        QVERIFY(back.month >= 1 && back.month <= 12);
        QVERIFY((back < CalendarPage{2024, 1}));
    }

    void clampPage_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("expectedYear");
        QTest::addColumn<int>("expectedMonth");
        QTest::newRow("inside") << 2024 << 6 << 2024 << 6;
        QTest::newRow("minimum's month") << 2024 << 3 << 2024 << 3;
        QTest::newRow("before") << 2023 << 12 << 2024 << 3;
        QTest::newRow("far before") << -4000 << 1 << 2024 << 3;
        QTest::newRow("after") << 2025 << 2 << 2024 << 11;
        QTest::newRow("far after") << 100000 << 1 << 2024 << 11;
    }
    void clampPage()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, expectedYear);
        QFETCH(int, expectedMonth);
        const CalendarPage page = ClampPage({year, month}, QDate(2024, 3, 15), QDate(2024, 11, 2));
        QCOMPARE(page.year, expectedYear);
        QCOMPARE(page.month, expectedMonth);
    }

    void clampDate()
    {
        const QDate low(2024, 3, 15);
        const QDate high(2024, 11, 2);
        QCOMPARE(ClampDate(QDate(2024, 5, 5), low, high), QDate(2024, 5, 5));
        QCOMPARE(ClampDate(QDate(1, 1, 1), low, high), low);
        QCOMPARE(ClampDate(QDate(9999, 12, 31), low, high), high);
        QVERIFY(!ClampDate(QDate(), low, high).isValid());
        QCOMPARE(ClampDate(QDate(1, 1, 1), QDate(), QDate()), QDate(1, 1, 1));
    }

    void monthPicker_data()
    {
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::newRow("january") << 1 << 0 << 0;
        QTest::newRow("june") << 6 << 0 << 5;
        QTest::newRow("july") << 7 << 1 << 0;
        QTest::newRow("december") << 12 << 1 << 5;
    }
    void monthPicker()
    {
        QFETCH(int, month);
        QFETCH(int, row);
        QFETCH(int, column);
        int foundRow = -1;
        int foundColumn = -1;
        QVERIFY(MonthCell(month, &foundRow, &foundColumn));
        QCOMPARE(foundRow, row);
        QCOMPARE(foundColumn, column);
        QCOMPARE(MonthAt(row, column), month);
    }

    void monthPickerOutside()
    {
        QVERIFY(!MonthCell(0, nullptr, nullptr));
        QVERIFY(!MonthCell(13, nullptr, nullptr));
        QCOMPARE(MonthAt(2, 0), -1);
        QCOMPARE(MonthAt(0, 6), -1);
        QCOMPARE(MonthAt(-1, 0), -1);
    }

    void yearPage_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("start");
        QTest::newRow("2024") << 2024 << 2016;
        QTest::newRow("page start itself") << 2016 << 2016;
        QTest::newRow("last of page") << 2027 << 2016;
        QTest::newRow("1970") << 1970 << 1968;
        QTest::newRow("negative") << -5 << -12;
    }
    void yearPage()
    {
        QFETCH(int, year);
        QFETCH(int, start);
        QCOMPARE(YearPageStart(year), start);
        int row = -1;
        int column = -1;
        for (int r = 0; r < kYearPickerRows; ++r)
            for (int c = 0; c < kYearPickerColumns; ++c)
                if (YearAt(start, r, c) == year) {
                    row = r;
                    column = c;
                }
        QVERIFY(row >= 0 && column >= 0);
        QCOMPARE(YearAt(start, 3, 0), 0);
    }

    void splitLength_data()
    {
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("parts");
        QTest::addColumn<QVector<int>>("expected");
        QTest::newRow("calendar width") << 232 << 7 << QVector<int>{33, 33, 33, 33, 33, 33, 34};
        QTest::newRow("even") << 70 << 7 << QVector<int>(7, 10);
        QTest::newRow("zero") << 0 << 7 << QVector<int>(7, 0);
        QTest::newRow("negative") << -50 << 3 << QVector<int>(3, 0);
        QTest::newRow("smaller than parts") << 3 << 7 << QVector<int>{0, 0, 0, 0, 1, 1, 1};
        QTest::newRow("no parts") << 100 << 0 << QVector<int>();
        QTest::newRow("huge") << 10000 << 6 << QVector<int>{1666, 1666, 1667, 1667, 1667, 1667};
    }
    void splitLength()
    {
        QFETCH(int, total);
        QFETCH(int, parts);
        QFETCH(QVector<int>, expected);
        QCOMPARE(SplitLength(total, parts), expected);
    }

    void rowHeights_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("header");
        QTest::addColumn<QVector<int>>("expected");
        QTest::newRow("calendar grid") << 177 << true << QVector<int>{15, 27, 27, 27, 27, 27, 27};
        QTest::newRow("no header") << 177 << false << QVector<int>{29, 29, 29, 29, 29, 29};
        QTest::newRow("zero") << 0 << true << QVector<int>(7, 0);
        QTest::newRow("only header room") << 10 << true << QVector<int>{10, 0, 0, 0, 0, 0, 0};
    }
    void rowHeights()
    {
        QFETCH(int, height);
        QFETCH(bool, header);
        QFETCH(QVector<int>, expected);
        const QVector<int> rows = CalendarRowHeights(height, header);
        QCOMPARE(rows, expected);
        if (header)
            QCOMPARE(std::accumulate(rows.begin(), rows.end(), 0), height);
    }

    void markTriangle_data()
    {
        QTest::addColumn<QRect>("cell");
        QTest::addColumn<QPolygon>("expected");
        // s = min(w, h) / 3 with integer division
        QTest::newRow("calendar cell")
            << QRect(33, 15, 33, 27) << QPolygon(QVector<QPoint>{{65, 16}, {57, 16}, {65, 24}});
        QTest::newRow("square") << QRect(0, 0, 30, 30)
                                << QPolygon(QVector<QPoint>{{29, 1}, {20, 1}, {29, 10}});
        QTest::newRow("tall") << QRect(10, 10, 12, 100)
                              << QPolygon(QVector<QPoint>{{21, 11}, {18, 11}, {21, 14}});
    }
    void markTriangle()
    {
        QFETCH(QRect, cell);
        QFETCH(QPolygon, expected);
        QCOMPARE(MarkTriangle(cell), expected);
    }

    void todayDot()
    {
        const QVector<QPoint> points = TodayDotPoints(QRect(33, 15, 33, 27));
        // centre x = 33 + 16 = 49; y = top + 24 and + 25
        QCOMPARE(points, (QVector<QPoint>{{48, 39}, {49, 39}, {48, 40}, {49, 40}}));
    }

    void titleGeometry_data()
    {
        QTest::addColumn<bool>("rightToLeft");
        QTest::addColumn<int>("monthTriangle");
        QTest::addColumn<int>("yearTriangle");
        QTest::addColumn<bool>("prevOnLeft");
        QTest::newRow("left to right") << false << 91 << 137 << true;
        QTest::newRow("right to left") << true << 133 << 87 << false;
    }
    void titleGeometry()
    {
        QFETCH(bool, rightToLeft);
        QFETCH(int, monthTriangle);
        QFETCH(int, yearTriangle);
        QFETCH(bool, prevOnLeft);
        const CalendarTitleGeometry title = TitleGeometry(232, 24, rightToLeft);
        QCOMPARE(title.monthTriangleX, monthTriangle);
        QCOMPARE(title.yearTriangleX, yearTriangle);
        QCOMPARE(title.prevMonth.x() < title.nextMonth.x(), prevOnLeft);
        // the triangle stays under its button
        QVERIFY(title.month.left() <= monthTriangle);
        QVERIFY(monthTriangle + kCalendarTriangleWidth - 1 <= title.month.right());
        QVERIFY(title.year.left() <= yearTriangle);
        QVERIFY(!title.month.intersects(title.year));
        QVERIFY(!title.month.intersects(title.prevMonth));
        QVERIFY(!title.year.intersects(title.nextMonth));
    }

    void titleGeometryOfNothing()
    {
        const CalendarTitleGeometry title = TitleGeometry(0, 0, false);
        QVERIFY(title.month.height() == 0);
        const CalendarTitleGeometry negative = TitleGeometry(-100, -5, true);
        QCOMPARE(negative.month.height(), 0);
    }

    // A state walked through a series of client calls keeps its invariant after every step.
    void stateSteps()
    {
        CCalendarState state(QDate(2024, 9, 18));
        QVERIFY(state.IsConsistent());
        QCOMPARE(state.Selected(), QDate(2024, 9, 18));
        QCOMPARE(state.Page(), (CalendarPage{2024, 9}));

        QVERIFY(state.SetRange(QDate(2024, 12, 31), QDate(2024, 10, 5))); // reversed
        QVERIFY(state.IsConsistent());
        QCOMPARE(state.Minimum(), QDate(2024, 10, 5));
        QCOMPARE(state.Maximum(), QDate(2024, 12, 31));
        QCOMPARE(state.Selected(), QDate(2024, 10, 5));
        QCOMPARE(state.Page(), (CalendarPage{2024, 10}));
        QVERIFY(!state.CanShowPreviousMonth());
        QVERIFY(state.CanShowNextMonth());
        QVERIFY(!state.SetRange(QDate(2024, 10, 5), QDate(2024, 12, 31))); // unchanged
        QVERIFY(!state.SetRange(QDate(), QDate(2024, 12, 31)));

        QVERIFY(state.ShowPage({2030, 1}));
        QCOMPARE(state.Page(), (CalendarPage{2024, 12}));
        QVERIFY(!state.CanShowNextMonth());
        QVERIFY(state.IsConsistent());
        QVERIFY(!state.ShowPage({2024, 13}));
        QVERIFY(!state.ShowPage({0, 1}));
        QCOMPARE(state.Page(), (CalendarPage{2024, 12}));

        QVERIFY(!state.Select(QDate(1, 1, 1))); // clamped onto the day already selected
        QCOMPARE(state.Selected(), QDate(2024, 10, 5));
        QVERIFY(state.IsConsistent());
        QVERIFY(state.SelectRange(QDate(2024, 11, 30), QDate(2024, 11, 2)));
        QCOMPARE(state.RangeBegin(), QDate(2024, 11, 2));
        QCOMPARE(state.RangeEnd(), QDate(2024, 11, 30));
        QVERIFY(!state.SelectRange(QDate(2024, 11, 2), QDate(2024, 11, 30)));
        QVERIFY(!state.SelectRange(QDate(), QDate(2024, 11, 30)));
        QVERIFY(state.SelectRange(QDate(1900, 1, 1), QDate(3000, 1, 1)));
        QCOMPARE(state.RangeBegin(), state.Minimum());
        QCOMPARE(state.RangeEnd(), state.Maximum());
        QVERIFY(state.IsConsistent());

        QVERIFY(state.Select(QDate(2024, 12, 24)));
        QCOMPARE(state.RangeBegin(), QDate(2024, 12, 24));
        QCOMPARE(state.RangeEnd(), QDate(2024, 12, 24));
        QVERIFY(!state.Select(QDate(2024, 12, 24)));
        QVERIFY(!state.Select(QDate()));
        QVERIFY(state.IsConsistent());
    }

    void stateStartsInsideItsRange()
    {
        CCalendarState early(QDate(1900, 1, 1));
        QCOMPARE(early.Selected(), QDate(1970, 1, 1));
        QVERIFY(early.IsConsistent());
        CCalendarState late(QDate(3000, 6, 1));
        QCOMPARE(late.Selected(), QDate(2105, 12, 31));
        QVERIFY(late.IsConsistent());
        CCalendarState none{QDate()};
        QCOMPARE(none.Selected(), QDate(1970, 1, 1));
        QVERIFY(none.IsConsistent());
    }
};

QTEST_GUILESS_MAIN(tst_CalendarGrid)
#include "tst_calendargrid.moc"
