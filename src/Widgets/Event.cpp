#include "Widgets/Event.h"

namespace TesselGUIToolkit {

CEvent::CEvent()
    : QEvent(EventType)
{
}

CEvent::~CEvent() = default;

} // namespace TesselGUIToolkit
