#include "Core/File.h"

#include "Core/Log_p.h"

#include <QFile>

namespace TesselGUIToolkit {

QString CFile::ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const QString message
            = QStringLiteral("Unable to open %1: %2").arg(path, file.errorString());
        // The line number is part of the recorded line, which log readers match on.
        NIMB_LOG(3, "ClientFramework", "TesselGUIToolkit::CFile::ReadAll", "Core\\File.cpp", 35,
                 "read error: %s", qUtf8Printable(message));
        return QString();
    }
    const QByteArray bytes = file.readAll();
    file.close();
    const int zero = bytes.indexOf('\0');
    return QString::fromLatin1(bytes.constData(), zero < 0 ? bytes.size() : zero);
}

QString CFile::ReadAll(const QStringList& files, const QString& directory)
{
    QString folder = directory;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    QString result;
    for (const QString& name : files)
        result += ReadAll(folder + name);
    return result;
}

} // namespace TesselGUIToolkit
