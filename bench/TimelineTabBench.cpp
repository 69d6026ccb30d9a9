// One frame of the timeline tab at its widest zoom (±2 h), in the middle of a
// busy New York morning with two weeks of realistic news in the calendar, the
// default windows and macros and three custom times: the bar composed and
// placed, and the whole tab painted at a device pixel ratio of 2.
#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QImage>

#include "Base/Calendar.h"
#include "Base/ManualScheduler.h"
#include "CalendarKit/Service/CalendarService.h"
#include "SettingsKit/InMemorySettingsStore.h"
#include "SettingsKit/SettingsModel.h"
#include "TradingCore/Model/MarketTimeZone.h"
#include "WaylarkKit/Style/Qt/Fonts.h"
#include "WaylarkKit/TimingViewModel.h"
#include "WaylarkKit/Views/Qt/TimelineTabView.h"
#include "WaylarkKit/Views/TimelineCanvas.h"

namespace {

using namespace CalendarKit;
using TradingCore::NewsImpact;

Base::Date ny(int day, int hour, int minute) {
    static const Base::Calendar calendar(TradingCore::MarketTimeZone::newYork());
    return *calendar.date(2026, 1, day, hour, minute, 0);
}

struct Release {
    const char* currency;
    const char* title;
    NewsImpact impact;
    int hour;
    int minute;
};

constexpr std::array<Release, 15> kDay{{
    {"USD", "Unemployment Claims", NewsImpact::high, 8, 30},
    {"USD", "Core CPI m/m", NewsImpact::high, 8, 30},
    {"USD", "ISM Manufacturing PMI", NewsImpact::high, 10, 0},
    {"USD", "Crude Oil Inventories", NewsImpact::low, 10, 30},
    {"USD", "FOMC Member Waller Speaks", NewsImpact::medium, 13, 0},
    {"EUR", "German Factory Orders m/m", NewsImpact::low, 2, 0},
    {"EUR", "Core CPI Flash Estimate y/y", NewsImpact::medium, 5, 0},
    {"GBP", "Construction PMI", NewsImpact::low, 4, 30},
    {"GBP", "BOE Gov Bailey Speaks", NewsImpact::medium, 11, 0},
    {"JPY", "Household Spending y/y", NewsImpact::low, 18, 30},
    {"CAD", "Employment Change", NewsImpact::high, 8, 30},
    {"AUD", "Cash Rate", NewsImpact::high, 22, 30},
    {"NZD", "Overseas Trade Index q/q", NewsImpact::low, 17, 45},
    {"CHF", "CPI m/m", NewsImpact::medium, 2, 30},
    {"CNY", "Caixin Services PMI", NewsImpact::medium, 20, 45},
}};

// Fifteen releases on each work day of 12 to 23 January 2026.
std::vector<CalendarEvent> twoWeeksOfNews() {
    std::vector<CalendarEvent> events;
    for (int day : {12, 13, 14, 15, 16, 19, 20, 21, 22, 23}) {
        for (const Release& r : kDay) {
            CalendarEvent event{std::string(r.currency) + "-" + r.title + "-" + std::to_string(day),
                                r.title, r.currency, r.impact, ny(day, r.hour, r.minute), std::nullopt, "0.3%", "0.2%"};
            event.family = event.currentFamily();
            events.push_back(std::move(event));
        }
    }
    return events;
}

class StoredCalendar final : public CalendarStore {
public:
    explicit StoredCalendar(CalendarCache cache) : cache_(std::move(cache)) {}
    std::optional<CalendarCache> load() const override { return cache_; }
    Base::Status save(const CalendarCache&) override { return Base::Ok{}; }

private:
    CalendarCache cache_;
};

class SilentFetcher final : public FeedFetching {
public:
    Base::TaskHandle fetch(FeedWeek, Completion) override { return {}; }
};

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
struct Morning {
    Base::ManualScheduler scheduler{ny(14, 9, 45)};
    CalendarService calendar{std::make_shared<SilentFetcher>(),
                             std::make_shared<StoredCalendar>(CalendarCache(ny(14, 5, 0), twoWeeksOfNews(), {})),
                             scheduler, CalendarService::Settings::application()};
    SettingsKit::SettingsModel settings{std::make_shared<SettingsKit::InMemorySettingsStore>(), scheduler, 0.4};
    std::unique_ptr<WaylarkKit::TimingViewModel> timing;

    Morning() {
        settings.zoomOut();
        settings.zoomOut();
        settings.setBlackoutIncludesMedium(true);
        for (int i = 0; i < 3; ++i) {
            const auto id = settings.addCustomInterval();
            settings.setCustomTimes(*id, {9, 15 + 15 * i}, {10, 30 + 10 * i});
        }
        timing = std::make_unique<WaylarkKit::TimingViewModel>(calendar, settings,
                                                               WaylarkKit::TimingViewModel::Mode::live, 5.0, scheduler);
        timing->setExpanded(true);
    }
};

void BM_ComposeBar(benchmark::State& state) {
    Morning morning;
    const WaylarkKit::TimelineScale scale{morning.timing->now(), 440, morning.settings.timelineHalfSpanMinutes() * 60.0};
    std::size_t items = 0;
    for (auto _ : state) {
        const auto canvas = WaylarkKit::TimelineCanvas::make(morning.timing->timeline(), scale, std::nullopt);
        items = canvas.pieces.size() + canvas.macroPieces.size() + canvas.rails.size() + canvas.markers.size();
        benchmark::DoNotOptimize(items);
    }
    state.counters["items"] = static_cast<double>(items);
}

void BM_PaintTab(benchmark::State& state) {
    application();
    Morning morning;
    WaylarkKit::TimelineTabView view(*morning.timing);
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
