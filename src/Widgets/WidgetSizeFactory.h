#pragma once

#include "nimbguitoolkit_export.h"

#include <QRect>
#include <QSize>

class QWidget;

namespace TesselGUIToolkit {

/// Maximise, full screen and restore for frameless windows, which Qt's window states do not
/// cover. The state lives on the window itself in dynamic properties, so one factory (or any
/// class deriving from it) can serve any number of windows:
/// "_scc_WidgetSizeFactory_" (unsigned int: 0 normal, 1 maximised, 2 full screen),
/// "_scc_WidgetGeometry_" (QRect: the global normal geometry saved on leaving state 0) and
/// "MainWindowDefaultSize" (QSize, set by the client: the size to restore to when none is given).
/// Every operation does nothing for a null widget.
class NIMBGUITOOLKIT_EXPORT CWidgetSizeFactory
{
public:
    enum WidgetSizeState : unsigned int {
        StateNormal = 0,
        StateMaximized = 1,
        StateFullScreen = 2
    };

    CWidgetSizeFactory() = default;
    virtual ~CWidgetSizeFactory();

    /// Covers the available geometry of the widget's screen (fixed size) and saves the normal
    /// geometry; nothing when already maximised.
    void ShowMaximized(QWidget* widget) const;
    /// ShowNormal(widget, size, false).
    void ShowNormal(QWidget* widget, const QSize& size) const;
    /// Returns to the normal state. Without a saved geometry only `size` is applied (when both
    /// sides are non-negative) and the widget is not shown. Otherwise the widget goes back to
    /// the saved position with `size`, or "MainWindowDefaultSize", or the saved size, is shown,
    /// and the saved geometry is cleared.
    void ShowNormal(QWidget* widget, const QSize& size, bool fixed) const;
    /// ShowFullScreen(widget, true).
    void ShowFullScreen(QWidget* widget) const;
    /// With `saveGeometry` the widget saves its normal geometry and covers its screen (fixed
    /// size); without, it covers its parent's screen plus one pixel on every side, and a widget
    /// without parent is only shown.
    void ShowFullScreen(QWidget* widget, bool saveGeometry) const;
    bool IsMinimized(QWidget* widget) const;
    bool IsMaximized(QWidget* widget) const;
    bool IsFullScreen(QWidget* widget) const;
    /// Resizes for sizes of at least 1 x 1; `fixed` pins the size, otherwise a size pinned
    /// earlier (by maximising) is released first.
    void SetWidgetSize(QWidget* widget, const QSize& size, bool fixed) const;
    /// For a valid rectangle: `fixed` moves to its top-left and pins its size; otherwise the
    /// geometry becomes the rectangle grown by one pixel on every side.
    void SetWidgetGeometry(QWidget* widget, const QRect& rect, bool fixed) const;
};

} // namespace TesselGUIToolkit
