#pragma once

// Choice tables and neighbour arithmetic of the division layout, kept free of widgets so that
// they can be checked row for row without a host. Not installed; exported only for the tests.

#include "WidgetLayout/LayoutElementConfig.h"

#include <QVector>

#include <functional>

namespace TesselGUIToolkit {
namespace Detail {

    /// Group of a division type (0 for every number outside the group ranges).
    NIMBGUITOOLKIT_EXPORT int SplitGroupOf(int splitType);

    /// Most windows a group shows for a kind of view; 0 for every pair without an entry.
    NIMBGUITOOLKIT_EXPORT int MaximumWndCountInGroup(int group, int windowType);

    /// Division for `count` video windows within `group`, falling back to group 1 (or 17) when
    /// the group cannot hold them. `windowType` selects the group maxima.
    NIMBGUITOOLKIT_EXPORT int VideoLayoutByWndCountWithinGroup(int group, int count,
                                                               int windowType);

    /// The same for map views, falling back to group 7 (or 356).
    NIMBGUITOOLKIT_EXPORT int MapLayoutByWndCountWithinGroup(int group, int count, int windowType);

    /// Division for `count` windows of a view: the video table for views 1 and 2, the map table
    /// with count + 1 for view 3, 2 for any other view. The search starts from the group of
    /// `currentType`; `windowType` selects the maxima.
    NIMBGUITOOLKIT_EXPORT int LayoutByWndCount(int count, int view, int currentType,
                                               int windowType);

    /// Division for `count` windows moved from view `from` into view `to`; 0 for a pair without a
    /// table and for a negative count.
    NIMBGUITOOLKIT_EXPORT int ConvertLayoutByWndCount(int count, int from, int to);

    /// Divisions offered for a view, in offering order; empty for an unknown view.
    NIMBGUITOOLKIT_EXPORT QVector<int> SupportSplit(int view);

    /// Among `candidates`, the one whose window count (as `wndCountOf` tells) lies in [min, max]
    /// and is smallest, the earliest on a tie; 0 when min > max or none qualifies.
    NIMBGUITOOLKIT_EXPORT int SuitableLayoutType(int min, int max, const QVector<int>& candidates,
                                                 const std::function<int(int)>& wndCountOf);

    /// Whether a cell shows a window (as opposed to a spacer or an inert cell).
    inline bool IsWindowCell(const struLayoutElementData& cell)
    {
        return cell.type == QLatin1String("QWidget");
    }

    /// Position of the first window cell whose id satisfies `holds`, or -1.
    NIMBGUITOOLKIT_EXPORT int FirstWindowCell(const QVector<struLayoutElementData>& cells,
                                              const std::function<bool(int)>& holds);

    /// Display index reached from cell `from` of `cells` in direction `direction` (0 left, 1 up,
    /// 2 right, 3 down). Left and right step through the display indexes and wrap over the number
    /// of cells; up and down look for the window cell whose edge touches this cell's top or bottom
    /// edge over its first column and keep the cell's own index when there is none. -1 for a
    /// `from` out of range or an unknown direction.
    NIMBGUITOOLKIT_EXPORT int NeighbourIndex(const QVector<struLayoutElementData>& cells, int from,
                                             int direction);

    /// Rows and columns beyond which a description's grid is not built: a cell or stretch factor
    /// further out comes from a damaged file and would make the grid allocate without bound.
    constexpr int kMaxGridLines = 256;

    /// Whether a cell can be placed into a grid: position from 0, spans from 1, and the whole cell
    /// within kMaxGridLines rows and columns.
    inline bool IsPlaceableCell(const struLayoutElementData& cell)
    {
        return cell.row >= 0 && cell.column >= 0 && cell.rowSpan >= 1 && cell.columnSpan >= 1
            && cell.row < kMaxGridLines && cell.column < kMaxGridLines
            && cell.rowSpan <= kMaxGridLines - cell.row
            && cell.columnSpan <= kMaxGridLines - cell.column;
    }

    /// Stretch factors of a comma-separated list: one per part, empty parts kept, non-numeric
    /// parts 0; at most kMaxGridLines of them.
    NIMBGUITOOLKIT_EXPORT QVector<int> ParseStretch(const QString& text);

} // namespace Detail
} // namespace TesselGUIToolkit
