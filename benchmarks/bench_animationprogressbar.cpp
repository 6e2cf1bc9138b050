// One frame of CAnimationProgressBar during a zoom at 1920 px (the zoom advanced by one 30 ms
// animation tick, then the ruler painted), against the naive way of drawing the same ruler: a
// QPainter::drawLine and a drawText per tick, each label formatted through QDateTime in the
// time zone. Both zoom back and forth through all six levels; labels follow Europe/Berlin.
// A frame has to fit well inside the 30 ms animation tick.
//
//   cmake --preset release >/dev/null; cmake --build build/release -j2 --target
//   bench_animationprogressbar build/release/benchmarks/bench_animationprogressbar
//   --benchmark_repetitions=5
#include "BenchSupport.h"

#include "Widgets/AnimationProgressBar.h"

#include <QDateTime>
#include <QImage>
#include <QPainter>
#include <QTimeZone>
#include <QWidget>

#include <algorithm>
#include <cmath>

using namespace TesselGUIToolkit;

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 48;
constexpr int kTick = 30; // ms per animation tick
constexpr int kZoomLength = 800; // ms per zoom
const int kUnitSeconds[6] = {7200, 3600, 1800, 600, 300, 60};

qint64 StartMs()
{
    // The day summer time ends: the 25-hour day is the hardest on a time-zone-aware ruler.
    return QDateTime(QDate(2026, 10, 25), QTime(1, 17, 23), Qt::UTC).toMSecsSinceEpoch();
}

// The plain-Qt ruler: the same zoom arithmetic, the same ticks, fade and labels, drawn tick by
// tick with QDateTime doing the time-zone work.
class NaiveRuler : public QWidget
{
public:
    NaiveRuler()
        : m_zone("Europe/Berlin")
    {
        m_font.setFamily(QStringLiteral("Segoe UI"));
        m_font.setPixelSize(10);
    }

    bool IsScaling() const { return m_bScaling; }
    int Level() const { return m_nLevel; }
    void Step(int step)
    {
        m_nFrom = m_nLevel;
        m_nTo = m_nLevel + step;
        m_nLevel = std::min(m_nFrom, m_nTo);
        m_nElapsed = 0;
        m_bScaling = true;
    }
    void Tick()
    {
        m_nElapsed += kTick;
        if (m_nElapsed > kZoomLength) {
            m_nLevel = m_nTo;
            m_bScaling = false;
        }
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(0x1F, 0x1F, 0x1F));
        const int lower = m_bScaling ? std::min(m_nFrom, m_nTo) : m_nLevel;
        const int k = m_bScaling ? kUnitSeconds[lower] / kUnitSeconds[lower + 1] : 1;
        const double p = m_bScaling ? std::min(1.0, m_nElapsed / double(kZoomLength)) : 0.0;
        const double stretch =
            !m_bScaling ? 1.0 : (m_nTo <= m_nFrom ? k - (k - 1) * p : (k - 1) * p + 1);
        const double unitLength = stretch * width() / 12.0;
        const qint64 unitSeconds = kUnitSeconds[lower];
        const qint64 fineSeconds = unitSeconds / k;
        const double fineAlpha = m_nTo > m_nFrom ? p : 1.0 - p;
        const int middle = width() / 2;
        const double pxPerMs = unitLength / (unitSeconds * 1000.0);

        const qint64 leftMs = m_llCurrentMs - qint64((middle + 30) / pxPerMs);
        const qint64 rightMs = m_llCurrentMs + qint64((width() - middle + 30) / pxPerMs);
        const QDateTime left = QDateTime::fromMSecsSinceEpoch(leftMs, m_zone);
        qint64 local = left.toSecsSinceEpoch() + left.offsetFromUtc();
        local = (local / fineSeconds + 1) * fineSeconds;
        painter.setFont(m_font);
        for (;;) {
            // Find the UTC second of this wall-clock tick the way client code would.
            const QDateTime wall(QDateTime::fromSecsSinceEpoch(local, Qt::UTC).date(),
                                 QDateTime::fromSecsSinceEpoch(local, Qt::UTC).time(), m_zone);
            const qint64 utcMs = wall.toMSecsSinceEpoch();
            if (utcMs > rightMs)
                break;
            local += fineSeconds;
            const int x = middle + int(std::floor((utcMs - m_llCurrentMs) * pxPerMs + 0.5));
            const bool coarse = (wall.toSecsSinceEpoch() + wall.offsetFromUtc()) % unitSeconds == 0;
            const double alpha = coarse || !m_bScaling ? 1.0 : fineAlpha;
            if (alpha <= 0)
                continue;
            painter.setOpacity(alpha);
            painter.setPen(QColor(0xCC, 0xCC, 0xCC));
            painter.drawLine(x, 0, x, 11);
            painter.drawText(QRect(x - 30, 14, 60, 14), Qt::AlignHCenter,
                             wall.toString(QStringLiteral("hh:mm")));
        }
        painter.setOpacity(1.0);
        painter.fillRect(QRect(middle - 3, 0, 3, height()), QColor(0xFA, 0x32, 0x39));
        painter.setOpacity(0.58);
        painter.fillRect(QRect(middle, 0, 3, height()), QColor(0x2E, 0x2E, 0x2E));
    }

private:
    QTimeZone m_zone;
    QFont m_font;
    qint64 m_llCurrentMs = StartMs();
    int m_nLevel = 0;
    int m_nFrom = 0;
    int m_nTo = 0;
    int m_nElapsed = 0;
    bool m_bScaling = false;
};

// Zooms in level by level to the finest, then out again, so that every pair of levels blends.
int NextStep(int level, int& direction)
{
    if (level + direction < 0 || level + direction > 5)
        direction = -direction;
    return direction;
}

void Toolkit_ZoomFrame1920(benchmark::State& state)
{
    CAnimationProgressBar bar;
    bar.resize(kWidth, kHeight);
    bar.SetTimeZoneInfor(TimeZoneParam::FromTimeZone(QTimeZone("Europe/Berlin"), 2026));
    bar.SetCurrentUTCTime(StartMs());
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    int direction = 1;
    for (auto _ : state) {
        if (!bar.isScaling())
            bar.ScaleByStep(NextStep(int(bar.GetCurrentLevel()), direction));
        // What the 30 ms animation timer does, without waiting for it.
        QMetaObject::invokeMethod(&bar, "OnScaleAnimationTimeOut", Qt::DirectConnection);
        bar.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetLabel("30 ms animation tick");
}

void PlainQt_ZoomFrame1920(benchmark::State& state)
{
    NaiveRuler ruler;
    ruler.resize(kWidth, kHeight);
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    int direction = 1;
    for (auto _ : state) {
        if (!ruler.IsScaling())
            ruler.Step(NextStep(ruler.Level(), direction));
        ruler.Tick();
        ruler.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetLabel("30 ms animation tick");
}

} // namespace

BENCHMARK(Toolkit_ZoomFrame1920)->Name("Toolkit/ZoomFrame1920")->Unit(benchmark::kMicrosecond);
BENCHMARK(PlainQt_ZoomFrame1920)->Name("PlainQt/ZoomFrame1920")->Unit(benchmark::kMicrosecond);

NIMB_BENCHMARK_MAIN()
