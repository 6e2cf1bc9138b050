#include "WidgetLayout/InternalWidget.h"

#include <QLabel>

namespace TesselGUIToolkit {

CInternalWidget::CInternalWidget(QWidget* parent)
    : CGUIBaseWidget(parent, true, false)
{
    // rgba: Qt's style-sheet parser warns about an alpha given to rgb().
    setStyleSheet(QStringLiteral("background-color:rgba(0, 0, 0, 0)"));
    ptr_label_ = new QLabel(this);
    ptr_label_->setObjectName(QStringLiteral("ptr_label_"));
    ptr_label_->setFixedSize(44, 44);
    ptr_label_->setAlignment(Qt::AlignCenter);
    ptr_label_->hide();
    connect(this, &CGUIBaseWidget::SignalTileNumberChanged, this,
            &CInternalWidget::OnTileNumberChanged);
}

CInternalWidget::~CInternalWidget() = default;

void CInternalWidget::SetTileNumberVisible(bool visible)
{
    if (m_bTileNumberVisible == visible)
        return;
    m_bTileNumberVisible = visible;
    UpdateLabel();
}

void CInternalWidget::OnTileNumberChanged(int, int)
{
    UpdateLabel();
}

void CInternalWidget::UpdateLabel()
{
    const int number = GetTileNumber();
    ptr_label_->setText(number > 0 ? QString::asprintf("%02d", number) : QString());
    ptr_label_->setVisible(m_bTileNumberVisible && number > 0);
}

} // namespace TesselGUIToolkit
