#pragma once

#include <optional>

#include "TradingCore/Model/WindowRules.h"

namespace SettingsKit {

// What became of a change of a window's times.
struct WindowTimesResult {
    enum class Outcome {
        accepted,     // stored
        refused,      // the windows would have `issue`; nothing changed
        invalidTime,  // a time outside 00:00-23:59; nothing changed
        notFound,     // no such profile or window; nothing changed
    };
    Outcome outcome = Outcome::accepted;
    std::optional<TradingCore::WindowRules::Issue> issue;  // set only when refused

    static WindowTimesResult accepted() { return {}; }
    static WindowTimesResult refused(TradingCore::WindowRules::Issue why) { return {Outcome::refused, std::move(why)}; }
    static WindowTimesResult invalidTime() { return {Outcome::invalidTime, std::nullopt}; }
    static WindowTimesResult notFound() { return {Outcome::notFound, std::nullopt}; }

    bool operator==(const WindowTimesResult&) const = default;
};

// What became of a change of a custom interval's times.
enum class CustomTimesResult {
    accepted,     // the times are stored (or were already those)
    zeroLength,   // start equals end; nothing changed
    invalidTime,  // a time outside 00:00-23:59; nothing changed
    notFound,     // no interval has that id; nothing changed
};

}  // namespace SettingsKit
