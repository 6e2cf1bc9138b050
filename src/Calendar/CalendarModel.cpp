#include "Calendar/CalendarModel.h"

#include "Calendar/CalendarGrid_p.h"
#include "Core/Toolkit.h"

#include <QLocale>

namespace TesselGUIToolkit {

class CCalendarModelPrivate
{
public:
    Detail::CCalendarState state{QDate::currentDate()};
    Qt::DayOfWeek eFirstDayOfWeek = Qt::Monday;
    struCalendarData::HorizontalHeaderFormat eHeaderFormat = struCalendarData::ShortDayNames;
    bool bOtherDayShown = true;
    int iFirstRow = 1;
    int iFirstColumn = 0;
    QMap<QDate, QTextCharFormat> mapDateFormats;
    QMap<int, QTextCharFormat> mapWeekdayFormats;
    QTextCharFormat formatHeader;

    Detail::CalendarPage Page() const { return state.Page(); }
};

CCalendarModel::CCalendarModel(QObject* parent)
    : QAbstractTableModel(parent)
    , d(new CCalendarModelPrivate)
{
}

CCalendarModel::~CCalendarModel() = default;

int CCalendarModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : d->iFirstRow + Detail::kCalendarWeekRows;
}

int CCalendarModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : d->iFirstColumn + Detail::kCalendarDayColumns;
}

QVariant CCalendarModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.model() != this)
        return {};
    const int row = index.row();
    const int column = index.column();
    const int dayColumn = column - d->iFirstColumn;
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);

    if (row < d->iFirstRow) {
        if (dayColumn < 0)
            return {};
        if (role == Qt::DisplayRole) {
            const int weekday = Detail::WeekdayForColumn(d->eFirstDayOfWeek, dayColumn);
            const QLocale locale = GetGuiLocale();
            switch (d->eHeaderFormat) {
            case struCalendarData::SingleLetterDayNames:
                return locale.standaloneDayName(weekday, QLocale::NarrowFormat);
            case struCalendarData::LongDayNames:
                return locale.standaloneDayName(weekday, QLocale::LongFormat);
            case struCalendarData::ShortDayNames:
                return locale.standaloneDayName(weekday, QLocale::ShortFormat);
            case struCalendarData::NoHorizontalHeader:
                return QString();
            }
            return QString();
        }
    } else if (role == Qt::DisplayRole) {
        const QDate date = DateForCell(row, column);
        return date.isValid() ? QString::number(date.day()) : QString();
    }

    const QTextCharFormat format = FormatForCell(row, column);
    switch (role) {
    case Qt::ToolTipRole:
        return format.toolTip().isEmpty() ? QVariant() : QVariant(format.toolTip());
    case Qt::FontRole:
        return format.propertyCount() == 0 ? QVariant() : QVariant(format.font());
    case Qt::BackgroundRole:
        return format.hasProperty(QTextFormat::BackgroundBrush) ? QVariant(format.background())
                                                                : QVariant();
    case Qt::ForegroundRole:
        return format.hasProperty(QTextFormat::ForegroundBrush) ? QVariant(format.foreground())
                                                                : QVariant();
    default:
        break;
    }
    return {};
}

QTextCharFormat CCalendarModel::FormatForCell(int row, int column) const
{
    const int dayColumn = column - d->iFirstColumn;
    if (dayColumn < 0 || dayColumn >= Detail::kCalendarDayColumns)
        return {};
    const int weekday = Detail::WeekdayForColumn(d->eFirstDayOfWeek, dayColumn);
    QTextCharFormat format;
    if (row < d->iFirstRow)
        format = d->formatHeader;
    format.merge(d->mapWeekdayFormats.value(weekday));
    if (row >= d->iFirstRow) {
        const QDate date = DateForCell(row, column);
        if (date.isValid())
            format.merge(d->mapDateFormats.value(date));
    }
    return format;
}

Qt::ItemFlags CCalendarModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return Qt::NoItemFlags;
    if (index.row() < d->iFirstRow)
        return QAbstractTableModel::flags(index);
    const QDate date = DateForCell(index.row(), index.column());
    return IsDateInRange(date) ? QAbstractTableModel::flags(index) : Qt::NoItemFlags;
}

QDate CCalendarModel::GetDate() const
{
    return d->state.Selected();
}

bool CCalendarModel::SetDate(const QDate& date)
{
    if (!d->state.Select(date))
        return false;
    Q_EMIT SignalSelectedRangeChanged(d->state.RangeBegin(), d->state.RangeEnd());
    return true;
}

void CCalendarModel::GetSelectedRange(QDate& dtBegin, QDate& dtEnd) const
{
    dtBegin = d->state.RangeBegin();
    dtEnd = d->state.RangeEnd();
}

bool CCalendarModel::SetSelectedRange(const QDate& dtBegin, const QDate& dtEnd)
{
    if (!d->state.SelectRange(dtBegin, dtEnd))
        return false;
    Q_EMIT SignalSelectedRangeChanged(d->state.RangeBegin(), d->state.RangeEnd());
    return true;
}

QDate CCalendarModel::GetMinimumDate() const
{
    return d->state.Minimum();
}

QDate CCalendarModel::GetMaximumDate() const
{
    return d->state.Maximum();
}

bool CCalendarModel::SetDateRange(const QDate& minimum, const QDate& maximum)
{
    if (!d->state.SetRange(minimum, maximum))
        return false;
    RefreshCells();
    return true;
}

int CCalendarModel::GetShownYear() const
{
    return d->Page().year;
}

int CCalendarModel::GetShownMonth() const
{
    return d->Page().month;
}

bool CCalendarModel::SetShownYearMonth(int year, int month)
{
    if (!d->state.ShowPage({year, month}))
        return false;
    RefreshCells();
    return true;
}

bool CCalendarModel::CanShowPreviousMonth() const
{
    return d->state.CanShowPreviousMonth();
}

bool CCalendarModel::CanShowNextMonth() const
{
    return d->state.CanShowNextMonth();
}

Qt::DayOfWeek CCalendarModel::GetFirstDayOfWeek() const
{
    return d->eFirstDayOfWeek;
}

bool CCalendarModel::SetFirstDayOfWeek(Qt::DayOfWeek day)
{
    if (!Detail::IsValidDayOfWeek(day) || day == d->eFirstDayOfWeek)
        return false;
    d->eFirstDayOfWeek = day;
    RefreshCells();
    return true;
}

struCalendarData::HorizontalHeaderFormat CCalendarModel::GetHorizontalHeaderFormat() const
{
    return d->eHeaderFormat;
}

bool CCalendarModel::SetHorizontalHeaderFormat(struCalendarData::HorizontalHeaderFormat format)
{
    if (format < struCalendarData::NoHorizontalHeader || format > struCalendarData::LongDayNames
        || format == d->eHeaderFormat)
        return false;
    // The header row comes and goes with the format, so views must drop their row geometry.
    beginResetModel();
    d->eHeaderFormat = format;
    d->iFirstRow = format == struCalendarData::NoHorizontalHeader ? 0 : 1;
    endResetModel();
    return true;
}

bool CCalendarModel::IsOtherDayShown() const
{
    return d->bOtherDayShown;
}

bool CCalendarModel::SetOtherDayShown(bool shown)
{
    if (shown == d->bOtherDayShown)
        return false;
    d->bOtherDayShown = shown;
    RefreshCells();
    return true;
}

int CCalendarModel::GetFirstRow() const
{
    return d->iFirstRow;
}

int CCalendarModel::GetFirstColumn() const
{
    return d->iFirstColumn;
}

QDate CCalendarModel::DateForCell(int row, int column) const
{
    const QDate date = Detail::DateAtCell(d->Page(), d->eFirstDayOfWeek, row - d->iFirstRow,
                                          column - d->iFirstColumn);
    if (!d->bOtherDayShown && Detail::IsOtherMonth(date, d->Page()))
        return {};
    return date;
}

QDate CCalendarModel::DateForIndex(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return {};
    return DateForCell(index.row(), index.column());
}

bool CCalendarModel::CellForDate(const QDate& date, int* row, int* column) const
{
    if (!d->bOtherDayShown && Detail::IsOtherMonth(date, d->Page()))
        return false;
    int weekRow = 0;
    int dayColumn = 0;
    if (!Detail::CellOfDate(date, d->Page(), d->eFirstDayOfWeek, &weekRow, &dayColumn))
        return false;
    if (row)
        *row = weekRow + d->iFirstRow;
    if (column)
        *column = dayColumn + d->iFirstColumn;
    return true;
}

QModelIndex CCalendarModel::IndexForDate(const QDate& date) const
{
    int row = 0;
    int column = 0;
    if (!CellForDate(date, &row, &column))
        return {};
    return index(row, column);
}

bool CCalendarModel::IsOtherMonth(const QDate& date) const
{
    return Detail::IsOtherMonth(date, d->Page());
}

bool CCalendarModel::IsDateInRange(const QDate& date) const
{
    return date.isValid() && date >= d->state.Minimum() && date <= d->state.Maximum();
}

bool CCalendarModel::IsConsistent() const
{
    return d->state.IsConsistent() && Detail::IsValidDayOfWeek(d->eFirstDayOfWeek)
        && d->iFirstRow == (d->eHeaderFormat == struCalendarData::NoHorizontalHeader ? 0 : 1);
}

QTextCharFormat CCalendarModel::GetHeaderTextFormat() const
{
    return d->formatHeader;
}

void CCalendarModel::SetHeaderTextFormat(const QTextCharFormat& format)
{
    d->formatHeader = format;
    if (d->iFirstRow > 0)
        Q_EMIT dataChanged(index(0, 0), index(d->iFirstRow - 1, columnCount() - 1));
}

QTextCharFormat CCalendarModel::GetWeekdayTextFormat(Qt::DayOfWeek day) const
{
    return d->mapWeekdayFormats.value(int(day));
}

void CCalendarModel::SetWeekdayTextFormat(Qt::DayOfWeek day, const QTextCharFormat& format)
{
    if (!Detail::IsValidDayOfWeek(day))
        return;
    d->mapWeekdayFormats.insert(int(day), format);
    RefreshCells();
}

QMap<QDate, QTextCharFormat> CCalendarModel::GetDateTextFormat() const
{
    return d->mapDateFormats;
}

QTextCharFormat CCalendarModel::GetDateTextFormat(const QDate& date) const
{
    return d->mapDateFormats.value(date);
}

void CCalendarModel::SetDateTextFormat(const QDate& date, const QTextCharFormat& format)
{
    if (!date.isValid())
        d->mapDateFormats.clear();
    else if (format.propertyCount() == 0)
        d->mapDateFormats.remove(date);
    else
        d->mapDateFormats.insert(date, format);
    RefreshCells();
}

void CCalendarModel::RefreshCells()
{
    Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

} // namespace TesselGUIToolkit
