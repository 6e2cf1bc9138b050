#pragma once

#include "Calendar/CalendarModel.h"
#include "Widgets/Frame.h"
#include "nimbguitoolkit_export.h"

#include <QColor>
#include <QDate>
#include <QPixmap>
#include <QStyleOptionViewItem>
#include <QTextCharFormat>

#include <memory>

class QPainter;

namespace TesselGUIToolkit {
class CCalendarView;
class CCalendarWidgetPrivate;

/// Month calendar of the playback screens, 232 x 202 pixels: previous/next month arrows and a
/// month and a year button over a grid of six weeks. Days the client marks (SetDayMarkColor) show
/// a coloured triangle in their top-right corner; today is red with a dot under its number. The
/// month and year buttons open pickers over a dimmed grid. The shown page and the selection are
/// independent: turning pages never changes the selection. Invalid dates are ignored; pages and
/// selections are kept inside [minimum, maximum] (by default 1970-01-01 .. 2105-12-31).
class NIMBGUITOOLKIT_EXPORT CCalendarWidget : public CFrame
{
    Q_OBJECT
    Q_PROPERTY(QDate selectedDate READ GetSelectedDate WRITE SetSelectedDate)
    Q_PROPERTY(QDate minimumDate READ GetMinimumDate WRITE SetMinimumDate)
    Q_PROPERTY(QDate maximumDate READ GetMaximumDate WRITE SetMaximumDate)
    Q_PROPERTY(Qt::DayOfWeek firstDayOfWeek READ GetFirstDayOfWeek WRITE SetFirstDayOfWeek)
    Q_PROPERTY(SelectionMode selectionMode READ GetSelectionMode WRITE SetSelectionMode)
    Q_PROPERTY(QPixmap m_pixLeftWeek READ GetLeftWeekPixmap WRITE SetLeftWeekPixmap)
    Q_PROPERTY(QPixmap m_pixMidWeek READ GetMidWeekPixmap WRITE SetMidWeekPixmap)
    Q_PROPERTY(QPixmap m_pixRightWeek READ GetRightWeekPixmap WRITE SetRightWeekPixmap)
public:
    enum SelectionMode { NoSelection = 0, SingleSelection = 1, MultiSelection = 2 };
    Q_ENUM(SelectionMode)

    explicit CCalendarWidget(QWidget* parent = nullptr);
    ~CCalendarWidget() override;

    QDate GetSelectedDate() const;
    /// The selected range (multi-selection); one day twice otherwise.
    void GetSelectedDate(QDate& dtBegin, QDate& dtEnd) const;
    void SetSelectedDate(const QDate& date);
    /// Selects `date` with the range dtBegin..dtEnd (ordered, clamped into the date range).
    void SetSelectedDate(const QDate& dtBegin, const QDate& dtEnd, const QDate& date);

    int GetYearShown() const;
    int GetMonthShown() const;
    /// Shows a page, clamped into the date range; a month outside 1..12 is ignored.
    void SetCurrentYearMonth(int year, int month);
    void ShowNextMonth();
    void ShowPreviousMonth();
    void ShowNextYear();
    void ShowPreviousYear();

    QDate GetMinimumDate() const;
    /// Raises the maximum too when it would lie before the new minimum.
    void SetMinimumDate(const QDate& date);
    QDate GetMaximumDate() const;
    /// Lowers the minimum too when it would lie after the new maximum.
    void SetMaximumDate(const QDate& date);
    /// Both must be valid; a reversed pair is swapped.
    void SetDateRange(const QDate& minimum, const QDate& maximum);

    void SetHorizontalHeaderFormat(struCalendarData::HorizontalHeaderFormat format);
    struCalendarData::HorizontalHeaderFormat GetHorizontalHeaderFormat() const;
    /// Days of the neighbouring months are shown dimmed, or not at all.
    void SetOtherDayShown(bool shown);
    bool IsOtherDayShown() const;
    void SetFirstDayOfWeek(Qt::DayOfWeek day);
    Qt::DayOfWeek GetFirstDayOfWeek() const;
    SelectionMode GetSelectionMode() const;
    void SetSelectionMode(SelectionMode mode);

    /// Marks a day that holds records; a second call replaces the colour, an invalid colour
    /// removes the mark. Invalid dates are ignored.
    void SetDayMarkColor(const QDate& date, const QColor& color);
    /// Fills the whole day cell over everything else (use a translucent colour to tint).
    void SetDayColor(const QDate& date, const QColor& color);
    /// Fills the whole day cell before the day colour.
    void SetDayBackgroundColor(const QDate& date, const QColor& color);
    /// The day's mark colour; invalid when the day is not marked.
    QColor GetColorByTickType(const QDate& date) const;
    QColor GetDayColorByTickType(const QDate& date) const;
    QColor GetBackgroundColorByTickType(const QDate& date) const;
    /// Removes the day's record mark (its day and background colours stay).
    void RemoveDayMark(const QDate& date);
    /// Removes every mark, day colour and background colour equal to `color`.
    void RemoveAllDayMarkByColor(const QColor& color);
    void ClearAllDayMark();
    void ClearAllDayColor();
    void ClearAllDayBackgroundColor();

    QTextCharFormat GetHeaderTextFormat() const;
    void SetHeaderTextFormat(const QTextCharFormat& format);
    QTextCharFormat GetWeekdayTextFormat(Qt::DayOfWeek day) const;
    void SetWeekdayTextFormat(Qt::DayOfWeek day, const QTextCharFormat& format);
    QMap<QDate, QTextCharFormat> GetDateTextFormat() const;
    QTextCharFormat GetDateTextFormat(const QDate& date) const;
    void SetDateTextFormat(const QDate& date, const QTextCharFormat& format);

    /// Repaints the cell of one date (nothing when it is not on the page).
    void UpdateCell(const QDate& date);
    /// Recomputes and repaints every cell.
    void UpdateCells();
    /// Repaints the grid.
    void Update();
    /// Shows the page of `date`.
    void UpdateCurrentPage(const QDate& date);
    /// Disables the month arrows on the first and last page of the date range.
    void UpdateBtnState();
    /// Month button: the locale's short stand-alone month name; year button: the year.
    void UpdateYearMonthLabel();

    CCalendarModel* GetModel() const;
    /// The grid (object name "ptr_calendar_view_").
    CCalendarView* GetView() const;
    /// The day painted as today.
    QDate GetCurrentDate() const;
    /// Where a day cell's number is drawn: the cell above the today dot.
    QRect GetTextRect(const QRect& cellRect) const;
    /// The today dot of a cell in the painter's current pen.
    void DrawPoint(QPainter* painter, QRect rect);
    QRect GetMonthLabelRect() const;
    QRect GetYearLabelRect() const;
    /// Height of the title row above the grid, in pixels.
    int GetTittleFrameHeight() const;
    QString GetCurrentSelMonthName() const;
    void SetMonthButtonChecked(bool checked);
    void SetYearButtonChecked(bool checked);
    void SetRightBorderDisappear();
    void SetMonthLabelStyleOnPopup();
    void SetMonthLabelStyleWithoutPopup();
    void SetYearLabelStyleOnPopup();
    void SetYearLabelStyleWithoutPopup();

    /// Week-row pictures: a run of selected days in a week of a multi-selection is drawn with the
    /// left picture on its first day, the right one on its last and the middle one between.
    void SetLeftWeekPixmap(const QPixmap& pixmap);
    QPixmap GetLeftWeekPixmap() const;
    void SetMidWeekPixmap(const QPixmap& pixmap);
    QPixmap GetMidWeekPixmap() const;
    void SetRightWeekPixmap(const QPixmap& pixmap);
    QPixmap GetRightWeekPixmap() const;

    /// Places the triangle under the month or year button, pointing at the open picker.
    void SetMonthTrianglePosition();
    void SetYearTrianglePosition();
    void HideTriangleLabel();
    /// Which picker is open: 0 none, 1 months, 2 years.
    int GetOpenPicker() const;

    /// Draws one cell of the grid: weekday header cells and day cells.
    virtual void paintCell(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index);

Q_SIGNALS:
    void SignalSelectionChanged();
    void SignalClicked(const QDate& date);
    void SignalDateChanged(const QDate& dtBegin, const QDate& dtEnd);
    void SignalYearMonthChanged(int iYear, int iMonth);
    void SignalEnterCalendar();
    void SignalMonthLabelClicked();
    void SignalMonthChanged(QString string);
    void SignalChangeDate(const QDate& date, bool bMultiSelectedDate);
    void SignalMonthPopup();
    void SignalYearPopup();

public Q_SLOTS:
    void OnShowDate(const QDate& date);
    void OnChangeDate(const QDate& date, bool bMultiSelectedDate);
    void OnSelectDate(const QDate& dtBegin, const QDate& dtEnd);
    void OnPrevMonthClicked();
    /// Shows that month of the shown year and closes the picker.
    void OnSelectedMonth(int iMonth);
    void OnSelectedYear(int iYear);
    void OnNextMonthClicked();
    void OnPrevYearClicked();
    void OnNextYearClicked();
    /// A month as a number (1..12) or a name in the GUI locale; anything else is ignored.
    void OnMonthChanged(const QString& text);
    /// A year as decimal text; anything else is ignored.
    void OnYearChanged(const QString& text);
    /// Dims the grid under the open picker (true) or closes it (false).
    void OnPopup(bool isPopup);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowYearMonth(int year, int month);
    void AfterPageChange(int oldYear, int oldMonth);
    void OpenPicker(int picker);
    void RefreshPickers();
    void Relayout();
    bool IsCellSelected(const QDate& date) const;
    void PaintHeaderCell(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index);

    std::unique_ptr<CCalendarWidgetPrivate> const d;
};

} // namespace TesselGUIToolkit
