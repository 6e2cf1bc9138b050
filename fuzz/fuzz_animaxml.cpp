// Free-layout text through CAnimaWidgetLayoutMgr::SetXml on a manager with windows, then GetXml.
// A refused text must leave the layout as it was; an accepted one must come back unchanged
// through GetXml and SetXml, within an 8 x 8 grid.
#include "WidgetLayout/AnimaWidgetLayoutMgr.h"
#include "Widgets/GUIBaseWidget.h"

#include <QApplication>
#include <QString>
#include <QVector>
#include <QWidget>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace TesselGUIToolkit;

namespace {

struct Fixture
{
    Fixture()
    {
        host.resize(800, 450);
        QList<CGUIBaseWidget*> windows;
        for (int i = 0; i < 4; ++i)
            windows << new CGUIBaseWidget(&host);
        mgr.Init(&host, {}, windows);
        pristine = mgr.GetXml();
    }
    QWidget host;
    CAnimaWidgetLayoutMgr mgr;
    QString pristine;
};

Fixture* TheFixture()
{
    static Fixture* fixture = new Fixture; // kept for the whole run: widgets are costly
    return fixture;
}

} // namespace

// Widgets load fonts, and fontconfig keeps its configuration until exit (as tests/lsan.supp
// notes for the test suite); that is the system's, not a finding.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "fuzz_animaxml";
    static char* argv[] = {name, nullptr};
    // Never destroyed: tearing the offscreen platform down at exit leaks its screen objects,
    // which the leak checker would report as a finding of every run.
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Fixture* fixture = TheFixture();
    CAnimaWidgetLayoutMgr& mgr = fixture->mgr;
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<int>(size));

    const QString before = mgr.GetXml();
    const bool accepted = mgr.SetXml(text);
    const QString after = mgr.GetXml();
    if (!accepted && after != before)
        __builtin_trap();
    if (mgr.GetRowCount() < 1 || mgr.GetRowCount() > 8 || mgr.GetColumnCount() < 1
        || mgr.GetColumnCount() > 8)
        __builtin_trap();
    if (mgr.GetVisiableWidgetCount(true) < 1)
        __builtin_trap();
    if (accepted && (!mgr.SetXml(after) || mgr.GetXml() != after))
        __builtin_trap();

    QVector<int> selection{0, 1};
    unsigned int extra = 2;
    mgr.SetXmlWithRedundancyElimination(text, selection, extra);
    mgr.CompareLayout(text, 200);

    if (!mgr.SetXml(fixture->pristine)) // every input starts from the same grid
        __builtin_trap();
    return 0;
}
