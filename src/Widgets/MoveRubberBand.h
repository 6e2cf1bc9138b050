#pragma once

#include "nimbguitoolkit_export.h"

#include <QRubberBand>

namespace TesselGUIToolkit {

/// Rubber band that draws only a translucent grey frame, 4 pixels wide, so that the window or
/// item it stands for stays visible beneath it while being moved.
class NIMBGUITOOLKIT_EXPORT CMoveRubberBand : public QRubberBand
{
    Q_OBJECT
public:
    explicit CMoveRubberBand(Shape shape, QWidget* parent = nullptr);
    ~CMoveRubberBand() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
};

} // namespace TesselGUIToolkit
