#include "Core/WidgetMaximizeManager.h"

#include "Core/UiSingleton_impl_p.h"

namespace TesselGUIToolkit {
template class CUiSingleton<CWidgetMaximizeManager>;
} // namespace TesselGUIToolkit
