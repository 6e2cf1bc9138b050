#pragma once

#include "Widgets/BaseDialog.h"
#include "nimbguitoolkit_export.h"

#include <QString>

#include <memory>

class QFrame;

namespace TesselGUIToolkit {
class BaseDialogBottomUi;

/// CBaseDialog with a bottom bar: an optional separator line ("ptr_line"), an optional left
/// button ("m_pLeftBtn"), the confirm button ("m_pConfirmBtn") and the cancel button
/// ("m_pCancelBtn") in the frame "m_pBottomFrame". While the bar is there the content area is
/// named "m_pWithBottomFrame".
/// Confirm accepts the dialog and emits SignalOk(); cancel rejects it. Return, Enter and Select
/// press the confirm button when it is visible; Escape does nothing.
class NIMBGUITOOLKIT_EXPORT CBaseDialogWithBottom : public CBaseDialog
{
    Q_OBJECT
public:
    explicit CBaseDialogWithBottom(QWidget* parent = nullptr);
    ~CBaseDialogWithBottom() override;

    CPushButton* GetLeftBtn() const;
    CPushButton* GetConfirmBtn() const;
    CPushButton* GetCancelBtn() const;
    void SetLineVisible(bool visible);
    void SetLeftBtnVisible(bool visible);
    void SetConfirmBtnVisible(bool visible);
    void SetCancelBtnVisible(bool visible);
    void SetConfirmBtnText(const QString& text);
    void SetCancelBtnText(const QString& text);
    /// Confirm reads "Yes", cancel "No".
    void SetYesAndNoText();
    bool BottomIsVisible() const;
    /// Hides the bottom bar; the content area takes back the name "m_pContentFrame".
    void HideBottom();

    /// Replaces every connection of `signal` of `sender` by the one connection to `slot` of
    /// `receiver` (SIGNAL() and SLOT() strings). False, changing nothing, when any argument
    /// is null; otherwise the result of the new connection.
    static bool ReConnect(const QObject* sender, const char* signal, const QObject* receiver,
                          const char* slot, Qt::ConnectionType type = Qt::AutoConnection);

Q_SIGNALS:
    void SignalOk();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::unique_ptr<BaseDialogBottomUi> const ui;
};

} // namespace TesselGUIToolkit
