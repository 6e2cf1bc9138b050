#pragma once

#include "WidgetLayout/LayoutElementConfig.h"
#include "WidgetLayout/SplitTypeData.h"
#include "nimbguitoolkit_export.h"

#include <QList>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

class QDropEvent;
class QWidget;

namespace TesselGUIToolkit {
class CGUIBaseWidget;
class CAnimaWidgetLayoutMgrPrivate;

/// The free window layout: a grid of equal cells (16:9, at most 8 x 8) in one host widget, in
/// which every window covers a rectangle of whole cells of its own. Windows are added at a
/// position, moved, exchanged and enlarged with the mouse, removed one by one, and every change
/// moves them to their new places with a 300 ms animation. Cells no window takes are filled
/// with idle windows (CInternalWidget) that receive drops; a preset division can be shown with
/// silence windows (CSilenceWidget) standing in for windows that play nothing. The whole
/// layout is saved and restored as XML text (GetXml, SetXml).
///
/// Rules that always hold: no two windows overlap, every window covers whole cells, the grid
/// never exceeds 8 x 8 cells, and every cell no window covers holds an idle window.
///
/// Windows: the play windows given (kind 0 or 2), an optional map window (kind 1, see map mode),
/// the manager's silence windows and its idle windows. Display indexes run in reading order
/// over all windows of the layout and are renewed by every rebuild; tile numbers (1, 2, 3 ...)
/// follow them, skipping the map window.
///
/// Give-way rules when the user drops a window (Move, also SwitchWidgetToInter):
/// - the target is the window's own size at the cell nearest to where it was dropped, kept
///   inside the grid (moving never grows the grid);
/// - onto idle cells the window simply moves;
/// - onto one window of exactly its rectangle, the two exchange places;
/// - when the windows it lands on lie wholly inside its new rectangle, they move into the cells
///   it left and keep their arrangement (SignalWidgetSwitchToInter);
/// - otherwise (it lands partly on larger windows) it exchanges places with the window it
///   covers most (SignalWidgetSwitched).
/// Give-way rules when the user drags a border or corner (Scale, also ScaleWidgetByUnitPos):
/// - the side or corner opposite the pressed one stays; the window takes as many whole cells as
///   the pointer is away from it (nearest count, at least one); the grid grows towards the
///   pointer when needed, and the scale is refused if the grid would exceed 8 x 8 or the
///   pointer is dragged past the fixed side;
/// - every window the new rectangle touches moves, in reading order, to the first idle place of
///   its own size; without one the grid grows a row (then a column), and as a last resort the
///   window shrinks to one cell; if even that fails the scale is refused.
///
/// Map mode: a client hands the manager its map window with AddWidget (a window whose
/// WidgetTypes() is 1), then OpenMapWidget() gives it the large top-left area and arranges up
/// to 16 other windows around it; CloseMapModel() takes it out again.
///
/// Ownership: windows given stay the client's; the manager never deletes them, forgets a window
/// the client destroys, and reparents windows to the host when it places them. The manager owns
/// the idle, silence and edge windows, the mask and the drag picture (children of the host) and
/// its descriptions. Bad input (null windows, unknown windows, indexes out of range, text that
/// does not parse or breaks the rules above) gives false, null, -1 or 0 and leaves the layout
/// unchanged.
class NIMBGUITOOLKIT_EXPORT CAnimaWidgetLayoutMgr : public QObject
{
    Q_OBJECT
public:
    typedef struSplitTypeData::SplitType SplitType;
    typedef struViewWindowType::WindowType WindowType;

    /// Where a press on a window landed: 0 moves it, the others scale it.
    enum ScalePressArea {
        PressNone = 0,
        PressTopLeft = 1,
        PressTopRight = 2,
        PressBottomLeft = 3,
        PressBottomRight = 4,
        PressLeft = 5,
        PressTop = 6,
        PressRight = 7,
        PressBottom = 8,
    };
    Q_ENUM(ScalePressArea)
    /// What the mask stands for: a drop from outside, or a window of the layout being moved or
    /// scaled (then it shows the window's picture).
    enum WidgetMaskMode { MaskDropFromOutside = 0, MaskMoveOrScale = 1 };
    Q_ENUM(WidgetMaskMode)
    enum Direction { Left = 0, Up = 1, Right = 2, Down = 3 };
    Q_ENUM(Direction)

    /// No host, split type 200 (free), window type 1, spacing 1, cells 16:9, drag allowed.
    explicit CAnimaWidgetLayoutMgr(QObject* parent = nullptr);
    ~CAnimaWidgetLayoutMgr() override;

    // --- Set-up ---------------------------------------------------------------------------

    /// Attaches the manager to `host` (drops accepted, the manager filters its events), loads
    /// the description files (a later description of a type replaces an earlier one; files that
    /// cannot be read are skipped), creates the idle, edge and drag helpers and shows `widgets`
    /// in the grid that shows them largest (GetSuitLayout), in list order; a window of kind 1
    /// becomes the map window. False only for a null host. A second Init starts afresh.
    bool Init(QWidget* host, const QStringList& files, QList<CGUIBaseWidget*> widgets);
    /// Registers a window without placing it (see AddWidgetDisplayByUnitPos and friends): a
    /// play window (kind 0 or 2) under the next number, a kind-1 window as the map window
    /// (refused while map mode is on). False for null or an already known window.
    bool AddWidget(CGUIBaseWidget* w);
    void SetSpliteWindowType(WindowType type);
    WindowType GetSpliteWindowType() const;
    /// Pixels between cells; negative values are ignored. Rebuilds when it changes.
    void SetLayoutSpacer(int spacing);
    int GetLayoutSpacer() const;
    /// Whether windows may be moved and scaled with the mouse and drop masks are shown.
    void SetEnableWidgetDrag(bool enabled);
    bool IsWidgetDragEnabled() const;
    /// Whether the host and the two edge zones accept drops.
    void SetContainerEnabledDrops(bool enabled);
    void SetContainerAcceptDrop(bool accept);
    /// Shows tile numbers on idle cells too.
    void EnableWidgetTileNumberShow(bool show);
    bool IsWidgetTileNumberShown() const;
    /// Draws the window's picture in the drag mask translucent, so the cells beneath show.
    void EnableTranslucenceEffect(bool enable);
    bool IsTranslucenceEffectEnabled() const;
    /// Whether silence windows offer their close button (true after construction).
    void SetShutDownEnabled(bool enabled);
    bool IsShutDownEnabled() const;

    QWidget* GetHost() const;
    int GetRowCount() const;
    int GetColumnCount() const;

    /// Rebuilds the host's grid layout from the present cells and renumbers the windows;
    /// `animate` false puts every window in place at once.
    void ReLayout(bool animate = true);

    // --- Layout text ----------------------------------------------------------------------

    /// The present layout as XML ("Config" root, one "ElementConfig"); empty when no window is
    /// placed, or in map mode once the map window is gone.
    QString GetXml() const;
    /// Restores the grid and its cells from GetXml text: every cell gets an idle window (play,
    /// silence and map windows leave the layout), ready for AddWidgetDisplayByUnitPos. False,
    /// layout unchanged, for text that does not parse or whose cells break the rules.
    bool SetXml(const QString& text);
    /// Shows the preset division `type` with a silence window in every cell (play windows
    /// leave the layout). False without a description of `type` or when it does not fit.
    bool SetXml(SplitType type);
    /// Shows the preset division `type` keeping the play windows: they take the first cells in
    /// index order (after the map window in map mode), silence windows the rest; play windows
    /// that do not fit are closed and leave the layout. False as SetXml(SplitType).
    bool SetPreSplit(SplitType type);
    /// Keeps the part of `text` that the cells at positions `indexes` (and `extra` unless it is
    /// 0xFFFFFFFF) span, moved to the origin and renumbered from 0; the entries that named a
    /// kept cell are rewritten to the new ids. False for no selection, text that does not parse
    /// or positions that name no cell.
    bool SetXmlWithRedundancyElimination(const QString& text, QVector<int>& indexes,
                                         unsigned int& extra);
    /// Parses one "ElementConfig" text into `out`; false for null `out` or bad text.
    bool GetSingleLayoutElementByXml(CLayoutElementConfig* out, const QString& text) const;
    /// True when `text` has as many cells as the description of `type` and each of them is one
    /// of its cells.
    bool CompareLayout(const QString& text, SplitType type);

    // --- Queries --------------------------------------------------------------------------

    /// The preset shown, or 200 once the layout was changed.
    SplitType GetSplitType() const;
    /// Windows of a preset division; 0 without its description.
    int GetWndCountByType(SplitType type) const;
    /// The window of the layout (any kind) with that display index; null (and an error line in
    /// the log) when there is none.
    CGUIBaseWidget* GetWidgetByIndex(int index) const;
    /// The play window registered `number`-th (from 0); null out of range.
    CGUIBaseWidget* GetWidget(int number) const;
    /// Cells the window covers and cells of the grid (1 and 1 while it is maximised). False for
    /// an unknown window or before Init.
    bool GetWidgetScale(CGUIBaseWidget* w, int& cells, int& total) const;
    /// Windows of the layout, idle ones only when `includeIdle`.
    int GetVisiableWidgetCount(bool includeIdle) const;
    /// Play windows of the layout, plus silence windows when `includeSilence`.
    int GetVisiablePlayWidgetCount(bool includeSilence) const;
    /// Play, then silence, then idle windows of the layout.
    QList<CGUIBaseWidget*> GetAllVisibleWidgets() const;
    QList<CGUIBaseWidget*> GetAllVisiablePlayWidgets() const;
    QList<CGUIBaseWidget*> GetAllVisiblePlaySilenceWidgets() const;
    /// Display index of the map window in map mode, else -1.
    int GetMapWidgetIndex() const;
    /// Whether `w` is a window of the present layout (the map window in map mode included).
    bool WidgetDisplayedInLayout(CGUIBaseWidget* w) const;
    /// The cells of a window of the layout; false (all -1) for others.
    bool GetWidgetPos(CGUIBaseWidget* w, int& row, int& column, int& rowSpan,
                      int& columnSpan) const;
    /// Size of one cell in the present host, from the cell arithmetic.
    QSize GetUnitWidgetSize() const;

    // --- Map mode -------------------------------------------------------------------------

    CGUIBaseWidget* GetMapWidget() const;
    bool IsMapMode() const;
    /// Gives the map window the large top-left area and arranges the other windows around it
    /// (at most 16: silence windows, then play windows from the end are closed beyond that).
    /// False without a host or a map window.
    bool OpenMapWidget();
    /// Takes the map window out of the layout; the other windows keep their places. False when
    /// map mode is off.
    bool CloseMapModel();

    // --- Windows in the layout ------------------------------------------------------------

    /// Puts `w` (registered if needed) into the cells of the idle or silence window at host
    /// position `pos`; onto a play window only when `replace` is true (that window is closed
    /// and leaves the layout). Emits SignalWidgetAddByPos(row, column). False for null, a
    /// window already in the layout, a map window, a position outside the grid or an occupied
    /// cell.
    bool AddWidgetToDisplayByPos(CGUIBaseWidget* w, const QPoint& pos, bool replace = false);
    /// Like AddWidgetToDisplayByPos, but a position beside the grid (the spare space) adds a
    /// column or row on that side for `w`. False when the grid would exceed 8 x 8.
    bool AddLayoutByPos(CGUIBaseWidget* w, const QPoint& pos);
    /// AddWidgetToDisplayByPos by cell; never replaces a play window.
    bool AddWidgetDisplayByUnitPos(CGUIBaseWidget* w, int row, int column);
    /// Puts the windows into idle cells in reading order, growing the grid (GetSuitLayout for
    /// the added count) when they do not fit; emits SignalAddWidgetByAdaptive(count, rows,
    /// columns). All or nothing: false when they cannot all be placed.
    bool AddWidgetByAdaptive(const QList<CGUIBaseWidget*>& widgets);
    /// Takes a play, silence or the map window out of the layout; the others keep their places
    /// and a row or column left empty at the grid's edge disappears. The window is hidden, not
    /// closed. False for a window that is not in the layout.
    bool RemoveWidget(CGUIBaseWidget* w);
    /// Lets every play window of the layout stop what it shows (ClosePlayWnd); with `remove`
    /// they also leave the layout, their cells becoming idle.
    void CloseAllPlayWnds(bool remove);
    /// Exchanges the cells of the windows with display indexes `from` and `to` (any kind) and
    /// emits SignalWidgetSwitched(from, to). True at once when they are equal.
    bool SwitchWidgetsByIndex(int from, int to);
    /// Moves the window with display index `index` by `columns` and `rows` cells with the
    /// give-way rules of a mouse move (so SignalWidgetSwitchToInter can be replayed). False
    /// when nothing moved.
    bool SwitchWidgetToInter(int index, int columns, int rows);
    /// Gives the window with display index `index` (the map window when `isMap`) `columnSpan` x
    /// `rowSpan` cells, keeping the side opposite `pressedArea` (1 to 8) where it is, with the
    /// give-way rules of a mouse scale (so SignalWidgetScaled can be replayed).
    bool ScaleWidgetByUnitPos(int index, int columnSpan, int rowSpan, int pressedArea, bool isMap);
    /// Whether AddWidgetToDisplayByPos(w, pos) would succeed.
    bool IsAbleToInsertWidgetAtPoint(CGUIBaseWidget* w, const QPoint& pos) const;

    // --- Positions and neighbours ---------------------------------------------------------

    /// The window of the layout (idle ones included) whose cells hold host position `pos`.
    CGUIBaseWidget* GetWidgetByPos(const QPoint& pos) const;
    /// The play, silence or map window whose present geometry contains `pos`.
    CGUIBaseWidget* GetWidgetContainsPos(const QPoint& pos) const;
    /// GetWidgetByPos among the windows on the video wall.
    CGUIBaseWidget* GetWidgetByPosForCtrlWall(const QPoint& pos) const;
    /// The neighbour of `w` among play, silence and map windows: Left and Right the previous
    /// and next display index (wrapping round), Up and Down the nearest window above or below
    /// that shares w's first column; `w` itself when there is none; null for an unknown `w`.
    CGUIBaseWidget* GetWidget(CGUIBaseWidget* w, Direction direction) const;
    /// GetWidget among the windows on the video wall.
    CGUIBaseWidget* GetWidgetOnWall(CGUIBaseWidget* w, Direction direction) const;

    // --- Maximise and selection -----------------------------------------------------------

    /// Lays `w` over the whole host at once and emits SignalShowMaximized(); nothing for null
    /// or a window not in the layout. The next rebuild (ShowNormal) restores the grid.
    void ShowMaximized(CGUIBaseWidget* w);
    /// Restores the grid (animated) and emits SignalShowNormal(); nothing unless maximised.
    void ShowNormal();
    /// True while maximised and `w` is visible.
    bool Maximized(CGUIBaseWidget* w) const;
    bool IsMaximized() const;
    CGUIBaseWidget* GetSelectedWidget() const;
    /// Marks `w` selected (the previous one not) and emits SignalWidgetSelected(); nothing for
    /// the window already selected or an unknown one; null clears the selection silently.
    void SetSelectedWidget(CGUIBaseWidget* w);

    // --- Interaction state ----------------------------------------------------------------

    /// Hides the drag mask.
    void ClearMask();
    bool IsMoving() const;
    bool IsScaling() const;
    ScalePressArea GetPressedArea() const;
    /// Cells the window being dragged would take on release (null when none).
    QRect GetReleaseRect() const;
    /// Whether the present mouse gesture (of any manager) has gone beyond 10 pixels.
    static bool IsDragStarted();

    bool eventFilter(QObject* watched, QEvent* event) override;

Q_SIGNALS:
    void SignalShowMaximized();
    void SignalShowNormal();
    void SignalDropEvent(QDropEvent* pDropEvent, CGUIBaseWidget* pDropWidget,
                         QPoint dropPositionInLayout);
    void SignalWidgetLayoutChanged();
    void SignalWidgetPressed();
    void SignalAnimationEnd();
    void SignalSetBackgroundVisible(bool b_visible);
    void SignalChangeSplitType(int split_type, QString str_xml);
    void SignalWidgetSwitched(int i_index_from, int i_index_to);
    /// A window moved `i_x_count_from` columns and `i_y_count_from` rows away from its old
    /// place (onto idle cells, or pushing smaller windows into the cells it left);
    /// `i_wnd_index` is its display index before the move.
    void SignalWidgetSwitchToInter(int i_wnd_index, int i_x_count_from, int i_y_count_from);
    void SignalWidgetScaled(int i_wnd_index, int i_x_scale, int i_y_scale, int i_pressed_area,
                            bool is_scale_map);
    /// A window was put into the cell at (`i_row`, `i_column`).
    void SignalWidgetAddByPos(int i_row, int i_column);
    void SignalSilenceWidgetClosed(int i_wnd_id);
    void SignalAddWidgetByAdaptive(int i_widgets_count, int i_row_count_new,
                                   int i_column_count_new);
    void SignalWidgetSelected();

public Q_SLOTS:
    void OnWidgetSelected();
    void OnEdgeWidgetDropEvent(QDropEvent* event, QPoint position);
    void OnEdgeWidgetDragEnterEvent();
    void OnEdgeWidgetDragMoveEvent();
    void OnEdgeWidgetDragLeaveEvent();
    void OnInternalWidgetDropEvent(QDropEvent* event, QPoint position);
    void OnInternalWidgetDragEnterEvent();
    void OnInternalWidgetDragLeaveEvent();
    void OnDisplayWidgetDropEvent(QDropEvent* event, QPoint position);
    void OnDisplayWidgetDragEnterEvent();
    void OnDisplayWidgetDragLeaveEvent();

private:
    friend class CAnimaWidgetLayoutMgrPrivate;
    std::unique_ptr<CAnimaWidgetLayoutMgrPrivate> const d;
};

} // namespace TesselGUIToolkit
