#include "Widgets/Dialog.h"

namespace TesselGUIToolkit {

CDialog::CDialog(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
}

CDialog::~CDialog() = default;

} // namespace TesselGUIToolkit
