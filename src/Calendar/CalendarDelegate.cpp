#include "Calendar/CalendarDelegate.h"

#include "Calendar/CalendarWidget.h"

namespace TesselGUIToolkit {

CCalendarDelegate::CCalendarDelegate(CCalendarWidget* calendar, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_pCalendarWidget(calendar)
{
}

CCalendarDelegate::~CCalendarDelegate() = default;

void CCalendarDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const
{
    if (!painter)
        return;
    if (m_pCalendarWidget)
        m_pCalendarWidget->paintCell(painter, option, index);
    else
        QStyledItemDelegate::paint(painter, option, index);
}

} // namespace TesselGUIToolkit
