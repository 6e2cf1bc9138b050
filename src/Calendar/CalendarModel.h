#pragma once

#include "nimbguitoolkit_export.h"

#include <QAbstractTableModel>
#include <QDate>
#include <QMap>
#include <QTextCharFormat>

#include <memory>

namespace TesselGUIToolkit {

/// Settings shared by the calendar classes.
struct NIMBGUITOOLKIT_EXPORT struCalendarData
{
    Q_GADGET
public:
    /// Texts of the weekday header row: none (the row disappears), one letter, short, long names.
    enum HorizontalHeaderFormat {
        NoHorizontalHeader = 0,
        SingleLetterDayNames = 1,
        ShortDayNames = 2,
        LongDayNames = 3
    };
    Q_ENUM(HorizontalHeaderFormat)
};

class CCalendarModelPrivate;

/// The month page of a calendar as a table: an optional header row of weekday names over six
/// week rows of seven days. It also holds the selection, the allowed dates and the text formats.
/// Dates outside [minimum, maximum] are never selected; their cells carry no item flags.
class NIMBGUITOOLKIT_EXPORT CCalendarModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit CCalendarModel(QObject* parent = nullptr);
    ~CCalendarModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    /// The selected date.
    QDate GetDate() const;
    /// Selects `date` clamped into the range; the selected range collapses to that day and is
    /// announced with SignalSelectedRangeChanged. False (nothing changes) for an invalid date or
    /// when the date and range already are that day.
    bool SetDate(const QDate& date);
    void GetSelectedRange(QDate& dtBegin, QDate& dtEnd) const;
    /// Stores the multi-selection range, ordered and clamped; false for invalid bounds or no
    /// change.
    bool SetSelectedRange(const QDate& dtBegin, const QDate& dtEnd);

    QDate GetMinimumDate() const;
    QDate GetMaximumDate() const;
    /// Sets the allowed dates (a reversed pair is swapped); false for an invalid bound or no
    /// change. The selection and the shown page are pulled into the new range.
    bool SetDateRange(const QDate& minimum, const QDate& maximum);

    int GetShownYear() const;
    int GetShownMonth() const;
    /// Shows a page, clamped into the months of the range; false for a month outside 1..12, a year
    /// without dates, or when that page is already shown.
    bool SetShownYearMonth(int year, int month);
    bool CanShowPreviousMonth() const;
    bool CanShowNextMonth() const;

    Qt::DayOfWeek GetFirstDayOfWeek() const;
    /// False for a value outside Qt::Monday..Qt::Sunday or no change.
    bool SetFirstDayOfWeek(Qt::DayOfWeek day);
    struCalendarData::HorizontalHeaderFormat GetHorizontalHeaderFormat() const;
    bool SetHorizontalHeaderFormat(struCalendarData::HorizontalHeaderFormat format);
    bool IsOtherDayShown() const;
    bool SetOtherDayShown(bool shown);

    /// Table row of the first week row: 1 below the weekday header, 0 without it.
    int GetFirstRow() const;
    int GetFirstColumn() const;
    /// Date shown in a table cell; invalid for header cells, cells outside the table and hidden
    /// days of the neighbouring months.
    QDate DateForCell(int row, int column) const;
    QDate DateForIndex(const QModelIndex& index) const;
    /// Table cell showing `date`; false when it is not on the page (or hidden there).
    bool CellForDate(const QDate& date, int* row, int* column) const;
    QModelIndex IndexForDate(const QDate& date) const;
    /// The date belongs to a month other than the shown one.
    bool IsOtherMonth(const QDate& date) const;
    /// The date is valid and inside [minimum, maximum].
    bool IsDateInRange(const QDate& date) const;
    /// Self-check of the selection and paging state: range ordered, selection and page inside it.
    bool IsConsistent() const;

    QTextCharFormat GetHeaderTextFormat() const;
    void SetHeaderTextFormat(const QTextCharFormat& format);
    QTextCharFormat GetWeekdayTextFormat(Qt::DayOfWeek day) const;
    void SetWeekdayTextFormat(Qt::DayOfWeek day, const QTextCharFormat& format);
    QMap<QDate, QTextCharFormat> GetDateTextFormat() const;
    QTextCharFormat GetDateTextFormat(const QDate& date) const;
    /// An empty format removes the date's entry; an invalid date clears every date's format.
    void SetDateTextFormat(const QDate& date, const QTextCharFormat& format);

    /// Tells attached views that every cell's contents changed.
    void RefreshCells();

Q_SIGNALS:
    void SignalSelectedRangeChanged(const QDate& dtBegin, const QDate& dtEnd);

private:
    QTextCharFormat FormatForCell(int row, int column) const;

    std::unique_ptr<CCalendarModelPrivate> const d;
};

} // namespace TesselGUIToolkit
