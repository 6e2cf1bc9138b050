#include "Widgets/TitleWidget.h"

#include "Core/ArbaricSetting.h"
#include "Label/Label.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QStyle>
#include <QtGlobal>

namespace TesselGUIToolkit {

namespace {

    bool ReadsRightToLeft()
    {
        return ArbaricSetting::Instance().GetReadDirection() == ArbaricSetting::RightToLeft;
    }

} // namespace

class CTitleWidgetPrivate
{
public:
    QHBoxLayout* ptr_title_layout_ = nullptr;
    CLabel* ptr_title_icon_label_ = nullptr;
    CLabel* ptr_title_label_ = nullptr;
    QPixmap m_pixTitle;
    Qt::Alignment m_eTitlePixmapAlignment = Qt::AlignLeft | Qt::AlignVCenter;
};

CTitleWidget::CTitleWidget(QWidget* parent)
    : QFrame(parent)
    , d(new CTitleWidgetPrivate)
{
    if (ReadsRightToLeft())
        setLayoutDirection(Qt::RightToLeft);

    d->ptr_title_layout_ = new QHBoxLayout(this);
    d->ptr_title_layout_->setObjectName(QStringLiteral("ptr_title_layout_"));
    SetLayoutContentsMargins(10, 0, 10, 0);
    d->ptr_title_layout_->setSpacing(6);

    d->ptr_title_icon_label_ = new CLabel(this);
    d->ptr_title_icon_label_->setObjectName(QStringLiteral("ptr_title_icon_label_"));
    d->ptr_title_icon_label_->hide();
    d->ptr_title_label_ = new CLabel(this);
    d->ptr_title_label_->setObjectName(QStringLiteral("ptr_title_label_"));

    d->ptr_title_layout_->addWidget(d->ptr_title_icon_label_);
    d->ptr_title_layout_->addWidget(d->ptr_title_label_);
    d->ptr_title_layout_->addStretch(1);
}

CTitleWidget::~CTitleWidget() = default;

void CTitleWidget::SetTitle(const QString& title)
{
    d->ptr_title_label_->SetText(title);
}

QString CTitleWidget::GetTitle() const
{
    return d->ptr_title_label_->GetText();
}

void CTitleWidget::SetTitlePixmap(const QPixmap& pixmap)
{
    if (pixmap.isNull() && d->m_pixTitle.isNull())
        return;
    d->m_pixTitle = pixmap;
    update();
}

QPixmap CTitleWidget::GetTitlePixmap() const
{
    return d->m_pixTitle;
}

void CTitleWidget::SetTitlePixmapAlignment(Qt::Alignment alignment)
{
    if (alignment == d->m_eTitlePixmapAlignment)
        return;
    d->m_eTitlePixmapAlignment = alignment;
    update();
}

Qt::Alignment CTitleWidget::GetTitlePixmapAlignment() const
{
    return d->m_eTitlePixmapAlignment;
}

void CTitleWidget::SetTitleIcon(const QPixmap& icon)
{
    d->ptr_title_icon_label_->setPixmap(icon);
    d->ptr_title_icon_label_->setVisible(!icon.isNull());
}

void CTitleWidget::AddWidget(QWidget* widget)
{
    if (widget)
        d->ptr_title_layout_->addWidget(widget);
}

void CTitleWidget::AddLayout(QLayout* layout)
{
    // A layout that already sits somewhere cannot be in a second place (Qt warns and refuses).
    if (layout && !layout->parent())
        d->ptr_title_layout_->addLayout(layout);
}

void CTitleWidget::SetLayoutContentsMargins(int left, int top, int right, int bottom)
{
    if (ReadsRightToLeft())
        qSwap(left, right);
    d->ptr_title_layout_->setContentsMargins(left, top, right, bottom);
}

void CTitleWidget::SetLayoutSpacing(int spacing)
{
    d->ptr_title_layout_->setSpacing(spacing);
}

void CTitleWidget::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (d->m_pixTitle.isNull())
        return;
    const QSize size = d->m_pixTitle.size() / d->m_pixTitle.devicePixelRatioF();
    const QRect target =
        QStyle::alignedRect(layoutDirection(), d->m_eTitlePixmapAlignment, size, contentsRect());
    QPainter painter(this);
    painter.drawPixmap(target, d->m_pixTitle);
}

} // namespace TesselGUIToolkit
