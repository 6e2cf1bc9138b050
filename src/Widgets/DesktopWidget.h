#pragma once

#include "nimbguitoolkit_export.h"

#include <QDesktopWidget>

class QPoint;

namespace TesselGUIToolkit {

/// Screen lookup on the desktop of the primary screen.
class NIMBGUITOOLKIT_EXPORT CDesktopWidget : public QDesktopWidget
{
    Q_OBJECT
public:
    CDesktopWidget();
    ~CDesktopWidget() override;

    /// Index in QGuiApplication::screens() of the first screen of the virtual desktop whose
    /// geometry contains `point` (global coordinates); -1 when none does or there is no screen.
    static int screenNumber(const QPoint& point);
};

} // namespace TesselGUIToolkit
