// A client built against the installed package: the umbrella header, one widget, one check.
#include <NimbGUIToolkit.h>

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TesselGUIToolkit::CBaseDialogWithBottom dialog(nullptr);
    dialog.SetTitle(QStringLiteral("Installed"));
    const bool ok = TesselGUIToolkit::ParseIp4(QStringLiteral("192.168.1.10"))
        && dialog.GetTitle() == QStringLiteral("Installed");
    return ok ? 0 : 1;
}
