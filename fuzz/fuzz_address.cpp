// Random text through every address check and conversion.
#include "Core/Toolkit.h"

#include <QCoreApplication>
#include <QString>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>

using namespace TesselGUIToolkit;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static int argc = 1;
    static char name[] = "fuzz_address";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    // Qt's own warnings about odd input (unknown encodings ...) are noise here; findings are
    // crashes, sanitizer reports and the traps below.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<int>(size));

    const bool ip4 = ParseIp4(text);
    const bool available = IsAvailableIpv4(text);
    const bool ip6 = ParseIpv6(text);
    const bool multicast = IsMulticast(text);
    ParseIpv4Multicast(text);
    ParseIpv6Multicast(text);
    IsNetMask(text);
    ParseMacAddress(text);
    IsInputValid(text);
    IsInputValidV2(text);
    ParseUrl(text);

    // Relations that hold for every text.
    if (available && !ip4)
        __builtin_trap();
    if (ip6 && !multicast)
        __builtin_trap();

    const QString full = IPToFullString(text);
    if (ip4 != !full.isEmpty())
        __builtin_trap();
    if (ip4) {
        // The padded form converts back to an address that pads to the same text.
        const QString back = FullStringToIP(full);
        if (!ParseIp4(back) || IPToFullString(back) != full)
            __builtin_trap();
    }
    const QString stripped = FullStringToIP(text);
    if (stripped.size() > text.size())
        __builtin_trap();
    return 0;
}
