#include "CalendarKit/Normalization/EventFamily.h"

#include <cstddef>

namespace CalendarKit {

namespace {

struct FamilyInfo {
    EventFamily family;
    std::string_view raw;
    std::string_view label;
};

// Indexed by the enumerator's value, so lookups by family need no search.
constexpr std::array<FamilyInfo, eventFamilyCount> kFamilies{{
    {EventFamily::adp, "adp", "ADP"},
    {EventFamily::nfp, "nfp", "NFP"},
    {EventFamily::unemploymentRate, "unemploymentRate", "Unemp"},
    {EventFamily::hourlyEarnings, "hourlyEarnings", "AHE"},
    {EventFamily::jobless, "jobless", "Claims"},
    {EventFamily::jolts, "jolts", "JOLTS"},
    {EventFamily::eci, "eci", "ECI"},
    {EventFamily::fomc, "fomc", "FOMC"},
    {EventFamily::minutes, "minutes", "Minutes"},
    {EventFamily::pressConference, "pressConference", "Presser"},
    {EventFamily::fedChair, "fedChair", "Chair"},
    {EventFamily::fedSpeaker, "fedSpeaker", "Fed Spk"},
    {EventFamily::beige, "beige", "Beige"},
    {EventFamily::cpi, "cpi", "CPI"},
    {EventFamily::ppi, "ppi", "PPI"},
    {EventFamily::pce, "pce", "PCE"},
    {EventFamily::retailSales, "retailSales", "Retail"},
    {EventFamily::umich, "umich", "UMich"},
    {EventFamily::consumerConfidence, "consumerConfidence", "CB Conf"},
    {EventFamily::gdp, "gdp", "GDP"},
    {EventFamily::ismManufacturing, "ismManufacturing", "ISM Mfg"},
    {EventFamily::ismServices, "ismServices", "ISM Svc"},
    {EventFamily::flashPMI, "flashPMI", "Flash PMI"},
    {EventFamily::pmi, "pmi", "PMI"},
    {EventFamily::durableGoods, "durableGoods", "Durables"},
    {EventFamily::empire, "empire", "Empire"},
    {EventFamily::philly, "philly", "Philly"},
    {EventFamily::housing, "housing", "Housing"},
    {EventFamily::homeSales, "homeSales", "Home Sales"},
    {EventFamily::crude, "crude", "Crude"},
    {EventFamily::tradeBalance, "tradeBalance", "Trade"},
    {EventFamily::auction, "auction", "Auction"},
    {EventFamily::ism, "ism", "ISM"},
}};

constexpr bool tableFollowsDeclarationOrder() {
    for (std::size_t i = 0; i < kFamilies.size(); ++i) {
        if (static_cast<std::size_t>(kFamilies[i].family) != i) return false;
    }
    return true;
}
static_assert(tableFollowsDeclarationOrder());

const FamilyInfo& info(EventFamily family) {
    return kFamilies[static_cast<std::size_t>(family)];
}

}  // namespace

const std::array<EventFamily, eventFamilyCount>& allEventFamilies() {
    static constexpr std::array<EventFamily, eventFamilyCount> all = [] {
        std::array<EventFamily, eventFamilyCount> result{};
        for (std::size_t i = 0; i < kFamilies.size(); ++i) result[i] = kFamilies[i].family;
        return result;
    }();
    return all;
}

std::string_view rawValue(EventFamily family) { return info(family).raw; }

std::optional<EventFamily> eventFamilyFromRaw(std::string_view raw) {
    for (const auto& entry : kFamilies) {
        if (entry.raw == raw) return entry.family;
    }
    return std::nullopt;
}

std::string_view shortLabel(EventFamily family) { return info(family).label; }

}  // namespace CalendarKit
