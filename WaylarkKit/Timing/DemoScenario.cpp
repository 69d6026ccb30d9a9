#include "WaylarkKit/Timing/DemoScenario.h"

#include <cmath>
#include <optional>
#include <set>

#include "Base/Calendar.h"
#include "Base/Uuid.h"
#include "TradingCore/Model/MarketTimeZone.h"

namespace WaylarkKit {
namespace {

using TradingCore::WallClockTime;

// The first instant strictly after `after` at which the zone's clock shows
// zero seconds. Every offset the zone has ever used is whole minutes, so the
// minute is found on the local time line.
std::optional<Base::Date> nextWholeMinute(Base::Date after, const Base::TimeZone& zone) {
    const double offset = zone.secondsFromUTC(after);
    const double local = after.secondsSince1970 + offset;
    const double next = (std::floor(local / 60) + 1) * 60 - offset;
    if (!std::isfinite(next) || next <= after.secondsSince1970) return std::nullopt;
    return Base::Date(next);
}

}  // namespace

DemoScenario DemoScenario::make(Base::Date start) {
    using namespace TradingCore;
    const Base::TimeZone& zone = MarketTimeZone::newYork();
    const Base::Calendar calendar(zone);
    const Base::Date base = nextWholeMinute(start + 5, zone).value_or(start + 60);
    const auto wall = [&](double offset) {
        const Base::DateComponents c = calendar.components(base + offset);
        return WallClockTime(c.hour, c.minute);
    };
    const std::set<Weekday> allDays(allWeekdays.begin(), allWeekdays.end());

    TimingConfiguration configuration{
        SessionProfile{"Demo",
                       {SessionWindow{"Pre-session", wall(0), wall(300)},
                        SessionWindow{"Opening", wall(300), wall(600)}},
                       allDays},
        MacroSchedule{10, {NamedMacro{"Demo", wall(480), wall(540)}}, allDays},
        NewsRule{{"USD"}, {NewsImpact::high, NewsImpact::medium}, 60, 60, 120},
        {CustomInterval{Base::Uuid::random(), "Kill zone", wall(240), wall(360), allDays, IntervalColor::pink},
         CustomInterval{Base::Uuid::random(), "Silver Bullet", wall(540), wall(600), allDays, IntervalColor::cyan}},
        zone,
        10,
        10,
        120,
        1800,
        300,
    };
    std::vector<NewsEvent> events{
        NewsEvent{"demo-cpi", "CPI", "USD", NewsImpact::high, base + 180, true, std::nullopt},
        NewsEvent{"demo-ppi", "PPI", "USD", NewsImpact::medium, base + 420, true, std::nullopt},
    };
    return DemoScenario{std::move(configuration), std::move(events)};
}

}  // namespace WaylarkKit
