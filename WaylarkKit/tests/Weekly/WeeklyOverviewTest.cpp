#include <gtest/gtest.h>

#include <cmath>

#include <string>
#include <vector>

#include "Base/Calendar.h"
#include "TradingCore/Model/MarketTimeZone.h"
#include "WaylarkKit/Weekly/WeeklyOverview.h"
#include "WaylarkKit/tests/Weekly/RealisticWeek.h"  // newYorkTime

using namespace WaylarkKit;
using CalendarKit::CalendarEvent;
using TradingCore::NewsImpact;
using Testing::newYorkTime;

namespace {

const Base::TimeZone& ny() { return TradingCore::MarketTimeZone::newYork(); }

CalendarEvent event(std::string id, Base::Date time, std::string currency = "USD",
                    NewsImpact impact = NewsImpact::high, std::string title = "Retail Sales m/m") {
    return {std::move(id), std::move(title), std::move(currency), impact, time, std::nullopt, "", ""};
}

// The ids per day, Monday to Friday.
std::vector<std::vector<std::string>> ids(const std::vector<WeeklyDay>& days) {
    std::vector<std::vector<std::string>> result;
    for (const WeeklyDay& day : days) {
        result.emplace_back();
        for (const WeeklyItem& item : day.items) result.back().push_back(item.id);
    }
    return result;
}

}  // namespace

TEST(WeeklyOverviewTest, TheWeekIsMondayToFridayOfNewYorkAcrossClockChanges) {
    struct Case {
        const char* name;
        Base::Date now;
        Base::Date monday;
        int today;  // index of the cyan day, -1 for none
    };
    const Case cases[] = {
        {"Wednesday", newYorkTime(2025, 11, 5, 10, 20), newYorkTime(2025, 11, 3, 0, 0), 2},
        {"Monday at midnight", newYorkTime(2025, 11, 3, 0, 0), newYorkTime(2025, 11, 3, 0, 0), 0},
        {"Friday 23:30, already Saturday in UTC", newYorkTime(2025, 10, 31, 23, 30), newYorkTime(2025, 10, 27, 0, 0),
         4},
        {"Saturday before the clocks go back", newYorkTime(2025, 11, 1, 12, 0), newYorkTime(2025, 11, 3, 0, 0), -1},
        {"Sunday the clocks go back", newYorkTime(2025, 11, 2, 1, 30), newYorkTime(2025, 11, 3, 0, 0), -1},
        {"Sunday the clocks go forward", newYorkTime(2026, 3, 8, 12, 0), newYorkTime(2026, 3, 9, 0, 0), -1},
        {"Friday before the clocks go forward", newYorkTime(2026, 3, 6, 16, 0), newYorkTime(2026, 3, 2, 0, 0), 4},
    };
    const Base::Calendar calendar(ny());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<WeeklyDay> days = WeeklyOverview::days({}, "USD", false, c.now, ny());
        ASSERT_EQ(days.size(), 5u);
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(days[i].start, *calendar.startOfDay(c.monday, i));
            EXPECT_EQ(days[i].isToday, i == c.today);
            EXPECT_TRUE(days[i].items.empty());
        }
        EXPECT_EQ(WeeklyOverview::weekdays(c.now, ny()).front(), c.monday);
    }
    EXPECT_TRUE(WeeklyOverview::weekdays(Base::Date(std::nan("")), ny()).empty());
}

TEST(WeeklyOverviewTest, EventsFallOnTheirDayInTheZoneGivenInTimeOrder) {
    // Monday 23:30 in New York is already Tuesday in UTC; equal times keep their order.
    const Base::Date t = newYorkTime(2025, 11, 7, 8, 30);
    const std::vector<CalendarEvent> events = {
        event("mon-late", newYorkTime(2025, 11, 3, 23, 30)),
        event("tue-early", newYorkTime(2025, 11, 4, 0, 30)),
        event("sat", newYorkTime(2025, 11, 8, 10, 0)),
        event("last-friday", newYorkTime(2025, 10, 31, 10, 0)),
        event("next-monday", newYorkTime(2025, 11, 10, 10, 0)),
        event("late", t + 3600), event("b", t), event("a", t), event("early", t - 60),
        event("no-time", Base::Date(std::nan(""))),
    };
    const Base::Date now = newYorkTime(2025, 11, 5, 12, 0);
    using Days = std::vector<std::vector<std::string>>;
    EXPECT_EQ(ids(WeeklyOverview::days(events, "USD", false, now, ny())),
              (Days{{"mon-late"}, {"tue-early"}, {}, {}, {"early", "b", "a", "late"}}));
    EXPECT_EQ(ids(WeeklyOverview::days(events, "USD", false, now, Base::TimeZone::utc())),
              (Days{{}, {"mon-late", "tue-early"}, {}, {}, {"early", "b", "a", "late"}}));
}

TEST(WeeklyOverviewTest, TheFiltersChooseTheRows) {
    struct Case {
        NewsImpact impact;
        std::string currency;
        bool includeMedium;
        bool listed;
    };
    const Case cases[] = {{NewsImpact::high, "USD", false, true},  {NewsImpact::holiday, "USD", false, true},
                          {NewsImpact::holiday, "USD", true, true},  {NewsImpact::medium, "USD", false, false},
                          {NewsImpact::medium, "USD", true, true},   {NewsImpact::low, "USD", true, false},
                          {NewsImpact::high, "usd", false, false},   {NewsImpact::high, "EUR", false, false}};
    const Base::Date now = newYorkTime(2025, 11, 5, 12, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(TradingCore::rawValue(c.impact)) + " " + c.currency);
        const auto days = WeeklyOverview::days({event("e", newYorkTime(2025, 11, 5, 8, 30), c.currency, c.impact)},
                                               "USD", c.includeMedium, now, ny());
        ASSERT_EQ(days[2].items.size(), c.listed ? 1u : 0u);
        if (!c.listed) continue;
        EXPECT_EQ(days[2].items[0].isHoliday, c.impact == NewsImpact::holiday);
        EXPECT_EQ(days[2].items[0].isMedium, c.impact == NewsImpact::medium);
    }
}

TEST(WeeklyOverviewTest, AnItemCarriesItsEventTheActivityIdAndWhetherItIsPast) {
    const Base::Date now = newYorkTime(2025, 11, 5, 8, 30);
    CalendarEvent adp = event("adp", now, "USD", NewsImpact::high, "ADP Non-Farm Employment Change");
    adp.forecast = "25K";
    adp.previous = "-32K";
    const auto items =
        WeeklyOverview::days({adp, event("plain", now - 0.001, "USD", NewsImpact::high, "Treasury Currency Report")},
                             "USD", false, now, ny())[2].items;
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1], (WeeklyItem{"adp", adp.newsEvent().activityID(), now, "ADP Non-Farm Employment Change",
                                    "ADP", false, false, "25K", "-32K", false}));
    EXPECT_EQ(items[1].activityID.rfind("news:ADP@", 0), 0u);
    // Without a label the title stands in the id; a millisecond before now is past.
    EXPECT_EQ(items[0].label, std::nullopt);
    EXPECT_EQ(items[0].activityID.rfind("news:Treasury Currency Report@", 0), 0u);
    EXPECT_TRUE(items[0].isPast);
}

TEST(WeeklyOverviewTest, TheCurrencyMenuOffersUsdFirstAndOnlyCodesThatCanBeChosen) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, NewsImpact>> events;
        bool includeMedium;
        std::vector<std::string> offered;
    };
    const Case cases[] = {
        {"no events", {}, false, {"USD"}},
        {"others sorted", {{"EUR", NewsImpact::high}, {"GBP", NewsImpact::high}, {"AUD", NewsImpact::holiday}},
         false, {"USD", "AUD", "EUR", "GBP"}},
        {"medium only with medium", {{"CAD", NewsImpact::medium}, {"JPY", NewsImpact::low}}, false, {"USD"}},
        {"medium listed", {{"CAD", NewsImpact::medium}, {"JPY", NewsImpact::low}}, true, {"USD", "CAD"}},
        // Codes the settings would refuse are never offered.
        {"not currency codes",
         {{"eur", NewsImpact::high}, {"EURO", NewsImpact::high}, {"", NewsImpact::high}, {"CH", NewsImpact::high},
          {"NZ$", NewsImpact::high}, {"CHF", NewsImpact::high}},
         false, {"USD", "CHF"}},
    };
    const Base::Date t = newYorkTime(2025, 11, 5, 8, 30);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<CalendarEvent> events;
        for (const auto& [currency, impact] : c.events) events.push_back(event("x", t, currency, impact));
        EXPECT_EQ(WeeklyOverview::currencies(events, c.includeMedium), c.offered);
    }
}
