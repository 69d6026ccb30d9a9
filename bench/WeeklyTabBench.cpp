// The weekly tab's work on each redraw: the overview built from the calendar's
// whole list (this week and next, 300 events in nine currencies), and one paint
// of the tab at its usual size, header and visible rows, at device pixel
// ratio 2 on Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QImage>

#include "Base/ManualScheduler.h"
#include "CalendarKit/Service/CalendarService.h"
#include "CalendarKit/tests/service/MemoryStore.h"
#include "SettingsKit/InMemorySettingsStore.h"
#include "SettingsKit/SettingsModel.h"
#include "TradingCore/Model/MarketTimeZone.h"
#include "WaylarkKit/Style/Qt/Fonts.h"
#include "WaylarkKit/Timing/TimingViewModel.h"
#include "WaylarkKit/Weekly/Qt/WeeklyTabView.h"
#include "WaylarkKit/Weekly/WeeklyOverview.h"
#include "WaylarkKit/tests/Weekly/RealisticWeek.h"

namespace {

using WaylarkKit::Testing::newYorkTime;

// The realistic week, then copies of it a week and two weeks on, cut at 300.
std::vector<CalendarKit::CalendarEvent> threeHundredEvents() {
    const std::vector<CalendarKit::CalendarEvent> week = WaylarkKit::Testing::realisticWeek();
    std::vector<CalendarKit::CalendarEvent> events;
    for (int copy = 0; events.size() < 300; ++copy) {
        for (CalendarKit::CalendarEvent event : week) {
            if (events.size() == 300) break;
            event.id += "-" + std::to_string(copy);
            event.time = event.time + copy * 7 * 86400.0;
            events.push_back(std::move(event));
        }
    }
    return events;
}

void BM_WeeklyOverview300Events(benchmark::State& state) {
    const auto events = threeHundredEvents();
    const Base::Date now = newYorkTime(2025, 11, 5, 10, 20);
    const Base::TimeZone& zone = TradingCore::MarketTimeZone::newYork();
    for (auto _ : state) {
        auto days = WaylarkKit::WeeklyOverview::days(events, "USD", true, now, zone);
        auto codes = WaylarkKit::WeeklyOverview::currencies(events, true);
        benchmark::DoNotOptimize(days);
        benchmark::DoNotOptimize(codes);
    }
}
BENCHMARK(BM_WeeklyOverview300Events)->Unit(benchmark::kMicrosecond);

void BM_WeeklyTabPaint(benchmark::State& state) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "WeeklyTabBench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);  // left to the process: Qt outlives static teardown badly
    (void)app;
    WaylarkKit::loadFonts();

    Base::ManualScheduler scheduler(newYorkTime(2025, 11, 5, 10, 20));
    auto store = std::make_shared<CalendarKit::Testing::MemoryStore>();
    store->cache = CalendarKit::CalendarCache(scheduler.now() - 600, threeHundredEvents(), {});
    CalendarKit::CalendarService calendar(nullptr, store, scheduler,
                                          CalendarKit::CalendarService::Settings::application());
    SettingsKit::SettingsModel settings(std::make_shared<SettingsKit::InMemorySettingsStore>(), scheduler, 0.4);
    settings.setWeeklyIncludeMedium(true);
    WaylarkKit::TimingViewModel model(calendar, settings, WaylarkKit::TimingViewModel::Mode::live, 5.0, scheduler);
    WaylarkKit::WeeklyTabView view(model, scheduler);
    QImage image(view.size() * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    for (auto _ : state) {
        // Clearing the image is the window system's part, not the tab's.
        state.PauseTiming();
        image.fill(Qt::black);
        state.ResumeTiming();
        view.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_WeeklyTabPaint)->Unit(benchmark::kMicrosecond);

}  // namespace
