#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Base/Calendar.h"
#include "Base/ManualScheduler.h"
#include "Base/testing/NotificationCounter.h"
#include "CalendarKit/Service/CalendarService.h"
#include "CalendarKit/tests/service/MemoryStore.h"
#include "CalendarKit/tests/service/ScriptedFetcher.h"
#include "SettingsKit/InMemorySettingsStore.h"
#include "SettingsKit/SettingsModel.h"
#include "TradingCore/Model/MarketTimeZone.h"
#include "WaylarkKit/Timing/TimingViewModel.h"

namespace WaylarkKit::Testing {

inline Base::Date newYork(int month, int day, int hour, int minute, int second = 0) {
    return *Base::Calendar(TradingCore::MarketTimeZone::newYork()).date(2026, month, day, hour, minute, second);
}

inline CalendarKit::CalendarEvent release(std::string id, Base::Date time, std::string currency = "USD",
                                          TradingCore::NewsImpact impact = TradingCore::NewsImpact::high) {
    std::string title = "Release " + id;
    return {std::move(id), std::move(title), std::move(currency), impact, time, std::nullopt, "", ""};
}

// A timing view model on the manual clock, over a calendar that starts from a
// cached list and a settings model in memory with the defaults.
struct TimingStage {
    using Mode = TimingViewModel::Mode;
    using Field = TimingViewModel::Field;

    // Tuesday 10 March 2026, 10:20 New York: inside the default "Opening"
    // window, with no macro, news or change within minutes.
    static Base::Date quietMorning() { return newYork(3, 10, 10, 20); }

    TimingViewModel& make(Mode mode = Mode::live, std::vector<CalendarKit::CalendarEvent> cached = {}) {
        model.reset();
        if (!cached.empty()) store->cache = CalendarKit::CalendarCache(scheduler.now() - 600, std::move(cached), {});
        calendar = std::make_unique<CalendarKit::CalendarService>(fetcher, store, scheduler,
                                                                  CalendarKit::CalendarService::Settings::application());
        settings = std::make_unique<SettingsKit::SettingsModel>(
            std::make_shared<SettingsKit::InMemorySettingsStore>(), scheduler, 0.4);
        model = std::make_unique<TimingViewModel>(*calendar, *settings, mode, 5.0, scheduler);
        return *model;
    }

    Base::Testing::NotificationCounter counter(Field field) {
        return Base::Testing::NotificationCounter([this, field](auto o) { return model->observe(field, o); });
    }

    // The calendar fetches `count` releases per week, unlike any cached list.
    void refreshCalendar(int count) {
        using CalendarKit::Testing::answer;
        using CalendarKit::Testing::feedOf;
        fetcher->script(CalendarKit::FeedWeek::thisWeek, answer(200, feedOf(count, newYork(3, 9, 8, 30))));
        fetcher->script(CalendarKit::FeedWeek::nextWeek, answer(200, feedOf(count, newYork(3, 16, 8, 30), "Next")));
        calendar->refresh(true);
        scheduler.runPending();
    }

    Base::ManualScheduler scheduler{quietMorning()};
    std::shared_ptr<CalendarKit::Testing::ScriptedFetcher> fetcher =
        std::make_shared<CalendarKit::Testing::ScriptedFetcher>(scheduler);
    std::shared_ptr<CalendarKit::Testing::MemoryStore> store = std::make_shared<CalendarKit::Testing::MemoryStore>();
    std::unique_ptr<CalendarKit::CalendarService> calendar;
    std::unique_ptr<SettingsKit::SettingsModel> settings;
    // Last, so it goes first.
    std::unique_ptr<TimingViewModel> model;
};

class TimingTest : public ::testing::Test, public TimingStage {};

}  // namespace WaylarkKit::Testing
