#pragma once

#include "nimbguitoolkit_export.h"

#include <QCheckBox>

namespace TesselGUIToolkit {

/// The toolkit's check box; mirrors itself when ArbaricSetting reads right to left.
class NIMBGUITOOLKIT_EXPORT CCheckBox : public QCheckBox
{
    Q_OBJECT
public:
    explicit CCheckBox(QWidget* parent = nullptr);
    explicit CCheckBox(const QString& text, QWidget* parent = nullptr);
    ~CCheckBox() override;
};

} // namespace TesselGUIToolkit
