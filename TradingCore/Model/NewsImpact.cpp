#include "TradingCore/Model/NewsImpact.h"

namespace TradingCore {

std::string_view rawValue(NewsImpact impact) {
    switch (impact) {
        case NewsImpact::low: return "low";
        case NewsImpact::medium: return "medium";
        case NewsImpact::high: return "high";
        case NewsImpact::holiday: return "holiday";
    }
    return "low";
}

std::optional<NewsImpact> newsImpactFromRaw(std::string_view raw) {
    if (raw == "low") return NewsImpact::low;
    if (raw == "medium") return NewsImpact::medium;
    if (raw == "high") return NewsImpact::high;
    if (raw == "holiday") return NewsImpact::holiday;
    return std::nullopt;
}

int severity(NewsImpact impact) {
    switch (impact) {
        case NewsImpact::holiday: return 0;
        case NewsImpact::low: return 1;
        case NewsImpact::medium: return 2;
        case NewsImpact::high: return 3;
    }
    return 0;
}

}  // namespace TradingCore
