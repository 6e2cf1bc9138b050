#include "GalleryWindow.h"

#include "NimbGUIToolkit.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QTextStream>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("nimb-gallery"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("NimbGUIToolkit showcase"));
    parser.addHelpOption();
    QCommandLineOption screenshots(QStringLiteral("screenshots"),
                                   QStringLiteral("Render every page to PNG files in <dir> and exit."),
                                   QStringLiteral("dir"));
    QCommandLineOption rtl(QStringLiteral("rtl"), QStringLiteral("Lay the interface out right to left."));
    parser.addOption(screenshots);
    parser.addOption(rtl);
    parser.process(app);

    // The reading direction is a process-wide setting that widgets read when they are built.
    if (parser.isSet(rtl)) {
        TesselGUIToolkit::ArbaricSetting::Instance().SetReadDirection(
            TesselGUIToolkit::ArbaricSetting::RightToLeft);
        QApplication::setLayoutDirection(Qt::RightToLeft);
    }

    GalleryWindow window;
    if (parser.isSet(screenshots)) {
        const QString folder = QDir(parser.value(screenshots)).absolutePath();
        window.show();
        const QStringList files = window.SaveScreenshots(folder);
        QTextStream out(stdout);
        out << "Gallery pages rendered to " << folder << ":\n";
        for (const QString& file : files)
            out << "  " << file << "\n";
        return files.size() == window.PageCount() ? 0 : 1;
    }
    window.show();
    return app.exec();
}
