#include "Calendar/CalendarMonthWidget.h"

#include "Calendar/CalendarGrid_p.h"
#include "Calendar/CalendarTable_p.h"
#include "Core/Toolkit.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStandardItemModel>
#include <QStyledItemDelegate>

namespace TesselGUIToolkit {

namespace {
    constexpr int kMonthRole = Qt::UserRole + 1;

    class CMonthCellDelegate : public QStyledItemDelegate
    {
    public:
        explicit CMonthCellDelegate(CCalendarMonthWidget* picker)
            : QStyledItemDelegate(picker)
            , m_pPicker(picker)
        {
        }

        void paint(QPainter* painter, const QStyleOptionViewItem& option,
                   const QModelIndex& index) const override
        {
            const QRect cell = option.rect;
            const int month = index.data(kMonthRole).toInt();
            const QString text = index.data(Qt::DisplayRole).toString();
            const QRect inner = cell.adjusted(3, 3, -3, -3);
            QFont font(QStringLiteral("Segoe UI"));
            font.setPixelSize(12);
            painter->save();
            painter->setRenderHint(QPainter::Antialiasing, true);
            painter->setFont(font);
            painter->fillRect(cell, Qt::white);
            if (!m_pPicker->IsMonthEnabled(month)) {
                painter->setOpacity(Detail::kCalendarDimmedOpacity);
                painter->setPen(Qt::black);
                painter->drawText(cell, Qt::AlignCenter, text);
                painter->restore();
                return;
            }
            QColor textColor = Detail::CalendarTextColor();
            if (m_pPicker->GetHoverIndex() == index) {
                painter->fillRect(inner, Detail::CalendarAccentColor());
                painter->fillRect(inner.adjusted(1, 1, -1, -1), Qt::white);
                textColor = Detail::CalendarAccentColor();
            }
            if (month == m_pPicker->GetCurrentMonth()) {
                painter->fillRect(inner, Detail::CalendarAccentColor());
                textColor = Qt::white;
            }
            painter->setPen(textColor);
            painter->drawText(cell, Qt::AlignCenter, text);
            painter->restore();
        }

    private:
        CCalendarMonthWidget* m_pPicker;
    };
} // namespace

CCalendarMonthWidget::CCalendarMonthWidget(QWidget* parent)
    : QTableView(parent)
    , m_pModel(new QStandardItemModel(Detail::kMonthPickerRows, Detail::kMonthPickerColumns, this))
    , m_iYear(QDate::currentDate().year())
{
    setObjectName(QStringLiteral("ptr_month_widget_"));
    Detail::SetUpBareTable(this);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, Qt::white);
    setPalette(palette);
    setItemDelegate(new CMonthCellDelegate(this));
    for (int month = 1; month <= 12; ++month) {
        int row = 0;
        int column = 0;
        Detail::MonthCell(month, &row, &column);
        auto* item = new QStandardItem;
        item->setData(month, kMonthRole);
        item->setEditable(false);
        m_pModel->setItem(row, column, item);
    }
    setModel(m_pModel);
    RefreshItems();
}

CCalendarMonthWidget::~CCalendarMonthWidget() = default;

void CCalendarMonthWidget::SetYear(int year)
{
    if (year == m_iYear || !QDate(year, 1, 1).isValid())
        return;
    m_iYear = year;
    RefreshItems();
}

void CCalendarMonthWidget::SetDateRange(const QDate& minimum, const QDate& maximum)
{
    m_dateMinimum = minimum;
    m_dateMaximum = maximum;
    if (minimum.isValid() && maximum.isValid() && maximum < minimum)
        std::swap(m_dateMinimum, m_dateMaximum);
    RefreshItems();
}

void CCalendarMonthWidget::SetCurrentMonth(int month)
{
    if (month == m_iCurrentMonth)
        return;
    m_iCurrentMonth = month;
    viewport()->update();
}

bool CCalendarMonthWidget::IsMonthEnabled(int month) const
{
    if (month < 1 || month > 12)
        return false;
    const QDate first(m_iYear, month, 1);
    if (!first.isValid())
        return false;
    if (m_dateMinimum.isValid() && first.addDays(first.daysInMonth() - 1) < m_dateMinimum)
        return false;
    if (m_dateMaximum.isValid() && first > m_dateMaximum)
        return false;
    return true;
}

void CCalendarMonthWidget::RefreshItems()
{
    const QLocale locale = GetGuiLocale();
    for (int month = 1; month <= 12; ++month) {
        int row = 0;
        int column = 0;
        Detail::MonthCell(month, &row, &column);
        QStandardItem* item = m_pModel->item(row, column);
        item->setText(locale.standaloneMonthName(month, QLocale::ShortFormat));
        item->setEnabled(IsMonthEnabled(month));
    }
    viewport()->update();
}

void CCalendarMonthWidget::Relayout()
{
    const QVector<int> widths =
        Detail::SplitLength(viewport()->width(), Detail::kMonthPickerColumns);
    for (int column = 0; column < widths.size(); ++column)
        horizontalHeader()->resizeSection(column, widths.at(column));
    const QVector<int> heights =
        Detail::SplitLength(viewport()->height(), Detail::kMonthPickerRows);
    for (int row = 0; row < heights.size(); ++row)
        verticalHeader()->resizeSection(row, heights.at(row));
}

bool CCalendarMonthWidget::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::Leave && m_hoverIndex.isValid()) {
        const QModelIndex old = m_hoverIndex;
        m_hoverIndex = QModelIndex();
        update(old);
    }
    return QTableView::viewportEvent(event);
}

void CCalendarMonthWidget::mousePressEvent(QMouseEvent* event)
{
    // The choice is made on release; Qt's press would already move the item selection.
    event->accept();
}

void CCalendarMonthWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->pos());
    if (index == m_hoverIndex)
        return;
    const QModelIndex old = m_hoverIndex;
    m_hoverIndex = index;
    if (old.isValid())
        update(old);
    if (index.isValid())
        update(index);
}

void CCalendarMonthWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || selectionMode() == QAbstractItemView::NoSelection)
        return;
    const QModelIndex index = indexAt(event->pos());
    const int month = Detail::MonthAt(index.isValid() ? index.row() : -1, index.column());
    m_dateSelected = IsMonthEnabled(month) ? QDate(m_iYear, month, 1) : QDate();
    Q_EMIT SignalSelectionChanged();
}

void CCalendarMonthWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The release that follows chooses the month; a double click must not choose it twice.
    event->accept();
}

void CCalendarMonthWidget::keyPressEvent(QKeyEvent* event)
{
    // Item navigation would move Qt's hidden current index without choosing anything.
    event->ignore();
}

void CCalendarMonthWidget::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    Relayout();
}

} // namespace TesselGUIToolkit
