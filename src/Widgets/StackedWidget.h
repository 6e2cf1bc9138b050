#pragma once

#include "nimbguitoolkit_export.h"

#include <QStackedWidget>

namespace TesselGUIToolkit {

/// Stacked widget that can report its current size as its size hints, so that a layout keeps
/// it at the size it was given instead of growing it to fit its largest page.
class NIMBGUITOOLKIT_EXPORT CStackedWidget : public QStackedWidget
{
    Q_OBJECT
public:
    explicit CStackedWidget(QWidget* parent = nullptr);
    ~CStackedWidget() override;

    /// When true, sizeHint() and minimumSizeHint() return the current size (false initially).
    void SetUseCurrentSizeHint(bool use);
    bool IsUseCurrentSizeHint() const { return m_bUseCurrentSizeHint; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    bool m_bUseCurrentSizeHint = false;
};

} // namespace TesselGUIToolkit
