#include "Widgets/DesktopWidget.h"

#include <QGuiApplication>
#include <QPoint>
#include <QScreen>

namespace TesselGUIToolkit {

CDesktopWidget::CDesktopWidget() = default;

CDesktopWidget::~CDesktopWidget() = default;

int CDesktopWidget::screenNumber(const QPoint& point)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty())
        return -1;
    const QList<QScreen*> siblings = screens.first()->virtualSiblings();
    for (QScreen* screen : siblings) {
        if (screen && screen->geometry().contains(point))
            return screens.indexOf(screen);
    }
    return -1;
}

} // namespace TesselGUIToolkit
