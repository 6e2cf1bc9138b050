#pragma once

#include "Widgets/Dialog.h"
#include "Widgets/WidgetSizeFactory.h"
#include "nimbguitoolkit_export.h"

#include <QString>

#include <memory>

class QGridLayout;

namespace TesselGUIToolkit {
class CBaseDialogPrivate;
class CFancyTitle;
class CPushButton;
class CWidget;

/// Frameless dialog that draws its own title bar (title, minimise, maximise/restore and close
/// buttons) above a content area. Style sheets address the parts by object name:
/// "CBaseDialogClass" (the dialog), "m_pNoBottomWidget" (body), "m_pTitleWidget" (title bar),
/// "m_pTitleLabel", "m_pDialogMinBtn", "m_pDialogSizeBtn" (renamed "m_pFullSizeBtn" or
/// "m_pNormalSizeBtn" as the window is normal or maximised), "m_pDialogCloseBtn" and
/// "m_pContentFrame" (the content area).
/// Escape, Return, Enter and Select never close or accept the dialog by themselves.
class NIMBGUITOOLKIT_EXPORT CBaseDialog : public CDialog, public CWidgetSizeFactory
{
    Q_OBJECT
public:
    explicit CBaseDialog(QWidget* parent = nullptr);
    ~CBaseDialog() override;

    /// Title bar text, also its tool tip and the window title.
    void SetTitle(const QString& title);
    QString GetTitle() const;
    void HideTitle();

    /// Puts `widget` into the content area, filling it. A widget put there before is hidden (it
    /// stays a child of the dialog). Null only writes a warning; a widget that contains the
    /// dialog is ignored.
    void SetContentWnd(QWidget* widget);
    /// The content area.
    QWidget* GetSetUpUiWidget() const;
    /// Appends `widget` to the title bar, after the title text (null is ignored).
    void AddTitleWidget(QWidget* widget);
    /// Margins of the title bar's layout, given for left-to-right reading; left and right trade
    /// places when ArbaricSetting reads right to left.
    void SetTitleWidgetLayoutContentsMargins(int left, int top, int right, int bottom);
    /// Double click on the title bar, and the size button, maximise and restore only when enabled.
    void SetTitleDoubleClickEnable(bool enable);

    CFancyTitle* GetTitleWidget() const;
    CPushButton* GetCloseBtn() const;
    CPushButton* GetSizeBtn() const;
    CPushButton* GetMinBtn() const;
    void SetCloseBtnVisible(bool visible);
    void SetMinBtnVisible(bool visible);
    void SetSizeBtnVisible(bool visible);

    /// Full screen when CWidgetMaximizeManager's mode is 1, otherwise maximised.
    void Maximize();
    /// True when maximised or full screen.
    bool IsMaximize() const;

public Q_SLOTS:
    /// Names the size button and sets its tool tip after the window's size state.
    void OnUpdateSizeBtnState();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    /// The dialog's own grid ("m_pGridBaseDialog"); the body sits in row 0.
    QGridLayout* GetDialogGridLayout() const;
    /// The body ("m_pNoBottomWidget") holding the title bar and the content area.
    CWidget* GetBodyWidget() const;

private:
    std::unique_ptr<CBaseDialogPrivate> const d;
};

} // namespace TesselGUIToolkit
