#include "Widgets/AbstractDelegate.h"

#include <QPoint>

namespace TesselGUIToolkit {

CAbstractDelegate::~CAbstractDelegate() = default;

bool CAbstractDelegate::MousePress(const QPoint& pos)
{
    Q_UNUSED(pos)
    return false;
}

} // namespace TesselGUIToolkit
