// The free layout against plain Qt doing the same job:
//   Rebuild8x8       rebuilding the grid of 64 windows without animation, against building the
//                    same QGridLayout of 64 widgets by hand (both laid out at once);
//   XmlRoundTrip8x8  GetXml + SetXml of that grid, against writing and parsing the same
//                    document with QDomDocument;
//   DragMove16       one mouse move of a drag over a 16-window grid, painting included (no
//                    plain-Qt twin: compare it with the 16.7 ms frame budget).
// Run: cmake --preset release && cmake --build build/release --target bench_animawidgetlayoutmgr
//      build/release/benchmarks/bench_animawidgetlayoutmgr --benchmark_repetitions=5
#include "BenchSupport.h"

#include "WidgetLayout/AnimaWidgetLayoutMgr.h"
#include "Widgets/GUIBaseWidget.h"

#include <QApplication>
#include <QDomDocument>
#include <QGridLayout>
#include <QMouseEvent>
#include <QWidget>

#include <memory>
#include <vector>

using namespace TesselGUIToolkit;

namespace {

constexpr int kSide = 8;
const QSize kHost(1600, 900);

struct FreeGrid
{
    explicit FreeGrid(int count)
    {
        host.resize(kHost);
        for (int i = 0; i < count; ++i)
            windows << new CGUIBaseWidget(&host);
        mgr.Init(&host, {}, windows);
        host.show();
        QApplication::processEvents();
        mgr.ReLayout(false);
    }
    QWidget host;
    QList<CGUIBaseWidget*> windows;
    CAnimaWidgetLayoutMgr mgr;
};

void Toolkit_Rebuild8x8(benchmark::State& state)
{
    FreeGrid grid(kSide * kSide);
    for (auto _ : state)
        grid.mgr.ReLayout(false);
    state.SetLabel("64 windows, no animation");
}
BENCHMARK(Toolkit_Rebuild8x8)->Name("Toolkit/Rebuild8x8")->Unit(benchmark::kMicrosecond);

void PlainQt_Rebuild8x8(benchmark::State& state)
{
    QWidget host;
    host.resize(kHost);
    std::vector<QWidget*> widgets;
    for (int i = 0; i < kSide * kSide; ++i)
        widgets.push_back(new QWidget(&host));
    host.show();
    QApplication::processEvents();
    for (auto _ : state) {
        delete host.layout();
        auto* grid = new QGridLayout(&host);
        grid->setSizeConstraint(QLayout::SetNoConstraint);
        grid->setContentsMargins(1, 1, 1, 1);
        grid->setSpacing(1);
        for (int i = 0; i < kSide; ++i) {
            grid->setRowStretch(i, 111);
            grid->setColumnStretch(i, 198);
        }
        for (int i = 0; i < kSide * kSide; ++i)
            grid->addWidget(widgets[i], i / kSide, i % kSide);
        grid->activate();
    }
}
BENCHMARK(PlainQt_Rebuild8x8)->Name("PlainQt/Rebuild8x8")->Unit(benchmark::kMicrosecond);

void Toolkit_XmlRoundTrip8x8(benchmark::State& state)
{
    FreeGrid grid(kSide * kSide);
    for (auto _ : state) {
        const QString text = grid.mgr.GetXml();
        if (!grid.mgr.SetXml(text))
            state.SkipWithError("SetXml refused its own text");
    }
}
BENCHMARK(Toolkit_XmlRoundTrip8x8)->Name("Toolkit/XmlRoundTrip8x8")->Unit(benchmark::kMicrosecond);

QString WriteWithDom()
{
    QDomDocument document;
    QDomElement root = document.createElement(QStringLiteral("Config"));
    document.appendChild(root);
    QDomElement config = document.createElement(QStringLiteral("ElementConfig"));
    root.appendChild(config);
    const auto text = [&](const QString& tag, const QString& value) {
        QDomElement element = document.createElement(tag);
        element.appendChild(document.createTextNode(value));
        config.appendChild(element);
    };
    text(QStringLiteral("Name"), QStringLiteral("Custom Split"));
    text(QStringLiteral("Version"), QStringLiteral("1.3"));
    text(QStringLiteral("Type"), QStringLiteral("200"));
    text(QStringLiteral("WndSize"), QString::number(kSide * kSide));
    text(QStringLiteral("RowStretch"), QStringLiteral("1,1,1,1,1,1,1,1"));
    text(QStringLiteral("ColumnStretch"), QStringLiteral("1,1,1,1,1,1,1,1"));
    QDomElement items = document.createElement(QStringLiteral("ElementItems"));
    config.appendChild(items);
    for (int i = 0; i < kSide * kSide; ++i) {
        QDomElement element = document.createElement(QStringLiteral("Element"));
        element.setAttribute(QStringLiteral("type"), QStringLiteral("QWidget"));
        element.setAttribute(QStringLiteral("id"), i);
        element.setAttribute(QStringLiteral("row"), i / kSide);
        element.setAttribute(QStringLiteral("column"), i % kSide);
        element.setAttribute(QStringLiteral("rowSpan"), 1);
        element.setAttribute(QStringLiteral("columnSpan"), 1);
        items.appendChild(element);
    }
    return document.toString(1);
}

int ReadWithDom(const QString& text)
{
    QDomDocument document;
    if (!document.setContent(text))
        return -1;
    const QDomElement config = document.documentElement().firstChildElement();
    int sum = config.firstChildElement(QStringLiteral("RowStretch")).text().split(',').size();
    QDomElement element =
        config.firstChildElement(QStringLiteral("ElementItems")).firstChildElement();
    for (; !element.isNull(); element = element.nextSiblingElement()) {
        sum += element.attribute(QStringLiteral("id")).toInt()
            + element.attribute(QStringLiteral("row")).toInt()
            + element.attribute(QStringLiteral("column")).toInt()
            + element.attribute(QStringLiteral("rowSpan")).toInt()
            + element.attribute(QStringLiteral("columnSpan")).toInt();
    }
    return sum;
}

void PlainQt_XmlRoundTrip8x8(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadWithDom(WriteWithDom()));
}
BENCHMARK(PlainQt_XmlRoundTrip8x8)->Name("PlainQt/XmlRoundTrip8x8")->Unit(benchmark::kMicrosecond);

// One mouse move of a drag gesture, delivered to the pressed window (it travels up to the host
// as a real one does) and painted. The gesture runs back and forth over 100 positions.
void Toolkit_DragMove16(benchmark::State& state)
{
    FreeGrid grid(16);
    CGUIBaseWidget* pressed = grid.windows.first();
    const QPoint start = pressed->geometry().center();
    const auto send = [&](QEvent::Type type, const QPoint& hostPos, Qt::MouseButtons buttons) {
        const QPoint local = pressed->mapFromParent(hostPos);
        QMouseEvent event(type, local, pressed->mapToGlobal(local),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(pressed, &event);
    };
    send(QEvent::MouseButtonPress, start, Qt::LeftButton);
    send(QEvent::MouseMove, start + QPoint(20, 0), Qt::LeftButton); // past the threshold
    send(QEvent::MouseMove, start + QPoint(30, 0), Qt::LeftButton); // the picture appears
    QApplication::processEvents();

    std::vector<QPoint> path;
    const QRect area = grid.host.rect().adjusted(100, 80, -100, -80);
    for (int i = 0; i < 100; ++i) {
        path.push_back(QPoint(area.left() + area.width() * i / 99,
                              area.top() + area.height() * ((i * 7) % 100) / 99));
    }
    size_t step = 0;
    for (auto _ : state) {
        send(QEvent::MouseMove, path[step], Qt::LeftButton);
        QApplication::processEvents(); // the frame it causes
        step = (step + 1) % path.size();
    }
    send(QEvent::MouseButtonRelease, start, Qt::NoButton);
    state.SetLabel("per move, 16 windows; frame budget 16.7 ms");
}
BENCHMARK(Toolkit_DragMove16)->Name("Toolkit/DragMove16")->Unit(benchmark::kMicrosecond);

} // namespace

NIMB_BENCHMARK_MAIN()
