#pragma once

#include "WidgetLayout/AnimaWidgetLayoutMgr.h"
#include "WidgetLayout/FreeGrid_p.h"
#include "WidgetLayout/GeometryAnimator.h"
#include "WidgetLayout/LayoutElementConfig.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QPixmap>
#include <QPointer>
#include <QVector>

class QGridLayout;
class QLabel;

namespace TesselGUIToolkit {
class CInternalWidget;
class CSilenceWidget;

/// A weak pointer to a window that can still be compared while the window is being destroyed:
/// its destroyed() signal arrives when only the QObject part is left, and QPointer<T> would
/// cast that remainder to T.
template <class T> class CWeakWindow
{
public:
    CWeakWindow() = default;
    CWeakWindow(T* w) // NOLINT: stands in for a plain pointer
        : m_object(w)
    {
    }
    CWeakWindow& operator=(T* w)
    {
        m_object = w;
        return *this;
    }
    T* data() const { return static_cast<T*>(m_object.data()); }
    operator T*() const { return data(); }
    T* operator->() const { return data(); }
    bool Is(const QObject* object) const { return object && m_object.data() == object; }

private:
    QPointer<QObject> m_object;
};

/// State and helpers of CAnimaWidgetLayoutMgr. Layout logic lives in AnimaWidgetLayoutMgr.cpp,
/// mouse and drop handling in AnimaWidgetLayoutMgrInteraction.cpp.
class CAnimaWidgetLayoutMgrPrivate
{
public:
    typedef CAnimaWidgetLayoutMgr::SplitType SplitType;

    explicit CAnimaWidgetLayoutMgrPrivate(CAnimaWidgetLayoutMgr* owner);
    ~CAnimaWidgetLayoutMgrPrivate();

    // --- windows and lists ---
    void Register(CGUIBaseWidget* w);
    void ConnectDisplayWindow(CGUIBaseWidget* w);
    void Forget(QObject* object);
    bool IsPlayKind(const CGUIBaseWidget* w) const;
    bool IsInLayout(const CGUIBaseWidget* w) const;
    /// Play, silence and the map window (in map mode): the windows the give-way rules move.
    QList<CGUIBaseWidget*> RealWindows() const;
    /// Every window with a cell: the displayed ones and the map window in map mode.
    QList<CGUIBaseWidget*> PlacedWindows() const;
    CGUIBaseWidget* WindowAtIndex(int index) const;
    CGUIBaseWidget* WindowAtCell(const QPoint& cell, bool includeIdle) const;
    static QRect CellsOf(const CGUIBaseWidget* w);
    static void SetCells(CGUIBaseWidget* w, const QRect& cells);
    void LeaveLayout(CGUIBaseWidget* w);
    CSilenceWidget* SilenceWindow(int number);
    void ClearLayoutContent();

    // --- grid ---
    Detail::FreeCellSize CellSize() const;
    Detail::FreeGridFrame Frame() const;
    /// Logical pixels of a cell rectangle: the layout's own cells once laid out (rows can
    /// differ by a pixel), the frame's arithmetic otherwise and beyond the grid.
    QRect CellPixels(const QRect& cells) const;
    QPoint ToLogical(const QPoint& p) const;
    QRect ToVisual(const QRect& r) const;
    bool BuildModel(Detail::CFreeGridModel& model, QList<CGUIBaseWidget*>& keys) const;
    void ApplyModel(const Detail::CFreeGridModel& model, const QList<CGUIBaseWidget*>& keys);
    /// Idle windows into every cell no other window covers; idle windows whose cells are still
    /// free keep them (a restored layout keeps its large empty cells).
    void FillLayoutWithIdle(int rows, int columns, bool mapMode);
    bool DeleteLayout(CGUIBaseWidget* w);
    bool InsertMapLayout();
    void ReLayout(bool animate);
    void InsertItem(QGridLayout* grid, CGUIBaseWidget* w, int row, int column, int rowSpan,
                    int columnSpan);
    void Renumber();
    void UpdateVisibility();
    void ScheduleRepair();

    /// The grid that shows `count` windows largest in the present host (FreeGridSuitLayout).
    bool GetSuitLayout(int count, int minRows, int minColumns, int& rowCount,
                       int& columnCount) const;
    /// The same for `count` windows more than the present rows0 x columns0 cells.
    bool GetSuitLayoutByAddtion(int count, int rows0, int columns0, int& rowCount,
                                int& columnCount) const;

    // --- descriptions ---
    /// Cells of a description as rectangles, checked against the rules (grid 1 to 8 each way,
    /// no overlap, inside the grid, at most 64). `widgetsOnly` skips spacer and inert cells.
    static bool DescriptionCells(const CLayoutElementConfig& config, bool widgetsOnly, int& rows,
                                 int& columns, QVector<int>* positions, QVector<QRect>* cells);
    void LayoutConfigMapping(const CLayoutElementConfig& config,
                             const QList<CGUIBaseWidget*>& windows, QList<CGUIBaseWidget*>& out);
    bool AssignPresetToSilence(SplitType type);
    void ApplyIdleCells(const QVector<QRect>& cells, const QVector<int>& poolNumbers, int rows,
                        int columns);

    // --- interaction (AnimaWidgetLayoutMgrInteraction.cpp) ---
    void CreateHelpers();
    void DestroyHelpers();
    void HandlePress(const QPoint& pos);
    void HandleMove(const QPoint& pos);
    void HandleRelease(const QPoint& pos);
    void MoveStep(const QPoint& pos);
    void ScaleStep(const QPoint& pos);
    void TakeOutOfLayout(CGUIBaseWidget* w);
    QRect GetReleaseRect(CGUIBaseWidget* w, const QPoint& topLeft, bool* possible) const;
    QRect GetScaleRect(CGUIBaseWidget* w, const QPoint& pos, int area, bool* possible) const;
    QRect GetUnitReleaseRectByPos(const QPoint& pos) const;
    bool IsMapRect(const QRect& cells) const;
    void ScaleWidget(CGUIBaseWidget* w, const QPoint& pos, int area);
    void AddMaskWidget(CGUIBaseWidget* w, const QRect& cells, int mode, bool possible);
    void ShowMaskOverPixels(const QRect& visual, bool possible);
    bool SwitchDisplay(CGUIBaseWidget* w, const QPoint& logicalPoint);
    bool SwitchLayout(CGUIBaseWidget* w, const QPoint& logicalPoint);
    bool ScaleLayout(CGUIBaseWidget* w, const QPoint& logicalPoint, int area);
    bool ApplyMove(CGUIBaseWidget* w, const QPoint& topLeftCell);
    bool ApplyScale(CGUIBaseWidget* w, const QRect& cells, int area);
    void HandleDragOver(const QPoint& pos);
    void HandleDrop(QDropEvent* event, const QPoint& pos);
    void ShowDropMaskAtCursor();
    void PaintLine();
    void EndGesture();
    bool PlaceWindowAtCell(CGUIBaseWidget* w, const QPoint& cell, bool replace);
    CGUIBaseWidget* Neighbour(CGUIBaseWidget* w, CAnimaWidgetLayoutMgr::Direction direction,
                              bool wallOnly) const;

    CAnimaWidgetLayoutMgr* const q;

    QPointer<QWidget> host;
    QPointer<QGridLayout> grid;
    QMap<int, CGUIBaseWidget*> windowMap; ///< play windows by the order they were given
    int nextWindowNumber = 0;
    QMap<int, CGUIBaseWidget*> silenceMap; ///< the manager's silence windows by number
    QMap<int, CGUIBaseWidget*> idlePool; ///< 64 idle windows by number
    QList<CGUIBaseWidget*> layoutList; ///< idle windows placed in cells
    QList<CGUIBaseWidget*> silenceList;
    QList<CGUIBaseWidget*> playList;
    QList<CGUIBaseWidget*> displayedList; ///< play, then silence, then idle windows
    QList<CGUIBaseWidget*> allList; ///< every play window given
    QMap<int, QPointer<CInternalWidget>> edgeZones; ///< spare space before and after the grid
    /// Every window the manager holds a raw pointer to, by its QObject: a destroyed() signal
    /// arrives when only the QObject is left, so lookups go through the QObject address.
    QHash<QObject*, CGUIBaseWidget*> registry;
    bool maximized = false;
    CWeakWindow<CGUIBaseWidget> maximizedWidget;
    CWeakWindow<CGUIBaseWidget> mapWidget;
    bool mapMode = false;
    QMap<SplitType, CLayoutElementConfig*> descriptions;
    CLayoutElementConfig working;
    SplitType splitType = struSplitTypeData::SplitFree;
    CAnimaWidgetLayoutMgr::WindowType windowType = struViewWindowType::Preview;
    bool dragEnabled = true;
    bool translucence = false;
    bool tileNumbersShown = false;
    bool shutDownEnabled = true;
    bool repairScheduled = false;
    CBaseItemAnimDirector director;
    int rows = 1;
    int columns = 1;
    int aspectWidth = 16;
    int aspectHeight = 9;
    int spacing = 1;
    int gridTop = 0; ///< layout row of grid row 0 (1 when spare rows frame the grid)
    int gridLeft = 0;
    CWeakWindow<CGUIBaseWidget> selected;

    // mouse gesture
    QPoint pressPoint; ///< logical host coordinates
    QPoint releasePoint;
    CWeakWindow<CGUIBaseWidget> pressed;
    QRect pressedRect; ///< logical
    bool moving = false;
    bool scaling = false;
    bool floatingShown = false;
    bool gesturePressedEmitted = false;
    int pressedArea = 0;
    QRect releaseCells;
    QPixmap dragPicture;
    QPointer<QLabel> mask;
    QPointer<QLabel> floating;
    int maskState = -1; ///< style shown on the mask: 0 red, 1 blue, -1 none yet
    qint64 maskPictureKey = 0;
    static bool s_bDragStarted;
};

} // namespace TesselGUIToolkit
