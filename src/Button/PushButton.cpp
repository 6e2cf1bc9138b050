#include "Button/PushButton.h"

#include "Core/ArbaricSetting.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace TesselGUIToolkit {

CPushButton::CPushButton(QWidget* parent)
    : QPushButton(parent)
{
    ApplyReadDirection();
}

CPushButton::CPushButton(const QString& text, QWidget* parent)
    : QPushButton(text, parent)
{
    ApplyReadDirection();
}

CPushButton::CPushButton(const QIcon& icon, const QString& text, QWidget* parent)
    : QPushButton(icon, text, parent)
{
    ApplyReadDirection();
}

CPushButton::~CPushButton() = default;

void CPushButton::ApplyReadDirection()
{
    if (ArbaricSetting::Instance().GetReadDirection() == ArbaricSetting::RightToLeft) {
        setLayoutDirection(Qt::RightToLeft);
        m_eElideMode = Qt::ElideLeft;
    }
}

void CPushButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    if (!option.text.isEmpty()) {
        // The room left for text is what the style gives the contents minus the icon.
        QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
        int room = contents.width();
        if (!option.icon.isNull())
            room -= option.iconSize.width() + 4;
        const QFontMetrics metrics(font());
        if (metrics.horizontalAdvance(option.text) > room)
            option.text = metrics.elidedText(option.text, m_eElideMode, qMax(0, room));
    }
    painter.drawControl(QStyle::CE_PushButton, option);
}

} // namespace TesselGUIToolkit
