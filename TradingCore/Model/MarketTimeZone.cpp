#include "TradingCore/Model/MarketTimeZone.h"

#include <cstdio>
#include <cstdlib>

namespace TradingCore::MarketTimeZone {

namespace {

Base::TimeZone makeNewYork() {
    std::optional<Base::TimeZone> zone = Base::TimeZone::named("America/New_York");
    if (!zone) {
        std::fputs("fatal: the time-zone database has no America/New_York\n", stderr);
        std::abort();
    }
    return *zone;
}

}  // namespace

const Base::TimeZone& newYork() {
    static const Base::TimeZone zone = makeNewYork();
    return zone;
}

}  // namespace TradingCore::MarketTimeZone
