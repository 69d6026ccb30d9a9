// One tick of the timing view model on the live source, as the island runs it
// once a second: the settings made into a configuration, the calendar's
// unchanged list recognised, the evaluation, and (while an island is
// expanded) the timeline. Default settings, two weeks of realistic news.
#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "Base/Calendar.h"
#include "Base/ManualScheduler.h"
#include "CalendarKit/Service/CalendarService.h"
#include "SettingsKit/InMemorySettingsStore.h"
#include "SettingsKit/SettingsModel.h"
#include "TradingCore/Model/MarketTimeZone.h"
#include "WaylarkKit/TimingViewModel.h"

namespace {

using namespace CalendarKit;

Base::Date ny(int day, int hour, int minute) {
    static const Base::Calendar calendar(TradingCore::MarketTimeZone::newYork());
    return *calendar.date(2026, 1, day, hour, minute, 0);
}

struct Release {
    const char* currency;
    const char* title;
    TradingCore::NewsImpact impact;
    int hour;
    int minute;
};

constexpr auto high = TradingCore::NewsImpact::high;
constexpr auto medium = TradingCore::NewsImpact::medium;
constexpr auto low = TradingCore::NewsImpact::low;

constexpr std::array<Release, 15> kDay{{
    {"USD", "Unemployment Claims", high, 8, 30},
    {"USD", "Core CPI m/m", high, 8, 30},
    {"USD", "ISM Manufacturing PMI", high, 10, 0},
    {"USD", "Crude Oil Inventories", low, 10, 30},
    {"USD", "FOMC Member Waller Speaks", medium, 13, 0},
    {"EUR", "German Factory Orders m/m", low, 2, 0},
    {"EUR", "Core CPI Flash Estimate y/y", medium, 5, 0},
    {"GBP", "Construction PMI", low, 4, 30},
    {"GBP", "BOE Gov Bailey Speaks", medium, 11, 0},
    {"JPY", "Household Spending y/y", low, 18, 30},
    {"CAD", "Employment Change", high, 8, 30},
    {"AUD", "Cash Rate", high, 22, 30},
    {"NZD", "Overseas Trade Index q/q", low, 17, 45},
    {"CHF", "CPI m/m", medium, 2, 30},
    {"CNY", "Caixin Services PMI", medium, 20, 45},
}};

// Fifteen releases on each work day of two weeks (12 to 23 January 2026):
// 150 events, six high-impact US-dollar ones a day.
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

// A running model from Wednesday 14 January, 06:00 New York; each iteration
// is one tick, and its time is the share of the second the tick costs. The
// day runs from before the session through the opening, blackouts and
// macros, so every kind of evaluation is in the mix.
void tick(benchmark::State& state, bool expanded) {
    Base::ManualScheduler scheduler(ny(14, 6, 0));
    CalendarService calendar(std::make_shared<SilentFetcher>(),
                             std::make_shared<StoredCalendar>(CalendarCache(ny(14, 5, 0), twoWeeksOfNews(), {})),
                             scheduler, CalendarService::Settings::application());
    SettingsKit::SettingsModel settings(std::make_shared<SettingsKit::InMemorySettingsStore>(), scheduler, 0.4);
    WaylarkKit::TimingViewModel timing(calendar, settings, WaylarkKit::TimingViewModel::Mode::live, 5.0, scheduler);
    timing.setExpanded(expanded);
    timing.start();
    for (auto _ : state) scheduler.advance(1);
    if (timing.liveSource().conversionCount() != 1) state.SkipWithError("the calendar list was converted again");
    if (timing.evaluation().confidence != TradingCore::DataConfidence::live) state.SkipWithError("not live");
}

void BM_Tick(benchmark::State& state) { tick(state, false); }
void BM_TickExpanded(benchmark::State& state) { tick(state, true); }
// Twelve hours of ticks per run, 06:00 to 18:00.
BENCHMARK(BM_Tick)->Iterations(43'200)->Repetitions(5)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TickExpanded)->Iterations(43'200)->Repetitions(5)->Unit(benchmark::kMicrosecond);

}  // namespace
