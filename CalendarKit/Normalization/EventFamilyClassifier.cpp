#include "CalendarKit/Normalization/EventFamilyClassifier.h"

#include <array>
#include <string>

#include "Base/Text.h"


namespace CalendarKit::EventFamilyClassifier {

namespace {

// Which text a needle is looked for in.
enum class In { title, lower };

struct Test {
    In in;
    std::string_view needle;
};

// How a rule's second test combines with its first; each short-circuits.
enum class Join { single, both, either };

struct Rule {
    EventFamily family;
    Test first;
    Join join = Join::single;
    Test second{};
};

// The order matters: the first rule that holds wins, so the specific FOMC
// releases precede the general FOMC rule and the ISM surveys precede "PMI".
constexpr std::array<Rule, 32> kRules{{
    {EventFamily::adp, {In::title, "ADP"}},
    {EventFamily::nfp, {In::lower, "non-farm employment change"}},
    {EventFamily::unemploymentRate, {In::lower, "unemployment rate"}},
    {EventFamily::hourlyEarnings, {In::lower, "average hourly earnings"}},
    {EventFamily::jobless, {In::lower, "unemployment claims"}},
    {EventFamily::jolts, {In::title, "JOLTS"}},
    {EventFamily::eci, {In::lower, "employment cost index"}},
    {EventFamily::minutes, {In::title, "FOMC"}, Join::both, {In::lower, "minutes"}},
    {EventFamily::pressConference, {In::title, "FOMC"}, Join::both, {In::lower, "press conference"}},
    {EventFamily::fedChair, {In::lower, "fed chair"}},
    {EventFamily::fedSpeaker, {In::title, "FOMC Member"}},
    {EventFamily::fomc, {In::title, "FOMC"}, Join::either, {In::lower, "federal funds rate"}},
    {EventFamily::beige, {In::lower, "beige book"}},
    {EventFamily::cpi, {In::title, "CPI"}},
    {EventFamily::ppi, {In::title, "PPI"}},
    {EventFamily::pce, {In::title, "PCE"}},
    {EventFamily::retailSales, {In::lower, "retail sales"}},
    {EventFamily::umich, {In::title, "UoM"}},
    {EventFamily::consumerConfidence, {In::lower, "consumer confidence"}},
    {EventFamily::gdp, {In::title, "GDP"}},
    {EventFamily::ismManufacturing, {In::title, "ISM"}, Join::both, {In::lower, "manufacturing"}},
    {EventFamily::ismServices, {In::title, "ISM"}, Join::both, {In::lower, "services"}},
    {EventFamily::flashPMI, {In::lower, "flash"}, Join::both, {In::title, "PMI"}},
    {EventFamily::pmi, {In::title, "PMI"}},
    {EventFamily::durableGoods, {In::lower, "durable goods"}},
    {EventFamily::empire, {In::lower, "empire state"}},
    {EventFamily::philly, {In::lower, "philly fed"}},
    {EventFamily::housing, {In::lower, "housing starts"}, Join::either, {In::lower, "building permits"}},
    {EventFamily::homeSales, {In::lower, "home sales"}},
    {EventFamily::crude, {In::lower, "crude oil inventories"}},
    {EventFamily::tradeBalance, {In::lower, "trade balance"}},
    {EventFamily::auction, {In::lower, "auction"}},
}};

bool holds(const Test& test, std::string_view title, std::string_view lower) {
    const std::string_view text = test.in == In::title ? title : lower;
    return text.find(test.needle) != std::string_view::npos;
}

bool matches(const Rule& rule, std::string_view title, std::string_view lower) {
    switch (rule.join) {
        case Join::single: return holds(rule.first, title, lower);
        case Join::both: return holds(rule.first, title, lower) && holds(rule.second, title, lower);
        case Join::either: return holds(rule.first, title, lower) || holds(rule.second, title, lower);
    }
    return false;
}

}  // namespace

std::optional<EventFamily> classify(std::string_view title) {
    const std::string lower = Base::Text::lowercased(title);
    for (const Rule& rule : kRules) {
        if (matches(rule, title, lower)) return rule.family;
    }
    return std::nullopt;
}

}  // namespace CalendarKit::EventFamilyClassifier
