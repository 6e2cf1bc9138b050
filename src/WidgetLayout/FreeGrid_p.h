#pragma once

// Grid arithmetic of the free layout: no widget, painter or global in here, so that every rule
// can be checked with plain numbers. Cell rectangles use QRect(column, row, columnSpan,
// rowSpan); pixel rectangles are logical (left to right), callers mirror them for right-to-left.

#include "nimbguitoolkit_export.h"

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>
#include <QVector>

namespace TesselGUIToolkit {
namespace Detail {

    /// The free grid never grows beyond this many rows or columns.
    constexpr int kFreeGridMaxSpan = 8;

    struct FreeCellSize
    {
        int width = 0;
        int height = 0;
        int spareWidth = 0; ///< left over beside the grid, split on both sides
        int spareHeight = 0; ///< left over above and below the grid
    };

    /// Unit-cell size of a rows x columns grid in `host` with `spacing` between cells, keeping
    /// the aspect aspectWidth:aspectHeight; counts below 1 count as 1. A zero or negative
    /// aspect gives a zero size.
    NIMBGUITOOLKIT_EXPORT FreeCellSize FreeGridCellSize(const QSize& host, int rows, int columns,
                                                        int spacing, int aspectWidth = 16,
                                                        int aspectHeight = 9);

    /// The grid showing `count` windows largest in `host`: every column count from minColumns to
    /// 8 is tried with as many rows as needed (at least minRows, at most 8); the widest cell
    /// wins, then fewer cells, then fewer columns. False, with rows and columns at the
    /// minimums, when no grid fits.
    NIMBGUITOOLKIT_EXPORT bool FreeGridSuitLayout(const QSize& host, int spacing, int count,
                                                  int minRows, int minColumns, int& rows,
                                                  int& columns);
    /// The same search for a grid that holds the present rows0 x columns0 cells and `count`
    /// more, with at least rows0 rows and columns0 columns.
    NIMBGUITOOLKIT_EXPORT bool FreeGridSuitLayoutByAddition(const QSize& host, int spacing,
                                                            int count, int rows0, int columns0,
                                                            int& rows, int& columns);

    /// Cells of a layout with a map window and `others` more windows (0 to 16; more are
    /// treated as 16): element 0 is the map window, the others follow in index order, 1 x 1.
    NIMBGUITOOLKIT_EXPORT QVector<QRect> FreeGridMapArrangement(int others, int& rows,
                                                                int& columns);

    /// Where a press lands on a window (`window` and `point` in the same coordinates): -1
    /// outside it, 0 inside its inner part (a move), 1 to 8 on its 2-pixel border (top-left,
    /// top-right, bottom-left, bottom-right corner, left, top, right, bottom edge). The corner
    /// boxes are 70/480 of the width by 40/270 of the height.
    NIMBGUITOOLKIT_EXPORT int FreeGridPressArea(const QRect& window, const QPoint& point);
    /// The resize cursor of a pressed area; the arrow for 0 and unknown areas.
    NIMBGUITOOLKIT_EXPORT Qt::CursorShape FreeGridAreaCursor(int area);
    /// Whether `area` moves the left (or top, right, bottom) side of a window.
    NIMBGUITOOLKIT_EXPORT bool FreeGridAreaMovesLeft(int area);
    NIMBGUITOOLKIT_EXPORT bool FreeGridAreaMovesTop(int area);
    NIMBGUITOOLKIT_EXPORT bool FreeGridAreaMovesRight(int area);
    NIMBGUITOOLKIT_EXPORT bool FreeGridAreaMovesBottom(int area);
    /// A window being scaled: the side or corner opposite `area` stays, the pressed one follows
    /// `point` but stops on the fixed side, so the window keeps at least one pixel. `window`
    /// unchanged for areas outside 1 to 8.
    NIMBGUITOOLKIT_EXPORT QRect FreeGridScaleGeometry(const QRect& window, const QPoint& point,
                                                      int area);

    /// Whole cells in `extent` pixels of cells `cell` wide with `spacing` between them, rounded
    /// to the nearest count: laid-out cells come out a pixel or two smaller or larger than the
    /// computed cell (stretch rounding, the layout's margin), and truncating would lose a cell.
    /// At least 1; 0 when `cell` + `spacing` is below 1.
    NIMBGUITOOLKIT_EXPORT int FreeGridCountCells(int extent, int cell, int spacing);
    /// Cells of windows from their pixel geometries, measured from the united rectangle's
    /// top-left corner (its top-right corner, leftwards, for right to left). `rows` and
    /// `columns` receive the united rectangle's size in cells. Empty for no geometry or a
    /// cell smaller than one pixel.
    NIMBGUITOOLKIT_EXPORT QVector<QRect> FreeGridCellsFromGeometry(const QVector<QRect>& geometries,
                                                                   const QSize& cell, int spacing,
                                                                   bool rightToLeft, int* rows,
                                                                   int* columns);

    /// Where the cells of a laid-out grid lie: `area` runs from the first cell's top-left to the
    /// last cell's bottom-right pixel, with `spacing` between cells.
    struct NIMBGUITOOLKIT_EXPORT FreeGridFrame
    {
        QRect area;
        int rows = 1;
        int columns = 1;
        int spacing = 0;

        bool IsValid() const;
        double PitchX() const;
        double PitchY() const;
        /// Pixel rectangle of a cell rectangle (may lie outside `area` for cells beyond it).
        QRect CellsToPixels(const QRect& cells) const;
        /// A pixel position in cell units from the grid origin (1.5 = half-way into cell 1).
        QPointF ToUnits(const QPoint& pixel) const;
        /// The cell under a pixel; may lie outside the grid.
        QPoint CellAt(const QPoint& pixel) const;
        /// The cell whose corner is nearest, halves rounded up.
        QPoint NearestCorner(const QPoint& pixel) const;
    };

    /// Cells a window covers after its `area` side or corner was dragged to `pointerUnits`
    /// (cell units): whole cells from the fixed side, rounded to the nearest count, at least 1.
    /// Null, with *ok false, for an area outside 1 to 8 or a pointer dragged past the fixed
    /// side by half a cell or more.
    NIMBGUITOOLKIT_EXPORT QRect FreeGridScaleCells(const QRect& cells, int area,
                                                   const QPointF& pointerUnits, bool* ok);

    /// The windows of a free grid as cell rectangles under integer keys, and the rules by which
    /// they give way when one of them is moved or scaled. Keys are the caller's; the grid is at
    /// most 8 x 8 and the rectangles never overlap. Idle cells are simply the cells no item
    /// covers.
    class NIMBGUITOOLKIT_EXPORT CFreeGridModel
    {
    public:
        struct Item
        {
            int key = -1;
            QRect cells;
        };
        struct Displacement
        {
            int key = -1;
            QRect from;
            QRect to;
        };
        enum class Outcome {
            Unchanged, ///< nothing to do (same place, same size)
            Rejected, ///< the operation would break a rule; the grid is as it was
            Moved, ///< the item went to idle cells
            Exchanged, ///< the item and `partner` exchanged their rectangles
            Displaced, ///< the item took its place and the items in `displaced` gave way
            Scaled, ///< the item took its new rectangle; `displaced` lists those that gave way
        };
        struct Result
        {
            Outcome outcome = Outcome::Unchanged;
            int partner = -1;
            QVector<Displacement> displaced;
            /// Added to every rectangle when the grid grew to the left or upwards.
            QPoint shift;
            bool Changed() const
            {
                return outcome != Outcome::Unchanged && outcome != Outcome::Rejected;
            }
        };

        explicit CFreeGridModel(int rows = 1, int columns = 1);

        int Rows() const { return m_nRows; }
        int Columns() const { return m_nColumns; }
        /// False (unchanged) outside 1 to 8 or when an item would no longer fit.
        bool SetGridSize(int rows, int columns);
        /// False for a duplicate key, an empty rectangle, one outside the grid or one that
        /// overlaps another item.
        bool AddItem(int key, const QRect& cells);
        bool RemoveItem(int key);
        bool Contains(int key) const;
        /// Null for an unknown key.
        QRect ItemRect(int key) const;
        const QVector<Item>& Items() const { return m_items; }
        /// The key of the item covering `cell`, -1 for an idle cell or one outside the grid.
        int KeyAt(const QPoint& cell) const;
        /// Cells no item covers, in reading order.
        QVector<QPoint> IdleCells() const;

        /// Moves an item so that its top-left cell is `topLeft`, kept inside the grid. Give-way
        /// rules, in order: onto idle cells it simply moves; onto one item of its own rectangle
        /// the two exchange places; when the items it lands on all lie wholly inside its new
        /// rectangle they move into the cells it left, keeping their arrangement; otherwise it
        /// exchanges places with the item it covers most (ties: the first in reading order).
        Result Move(int key, const QPoint& topLeft);
        /// The two items exchange their rectangles.
        Result Exchange(int key, int otherKey);
        /// Gives an item a new rectangle, which may reach beyond the grid: the grid grows to
        /// hold it (rejected beyond 8 x 8; growing left or upwards shifts everything). Items it
        /// now covers give way, each in reading order to the first idle place of its own size;
        /// without one the grid grows a row (then a column) while it may, and as a last resort
        /// the item shrinks to one cell. Rejected when even that leaves no place.
        Result Scale(int key, const QRect& cells);

        /// True when every item lies inside the grid, covers at least one cell, no two overlap,
        /// keys are unique and the grid is 1 to 8 in both directions; `why` names the first
        /// broken rule.
        bool CheckInvariant(QString* why = nullptr) const;

    private:
        int IndexOf(int key) const;
        bool IsFree(const QRect& cells, int ignoreKey) const;
        bool PlaceFirstFit(int key, QSize size);

        int m_nRows = 1;
        int m_nColumns = 1;
        QVector<Item> m_items;
    };

} // namespace Detail
} // namespace TesselGUIToolkit
