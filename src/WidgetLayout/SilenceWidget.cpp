#include "WidgetLayout/SilenceWidget.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSpacerItem>

namespace TesselGUIToolkit {

CSilenceWidget::CSilenceWidget(QWidget* parent)
    : CGUIBaseWidget(parent, true, false)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 4, 2);
    grid->setSpacing(0);
    grid->setAlignment(Qt::AlignCenter);

    ptr_title_label_ = new QLabel(this);
    ptr_title_label_->setObjectName(QStringLiteral("ptr_title_label_"));
    ptr_title_label_->setFixedSize(44, 44);
    ptr_title_label_->setAlignment(Qt::AlignCenter);

    ptr_close_button_ = new QPushButton(this);
    ptr_close_button_->setObjectName(QStringLiteral("ptr_close_button_"));
    ptr_close_button_->setFixedSize(26, 26);
    ptr_close_button_->setCursor(Qt::ArrowCursor);
    ptr_close_button_->setFocusPolicy(Qt::NoFocus);
    ptr_close_button_->setText(QStringLiteral("\u00D7"));
    ptr_close_button_->setToolTip(tr("Close"));

    grid->addWidget(ptr_title_label_, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    grid->addItem(new QSpacerItem(10, 10, QSizePolicy::Expanding, QSizePolicy::Minimum), 0, 1);
    grid->addWidget(ptr_close_button_, 0, 2, Qt::AlignRight | Qt::AlignTop);
    grid->addItem(new QSpacerItem(10, 10, QSizePolicy::Minimum, QSizePolicy::Expanding), 1, 0, 1,
                  3);

    connect(this, &CGUIBaseWidget::SignalTileNumberChanged, this,
            &CSilenceWidget::OnChangeTitleNum);
    connect(ptr_close_button_, &QPushButton::clicked, this,
            [this]() { Q_EMIT SignalSilenceWidgetClosed(GetPosition()); });
}

CSilenceWidget::~CSilenceWidget() = default;

QPixmap CSilenceWidget::GetSnapshot()
{
    return grab();
}

void CSilenceWidget::SetCloseButtonVisible(bool visible)
{
    ptr_close_button_->setVisible(visible);
}

bool CSilenceWidget::IsCloseButtonVisible() const
{
    return !ptr_close_button_->isHidden();
}

void CSilenceWidget::OnChangeTitleNum(int i_new_number, int)
{
    ptr_title_label_->setText(i_new_number >= 0 ? QString::asprintf("%02d", i_new_number)
                                                : QString());
}

void CSilenceWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(26, 26, 26));
    painter.fillRect(rect().adjusted(2, 2, -2, -2), QColor(34, 34, 34));
    painter.end();
    PaintBorder(IsSelected());
}

} // namespace TesselGUIToolkit
