#pragma once

#include "nimbguitoolkit_export.h"

#include <QDate>
#include <QPersistentModelIndex>
#include <QTableView>

class QStandardItemModel;

namespace TesselGUIToolkit {

/// Month picker of the calendar: the twelve months of one year in 2 rows of 6 (row r, column c is
/// month 6r + c + 1). Releasing the left button on a month makes its first day the selected date
/// and emits SignalSelectionChanged(); releasing elsewhere leaves an invalid date. With
/// setSelectionMode(NoSelection) releases choose nothing. Months outside the date range are
/// disabled.
class NIMBGUITOOLKIT_EXPORT CCalendarMonthWidget : public QTableView
{
    Q_OBJECT
public:
    explicit CCalendarMonthWidget(QWidget* parent = nullptr);
    ~CCalendarMonthWidget() override;

    /// Year whose months are offered; a year without dates (0) is ignored.
    void SetYear(int year);
    int GetYear() const { return m_iYear; }
    /// Months entirely outside [minimum, maximum] cannot be chosen; invalid bounds lift the limit.
    void SetDateRange(const QDate& minimum, const QDate& maximum);
    /// Month drawn as the current one (1..12); anything else draws none.
    void SetCurrentMonth(int month);
    int GetCurrentMonth() const { return m_iCurrentMonth; }
    /// First day of the month chosen by the last release; invalid when it hit no month.
    QDate GetSelectedDate() const { return m_dateSelected; }
    QModelIndex GetHoverIndex() const { return m_hoverIndex; }
    /// The month can be chosen in the shown year.
    bool IsMonthEnabled(int month) const;

Q_SIGNALS:
    void SignalSelectionChanged();

protected:
    bool viewportEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void RefreshItems();
    void Relayout();

    QStandardItemModel* m_pModel = nullptr;
    QPersistentModelIndex m_hoverIndex;
    QDate m_dateSelected;
    QDate m_dateMinimum;
    QDate m_dateMaximum;
    int m_iYear;
    int m_iCurrentMonth = 0;
};

} // namespace TesselGUIToolkit
