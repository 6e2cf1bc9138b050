#pragma once

#include "Widgets/BaseDialogWithBottom.h"
#include "nimbguitoolkit_export.h"

#include <QString>

namespace TesselGUIToolkit {
class CLabel;
class CMovieLabel;

/// Message with an optional animation to its left and a cancel button, for a task the user may
/// stop. Cancel does not close the dialog: it shows the second text (when one was given) in
/// place of the message, disables itself so that a task is only asked once to stop, and emits
/// SignalCancel(); the owner closes the dialog once the task has stopped.
class NIMBGUITOOLKIT_EXPORT CCancelDialog : public CBaseDialogWithBottom
{
    Q_OBJECT
public:
    /// `secondText` is the message shown while cancelling (for example "Cancelling..."); an
    /// empty `moviePath` leaves the animation out.
    CCancelDialog(QWidget* parent, const QString& text, const QString& secondText = QString(),
                  const QString& moviePath = QString());
    ~CCancelDialog() override;

    /// The message shown now.
    QString GetText() const;
    bool IsCancelRequested() const { return m_bCancelRequested; }
    /// Null without an animation.
    CMovieLabel* GetMovieLabel() const { return m_pMovieLabel; }

Q_SIGNALS:
    void SignalCancel();

protected Q_SLOTS:
    void OnCancelBtnClicked();

private:
    QString m_strSecondText;
    CLabel* m_pTextLabel = nullptr;
    CMovieLabel* m_pMovieLabel = nullptr;
    bool m_bCancelRequested = false;
};

} // namespace TesselGUIToolkit
