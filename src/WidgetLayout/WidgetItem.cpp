#include "WidgetLayout/WidgetItem.h"

#include <QWidget>

namespace TesselGUIToolkit {

CWidgetItem::CWidgetItem(QWidget* widget, Qt::Alignment alignment)
    : QWidgetItem(widget)
{
    setAlignment(alignment);
}

CWidgetItem::~CWidgetItem() = default;

void CWidgetItem::setGeometry(const QRect& rect)
{
    QWidget* target = widget();
    const Qt::Alignment align = alignment();
    if (!target || isEmpty() || !align || !target->parentWidget()) {
        QWidgetItem::setGeometry(rect);
        return;
    }
    // As QWidgetItem does: an aligned direction, or one the widget cannot grow in, gets what the
    // widget prefers, never more than the cell.
    QSize size = rect.size().boundedTo(target->maximumSize()).expandedTo(QSize(0, 0));
    const QSize preferred = sizeHint().expandedTo(minimumSize());
    const QSizePolicy policy = target->sizePolicy();
    if ((align & Qt::AlignHorizontal_Mask) || !(policy.horizontalPolicy() & QSizePolicy::GrowFlag))
        size.setWidth(qMin(size.width(), preferred.width()));
    if ((align & Qt::AlignVertical_Mask) || !(policy.verticalPolicy() & QSizePolicy::GrowFlag))
        size.setHeight(qMin(size.height(), preferred.height()));
    const int centre = target->parentWidget()->width() / 2;
    const int x = qMax(centre - size.width() / 2, rect.left());
    int y = rect.top() + (rect.height() - size.height()) / 2;
    if (align & Qt::AlignTop)
        y = rect.top();
    else if (align & Qt::AlignBottom)
        y = rect.bottom() - size.height() + 1;
    target->setGeometry(x, y, size.width(), size.height());
}

} // namespace TesselGUIToolkit
