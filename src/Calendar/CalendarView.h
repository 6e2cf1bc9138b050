#pragma once

#include "nimbguitoolkit_export.h"

#include <QDate>
#include <QPersistentModelIndex>
#include <QTableView>

namespace TesselGUIToolkit {
class CCalendarModel;

/// The day grid of CCalendarWidget. It turns mouse and keys into date requests and leaves the
/// decisions (what gets selected, which page shows) to the calendar; the selection mode set with
/// setSelectionMode() decides which requests it makes: none, one day, or a dragged range.
class NIMBGUITOOLKIT_EXPORT CCalendarView : public QTableView
{
    Q_OBJECT
public:
    explicit CCalendarView(QWidget* parent = nullptr);
    ~CCalendarView() override;

    void setModel(QAbstractItemModel* model) override;
    /// The model as a calendar model; null when another model (or none) is set.
    CCalendarModel* GetCalendarModel() const;
    /// The cell under the mouse; invalid when the mouse is outside the grid.
    QModelIndex GetHoverIndex() const { return m_hoverIndex; }
    /// Shares the viewport between the seven columns, the header row and the six week rows.
    void Relayout();

Q_SIGNALS:
    /// Asks for the page holding the date (page keys, wheel).
    void SignalShowDate(const QDate& date);
    /// Asks to select a date; `bMultiSelectedDate` is true when it starts a range.
    void SignalChangeDate(const QDate& date, bool bMultiSelectedDate);
    /// Asks for a selected range (multi-selection), begin never after end.
    void SignalSelectDate(const QDate& dtBegin, const QDate& dtEnd);
    /// A day was pressed and released on the same cell.
    void SignalClicked(const QDate& date);
    /// The user finished choosing: one day twice for a single day, or the dragged range.
    void SignalDateChanged(const QDate& dtBegin, const QDate& dtEnd);
    void SignalEnterCalendar();

protected:
    bool viewportEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QDate SelectableDateAt(const QPoint& pos) const;
    QDate DragDateAt(const QPoint& pos) const;
    void SetHoverIndex(const QModelIndex& index);
    void EmitRange(const QDate& anchor, const QDate& end, bool finished);

    QPersistentModelIndex m_hoverIndex;
    QDate m_datePressed;
    QDate m_dateDragEnd;
    int m_iPressedRow = -1;
    int m_iPressedColumn = -1;
};

} // namespace TesselGUIToolkit
