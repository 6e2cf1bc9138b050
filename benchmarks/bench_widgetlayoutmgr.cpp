// CWidgetLayoutMgr::ReDisplay between two 64-window divisions, against building the same
// QGridLayout of 64 widgets by hand.
//
// Run (from the repository root):
//   cmake --preset release >/dev/null
//   cmake --build build/release -j2 --target bench_widgetlayoutmgr
//   build/release/benchmarks/bench_widgetlayoutmgr --benchmark_repetitions=5
// "ReDisplay64" times the rebuild alone; "ReDisplay64Activated" adds the layout pass that gives
// the 64 windows their geometry, as the next event loop turn would.
#include "BenchSupport.h"

#include "WidgetLayout/WidgetLayoutMgr.h"

#include <QFile>
#include <QGridLayout>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <memory>

using namespace TesselGUIToolkit;

namespace {

constexpr int kWindows = 64;
constexpr int kGridTypeA = 17; // 8 x 8, reading order
constexpr int kGridTypeB = 9; // 8 x 8, column by column: every window moves

struct Place
{
    int row;
    int column;
};

// Where window i sits in division A or B.
Place PlaceOf(bool b, int i)
{
    return b ? Place{i % 8, i / 8} : Place{i / 8, i % 8};
}

QString Description(int type, bool b)
{
    QString xml = QStringLiteral("<ElementConfig><Name>8 x 8</Name><Type>%1</Type>"
                                 "<WndSize>64</WndSize><RowStretch>1,1,1,1,1,1,1,1</RowStretch>"
                                 "<ColumnStretch>1,1,1,1,1,1,1,1</ColumnStretch><ElementItems>")
                      .arg(type);
    for (int i = 0; i < kWindows; ++i) {
        const Place place = PlaceOf(b, i);
        xml += QStringLiteral("<Element type=\"QWidget\" id=\"%1\" row=\"%2\" column=\"%3\" "
                              "rowSpan=\"1\" columnSpan=\"1\"/>")
                   .arg(i)
                   .arg(place.row)
                   .arg(place.column);
    }
    return xml + QStringLiteral("</ElementItems></ElementConfig>");
}

struct Scene
{
    Scene()
    {
        host.resize(1600, 900);
        for (int i = 0; i < kWindows; ++i)
            windows << new QWidget(&host);
        host.show();
        exposed = QTest::qWaitForWindowExposed(&host);
    }
    QWidget host;
    QList<QWidget*> windows;
    bool exposed = false;
};

void BuildByHand(Scene& scene, bool b, bool activate)
{
    delete scene.host.layout();
    auto* grid = new QGridLayout(&scene.host);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    for (int i = 0; i < kWindows; ++i) {
        const Place place = PlaceOf(b, i);
        grid->addWidget(scene.windows[i], place.row, place.column, 1, 1);
        scene.windows[i]->show();
    }
    for (int i = 0; i < 8; ++i) {
        grid->setRowStretch(i, 1);
        grid->setColumnStretch(i, 1);
    }
    if (activate)
        grid->activate();
}

void Toolkit(benchmark::State& state, bool activate)
{
    Scene scene;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.xml"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            state.SkipWithError("cannot write the description file");
            return;
        }
        file.write((QStringLiteral("<Config>") + Description(kGridTypeA, false)
                    + Description(kGridTypeB, true) + QStringLiteral("</Config>"))
                       .toUtf8());
    }
    CWidgetLayoutMgr mgr;
    if (!mgr.Init(path, &scene.host, scene.windows, kGridTypeA)) {
        state.SkipWithError("Init failed");
        return;
    }
    bool b = false;
    for (auto _ : state) {
        b = !b;
        mgr.ReDisplay(b ? kGridTypeB : kGridTypeA);
        if (activate)
            scene.host.layout()->activate();
    }
    if (mgr.GetWndCountByType(kGridTypeB) != kWindows)
        state.SkipWithError("division not loaded");
}

void PlainQt(benchmark::State& state, bool activate)
{
    Scene scene;
    BuildByHand(scene, false, activate);
    bool b = false;
    for (auto _ : state) {
        b = !b;
        BuildByHand(scene, b, activate);
    }
}

void Toolkit_ReDisplay64(benchmark::State& state)
{
    Toolkit(state, false);
}
void PlainQt_ReDisplay64(benchmark::State& state)
{
    PlainQt(state, false);
}
void Toolkit_ReDisplay64Activated(benchmark::State& state)
{
    Toolkit(state, true);
}
void PlainQt_ReDisplay64Activated(benchmark::State& state)
{
    PlainQt(state, true);
}

} // namespace

BENCHMARK(Toolkit_ReDisplay64)->Name("Toolkit/ReDisplay64")->Unit(benchmark::kMicrosecond);
BENCHMARK(PlainQt_ReDisplay64)->Name("PlainQt/ReDisplay64")->Unit(benchmark::kMicrosecond);
BENCHMARK(Toolkit_ReDisplay64Activated)
    ->Name("Toolkit/ReDisplay64Activated")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(PlainQt_ReDisplay64Activated)
    ->Name("PlainQt/ReDisplay64Activated")
    ->Unit(benchmark::kMicrosecond);

NIMB_BENCHMARK_MAIN()
