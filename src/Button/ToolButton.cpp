#include "Button/ToolButton.h"

#include "Core/ArbaricSetting.h"

namespace TesselGUIToolkit {

CToolButton::CToolButton(QWidget* parent)
    : QToolButton(parent)
{
    if (ArbaricSetting::Instance().GetReadDirection() == ArbaricSetting::RightToLeft)
        setLayoutDirection(Qt::RightToLeft);
}

CToolButton::~CToolButton() = default;

} // namespace TesselGUIToolkit
