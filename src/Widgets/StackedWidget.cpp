#include "Widgets/StackedWidget.h"

namespace TesselGUIToolkit {

CStackedWidget::CStackedWidget(QWidget* parent)
    : QStackedWidget(parent)
{
}

CStackedWidget::~CStackedWidget() = default;

void CStackedWidget::SetUseCurrentSizeHint(bool use)
{
    if (m_bUseCurrentSizeHint == use)
        return;
    m_bUseCurrentSizeHint = use;
    updateGeometry();
}

QSize CStackedWidget::sizeHint() const
{
    return m_bUseCurrentSizeHint ? size() : QStackedWidget::sizeHint();
}

QSize CStackedWidget::minimumSizeHint() const
{
    return m_bUseCurrentSizeHint ? size() : QStackedWidget::minimumSizeHint();
}

} // namespace TesselGUIToolkit
