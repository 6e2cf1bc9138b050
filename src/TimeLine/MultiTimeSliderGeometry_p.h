#pragma once

// Rows, scrolling and thumbnail rules of the multi-channel time line, free of widgets so that
// the tables behind them can be checked one by one.

#include <QSet>
#include <QVector>

#include <algorithm>

namespace TesselGUIToolkit {
namespace Detail {

    constexpr int kMultiMaxRows = 64;
    /// Free pixels between the header band (axis, tags, locks) and the first row.
    constexpr int kRowsGap = 4;
    /// Height of the strip's top band that carries the pin button and is dragged to resize.
    constexpr int kThumbnailBandHeight = 21;
    constexpr int kThumbnailMaxHeight = 200;
    constexpr int kThumbnailMinHeight = 100;
    /// Dragged below this the pictures go away altogether.
    constexpr int kThumbnailHideBelow = 22;

    /// Vertical layout of the rows. Row positions are content coordinates: the rows scroll under
    /// the fixed header band by the scroll offset.
    struct RowGeometry
    {
        int nRowsTop = 24;
        int nRowHeight = 20;
        int nHeaderHeight = 46;

        /// The first row begins a few pixels below the header band, so the lock pictures (which
        /// reach down to the header's bottom) never cover a row.
        int RowsAreaTop() const { return std::max(nRowsTop, nHeaderHeight + kRowsGap); }
        /// What a row layer adds to rows top + row x row height.
        int RowLayerOffset() const { return RowsAreaTop() - nRowsTop; }
        int RowTop(int row) const { return RowsAreaTop() + row * nRowHeight; }
        int ContentHeight(int rows) const { return RowsAreaTop() + std::max(0, rows) * nRowHeight; }
    };

    /// Maximum of the vertical scroll bar: 0 when the rows fit in `widgetHeight`, else content
    /// height
    /// - widget height + 2 (the 2 leaves the last row's bottom line clear of the frame).
    inline int ScrollMaximum(int contentHeight, int widgetHeight)
    {
        if (contentHeight <= widgetHeight)
            return 0;
        return contentHeight - widgetHeight + 2;
    }

    inline int FirstVisibleRow(int scrollValue, int rowHeight)
    {
        if (rowHeight <= 0 || scrollValue <= 0)
            return 0;
        return scrollValue / rowHeight;
    }

    /// The scroll value that brings `row` into view: -1 when the row already lies among the four
    /// rows from the first visible one, else the value that makes row - 3 (not below 0) the first.
    inline int ShowIndexScrollValue(int row, int firstVisible, int rowHeight)
    {
        if (row >= firstVisible && row <= firstVisible + 3)
            return -1;
        return std::max(0, row - 3) * rowHeight;
    }

    /// Row under content-free screen y for `rows` rows scrolled by `scroll`; -1 outside the rows.
    inline int RowAtY(const RowGeometry& g, int rows, int scroll, int y)
    {
        const int top = g.RowsAreaTop();
        if (y < top || g.nRowHeight <= 0)
            return -1;
        const int row = (y - top + scroll) / g.nRowHeight;
        return row < rows ? row : -1;
    }

    /// The picture height for a strip dragged to `dragged` pixels of picture: above 200 it is 200,
    /// 100 to 200 are kept, 22 to 99 become 100 and anything below 22 hides the pictures (0).
    inline int SnapThumbnailHeight(int dragged)
    {
        if (dragged > kThumbnailMaxHeight)
            return kThumbnailMaxHeight;
        if (dragged >= kThumbnailMinHeight)
            return dragged;
        if (dragged >= kThumbnailHideBelow)
            return kThumbnailMinHeight;
        return 0;
    }

    /// Thumbnails keep a 4:3 picture.
    inline int ThumbnailWidthFor(int height)
    {
        return std::max(0, height) * 4 / 3;
    }

    /// A thumbnail centred on chart-relative `x` is placed while some of it can still be seen.
    inline bool IsValidThumbnailX(int x, int thumbnailWidth, int chartWidth)
    {
        return x >= -thumbnailWidth / 2 && x <= chartWidth + thumbnailWidth / 2;
    }

    /// Walks the chart from chart-relative `x` to the right and lists the times to ask for: at each
    /// step the first recorded moment at or after the time under x (`firstAfter(x)`, 0 when none in
    /// view), then on one thumbnail width past that moment's x (`xOf(t)`). Times already in
    /// `requested` are skipped; new ones are added to it. Progress of at least one pixel per step
    /// keeps a degenerate mapping from looping.
    template <typename FirstAfter, typename XOf>
    QVector<qint64> PlanThumbnailsAfter(int x, int chartWidth, int thumbnailWidth,
                                        QSet<qint64>& requested, FirstAfter firstAfter, XOf xOf)
    {
        QVector<qint64> out;
        if (thumbnailWidth <= 0 || chartWidth <= 0)
            return out;
        x = std::max(0, x);
        while (x <= chartWidth) {
            const qint64 t = firstAfter(x);
            if (t <= 0)
                break;
            if (!requested.contains(t)) {
                requested.insert(t);
                out.append(t);
            }
            x = std::max(x + 1, xOf(t) + thumbnailWidth);
        }
        return out;
    }

    /// The mirror of PlanThumbnailsAfter toward the left: `lastBefore(x)` gives the last recorded
    /// moment at or before the time under x (0 when none in view).
    template <typename LastBefore, typename XOf>
    QVector<qint64> PlanThumbnailsBefore(int x, int chartWidth, int thumbnailWidth,
                                         QSet<qint64>& requested, LastBefore lastBefore, XOf xOf)
    {
        QVector<qint64> out;
        if (thumbnailWidth <= 0 || chartWidth <= 0)
            return out;
        x = std::min(chartWidth, x);
        while (x >= 0) {
            const qint64 t = lastBefore(x);
            if (t <= 0)
                break;
            if (!requested.contains(t)) {
                requested.insert(t);
                out.append(t);
            }
            x = std::min(x - 1, xOf(t) - thumbnailWidth);
        }
        return out;
    }

} // namespace Detail
} // namespace TesselGUIToolkit
