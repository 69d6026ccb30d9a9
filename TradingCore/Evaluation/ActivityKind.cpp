#include "TradingCore/Evaluation/ActivityKind.h"

namespace TradingCore {

std::string_view rawValue(ActivityKind kind) {
    switch (kind) {
        case ActivityKind::news: return "news";
        case ActivityKind::macro: return "macro";
        case ActivityKind::custom: return "custom";
    }
    return "news";
}

std::optional<ActivityKind> activityKindFromRaw(std::string_view raw) {
    if (raw == "news") return ActivityKind::news;
    if (raw == "macro") return ActivityKind::macro;
    if (raw == "custom") return ActivityKind::custom;
    return std::nullopt;
}

std::string_view rawValue(ActivityPhase phase) {
    switch (phase) {
        case ActivityPhase::upcoming: return "upcoming";
        case ActivityPhase::restricted: return "restricted";
        case ActivityPhase::active: return "active";
        case ActivityPhase::ended: return "ended";
    }
    return "upcoming";
}

std::optional<ActivityPhase> activityPhaseFromRaw(std::string_view raw) {
    if (raw == "upcoming") return ActivityPhase::upcoming;
    if (raw == "restricted") return ActivityPhase::restricted;
    if (raw == "active") return ActivityPhase::active;
    if (raw == "ended") return ActivityPhase::ended;
    return std::nullopt;
}

}  // namespace TradingCore
