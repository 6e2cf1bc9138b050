#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace TesselGUIToolkit {
namespace Detail {

    /// Cursor over a video window of `size` at `pos`: a resize-style cursor on the 2-pixel band
    /// along the edges, laid out on a 480 x 270 grid so that it scales with the window; the arrow
    /// everywhere else.
    inline Qt::CursorShape GUIBaseWidgetEdgeCursor(const QSize& size, const QPoint& pos)
    {
        const int w = size.width();
        const int h = size.height();
        const QRect whole(QPoint(0, 0), size);
        if (!whole.contains(pos) || whole.adjusted(2, 2, -2, -2).contains(pos))
            return Qt::ArrowCursor;

        const int a = w * 70 / 480;
        const int b = w * 410 / 480;
        const int c = h * 40 / 270;
        const int d = h * 230 / 270;
        struct Box
        {
            QRect rect;
            Qt::CursorShape shape;
        };
        const Box boxes[] = {
            {QRect(QPoint(0, 0), QPoint(w - b, h - d)), Qt::SizeFDiagCursor}, // top-left
            {QRect(QPoint(b, 0), QPoint(w - 1, h - d)), Qt::SizeBDiagCursor}, // top-right
            {QRect(QPoint(b, d), QPoint(w - 1, h - 1)), Qt::SizeFDiagCursor}, // bottom-right
            {QRect(QPoint(0, d), QPoint(w - b, h - 1)), Qt::SizeBDiagCursor}, // bottom-left
            {QRect(QPoint(0, c), QPoint(1, h - c)), Qt::SizeHorCursor}, // left
            {QRect(QPoint(a, 0), QPoint(w - a, 1)), Qt::SizeVerCursor}, // top
            {QRect(QPoint(w - 2, c), QPoint(w - 1, h - c)), Qt::SizeHorCursor}, // right
            {QRect(QPoint(a, h - 2), QPoint(w - a, h - 1)), Qt::SizeVerCursor}, // bottom
        };
        for (const Box& box : boxes) {
            if (box.rect.contains(pos))
                return box.shape;
        }
        return Qt::ArrowCursor;
    }

} // namespace Detail
} // namespace TesselGUIToolkit
