#pragma once

#include "nimbguitoolkit_export.h"

class QPainter;
class QPoint;

namespace TesselGUIToolkit {

/// A drawing add-on of CAnimationProgressBar: paints over the ruler and may take mouse presses.
/// The bar does not own its delegates; remove a delegate from every bar before deleting it.
class NIMBGUITOOLKIT_EXPORT CAbstractDelegate
{
public:
    CAbstractDelegate() = default;
    virtual ~CAbstractDelegate();
    CAbstractDelegate(const CAbstractDelegate&) = delete;
    CAbstractDelegate& operator=(const CAbstractDelegate&) = delete;

    /// Called on every repaint after the scale is drawn and before the middle line; the painter's
    /// state is restored afterwards, so a delegate may change pens and opacity freely.
    virtual void Paint(QPainter* painter) = 0;
    /// Called for a press at `pos` (bar coordinates), in delegate order until one returns true.
    /// A press a delegate takes is its own: the ruler neither drags nor slides for it.
    virtual bool MousePress(const QPoint& pos);
};

} // namespace TesselGUIToolkit
