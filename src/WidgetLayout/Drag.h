#pragma once

#include "nimbguitoolkit_export.h"

#include <QDrag>
#include <QEvent>
#include <QString>

namespace TesselGUIToolkit {

/// Sent to the application object right before and right after a CDrag runs, so that any
/// object watching the application knows that a drag is under way (and which one, by its
/// description) without knowing who started it.
class NIMBGUITOOLKIT_EXPORT CDragExecEvent : public QEvent
{
public:
    CDragExecEvent(bool before, const QString& description);
    CDragExecEvent(const CDragExecEvent& other);
    CDragExecEvent& operator=(const CDragExecEvent& other);
    ~CDragExecEvent() override;

    /// The event type, registered once per process.
    static QEvent::Type EventType();

    bool IsBeforeExec() const { return m_bBefore; }
    QString GetDescription() const { return m_strDescription; }

private:
    bool m_bBefore = true;
    QString m_strDescription;
};

/// A QDrag that announces itself: exec() sends a CDragExecEvent (before) to the application
/// object and emits SignalBeforeExec(), runs the drag, then sends the second event (after) and
/// emits SignalAfterExec(). Call these exec() overloads on a CDrag (they hide QDrag's).
class NIMBGUITOOLKIT_EXPORT CDrag : public QDrag
{
    Q_OBJECT
public:
    explicit CDrag(QObject* dragSource);
    ~CDrag() override;

    void SetDescription(const QString& description) { m_strDescription = description; }
    QString GetDescription() const { return m_strDescription; }

    Qt::DropAction exec(Qt::DropActions supportedActions = Qt::MoveAction);
    Qt::DropAction exec(Qt::DropActions supportedActions, Qt::DropAction defaultAction);

Q_SIGNALS:
    void SignalBeforeExec();
    void SignalAfterExec();

private:
    void Announce(bool before);

    QString m_strDescription;
};

} // namespace TesselGUIToolkit
