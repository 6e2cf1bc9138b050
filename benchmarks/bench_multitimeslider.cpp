// The multi-channel time line's cached picture, rebuilt for a full day of recordings on 64
// channels, against the plain way: one QPainter::fillRect per segment with its own brush and no
// culling, into a pixmap of the same size.
//
// Run (from the repository root):
//   cmake --preset release >/dev/null
//   cmake --build build/release -j2 --target bench_multitimeslider
//   build/release/benchmarks/bench_multitimeslider --benchmark_repetitions=5
//
// Cases (1920 x 800 unless named otherwise; 64 rows of 20 px, so the rows below the fold are
// scrolled out of sight, as a user sees them):
// - Rebuild24h / Rebuild1h: 5,000 segments per row in 5 levels, the 24-hour view (level 9) and
//   the 1-hour view (level 13). Each toolkit iteration first nudges the view by one second, so
//   nothing cached from the previous pass is reused.
// - Rebuild20k24h / Rebuild20k1h: the same with 20,000 segments per row; the 1-hour view should
//   cost at most a fifth of the 24-hour view.
// - AllRows24h: 1920 x 1400, where all 64 rows are on screen.
// - DragStep1h: one mouse move of a drag at the 1-hour view, through the posted repaint event,
//   to the rebuilt picture; the plain side redraws every segment at the dragged view.
#include "BenchSupport.h"

#include "TimeLine/MultiChartView.h"
#include "TimeLine/MultiTimeSlider.h"
#include "Widgets/Event.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QTest>

#include <cmath>
#include <map>
#include <memory>
#include <tuple>

using namespace TesselGUIToolkit;
using Segment = struTimeSliderData::TimeSegmentParam;

namespace {

constexpr int kRows = 64;
constexpr int kLevels = 5;
const QDate kDay(2024, 6, 12);

qint64 DayStart()
{
    return QDateTime(kDay, QTime(0, 0)).toSecsSinceEpoch();
}

// A small deterministic generator: the same day of recordings on every run.
struct Lcg
{
    quint64 state;
    quint32 Next()
    {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return quint32(state >> 33);
    }
};

/// One row: `count` segments spread over the day, a few seconds long each, in 5 levels (each
/// segment with its own brush object, as a client hands them in).
QVector<Segment> MakeRow(int row, int count)
{
    static const QColor colors[kLevels] = {QColor(0x2E, 0x9B, 0x4F), QColor(0xE0, 0x8A, 0x1E),
                                           QColor(0x3A, 0x7B, 0xD5), QColor(0xC8, 0x3A, 0x3A),
                                           QColor(0x9B, 0x59, 0xB6)};
    Lcg lcg{quint64(row) * 7919 + 17};
    QVector<Segment> segments;
    segments.reserve(count);
    const double spacing = 86400.0 / count;
    for (int i = 0; i < count; ++i) {
        Segment s;
        s.llBegin = DayStart() + qint64(i * spacing) + lcg.Next() % 3;
        s.llEnd = s.llBegin + 1 + lcg.Next() % qint64(std::max(2.0, spacing * 0.8));
        s.nLevel = int(lcg.Next() % kLevels);
        s.brushFill = QBrush(colors[s.nLevel]);
        segments.append(s);
    }
    return segments;
}

struct Scene
{
    std::unique_ptr<CMultiTimeSlider> slider;
    QVector<QVector<Segment>> rows;
};

/// A shown slider of `size` with 64 rows of `perRow` segments, at `level` centred on noon.
Scene& SceneFor(int perRow, int level, const QSize& size)
{
    // Never freed: the widgets must not outlive the application object at exit.
    static auto* scenes = new std::map<std::tuple<int, int, int, int>, Scene>;
    Scene& scene = (*scenes)[std::make_tuple(perRow, level, size.width(), size.height())];
    if (scene.slider)
        return scene;
    scene.slider = std::make_unique<CMultiTimeSlider>();
    CMultiTimeSlider& slider = *scene.slider;
    slider.SetTimeRange(kDay, kDay);
    slider.SetTimeSliderCount(kRows);
    slider.resize(size);
    slider.show();
    if (!QTest::qWaitForWindowExposed(&slider))
        std::fprintf(stderr, "the slider was never shown\n");
    for (int row = 0; row < kRows; ++row) {
        scene.rows.append(MakeRow(row, perRow));
        QVector<Segment> copy = scene.rows.last();
        slider.AddTime(copy, row);
    }
    slider.SetSpanType(level);
    slider.OnPlayTime(static_cast<unsigned int>(DayStart() + 43200));
    QCoreApplication::processEvents();
    slider.GetMultiChartView()->RebuildNow();
    return scene;
}

void ToolkitRebuild(benchmark::State& state, int perRow, int level, const QSize& size)
{
    Scene& scene = SceneFor(perRow, level, size);
    CMultiChartView* view = scene.slider->GetMultiChartView();
    double nudge = 1.0;
    for (auto _ : state) {
        view->SetViewRange(view->GetViewLeft() + nudge, view->GetViewRight() + nudge);
        nudge = -nudge;
        view->RebuildNow();
        benchmark::DoNotOptimize(view->GetPicture().cacheKey());
    }
    // What the pass drew: merged fills over the rows on screen.
    int fills = 0;
    for (int row = 0; row < kRows; ++row)
        fills += view->GetRowSeries(row)->LastPaintedFillCount();
    state.counters["fills"] = fills;
}

/// The plain way at the same view: every segment of every row, each with its own brush.
void PlainRebuild(benchmark::State& state, int perRow, int level, const QSize& size)
{
    Scene& scene = SceneFor(perRow, level, size);
    const CMultiChartView* view = scene.slider->GetMultiChartView();
    const QRect chart = view->GetChartRect();
    const double left = view->GetViewLeft();
    const double pps = (chart.width()) / view->GetViewSpan();
    const int rowsTop = view->GetRowsAreaTop();
    const int rowHeight = view->GetRowHeight();
    for (auto _ : state) {
        QPixmap pixmap(view->size());
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        for (int row = 0; row < scene.rows.size(); ++row) {
            const int top = rowsTop + row * rowHeight;
            for (const Segment& s : qAsConst(scene.rows.at(row))) {
                const int x0 = chart.left() + int(std::floor((s.llBegin - left) * pps + 0.5));
                const int x1 = chart.left() + int(std::floor((s.llEnd - left) * pps + 0.5));
                painter.fillRect(QRect(x0, top, std::max(1, x1 - x0), rowHeight), s.brushFill);
            }
        }
        painter.end();
        benchmark::DoNotOptimize(pixmap.cacheKey());
    }
}

const QSize kScreen(1920, 800);
const QSize kTall(1920, 1400);

void Toolkit_Rebuild24h(benchmark::State& s)
{
    ToolkitRebuild(s, 5000, 9, kScreen);
}
void PlainQt_Rebuild24h(benchmark::State& s)
{
    PlainRebuild(s, 5000, 9, kScreen);
}
void Toolkit_Rebuild1h(benchmark::State& s)
{
    ToolkitRebuild(s, 5000, 13, kScreen);
}
void PlainQt_Rebuild1h(benchmark::State& s)
{
    PlainRebuild(s, 5000, 13, kScreen);
}
void Toolkit_Rebuild20k24h(benchmark::State& s)
{
    ToolkitRebuild(s, 20000, 9, kScreen);
}
void PlainQt_Rebuild20k24h(benchmark::State& s)
{
    PlainRebuild(s, 20000, 9, kScreen);
}
void Toolkit_Rebuild20k1h(benchmark::State& s)
{
    ToolkitRebuild(s, 20000, 13, kScreen);
}
void PlainQt_Rebuild20k1h(benchmark::State& s)
{
    PlainRebuild(s, 20000, 13, kScreen);
}
void Toolkit_AllRows24h(benchmark::State& s)
{
    ToolkitRebuild(s, 5000, 9, kTall);
}
void PlainQt_AllRows24h(benchmark::State& s)
{
    PlainRebuild(s, 5000, 9, kTall);
}

/// One drag step: a mouse move with the button held, the posted repaint delivered, the picture
/// rebuilt. The pointer swings back and forth so the view never runs into the range's ends.
void Toolkit_DragStep1h(benchmark::State& state)
{
    Scene& scene = SceneFor(5000, 13, kScreen);
    CMultiChartView* view = scene.slider->GetMultiChartView();
    const int y = view->GetRowRect(1).center().y();
    const QPoint start(960, y);
    QMouseEvent press(QEvent::MouseButtonPress, start, view->mapToGlobal(start), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &press);
    int step = 0;
    for (auto _ : state) {
        const QPoint pos(960 + ((step++ % 2) ? 40 : -40), y);
        QMouseEvent move(QEvent::MouseMove, pos, view->mapToGlobal(pos), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view, &move);
        QCoreApplication::sendPostedEvents(view, CEvent::EventType);
        benchmark::DoNotOptimize(view->GetPicture().cacheKey());
    }
    QMouseEvent release(QEvent::MouseButtonRelease, start, view->mapToGlobal(start), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &release);
}

void PlainQt_DragStep1h(benchmark::State& state)
{
    PlainRebuild(state, 5000, 13, kScreen);
}

} // namespace

BENCHMARK(Toolkit_Rebuild24h)->Name("Toolkit/Rebuild24h")->Unit(benchmark::kMillisecond);
BENCHMARK(PlainQt_Rebuild24h)->Name("PlainQt/Rebuild24h")->Unit(benchmark::kMillisecond);
BENCHMARK(Toolkit_Rebuild1h)->Name("Toolkit/Rebuild1h")->Unit(benchmark::kMillisecond);
BENCHMARK(PlainQt_Rebuild1h)->Name("PlainQt/Rebuild1h")->Unit(benchmark::kMillisecond);
BENCHMARK(Toolkit_Rebuild20k24h)->Name("Toolkit/Rebuild20k24h")->Unit(benchmark::kMillisecond);
BENCHMARK(PlainQt_Rebuild20k24h)->Name("PlainQt/Rebuild20k24h")->Unit(benchmark::kMillisecond);
BENCHMARK(Toolkit_Rebuild20k1h)->Name("Toolkit/Rebuild20k1h")->Unit(benchmark::kMillisecond);
BENCHMARK(PlainQt_Rebuild20k1h)->Name("PlainQt/Rebuild20k1h")->Unit(benchmark::kMillisecond);
BENCHMARK(Toolkit_AllRows24h)->Name("Toolkit/AllRows24h")->Unit(benchmark::kMillisecond);
BENCHMARK(PlainQt_AllRows24h)->Name("PlainQt/AllRows24h")->Unit(benchmark::kMillisecond);
BENCHMARK(Toolkit_DragStep1h)->Name("Toolkit/DragStep1h")->Unit(benchmark::kMillisecond);
BENCHMARK(PlainQt_DragStep1h)->Name("PlainQt/DragStep1h")->Unit(benchmark::kMillisecond);

NIMB_BENCHMARK_MAIN()
