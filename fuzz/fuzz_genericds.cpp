// XML text through CGenericDS::PhaseXml, then every read and a few edits on what came out.
#include "Core/GenericDS.h"

#include <QCoreApplication>
#include <QString>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>

using namespace TesselGUIToolkit;

namespace {

void Walk(CGenericDS node, int depth)
{
    node.GetName();
    node.GetValue();
    node.GetAttribute(QStringLiteral("id"), QStringLiteral("none"));
    node.GetAttribute(QStringLiteral("name"));
    const int count = node.GetChildrenCount();
    if (count < 0)
        __builtin_trap();
    for (int i = 0; i < count; ++i) {
        const CGenericDS child = node.GetChild(i);
        if (child.IsNull())
            __builtin_trap();
        if (depth < 8)
            Walk(child, depth + 1);
    }
    if (!node.GetChild(count).IsNull())
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static int argc = 1;
    static char name[] = "fuzz_genericds";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    // Qt's own warnings about odd input (unknown encodings ...) are noise here; findings are
    // crashes, sanitizer reports and the traps below.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString xml =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<int>(size));
    CGenericDS ds;
    ds.PhaseXml(xml);
    ds.GetXml();
    Walk(ds, 0);

    const CGenericDS found = ds.GetChildByName(QStringLiteral("item"));
    found.GetValue();
    ds.GetChildByName(QStringLiteral("a"))
        .GetChildByName(QStringLiteral("b"))
        .GetAttribute(QStringLiteral("c"));

    CGenericDS first = ds.GetChild(0);
    first.SetValue(QStringLiteral("value"));
    first.SetAttribute(QStringLiteral("id"), QStringLiteral("1"));
    first.CreateChild(QStringLiteral("new"));
    const int before = ds.GetChildrenCount();
    const bool removed = ds.RemoveChild(before - 1);
    if (removed != (before > 0) || ds.GetChildrenCount() != before - (removed ? 1 : 0))
        __builtin_trap();
    ds.RemoveChild(QStringLiteral("item"));
    ds.SetValue(QStringLiteral("text"));
    ds.GetXml();

    // A copy edits the same tree, and a second parse into it must be as safe as the first.
    CGenericDS copy = ds;
    copy.PhaseXml(xml);
    Walk(copy, 0);
    ds.GetXml();
    return 0;
}
