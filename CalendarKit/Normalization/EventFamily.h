#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace CalendarKit {

// Kinds of economic release, recognised from a release's title. The raw value
// of each case is its name; the order is the order of `allEventFamilies()`.
enum class EventFamily {
    adp,
    nfp,
    unemploymentRate,
    hourlyEarnings,
    jobless,
    jolts,
    eci,
    fomc,
    minutes,
    pressConference,
    fedChair,
    fedSpeaker,
    beige,
    cpi,
    ppi,
    pce,
    retailSales,
    umich,
    consumerConfidence,
    gdp,
    ismManufacturing,
    ismServices,
    flashPMI,
    pmi,
    durableGoods,
    empire,
    philly,
    housing,
    homeSales,
    crude,
    tradeBalance,
    auction,
    ism,
};

inline constexpr std::size_t eventFamilyCount = 33;

// Every family, in declaration order.
const std::array<EventFamily, eventFamilyCount>& allEventFamilies();

// The case name, e.g. "unemploymentRate".
std::string_view rawValue(EventFamily family);
// Exactly one of the case names (case-sensitive), else nothing.
std::optional<EventFamily> eventFamilyFromRaw(std::string_view raw);

// The few letters shown in place of a long release title.
std::string_view shortLabel(EventFamily family);

}  // namespace CalendarKit
