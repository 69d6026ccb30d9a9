// The timing view model on its live source over two weeks of realistic news,
// on a manual clock, for the benchmarks that tick or paint it.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Base/Calendar.h"
#include "Base/ManualScheduler.h"
#include "CalendarKit/Service/CalendarService.h"
#include "SettingsKit/InMemorySettingsStore.h"
#include "SettingsKit/SettingsModel.h"
#include "TradingCore/Model/MarketTimeZone.h"
#include "WaylarkKit/Timing/TimingViewModel.h"

namespace WaylarkBench {

inline Base::Date ny(int day, int hour, int minute) {
    static const Base::Calendar calendar(TradingCore::MarketTimeZone::newYork());
    return *calendar.date(2026, 1, day, hour, minute, 0);
}

// Fifteen releases on each work day of two weeks (12 to 23 January 2026):
// 150 events, six high-impact US-dollar ones a day.
inline std::vector<CalendarKit::CalendarEvent> twoWeeksOfNews() {
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
    constexpr std::array<Release, 15> day{{
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
    std::vector<CalendarKit::CalendarEvent> events;
    for (int date : {12, 13, 14, 15, 16, 19, 20, 21, 22, 23}) {
        for (const Release& r : day) {
            CalendarKit::CalendarEvent event{std::string(r.currency) + "-" + r.title + "-" + std::to_string(date),
                                             r.title,
                                             r.currency,
                                             r.impact,
                                             ny(date, r.hour, r.minute),
                                             std::nullopt,
                                             "0.3%",
                                             "0.2%"};
            event.family = event.currentFamily();
            events.push_back(std::move(event));
        }
    }
    return events;
}

// The two weeks, as cached at 05:00 on Wednesday 14 January.
class StoredCalendar final : public CalendarKit::CalendarStore {
public:
    std::optional<CalendarKit::CalendarCache> load() const override { return cache_; }
    Base::Status save(const CalendarKit::CalendarCache&) override { return Base::Ok{}; }

private:
    CalendarKit::CalendarCache cache_{ny(14, 5, 0), twoWeeksOfNews(), {}};
};

class SilentFetcher final : public CalendarKit::FeedFetching {
public:
    Base::TaskHandle fetch(CalendarKit::FeedWeek, Completion) override { return {}; }
};

// The model starts at `start`, with the settings as `configure` leaves them.
struct TimingFixture {
    explicit TimingFixture(Base::Date start, const std::function<void(SettingsKit::SettingsModel&)>& configure = {})
        : scheduler(start), timing(calendar, configured(settings, configure), WaylarkKit::TimingViewModel::Mode::live,
                                   5.0, scheduler) {}

    Base::ManualScheduler scheduler;
    CalendarKit::CalendarService calendar{std::make_shared<SilentFetcher>(), std::make_shared<StoredCalendar>(),
                                          scheduler, CalendarKit::CalendarService::Settings::application()};
    SettingsKit::SettingsModel settings{std::make_shared<SettingsKit::InMemorySettingsStore>(), scheduler, 0.4};
    WaylarkKit::TimingViewModel timing;

private:
    static SettingsKit::SettingsModel& configured(SettingsKit::SettingsModel& settings,
                                                  const std::function<void(SettingsKit::SettingsModel&)>& configure) {
        if (configure) configure(settings);
        return settings;
    }
};

}  // namespace WaylarkBench
