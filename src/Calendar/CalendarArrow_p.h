#pragma once

// The month and year arrows are drawn here rather than loaded, so that the calendar looks whole
// before (or without) the client registering its pictures; a client style sheet may still set
// its own images on the buttons by object name.

#include <QIcon>
#include <QPainter>
#include <QPixmap>

namespace TesselGUIToolkit {
namespace Detail {

    /// A 20 x 20 chevron pointing left or right; QIcon derives the greyed disabled look from it.
    inline QIcon CalendarArrowIcon(bool pointsLeft)
    {
        QPixmap pixmap(20, 20);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing, true);
        QPen pen(QColor(102, 102, 102), 1.5);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
        const qreal tip = pointsLeft ? 7.5 : 12.5;
        const qreal tail = pointsLeft ? 12.5 : 7.5;
        const QPointF points[3] = {QPointF(tail, 5.5), QPointF(tip, 10.5), QPointF(tail, 15.5)};
        painter.drawPolyline(points, 3);
        painter.end();
        return QIcon(pixmap);
    }

} // namespace Detail
} // namespace TesselGUIToolkit
