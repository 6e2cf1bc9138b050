#include "Button/CheckBox.h"

#include "Core/ArbaricSetting.h"

namespace TesselGUIToolkit {

CCheckBox::CCheckBox(QWidget* parent)
    : CCheckBox(QString(), parent)
{
}

CCheckBox::CCheckBox(const QString& text, QWidget* parent)
    : QCheckBox(text, parent)
{
    if (ArbaricSetting::Instance().GetReadDirection() == ArbaricSetting::RightToLeft)
        setLayoutDirection(Qt::RightToLeft);
}

CCheckBox::~CCheckBox() = default;

} // namespace TesselGUIToolkit
