#pragma once

#include "nimbguitoolkit_export.h"

#include <QFrame>
#include <QList>
#include <QPointer>

class QGridLayout;
class QHBoxLayout;

namespace TesselGUIToolkit {
class CToolButton;

/// The strip of buttons along the edge of a play window. The client hands it its widgets in three
/// sides: side 0 starts at the leading edge, side 1 is packed against the trailing end, and side 2
/// holds the widgets pinned at the very end (a close button), which never fold away. When the bar
/// is too narrow, the widgets of sides 0 and 1 that do not fit move, in order from the last, into
/// the "More" pop-up, a frameless window opened by the "More" button.
///
/// Two dynamic properties on the client's widgets steer the layout:
/// - "_layout_priority_" (int): the widget's group; groups are laid out in ascending order and
///   separated by a thin splitter line. A widget without it is given 0.
/// - "_directly_show_" (bool): the widget is in the bar only while the "visible" property of the
///   default action of the QToolButton is true; changes of the action relayout the bar.
///
/// The bar takes the widgets as its children (in the bar or in the pop-up). A widget that is
/// replaced by a later AddWidgets() is hidden and stays a child of the bar until the client takes
/// or deletes it. Deleted widgets drop out of the bar by themselves.
class NIMBGUITOOLKIT_EXPORT CPlayWndToolBar : public QFrame
{
    Q_OBJECT
public:
    enum Side : int { LeadingSide = 0, TrailingSide = 1, EndSide = 2 };
    Q_ENUM(Side)
    /// The kind of play window that carries the bar; stored for the client and subclasses.
    enum WndType : int { UnknownWnd = 0, PreviewWnd = 1, PlaybackWnd = 2, MapWnd = 3 };
    Q_ENUM(WndType)

    /// Pixels between neighbouring widgets, and between the leading and the trailing side.
    static constexpr int kWidgetGap = 2;
    static constexpr int kSideGap = 5;
    static constexpr int kMoreButtonSize = 30;
    /// RelayoutAll() reports cuts in the trailing side with this added.
    static constexpr int kTrailingCutOffset = 100;

    explicit CPlayWndToolBar(QWidget* parent = nullptr, WndType type = PreviewWnd);
    ~CPlayWndToolBar() override;

    /// Replaces the widgets of one side; sides outside 0 to 2 are ignored, null entries skipped.
    void AddWidgets(Side side, QList<QWidget*>& widgets);
    void AddWidgets(QList<QWidget*>& leading, QList<QWidget*>& trailing, QList<QWidget*>& end);
    /// Puts one widget in front of side 0, or at the end of side 1 or 2; null is ignored.
    void AddExtraWidgets(Side side, QWidget* widget);
    /// The widgets of a side as given (empty for a side outside 0 to 2).
    QList<QWidget*> GetWidgets(Side side) const;

    void SetToolBarContentsMargins(int left, int top, int right, int bottom);
    /// Space between the folding part of the bar and the pinned end widgets.
    void SetSpacing(int spacing);
    void SetWndType(WndType type) { m_eWndType = type; }
    WndType GetWndType() const { return m_eWndType; }

    /// Lays the bar out for its present width. The result tells where it was cut: the number of
    /// widgets kept in the bar, plus 100 when the cut lies in side 1, or -1 when everything fits.
    int RelayoutAll();
    /// The result of the last RelayoutAll().
    int GetLayoutCut() const { return m_nLayoutCut; }
    /// The widgets that the last layout moved into the pop-up, in order.
    QList<QWidget*> GetFoldedWidgets() const;

    /// The pop-up window that receives the widgets that do not fit (owned by the bar).
    QFrame* GetExtendWnd() const { return m_pExtendWnd; }

    void ShowExtendWnd();
    void HideExtendWnd();
    /// The pop-up is the active window and the cursor is inside it.
    bool IsMouseEnterExtend() const;
    /// The boolean dynamic property "_sound_opened_" of the child button "ptr_volumn_btn_";
    /// false without such a child.
    bool IsSoundOpend() const;
    /// Whether a pop-up that belongs to the bar keeps it open; subclasses with pop-ups of their
    /// own answer for them.
    virtual bool HaveRelatedPopWndVisible() const;

Q_SIGNALS:
    void SignalShowToolbar(bool b_show);
    /// The cursor left the bar and its pop-up while no pop-up keeps the bar open.
    void SignalHideToolBar();

public Q_SLOTS:
    /// Hides the pop-up unless the cursor is inside it.
    void OnExtraWidgetHide();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void leaveEvent(QEvent* event) override;

private Q_SLOTS:
    void OnContentChanged();
    void OnWidgetDestroyed(QObject* object);

private:
    QList<QWidget*> VisibleSideWidgets(int side);
    void ClearLayouts();
    QFrame* TakeSplitterLine();
    void PlaceInBar(QWidget* widget);
    void PlaceInExtend(QWidget* widget, int index);
    void Watch(QWidget* widget);
    void ReleaseDropped(const QList<QPointer<QWidget>>& before);
    bool CursorOutsideBarAndExtend() const;

    QList<QPointer<QWidget>> m_listSides[3];
    WndType m_eWndType = PreviewWnd;
    QHBoxLayout* m_pBarLayout = nullptr;
    QWidget* m_pContent = nullptr;
    QHBoxLayout* m_pContentLayout = nullptr;
    QWidget* m_pEndArea = nullptr;
    QHBoxLayout* m_pEndLayout = nullptr;
    CToolButton* m_pMoreButton = nullptr;
    QFrame* m_pExtendWnd = nullptr;
    QGridLayout* m_pExtendLayout = nullptr;
    QList<QFrame*> m_listSplitterPool;
    int m_nSplittersUsed = 0;
    QList<QPointer<QWidget>> m_listFolded;
    int m_nLayoutCut = -1;
    int m_nLaidOutWidth = -1;
    bool m_bRelayoutPending = false;
    bool m_bInRelayout = false;
};

} // namespace TesselGUIToolkit
