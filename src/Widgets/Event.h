#pragma once

#include "nimbguitoolkit_export.h"

#include <QEvent>

namespace TesselGUIToolkit {

/// The toolkit's own event (type 1000, QEvent::User): widgets that paint from a cached picture
/// post it to themselves to rebuild the picture once, however many changes came before.
class NIMBGUITOOLKIT_EXPORT CEvent : public QEvent
{
public:
    static constexpr QEvent::Type EventType = QEvent::User;

    CEvent();
    ~CEvent() override;
};

} // namespace TesselGUIToolkit
