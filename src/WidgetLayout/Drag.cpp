#include "WidgetLayout/Drag.h"

#include <QCoreApplication>

namespace TesselGUIToolkit {

CDragExecEvent::CDragExecEvent(bool before, const QString& description)
    : QEvent(EventType())
    , m_bBefore(before)
    , m_strDescription(description)
{
}

CDragExecEvent::CDragExecEvent(const CDragExecEvent& other) = default;

CDragExecEvent& CDragExecEvent::operator=(const CDragExecEvent& other) = default;

CDragExecEvent::~CDragExecEvent() = default;

QEvent::Type CDragExecEvent::EventType()
{
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

CDrag::CDrag(QObject* dragSource)
    : QDrag(dragSource)
{
}

CDrag::~CDrag() = default;

Qt::DropAction CDrag::exec(Qt::DropActions supportedActions)
{
    Announce(true);
    const Qt::DropAction action = QDrag::exec(supportedActions);
    Announce(false);
    return action;
}

Qt::DropAction CDrag::exec(Qt::DropActions supportedActions, Qt::DropAction defaultAction)
{
    Announce(true);
    const Qt::DropAction action = QDrag::exec(supportedActions, defaultAction);
    Announce(false);
    return action;
}

void CDrag::Announce(bool before)
{
    if (QCoreApplication* app = QCoreApplication::instance()) {
        CDragExecEvent event(before, m_strDescription);
        QCoreApplication::sendEvent(app, &event);
    }
    if (before)
        Q_EMIT SignalBeforeExec();
    else
        Q_EMIT SignalAfterExec();
}

} // namespace TesselGUIToolkit
