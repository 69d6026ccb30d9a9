#include "WaylarkKit/Showreel/ShowreelScenarios.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "Base/Calendar.h"
#include "Base/Uuid.h"
#include "TradingCore/Model/MarketTimeZone.h"
#include "WaylarkKit/Weekly/WeeklyOverview.h"

namespace WaylarkKit::ShowreelScenarios {
namespace {

using namespace TradingCore;

// Seconds after the Monday's midnight. Plain sums, no calendar arithmetic:
// a Monday never changes its clocks in New York, so these are the wall times.
constexpr double idleStart = 25950;       // 07:12:30
constexpr double statesStart = 34191;     // 09:29:51
constexpr double customStart = 34488;     // 09:34:48
constexpr double newsStart = 34770;       // 09:39:30
constexpr double newsRelease = 34800;     // 09:40:00
constexpr double tourStart = 34860;       // 09:41:00
constexpr double tourCPIRelease = 36000;  // 10:00:00
constexpr double tourPPIRelease = 37500;  // 10:25:00

std::set<Weekday> everyDay() { return {allWeekdays.begin(), allWeekdays.end()}; }

const SessionWindow opening{"Opening", WallClockTime(9, 30), WallClockTime(11, 0)};

CustomInterval killZone(WallClockTime start, WallClockTime end) {
    return CustomInterval{Base::Uuid::random(), "Kill zone", start, end, everyDay(), IntervalColor::pink};
}

NewsRule highOnly() { return NewsRule{{"USD"}, {NewsImpact::high}, 300, 300, 900}; }

NewsEvent release(std::string id, std::string title, NewsImpact impact, Base::Date time) {
    return NewsEvent{std::move(id), std::move(title), "USD", impact, time, true, std::nullopt};
}

ShowreelScenario make(Base::Date start, SessionProfile profile, NewsRule rule, std::vector<CustomInterval> customs,
                      double customLeadSeconds, std::vector<NewsEvent> events) {
    TimingConfiguration configuration{
        std::move(profile),
        MacroSchedule{10, {}, workDays()},
        std::move(rule),
        std::move(customs),
        MarketTimeZone::newYork(),
        10,
        10,
        120,
        1800,
        customLeadSeconds,
    };
    return ShowreelScenario{DemoScenario{std::move(configuration), std::move(events)}, start};
}

SessionProfile showreelProfile() { return SessionProfile{profileName, {opening}, everyDay()}; }

}  // namespace

Base::Date monday(Base::Date containing) {
    const Base::TimeZone& zone = MarketTimeZone::newYork();
    const std::vector<Base::Date> days = WeeklyOverview::weekdays(containing, zone);
    if (!days.empty()) return days.front();
    return Base::Calendar(zone).startOfDay(containing).value_or(containing);
}

ShowreelScenario idle(Base::Date monday) {
    return make(monday + idleStart, showreelProfile(), highOnly(), {}, 300, {});
}

ShowreelScenario states(Base::Date monday) {
    return make(monday + statesStart, showreelProfile(), highOnly(), {}, 300, {});
}

ShowreelScenario custom(Base::Date monday) {
    return make(monday + customStart, showreelProfile(), highOnly(),
                {killZone(WallClockTime(9, 35), WallClockTime(9, 50))}, 30, {});
}

ShowreelScenario news(Base::Date monday, NewsImpact impact) {
    const std::string title = impact == NewsImpact::high ? "CPI" : "PPI";
    return make(monday + newsStart, showreelProfile(),
                NewsRule{{"USD"}, {NewsImpact::high, NewsImpact::medium}, 12, 6, 30}, {}, 300,
                {release(newsEventID, title, impact, monday + newsRelease)});
}

ShowreelScenario tour(Base::Date monday) {
    SessionProfile profile{
        tourProfileName,
        {SessionWindow{"Pre-session", WallClockTime(7, 0), WallClockTime(9, 30)}, opening},
        everyDay(),
    };
    return make(monday + tourStart, std::move(profile),
                NewsRule{{"USD"}, {NewsImpact::high, NewsImpact::medium}, 300, 300, 900},
                {killZone(WallClockTime(10, 15), WallClockTime(10, 35))}, 300,
                {release(tourCPIEventID, "CPI", NewsImpact::high, monday + tourCPIRelease),
                 release(tourPPIEventID, "PPI", NewsImpact::medium, monday + tourPPIRelease)});
}

}  // namespace WaylarkKit::ShowreelScenarios
