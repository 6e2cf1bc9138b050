#pragma once

#include "nimbguitoolkit_export.h"

#include <QToolButton>

namespace TesselGUIToolkit {

/// The toolkit's tool button; mirrors itself when ArbaricSetting reads right to left.
class NIMBGUITOOLKIT_EXPORT CToolButton : public QToolButton
{
    Q_OBJECT
public:
    explicit CToolButton(QWidget* parent = nullptr);
    ~CToolButton() override;
};

} // namespace TesselGUIToolkit
