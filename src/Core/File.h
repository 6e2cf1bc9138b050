#pragma once

#include "nimbguitoolkit_export.h"

#include <QString>
#include <QStringList>

namespace TesselGUIToolkit {

/// Reading whole text files (style sheets, descriptions) as Latin-1.
class NIMBGUITOOLKIT_EXPORT CFile
{
public:
    /// The file's bytes as Latin-1 text up to the first zero byte; empty (and one error log line)
    /// when the file cannot be opened.
    static QString ReadAll(const QString& path);
    /// ReadAll of directory + "/" + each file, concatenated in list order.
    static QString ReadAll(const QStringList& files, const QString& directory);
};

} // namespace TesselGUIToolkit
