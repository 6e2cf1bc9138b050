// GetFileSize with size, unit and decimals taken from the input bytes.
#include "Core/Toolkit.h"

#include <QCoreApplication>
#include <QLocale>
#include <QString>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <cstring>

using namespace TesselGUIToolkit;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static int argc = 1;
    static char name[] = "fuzz_filesize";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    // Qt's own warnings about odd input (unknown encodings ...) are noise here; findings are
    // crashes, sanitizer reports and the traps below.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // 8 bytes of size, 4 of decimals, 1 choosing the locale, the rest is the unit text.
    if (size < 13)
        return 0;
    quint64 bytes = 0;
    int32_t decimals = 0;
    std::memcpy(&bytes, data, sizeof bytes);
    std::memcpy(&decimals, data + 8, sizeof decimals);
    static const QLocale locales[] = {QLocale::c(), QLocale(QLocale::English),
                                      QLocale(QLocale::German), QLocale(QLocale::Arabic),
                                      QLocale(QLocale::Chinese)};
    QLocale::setDefault(locales[data[12] % (sizeof locales / sizeof locales[0])]);
    const QString unit =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 13), static_cast<int>(size - 13));

    const QString text = GetFileSize(bytes, unit, decimals);
    // Whatever the arguments, the text is short: a number of at most 20 digits with its
    // separators, at most 15 decimals and a unit.
    if (text.isEmpty() || text.size() > 64)
        __builtin_trap();
    return 0;
}
