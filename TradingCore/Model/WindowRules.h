#pragma once

#include <optional>
#include <string>
#include <vector>

#include "TradingCore/Model/SessionWindow.h"

namespace TradingCore::WindowRules {

inline constexpr int maxWindows = 8;
// Names are cut by the settings store; issue() does not look at them.
inline constexpr int maxNameLength = 24;

// Why a list of windows is refused.
struct Issue {
    enum class Kind { zeroLength, overlap, tooMany };
    Kind kind = Kind::tooMany;
    std::string first;   // zeroLength: the window; overlap: the earlier of the two in the list
    std::string second;  // overlap: the later one

    static Issue zeroLength(std::string name) { return {Kind::zeroLength, std::move(name), {}}; }
    static Issue overlap(std::string first, std::string second) {
        return {Kind::overlap, std::move(first), std::move(second)};
    }
    static Issue tooMany() { return {Kind::tooMany, {}, {}}; }

    bool operator==(const Issue&) const = default;
};

// No value when the windows of one profile are acceptable. Weekdays play no
// part: a window past midnight is cut into the evening piece and the morning
// piece of the same day, and both are checked against the other windows.
std::optional<Issue> issue(const std::vector<SessionWindow>& windows);

}  // namespace TradingCore::WindowRules
