// Layout-description text, read the way description files are read and given as the geometry
// of a custom division to a CWidgetLayoutMgr, which then builds, exchanges, maximises and
// answers queries on it.
#include "WidgetLayout/LayoutElementConfig.h"
#include "WidgetLayout/WidgetLayoutMgr.h"

#include <QApplication>
#include <QGridLayout>
#include <QWidget>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace TesselGUIToolkit;

namespace {

constexpr int kWindows = 16;

struct Scene
{
    Scene()
    {
        host.resize(640, 360);
        for (int i = 0; i < kWindows; ++i)
            windows << new QWidget(&host);
        // No files: the descriptions come from the fuzzed text alone.
        mgr.Init(QStringList(), &host, windows, 0);
    }
    QWidget host;
    QList<QWidget*> windows;
    CWidgetLayoutMgr mgr;
};

Scene* g_scene = nullptr;

void CheckLayout(Scene& scene)
{
    auto* grid = qobject_cast<QGridLayout*>(scene.host.layout());
    if (!grid)
        return;
    // Damaged cells never make the grid grow without bound, and no window sits in it twice.
    if (grid->rowCount() > 256 || grid->columnCount() > 256)
        __builtin_trap();
    int placed = 0;
    for (int i = 0; i < grid->count(); ++i) {
        if (grid->itemAt(i)->widget())
            ++placed;
    }
    if (placed > kWindows)
        __builtin_trap();
    grid->activate();
}

void Exercise(Scene& scene)
{
    CWidgetLayoutMgr& mgr = scene.mgr;
    for (QWidget* w : qAsConst(scene.windows)) {
        for (int d = 0; d <= 3; ++d)
            mgr.GetWidget(w, static_cast<CWidgetLayoutMgr::Direction>(d));
        int rowSpan = 0;
        int columnSpan = 0;
        if (!mgr.GetWidgetSpan(w, rowSpan, columnSpan) && (rowSpan != -1 || columnSpan != -1))
            __builtin_trap();
    }
    QList<QWidget*> out;
    mgr.GetLayoutVisibleWidgets(out);
    mgr.GetLayoutWidgets(out);
    if (out.size() > kWindows)
        __builtin_trap();
    mgr.SwitchDisplay(0, kWindows - 1);
    CheckLayout(scene);
    mgr.ShowMaximized(scene.windows[3]);
    mgr.ShowNormal();
    CheckLayout(scene);
    mgr.ResetSwitch();
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
    static char name[] = "fuzz_layoutdescription";
    static char* argv[] = {name, nullptr};
    // Never destroyed: tearing the offscreen platform down at exit leaks its screen objects,
    // which the leak checker would report as a finding of every run.
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
    // Qt's and the manager's warnings about odd input are noise here; findings are crashes,
    // sanitizer reports and the traps.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    g_scene = new Scene; // outlives every input, like the application
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<int>(size));

    // As a description file: every "ElementConfig" under the root.
    const QVector<CLayoutElementConfig> configs = CLayoutElementConfig::ParseDocument(text);
    for (const CLayoutElementConfig& config : configs) {
        config.GetLayoutVirtualWndCount();
        for (int i = 0; i < config.Size(); ++i) {
            if (!config.GetElementItem(static_cast<unsigned int>(i)))
                __builtin_trap();
        }
        if (config.GetElementItem(static_cast<unsigned int>(config.Size())))
            __builtin_trap();
    }

    // As a single description. Written out and read back, its numbers and cells stay the
    // same; texts may not survive (a control character read from a reference is not well
    // formed when written raw), so only a read-back that parses is compared.
    CLayoutElementConfig single;
    if (g_scene->mgr.GetSingleLayoutElementByXml(single, text)) {
        CGenericDS document;
        document.CreateASRoot(QStringLiteral("Config"));
        single.WriteToElement(document);
        CLayoutElementConfig again;
        if (CLayoutElementConfig::ParseSingle(document.GetXml(), again)) {
            if (again.Size() != single.Size() || again.WndSize() != single.WndSize()
                || again.GetLayoutType() != single.GetLayoutType())
                __builtin_trap();
            for (const struLayoutElementData& cell : single.GetElementItems()) {
                if (!again.Contains(cell))
                    __builtin_trap();
            }
        }
    }

    // As the geometry of a custom division, then of a file-defined type it replaces. Each
    // input starts from an empty manager, so that a finding replays on its own.
    Scene& scene = *g_scene;
    scene.mgr.Init(QStringList(), &scene.host, scene.windows, 0);
    const int custom = 201 + static_cast<int>(size % 5);
    const bool shown = scene.mgr.ReDisplay(custom, text);
    if (shown && !scene.host.layout())
        __builtin_trap();
    // Shown or not, a custom type is recorded so that a later text can complete it.
    if (scene.mgr.GetSplitType() != custom)
        __builtin_trap();
    CheckLayout(scene);
    Exercise(scene);
    scene.mgr.ReDisplay(4, text);
    CheckLayout(scene);
    Exercise(scene);
    return 0;
}
