#include "Widgets/MoveRubberBand.h"

#include <QPainter>
#include <QPen>

namespace TesselGUIToolkit {

CMoveRubberBand::CMoveRubberBand(Shape shape, QWidget* parent)
    : QRubberBand(shape, parent)
{
}

CMoveRubberBand::~CMoveRubberBand() = default;

void CMoveRubberBand::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QPen pen(QColor(102, 102, 102, 128));
    pen.setWidth(4);
    pen.setStyle(Qt::SolidLine);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::BevelJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    // The pen straddles the outline: the uneven inset keeps the whole 4-pixel stroke inside the
    // band on every side.
    painter.drawRect(rect().adjusted(2, 2, -3, -3));
}

// QRubberBand's own resize and move handlers fit a style mask to the band, which would clip
// the frame drawn here; the plain widget handlers are enough.
void CMoveRubberBand::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    update();
}

void CMoveRubberBand::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    update();
}

void CMoveRubberBand::showEvent(QShowEvent* event)
{
    // A band among siblings has to come to the front; a top-level band is a tool-tip window that
    // the window system already keeps on top (and some platforms refuse to raise windows).
    if (!isWindow())
        raise();
    QWidget::showEvent(event);
    update();
}

void CMoveRubberBand::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    update();
}

} // namespace TesselGUIToolkit
