#include "WidgetLayout/ObservedWidget.h"

#include <QFile>
#include <QLineF>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

#include <cmath>

namespace TesselGUIToolkit {

namespace {

    const char* const kCameraPicture = ":/TesselDesk/eMap/Images/eMap/CameraDraw.png";

    int WrapDirection(long long degrees)
    {
        const int wrapped = int(degrees % 360);
        return wrapped < 0 ? wrapped + 360 : wrapped;
    }

    QPointF EventPos(const QMouseEvent* event)
    {
        return event->localPos();
    }

} // namespace

CObservedWidget::CObservedWidget(QWidget* parent)
    : CWidget(parent)
{
    setResizable(false);
    setCursor(Qt::OpenHandCursor);
    setToolTip(
        tr("Use wheel to change the angle, use mouse to change the direction and radius."));
}

CObservedWidget::~CObservedWidget() = default;

void CObservedWidget::SetColor(const QColor& color)
{
    if (color == m_colorSector)
        return;
    m_colorSector = color;
    update();
}

void CObservedWidget::SetCenterIcon(bool show)
{
    if (show == m_bCenterIcon)
        return;
    m_bCenterIcon = show;
    update();
}

void CObservedWidget::SetShowFrame(bool show)
{
    if (show == m_bShowFrame)
        return;
    m_bShowFrame = show;
    update();
}

QSize CObservedWidget::sizeHint() const
{
    const int side = int(std::ceil(2 * kMaxRadiusPixels)) + 12;
    return QSize(side, side);
}

QPointF CObservedWidget::Centre() const
{
    return QPointF(width() / 2.0, height() / 2.0);
}

void CObservedWidget::OnDrawObservedArea(int direction, int angle, double radius)
{
    if (direction == m_nDirection && angle == m_nAngle
        && std::fabs(radius - GetRadius()) < 1e-9)
        return;
    const double maxRadius = kMaxRadiusPixels / kPixelsPerUnit;
    const double units = std::isnan(radius) ? 0.0 : qBound(0.0, radius, maxRadius);
    m_nDirection = WrapDirection(direction);
    m_nAngle = qBound(0, angle, kMaxAngle);
    m_dRadius = units * kPixelsPerUnit;
    Q_EMIT SignalParamChange(m_nDirection, m_nAngle, GetRadius());
    update();
}

void CObservedWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        CWidget::mousePressEvent(event);
        return;
    }
    setCursor(Qt::ClosedHandCursor);
    m_bDragging = true;
    m_ptLast = EventPos(event);
    m_dDirectionOffset = m_nDirection - QLineF(Centre(), m_ptLast).angle();
    event->accept();
}

void CObservedWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_bDragging) {
        CWidget::mouseMoveEvent(event);
        return;
    }
    const QPointF centre = Centre();
    const QPointF pos = EventPos(event);
    const QLineF line(centre, pos);
    // Outside the widget the radius may only shrink back: a drag far away would otherwise
    // keep the sector at its limit long after the cursor turned back.
    if (rect().contains(pos.toPoint()) || m_dRadius < kMaxRadiusPixels) {
        const double grown = line.length() - QLineF(centre, m_ptLast).length();
        m_dRadius = qBound(0.0, m_dRadius + grown, kMaxRadiusPixels);
    }
    m_nDirection = WrapDirection(qRound64(line.angle() + m_dDirectionOffset));
    m_ptLast = pos;
    Q_EMIT SignalParamChange(m_nDirection, m_nAngle, GetRadius());
    update();
    event->accept();
}

void CObservedWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        CWidget::mouseReleaseEvent(event);
        return;
    }
    setCursor(Qt::OpenHandCursor);
    m_bDragging = false;
    event->accept();
}

void CObservedWidget::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore();
        return;
    }
    m_nAngle = qBound(0, m_nAngle + delta / kWheelDeltaPerDegree, kMaxAngle);
    Q_EMIT SignalParamChange(m_nDirection, m_nAngle, GetRadius());
    update();
    event->accept();
}

void CObservedWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre = Centre();
    const double radius = m_dRadius;

    if (radius > 0.0) {
        const QRectF circle(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
        QPainterPath sector;
        sector.moveTo(centre);
        sector.arcTo(circle, m_nDirection - m_nAngle / 2.0, m_nAngle);
        sector.closeSubpath();
        if (m_nAngle > 0)
            painter.fillPath(sector, m_colorSector);
        if (m_bShowFrame) {
            // Darker than the fill, so that the outline stays visible on an opaque sector.
            QColor edge = m_colorSector.darker(140);
            edge.setAlpha(255);
            QPen pen(edge, 1.5);
            pen.setJoinStyle(Qt::RoundJoin);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            if (m_nAngle > 0)
                painter.drawPath(sector);
            else
                painter.drawLine(QLineF::fromPolar(radius, m_nDirection).translated(centre));
        }
    }

    if (m_bCenterIcon)
        DrawCameraIcon(painter);
}

void CObservedWidget::DrawCameraIcon(QPainter& painter) const
{
    if (!m_bCameraLoaded) {
        m_bCameraLoaded = true;
        // Clients without the map resources are normal: the drawn camera stands in for the
        // picture, and the image loaders are not even asked about a missing file.
        if (QFile::exists(QString::fromLatin1(kCameraPicture)))
            m_pixCamera.load(QString::fromLatin1(kCameraPicture));
    }
    const QPointF centre = Centre();
    if (!m_pixCamera.isNull()) {
        const QSizeF size = QSizeF(m_pixCamera.size()) / m_pixCamera.devicePixelRatioF();
        painter.drawPixmap(QPointF(centre.x() - size.width() / 2, centre.y() - size.height() / 2),
                           m_pixCamera);
        return;
    }

    painter.save();
    painter.translate(centre);
    painter.rotate(-m_nDirection); // the painter turns clockwise, directions count the other way
    painter.setPen(QPen(Qt::white, 1.2));
    painter.setBrush(QColor(45, 45, 45));
    painter.drawRoundedRect(QRectF(-9.0, -5.5, 12.0, 11.0), 2.0, 2.0);
    const QPointF lens[] = {{3.0, -2.5}, {9.0, -5.5}, {9.0, 5.5}, {3.0, 2.5}};
    painter.drawPolygon(lens, 4);
    painter.restore();
}

} // namespace TesselGUIToolkit
