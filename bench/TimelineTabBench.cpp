// One frame of the timeline tab at its widest zoom (±2 h), in the middle of a
// busy New York morning with two weeks of realistic news in the calendar, the
// default windows and macros and three custom times: the bar composed and
// placed, and the whole tab painted at a device pixel ratio of 2.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include "WaylarkKit/Style/Qt/Fonts.h"
#include "WaylarkKit/Views/Qt/TimelineTabView.h"
#include "WaylarkKit/Views/TimelineCanvas.h"
#include "bench/support/TimingFixture.h"

namespace {

using WaylarkBench::ny;

QApplication& application() {
    static int argc = 1;
    static char name[] = "TimelineTabBench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        auto* created = new QApplication(argc, argv);
        WaylarkKit::loadFonts();
        return created;
    }();
    return *app;
}

// Wednesday 14 January at 09:45: the opening window, the 10:00 release with
// its blackout, the medium ones and the hourly macros all lie within ±2 h.
struct Morning : WaylarkBench::TimingFixture {
    Morning()
        : TimingFixture(ny(14, 9, 45), [](SettingsKit::SettingsModel& s) {
              s.zoomOut();
              s.zoomOut();
              s.setBlackoutIncludesMedium(true);
              for (int i = 0; i < 3; ++i) {
                  const auto id = s.addCustomInterval();
                  s.setCustomTimes(*id, {9, 15 + 15 * i}, {10, 30 + 10 * i});
              }
          }) {
        timing.setExpanded(true);
    }
};

void BM_ComposeBar(benchmark::State& state) {
    Morning morning;
    const WaylarkKit::TimelineScale scale{morning.timing.now(), 440, morning.settings.timelineHalfSpanMinutes() * 60.0};
    std::size_t items = 0;
    for (auto _ : state) {
        const auto canvas = WaylarkKit::TimelineCanvas::make(morning.timing.timeline(), scale, std::nullopt);
        items = canvas.pieces.size() + canvas.macroPieces.size() + canvas.rails.size() + canvas.markers.size();
        benchmark::DoNotOptimize(items);
    }
    state.counters["items"] = static_cast<double>(items);
}

void BM_PaintTab(benchmark::State& state) {
    application();
    Morning morning;
    WaylarkKit::TimelineTabView view(morning.timing);
    view.resize(440, WaylarkKit::TimelineTabView::tabHeight);
    QImage image(view.size() * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    for (auto _ : state) {
        image.fill(Qt::black);
        view.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    }
}

BENCHMARK(BM_ComposeBar)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintTab)->Unit(benchmark::kMicrosecond);

}  // namespace
