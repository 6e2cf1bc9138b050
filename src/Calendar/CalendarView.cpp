#include "Calendar/CalendarView.h"

#include "Calendar/CalendarGrid_p.h"
#include "Calendar/CalendarModel.h"
#include "Calendar/CalendarTable_p.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace TesselGUIToolkit {

CCalendarView::CCalendarView(QWidget* parent)
    : QTableView(parent)
{
    setObjectName(QStringLiteral("ptr_calendar_view_"));
    // The grid is sized by Relayout().
    Detail::SetUpBareTable(this);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
}

CCalendarView::~CCalendarView() = default;

void CCalendarView::setModel(QAbstractItemModel* model)
{
    if (QAbstractItemModel* old = this->model())
        disconnect(old, nullptr, this, nullptr);
    QTableView::setModel(model);
    if (model)
        connect(model, &QAbstractItemModel::modelReset, this, &CCalendarView::Relayout);
    Relayout();
}

CCalendarModel* CCalendarView::GetCalendarModel() const
{
    return qobject_cast<CCalendarModel*>(model());
}

void CCalendarView::Relayout()
{
    QAbstractItemModel* model = this->model();
    if (!model)
        return;
    const int columns = model->columnCount();
    const int rows = model->rowCount();
    const QVector<int> widths = Detail::SplitLength(viewport()->width(), columns);
    for (int column = 0; column < widths.size(); ++column)
        horizontalHeader()->resizeSection(column, widths.at(column));
    QVector<int> heights;
    if (const CCalendarModel* calendar = GetCalendarModel())
        heights = Detail::CalendarRowHeights(viewport()->height(), calendar->GetFirstRow() > 0);
    else
        heights = Detail::SplitLength(viewport()->height(), rows);
    for (int row = 0; row < heights.size() && row < rows; ++row)
        verticalHeader()->resizeSection(row, heights.at(row));
}

QDate CCalendarView::SelectableDateAt(const QPoint& pos) const
{
    const CCalendarModel* calendar = GetCalendarModel();
    if (!calendar)
        return {};
    const QModelIndex index = indexAt(pos);
    if (!index.isValid() || !(calendar->flags(index) & Qt::ItemIsEnabled))
        return {};
    return calendar->DateForIndex(index);
}

QDate CCalendarView::DragDateAt(const QPoint& pos) const
{
    // The press may have turned the page (a day of a neighbouring month): the pressed cell then
    // shows another date, but the user still points at the day they pressed.
    const QModelIndex index = indexAt(pos);
    if (index.isValid() && index.row() == m_iPressedRow && index.column() == m_iPressedColumn)
        return m_datePressed;
    return SelectableDateAt(pos);
}

void CCalendarView::SetHoverIndex(const QModelIndex& index)
{
    if (index == m_hoverIndex)
        return;
    const QModelIndex old = m_hoverIndex;
    m_hoverIndex = index;
    if (old.isValid())
        update(old);
    if (index.isValid())
        update(index);
}

bool CCalendarView::viewportEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Enter:
        Q_EMIT SignalEnterCalendar();
        break;
    case QEvent::Leave:
        SetHoverIndex(QModelIndex());
        break;
    default:
        break;
    }
    return QTableView::viewportEvent(event);
}

void CCalendarView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QDate date = SelectableDateAt(event->pos());
    const QModelIndex index = indexAt(event->pos());
    m_datePressed = date;
    m_dateDragEnd = date;
    m_iPressedRow = date.isValid() ? index.row() : -1;
    m_iPressedColumn = date.isValid() ? index.column() : -1;
    if (!date.isValid())
        return;
    switch (selectionMode()) {
    case QAbstractItemView::SingleSelection:
        Q_EMIT SignalChangeDate(date, false);
        break;
    case QAbstractItemView::MultiSelection:
        Q_EMIT SignalSelectDate(date, date);
        Q_EMIT SignalChangeDate(date, true);
        break;
    default:
        break;
    }
}

void CCalendarView::mouseMoveEvent(QMouseEvent* event)
{
    SetHoverIndex(indexAt(event->pos()));
    if (!(event->buttons() & Qt::LeftButton) || !m_datePressed.isValid()
        || selectionMode() != QAbstractItemView::MultiSelection)
        return;
    const QDate date = DragDateAt(event->pos());
    if (!date.isValid() || date == m_dateDragEnd)
        return;
    m_dateDragEnd = date;
    EmitRange(m_datePressed, date, false);
}

void CCalendarView::EmitRange(const QDate& anchor, const QDate& end, bool finished)
{
    const QDate begin = qMin(anchor, end);
    const QDate last = qMax(anchor, end);
    Q_EMIT SignalSelectDate(begin, last);
    if (!finished)
        return;
    Q_EMIT SignalClicked(end);
    Q_EMIT SignalDateChanged(begin, last);
}

void CCalendarView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QDate pressed = m_datePressed;
    m_datePressed = QDate();
    if (!pressed.isValid())
        return;
    const QModelIndex index = indexAt(event->pos());
    const bool sameCell =
        index.isValid() && index.row() == m_iPressedRow && index.column() == m_iPressedColumn;
    m_iPressedRow = -1;
    m_iPressedColumn = -1;
    switch (selectionMode()) {
    case QAbstractItemView::MultiSelection: {
        QDate end = sameCell ? pressed : SelectableDateAt(event->pos());
        if (!end.isValid())
            end = m_dateDragEnd; // released outside the days: keep the range dragged so far
        EmitRange(pressed, end, true);
        break;
    }
    case QAbstractItemView::SingleSelection:
        if (sameCell) {
            Q_EMIT SignalClicked(pressed);
            Q_EMIT SignalDateChanged(pressed, pressed);
        }
        break;
    default:
        if (sameCell)
            Q_EMIT SignalClicked(pressed);
        break;
    }
}

void CCalendarView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A double click is a second press to us; Qt's would start editing or activate the item.
    mousePressEvent(event);
}

void CCalendarView::keyPressEvent(QKeyEvent* event)
{
    const CCalendarModel* calendar = GetCalendarModel();
    if (!calendar) {
        event->ignore();
        return;
    }
    const bool mirrored = isRightToLeft();
    int days = 0;
    int months = 0;
    switch (event->key()) {
    case Qt::Key_Left:
        days = mirrored ? 1 : -1;
        break;
    case Qt::Key_Right:
        days = mirrored ? -1 : 1;
        break;
    case Qt::Key_Up:
        days = -Detail::kCalendarDayColumns;
        break;
    case Qt::Key_Down:
        days = Detail::kCalendarDayColumns;
        break;
    case Qt::Key_PageUp:
        months = -1;
        break;
    case Qt::Key_PageDown:
        months = 1;
        break;
    default:
        event->ignore();
        return;
    }
    if (months != 0) {
        const Detail::CalendarPage page =
            Detail::AddMonths({calendar->GetShownYear(), calendar->GetShownMonth()}, months);
        const QDate first(page.year, page.month, 1);
        if (first.isValid())
            Q_EMIT SignalShowDate(first);
        return;
    }
    const QDate date = calendar->GetDate().addDays(days);
    if (!calendar->IsDateInRange(date))
        return;
    switch (selectionMode()) {
    case QAbstractItemView::SingleSelection:
        Q_EMIT SignalChangeDate(date, false);
        Q_EMIT SignalDateChanged(date, date);
        break;
    case QAbstractItemView::MultiSelection:
        Q_EMIT SignalSelectDate(date, date);
        Q_EMIT SignalChangeDate(date, true);
        Q_EMIT SignalDateChanged(date, date);
        break;
    default:
        break;
    }
}

void CCalendarView::wheelEvent(QWheelEvent* event)
{
    const CCalendarModel* calendar = GetCalendarModel();
    const int delta = event->angleDelta().y();
    if (!calendar || delta == 0) {
        event->ignore();
        return;
    }
    const Detail::CalendarPage page = Detail::AddMonths(
        {calendar->GetShownYear(), calendar->GetShownMonth()}, delta > 0 ? -1 : 1);
    const QDate first(page.year, page.month, 1);
    if (first.isValid())
        Q_EMIT SignalShowDate(first);
    event->accept();
}

void CCalendarView::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    Relayout();
}

} // namespace TesselGUIToolkit
