#pragma once

// Pure page maths of the calendar: which date sits in which cell, how pages move and stop at the
// date range, and where the painted parts of a cell and of the title row go. No widget, painter or
// global state in here, so every rule can be checked on its own.

#include <QColor>
#include <QDate>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QVector>

#include <algorithm>

namespace TesselGUIToolkit {
namespace Detail {

    constexpr int kCalendarWeekRows = 6;
    constexpr int kCalendarDayColumns = 7;
    constexpr int kCalendarHeaderRowHeight = 15;
    constexpr int kMonthPickerRows = 2;
    constexpr int kMonthPickerColumns = 6;
    constexpr int kYearPickerRows = 3;
    constexpr int kYearPickerColumns = 4;
    constexpr int kYearPickerPageSize = kYearPickerRows * kYearPickerColumns;
    constexpr int kCalendarTriangleWidth = 8;
    constexpr int kCalendarTriangleHeight = 4;

    /// The calendar's accent: today, hover frames, selected days.
    inline QColor CalendarAccentColor()
    {
        return QColor(245, 62, 67);
    }

    inline QColor CalendarTextColor()
    {
        return QColor(51, 51, 51);
    }

    /// Days that cannot be chosen, or belong to a neighbouring month, are black at this opacity.
    constexpr double kCalendarDimmedOpacity = 0.28;

    /// Remainder that is never negative, so that years before 1 AD and weekdays before the first
    /// day of week fall into the right column.
    inline int FloorMod(int value, int divisor)
    {
        const int rest = value % divisor;
        return rest < 0 ? rest + divisor : rest;
    }

    inline bool IsValidDayOfWeek(int day)
    {
        return day >= Qt::Monday && day <= Qt::Sunday;
    }

    /// Weekday (1 Monday .. 7 Sunday) shown in day column 0..6 when the week starts on `firstDay`.
    inline int WeekdayForColumn(Qt::DayOfWeek firstDay, int column)
    {
        return FloorMod(int(firstDay) - 1 + column, kCalendarDayColumns) + 1;
    }

    /// Day column 0..6 of a weekday (1..7) when the week starts on `firstDay`.
    inline int ColumnForWeekday(Qt::DayOfWeek firstDay, int weekday)
    {
        return FloorMod(weekday - int(firstDay), kCalendarDayColumns);
    }

    /// A shown month. Year 0 does not exist in the proleptic Gregorian calendar QDate uses, so page
    /// arithmetic steps over it.
    struct CalendarPage
    {
        int year = 0;
        int month = 0;

        bool IsValid() const
        {
            return month >= 1 && month <= 12 && QDate(year, month, 1).isValid();
        }
        bool operator==(const CalendarPage& other) const
        {
            return year == other.year && month == other.month;
        }
        bool operator!=(const CalendarPage& other) const { return !(*this == other); }
        bool operator<(const CalendarPage& other) const
        {
            return year != other.year ? year < other.year : month < other.month;
        }
        bool operator<=(const CalendarPage& other) const { return !(other < *this); }
    };

    inline CalendarPage PageOf(const QDate& date)
    {
        if (!date.isValid())
            return {};
        return {date.year(), date.month()};
    }

    /// `page` moved by `months` (negative goes back). December + 1 is January of the next year.
    inline CalendarPage AddMonths(const CalendarPage& page, int months)
    {
        // Count months on a line without year 0: year 1 starts at index 0, year -1 at index -12.
        const qint64 yearIndex = page.year > 0 ? page.year - 1 : page.year;
        qint64 index = yearIndex * 12 + (page.month - 1) + months;
        qint64 year = index >= 0 ? index / 12 : -((-index + 11) / 12);
        const int month = int(index - year * 12) + 1;
        if (year >= 0)
            year += 1;
        const qint64 limit = 1000000000;
        year = std::max(-limit, std::min(limit, year));
        return {int(year), month};
    }

    /// The page clamped into the months of [minimum, maximum]; unchanged when either bound is
    /// invalid.
    inline CalendarPage ClampPage(const CalendarPage& page, const QDate& minimum,
                                  const QDate& maximum)
    {
        if (!minimum.isValid() || !maximum.isValid())
            return page;
        const CalendarPage low = PageOf(minimum);
        const CalendarPage high = PageOf(maximum);
        if (page < low)
            return low;
        if (high < page)
            return high;
        return page;
    }

    /// `date` clamped into [minimum, maximum]; an invalid date stays invalid.
    inline QDate ClampDate(const QDate& date, const QDate& minimum, const QDate& maximum)
    {
        if (!date.isValid())
            return date;
        if (minimum.isValid() && date < minimum)
            return minimum;
        if (maximum.isValid() && date > maximum)
            return maximum;
        return date;
    }

    /// Date in the top-left day cell: the page starts with the week that holds the first of the
    /// month.
    inline QDate FirstDateOfPage(const CalendarPage& page, Qt::DayOfWeek firstDay)
    {
        const QDate first(page.year, page.month, 1);
        if (!first.isValid() || !IsValidDayOfWeek(firstDay))
            return {};
        return first.addDays(-ColumnForWeekday(firstDay, first.dayOfWeek()));
    }

    /// Date of day cell (weekRow 0..5, column 0..6); invalid outside the 6 x 7 page.
    inline QDate DateAtCell(const CalendarPage& page, Qt::DayOfWeek firstDay, int weekRow,
                            int column)
    {
        if (weekRow < 0 || weekRow >= kCalendarWeekRows || column < 0
            || column >= kCalendarDayColumns)
            return {};
        const QDate first = FirstDateOfPage(page, firstDay);
        if (!first.isValid())
            return {};
        return first.addDays(qint64(weekRow) * kCalendarDayColumns + column);
    }

    /// Day cell of `date` on the page; false (cell untouched) when the date is not on it.
    inline bool CellOfDate(const QDate& date, const CalendarPage& page, Qt::DayOfWeek firstDay,
                           int* weekRow, int* column)
    {
        const QDate first = FirstDateOfPage(page, firstDay);
        if (!date.isValid() || !first.isValid())
            return false;
        const qint64 offset = first.daysTo(date);
        if (offset < 0 || offset >= kCalendarWeekRows * kCalendarDayColumns)
            return false;
        if (weekRow)
            *weekRow = int(offset / kCalendarDayColumns);
        if (column)
            *column = int(offset % kCalendarDayColumns);
        return true;
    }

    inline bool IsOtherMonth(const QDate& date, const CalendarPage& page)
    {
        return date.isValid() && (date.year() != page.year || date.month() != page.month);
    }

    /// Month (1..12) in cell (row, column) of the 2 x 6 month picker; -1 outside it.
    inline int MonthAt(int row, int column)
    {
        if (row < 0 || row >= kMonthPickerRows || column < 0 || column >= kMonthPickerColumns)
            return -1;
        return row * kMonthPickerColumns + column + 1;
    }

    /// Cell of a month in the month picker; false for a month outside 1..12.
    inline bool MonthCell(int month, int* row, int* column)
    {
        if (month < 1 || month > 12)
            return false;
        if (row)
            *row = (month - 1) / kMonthPickerColumns;
        if (column)
            *column = (month - 1) % kMonthPickerColumns;
        return true;
    }

    /// First year of the year picker's page holding `year`: pages are aligned on multiples of
    /// twelve so that paging back and forth always shows the same blocks.
    inline int YearPageStart(int year)
    {
        return year - FloorMod(year, kYearPickerPageSize);
    }

    /// Year in cell (row, column) of the year picker page starting at `pageStart`; 0 outside it.
    inline int YearAt(int pageStart, int row, int column)
    {
        if (row < 0 || row >= kYearPickerRows || column < 0 || column >= kYearPickerColumns)
            return 0;
        return pageStart + row * kYearPickerColumns + column;
    }

    /// `total` pixels shared by `parts` sections; the remainder goes one pixel each to the last
    /// sections, so that the first columns line up with the title buttons above them.
    inline QVector<int> SplitLength(int total, int parts)
    {
        QVector<int> sizes;
        if (parts <= 0)
            return sizes;
        total = std::max(0, total);
        sizes.fill(total / parts, parts);
        const int rest = total % parts;
        for (int i = parts - rest; i < parts; ++i)
            ++sizes[i];
        return sizes;
    }

    /// Row heights of the day grid: a weekday header row (when shown) over six equal week rows; the
    /// header takes what the week rows leave, which is its nominal height at the calendar's size.
    inline QVector<int> CalendarRowHeights(int height, bool withHeader)
    {
        height = std::max(0, height);
        const int header = withHeader ? std::min(height, kCalendarHeaderRowHeight) : 0;
        const int week = (height - header) / kCalendarWeekRows;
        QVector<int> rows;
        if (withHeader)
            rows.append(height - week * kCalendarWeekRows);
        for (int i = 0; i < kCalendarWeekRows; ++i)
            rows.append(week);
        return rows;
    }

    /// Record-mark triangle in the cell's top-right corner, legs of min(w, h) / 3 pixels.
    inline QPolygon MarkTriangle(const QRect& cell)
    {
        const int side = std::min(cell.width(), cell.height()) / 3;
        QPolygon triangle;
        triangle << QPoint(cell.right(), cell.top() + 1)
                 << QPoint(cell.right() - side + 1, cell.top() + 1)
                 << QPoint(cell.right(), cell.top() + side);
        return triangle;
    }

    /// The today dot: a 2 x 2 block under the day number.
    inline QVector<QPoint> TodayDotPoints(const QRect& cell)
    {
        const int x = cell.left() + cell.width() / 2;
        const int y = cell.top() + 24;
        return {QPoint(x - 1, y), QPoint(x, y), QPoint(x - 1, y + 1), QPoint(x, y + 1)};
    }

    /// Area of a day cell that hover and selection fill; two pixels stay free on each side so that
    /// neighbouring selected days read as separate days.
    inline QRect InnerCellRect(const QRect& cell)
    {
        if (cell.width() <= 4)
            return cell;
        return cell.adjusted(2, 0, -2, 0);
    }

    /// Where the day number goes: the part of the cell above the today dot.
    inline QRect DayTextRect(const QRect& cell)
    {
        return QRect(cell.left(), cell.top(), cell.width(), std::min(cell.height(), 23));
    }

    /// Places of the title row's parts for a calendar `width` pixels wide.
    struct CalendarTitleGeometry
    {
        QRect prevMonth;
        QRect nextMonth;
        QRect month;
        QRect year;
        int monthTriangleX = 0;
        int yearTriangleX = 0;
    };

    /// Left-to-right x of a part mirrored for right-to-left reading.
    inline int MirroredX(int x, int partWidth, int width)
    {
        return width - x - partWidth;
    }

    inline QRect MirroredRect(const QRect& rect, int width)
    {
        return QRect(MirroredX(rect.x(), rect.width(), width), rect.y(), rect.width(),
                     rect.height());
    }

    /// Month and year buttons sit side by side in the middle, the month arrows at the ends; right
    /// to left everything is mirrored, arrows included, so the triangles under the buttons move
    /// too.
    inline CalendarTitleGeometry TitleGeometry(int width, int titleHeight, bool rightToLeft)
    {
        constexpr int arrowSide = 20;
        constexpr int arrowMargin = 6;
        constexpr int monthWidth = 50;
        constexpr int yearWidth = 42;
        width = std::max(0, width);
        titleHeight = std::max(0, titleHeight);
        const int arrowTop = std::max(0, (titleHeight - arrowSide) / 2);
        const int left = (width - monthWidth - yearWidth) / 2;
        CalendarTitleGeometry geometry;
        geometry.prevMonth = QRect(arrowMargin, arrowTop, arrowSide, arrowSide);
        geometry.nextMonth = QRect(width - arrowMargin - arrowSide, arrowTop, arrowSide, arrowSide);
        geometry.month = QRect(left, 0, monthWidth, titleHeight);
        geometry.year = QRect(left + monthWidth, 0, yearWidth, titleHeight);
        geometry.monthTriangleX = geometry.month.x() + (monthWidth - kCalendarTriangleWidth) / 2;
        geometry.yearTriangleX = geometry.year.x() + (yearWidth - kCalendarTriangleWidth) / 2;
        if (rightToLeft) {
            geometry.prevMonth = MirroredRect(geometry.prevMonth, width);
            geometry.nextMonth = MirroredRect(geometry.nextMonth, width);
            geometry.month = MirroredRect(geometry.month, width);
            geometry.year = MirroredRect(geometry.year, width);
            geometry.monthTriangleX =
                MirroredX(geometry.monthTriangleX, kCalendarTriangleWidth, width);
            geometry.yearTriangleX =
                MirroredX(geometry.yearTriangleX, kCalendarTriangleWidth, width);
        }
        return geometry;
    }

    /// Selection and paging state of a calendar. Every setter keeps the invariant (see
    /// IsConsistent) and returns whether anything changed, so callers know when to repaint and
    /// signal.
    class CCalendarState
    {
    public:
        /// Starts on `today` (clamped into the default range 1970-01-01 .. 2105-12-31, the days the
        /// toolkit's 32-bit recording times can reach); an invalid `today` starts on the minimum.
        explicit CCalendarState(const QDate& today)
            : m_dateMinimum(1970, 1, 1)
            , m_dateMaximum(2105, 12, 31)
        {
            const QDate start =
                today.isValid() ? ClampDate(today, m_dateMinimum, m_dateMaximum) : m_dateMinimum;
            m_dateSelected = start;
            m_dateRangeBegin = start;
            m_dateRangeEnd = start;
            m_page = PageOf(start);
        }

        QDate Minimum() const { return m_dateMinimum; }
        QDate Maximum() const { return m_dateMaximum; }
        QDate Selected() const { return m_dateSelected; }
        QDate RangeBegin() const { return m_dateRangeBegin; }
        QDate RangeEnd() const { return m_dateRangeEnd; }
        CalendarPage Page() const { return m_page; }

        /// Sets the allowed dates; a reversed pair is swapped, invalid input ignored. The
        /// selection, the selected range and the page are pulled into the new range.
        bool SetRange(QDate minimum, QDate maximum)
        {
            if (!minimum.isValid() || !maximum.isValid())
                return false;
            if (maximum < minimum)
                std::swap(minimum, maximum);
            if (minimum == m_dateMinimum && maximum == m_dateMaximum)
                return false;
            m_dateMinimum = minimum;
            m_dateMaximum = maximum;
            m_dateSelected = ClampDate(m_dateSelected, minimum, maximum);
            m_dateRangeBegin = ClampDate(m_dateRangeBegin, minimum, maximum);
            m_dateRangeEnd = ClampDate(m_dateRangeEnd, minimum, maximum);
            m_page = ClampPage(m_page, minimum, maximum);
            return true;
        }

        /// Selects a date (clamped into the range); the selected range collapses to it.
        bool Select(const QDate& date)
        {
            if (!date.isValid())
                return false;
            const QDate clamped = ClampDate(date, m_dateMinimum, m_dateMaximum);
            const bool changed = clamped != m_dateSelected || m_dateRangeBegin != clamped
                || m_dateRangeEnd != clamped;
            m_dateSelected = clamped;
            m_dateRangeBegin = clamped;
            m_dateRangeEnd = clamped;
            return changed;
        }

        /// Sets the selected range, ordered and clamped; invalid bounds are ignored.
        bool SelectRange(QDate begin, QDate end)
        {
            if (!begin.isValid() || !end.isValid())
                return false;
            if (end < begin)
                std::swap(begin, end);
            begin = ClampDate(begin, m_dateMinimum, m_dateMaximum);
            end = ClampDate(end, m_dateMinimum, m_dateMaximum);
            if (begin == m_dateRangeBegin && end == m_dateRangeEnd)
                return false;
            m_dateRangeBegin = begin;
            m_dateRangeEnd = end;
            return true;
        }

        /// Shows a page, clamped into the range; a month outside 1..12 or a missing year is
        /// ignored.
        bool ShowPage(const CalendarPage& page)
        {
            if (!page.IsValid())
                return false;
            const CalendarPage clamped = ClampPage(page, m_dateMinimum, m_dateMaximum);
            if (clamped == m_page)
                return false;
            m_page = clamped;
            return true;
        }

        bool CanShowPreviousMonth() const { return PageOf(m_dateMinimum) < m_page; }
        bool CanShowNextMonth() const { return m_page < PageOf(m_dateMaximum); }

        bool IsConsistent() const
        {
            return m_dateMinimum.isValid() && m_dateMaximum.isValid()
                && m_dateMinimum <= m_dateMaximum && m_dateSelected.isValid()
                && m_dateMinimum <= m_dateSelected && m_dateSelected <= m_dateMaximum
                && m_dateRangeBegin.isValid() && m_dateRangeEnd.isValid()
                && m_dateRangeBegin <= m_dateRangeEnd && m_dateMinimum <= m_dateRangeBegin
                && m_dateRangeEnd <= m_dateMaximum && m_page.IsValid()
                && PageOf(m_dateMinimum) <= m_page && m_page <= PageOf(m_dateMaximum);
        }

    private:
        QDate m_dateMinimum;
        QDate m_dateMaximum;
        QDate m_dateSelected;
        QDate m_dateRangeBegin;
        QDate m_dateRangeEnd;
        CalendarPage m_page;
    };

} // namespace Detail
} // namespace TesselGUIToolkit
