#include "Core/WaitWatcher.h"

#include "Core/UiSingleton_impl_p.h"

namespace TesselGUIToolkit {
template class CUiSingleton<CWaitWatcher>;
} // namespace TesselGUIToolkit
