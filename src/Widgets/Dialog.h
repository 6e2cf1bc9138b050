#pragma once

#include "nimbguitoolkit_export.h"

#include <QDialog>

namespace TesselGUIToolkit {

/// Root of the toolkit's dialog family.
class NIMBGUITOOLKIT_EXPORT CDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CDialog(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~CDialog() override;
};

} // namespace TesselGUIToolkit
