#pragma once

#include "WidgetLayout/SplitTypeData.h"
#include "Widgets/Frame.h"
#include "nimbguitoolkit_export.h"

#include <QList>
#include <QMap>
#include <QPointer>
#include <QVector>

class QGridLayout;
class QLabel;
class QToolButton;

namespace TesselGUIToolkit {
class CWidgetLayoutMgr;

/// The pop-up panel from which the user picks a window division: the group "Standard Screen
/// Layout:" with eleven square and large-window divisions, and the group "Wide Screen Layout:"
/// with nine wide-screen ones. Each button is named after its grid and window count
/// ("m_pBtn3_6" is a 3 x 3 grid holding 6 windows) and shows only its icon, which the client's
/// style sheet supplies; a click reports the button's division type through SignalClickedBtn.
///
/// The manager is only asked for window counts; it stays the client's and may be null or go
/// away, which makes every division count 0 windows.
class NIMBGUITOOLKIT_EXPORT CSelectCutNum : public CFrame
{
    Q_OBJECT
public:
    typedef struSplitTypeData::SplitType SplitType;

    static constexpr int kLabelHeight = 30;
    static constexpr int kButtonWidth = 33;
    static constexpr int kButtonHeight = 28;
    static constexpr int kColumnCount = 6;

    /// `extra` (may be null) is put under the buttons and becomes a child of the panel.
    CSelectCutNum(CWidgetLayoutMgr* manager, CFrame* extra = nullptr, QWidget* parent = nullptr);
    ~CSelectCutNum() override;

    /// Hides every button whose division shows more than `count` windows and shows the others.
    void SetMaxWndNum(int count);
    /// Empties `out` and appends the division types of the buttons in button order.
    void GetSupportSplitType(QVector<SplitType>& out) const;
    /// Writes on every button the window count of its division.
    void UpdateBtnText();
    /// Whether the cursor is inside the panel.
    bool IsMouseIn() const;

    /// The button of a division type; null for a type without a button.
    QToolButton* GetButton(SplitType type) const;
    /// The division type of a button of the panel; 0 for anything else.
    SplitType GetButtonType(const QObject* button) const;

Q_SIGNALS:
    void SignalClickedBtn(int split_type);

public Q_SLOTS:
    /// Reports the division of the button that sent the click; other senders are ignored.
    void OnBtnClicked();

protected:
    bool event(QEvent* event) override;

private:
    int WndCount(SplitType type) const;

    QPointer<CWidgetLayoutMgr> m_pLayoutMgr;
    QGridLayout* m_pGridLayout = nullptr;
    QLabel* m_pStanderdLabel = nullptr;
    QLabel* m_pWideLabel = nullptr;
    QMap<const QObject*, SplitType> m_mapBtnType;
    QList<QToolButton*> m_listBtns;
};

} // namespace TesselGUIToolkit
