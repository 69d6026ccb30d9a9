// One frame of each mascot pose: sampling the figure at an instant, and
// sampling plus painting it into a 35-point image at pixel ratio 2, as the
// view does for every frame it repaints.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "WaylarkKit/Mascot/MascotArtwork.h"
#include "WaylarkKit/Mascot/Qt/InterGlyphs.h"
#include "WaylarkKit/Motion/FigureLook.h"
#include "WaylarkKit/Motion/Qt/FigurePainter.h"

using namespace WaylarkKit;

namespace {

QGuiApplication& application() {
    static int argc = 1;
    static char name[] = "MascotBench";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    return *app;
}

MascotKind pose(int index) {
    switch (index) {
        case 0: return MascotKind::session(true);
        case 1: return MascotKind::out();
        case 2: return MascotKind::restricted(false);
        default: return MascotKind::checklistDone();
    }
}

const char* poseName(int index) {
    const char* names[] = {"session", "out", "restricted", "checklistDone"};
    return names[index];
}

void BM_SampleFrame(benchmark::State& state) {
    application();
    const InterGlyphs glyphs;
    const FigureNode figure = MascotArtwork::make(pose(static_cast<int>(state.range(0))), true, MascotShape{}, 0, glyphs);
    double time = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(sampleFigure(figure, time));
        time += 1.0 / 12;
        if (time > 5.5) time = 0;
    }
    state.SetLabel(poseName(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_SampleFrame)->DenseRange(0, 3);

void BM_SampleAndPaintFrame(benchmark::State& state) {
    application();
    const InterGlyphs glyphs;
    const FigureNode figure = MascotArtwork::make(pose(static_cast<int>(state.range(0))), true, MascotShape{}, 0, glyphs);
    // The 35-point square with the canvas the view adds around it, at ratio 2.
    const double side = 35, scale = side / 160;
    QImage image(QSize(45, 50) * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    const QTransform toImage = QTransform::fromTranslate(30, 22) * QTransform::fromScale(scale, scale) *
                               QTransform::fromTranslate(6, 2);
    FigurePainter painter;
    double time = 0;
    for (auto _ : state) {
        image.fill(Qt::transparent);
        QPainter device(&image);
        painter.paint(device, sampleFigure(figure, time), toImage);
        device.end();
        benchmark::DoNotOptimize(image.constBits());
        time += 1.0 / 12;
        if (time > 5.5) time = 0;
    }
    state.SetLabel(poseName(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_SampleAndPaintFrame)->DenseRange(0, 3);

}  // namespace
