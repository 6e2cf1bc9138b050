#pragma once

#include "Core/UiSingleton.h"
#include "nimbguitoolkit_export.h"

namespace TesselGUIToolkit {

/// How requests to maximise a window are carried out: mode 1 puts windows into full screen,
/// any other mode maximises them.
class NIMBGUITOOLKIT_EXPORT CWidgetMaximizeManager : public CUiSingleton<CWidgetMaximizeManager>
{
public:
    using WidgetMaximizeMode = int;
    static constexpr WidgetMaximizeMode NormalMaximize = 0;
    static constexpr WidgetMaximizeMode FullScreenMaximize = 1;

    void SetWidgetMaximizeMode(WidgetMaximizeMode mode) { m_nMode = mode; }
    WidgetMaximizeMode GetWidgetMaximizeMode() const { return m_nMode; }

private:
    friend class CUiSingleton<CWidgetMaximizeManager>;
    CWidgetMaximizeManager() = default;
    ~CWidgetMaximizeManager() override = default;

    WidgetMaximizeMode m_nMode = NormalMaximize;
};

} // namespace TesselGUIToolkit
