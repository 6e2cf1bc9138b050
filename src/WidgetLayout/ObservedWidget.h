#pragma once

#include "Widgets/Widget.h"
#include "nimbguitoolkit_export.h"

#include <QColor>
#include <QPixmap>
#include <QPointF>

class QPainter;

namespace TesselGUIToolkit {

/// Editor of a camera's observed area on a map: a sector around the widget's centre with a
/// direction, an opening angle and a radius. Dragging with the left button turns the sector and
/// stretches or shrinks it; the wheel opens and closes it.
///
/// Directions are degrees counter-clockwise from the right (east), as on a map with north up:
/// 0 points right, 90 up. The public radius runs from 0 to 10; one unit is 6.8 pixels.
/// The sector is filled with the colour of SetColor() as given (its alpha included); the frame
/// is its outline in a darker, opaque shade of that colour; the centre icon is the camera picture
/// ":/TesselDesk/eMap/Images/eMap/CameraDraw.png", or a drawn camera facing the direction when
/// the client did not register that picture.
class NIMBGUITOOLKIT_EXPORT CObservedWidget : public CWidget
{
    Q_OBJECT
public:
    static constexpr double kPixelsPerUnit = 6.8;
    static constexpr double kMaxRadiusPixels = 68.0;
    static constexpr int kMaxAngle = 360;
    /// Wheel delta per degree: a standard notch of 120 opens the sector by 5 degrees.
    static constexpr int kWheelDeltaPerDegree = 24;

    explicit CObservedWidget(QWidget* parent = nullptr);
    ~CObservedWidget() override;

    void SetColor(const QColor& color);
    QColor GetColor() const { return m_colorSector; }
    void SetCenterIcon(bool show);
    bool HasCenterIcon() const { return m_bCenterIcon; }
    void SetShowFrame(bool show);
    bool IsFrameShown() const { return m_bShowFrame; }

    /// Degrees 0 to 359.
    int GetDirection() const { return m_nDirection; }
    /// Degrees 0 to 360.
    int GetAngle() const { return m_nAngle; }
    /// Public units 0 to 10.
    double GetRadius() const { return m_dRadius / kPixelsPerUnit; }

    QSize sizeHint() const override;

Q_SIGNALS:
    /// Direction in degrees, angle in degrees, radius in public units (0 to 10).
    void SignalParamChange(int iDirection, int iAngle, double dRadius);

public Q_SLOTS:
    /// Takes the values unless all three equal the present ones, and reports them. Values out of
    /// range are brought into range first (the direction wrapped, the others clamped; a radius
    /// that is not a number counts as 0), and the signal carries what was taken.
    void OnDrawObservedArea(int direction, int angle, double radius);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QPointF Centre() const;
    void DrawCameraIcon(QPainter& painter) const;

    int m_nDirection = 90;
    int m_nAngle = 60;
    double m_dRadius = 34.0;
    QColor m_colorSector{0, 150, 255, 110};
    bool m_bCenterIcon = true;
    bool m_bShowFrame = true;
    bool m_bDragging = false;
    QPointF m_ptLast;
    double m_dDirectionOffset = 0.0;
    mutable QPixmap m_pixCamera;
    mutable bool m_bCameraLoaded = false;
};

} // namespace TesselGUIToolkit
