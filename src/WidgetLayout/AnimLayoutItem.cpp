#include "WidgetLayout/AnimLayoutItem.h"

#include "WidgetLayout/GeometryAnimator.h"
#include "Widgets/GUIBaseWidget.h"

namespace TesselGUIToolkit {

CAnimLayoutItem::CAnimLayoutItem(CGUIBaseWidget* widget, CBaseItemAnimDirector* director,
                                 Qt::Alignment alignment)
    : QLayoutItem(alignment)
    , m_pWidget(widget)
    , m_pAnimator(widget ? widget->GetAnimator(director) : nullptr)
{
}

CAnimLayoutItem::~CAnimLayoutItem() = default;

QSize CAnimLayoutItem::sizeHint() const
{
    return m_pWidget ? m_pWidget->sizeHint() : QSize(0, 0);
}

QSize CAnimLayoutItem::minimumSize() const
{
    return m_pWidget ? m_pWidget->minimumSize() : QSize(0, 0);
}

QSize CAnimLayoutItem::maximumSize() const
{
    return m_pWidget ? m_pWidget->maximumSize() : QSize(0, 0);
}

Qt::Orientations CAnimLayoutItem::expandingDirections() const
{
    return m_pWidget ? m_pWidget->sizePolicy().expandingDirections() : Qt::Orientations();
}

bool CAnimLayoutItem::isEmpty() const
{
    return m_pWidget.isNull();
}

void CAnimLayoutItem::setGeometry(const QRect& rect)
{
    if (isEmpty())
        return;
    if (m_pAnimator)
        m_pAnimator->SetGeometry(rect);
    else
        m_pWidget->setGeometry(rect);
}

QRect CAnimLayoutItem::geometry() const
{
    return m_pWidget ? m_pWidget->geometry() : QRect();
}

bool CAnimLayoutItem::hasHeightForWidth() const
{
    return m_pWidget && m_pWidget->hasHeightForWidth();
}

int CAnimLayoutItem::heightForWidth(int width) const
{
    return m_pWidget ? m_pWidget->heightForWidth(width) : -1;
}

QWidget* CAnimLayoutItem::widget()
{
    return m_pWidget;
}

QSizePolicy::ControlTypes CAnimLayoutItem::controlTypes() const
{
    return m_pWidget ? QSizePolicy::ControlTypes(m_pWidget->sizePolicy().controlType())
                     : QSizePolicy::ControlTypes(QSizePolicy::DefaultType);
}

CGUIBaseWidget* CAnimLayoutItem::GetWidget() const
{
    return m_pWidget;
}

CGeometryAnimator* CAnimLayoutItem::GetAnimator() const
{
    return m_pAnimator;
}

} // namespace TesselGUIToolkit
