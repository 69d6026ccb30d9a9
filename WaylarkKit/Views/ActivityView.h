#pragma once

#include <optional>
#include <string>

#include "Base/Date.h"
#include "TradingCore/Evaluation/Activity.h"
#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Style/Rgba.h"

namespace WaylarkKit {

// The label of an activity in the compact bar and, where it applies, its countdown.
struct ActivityParts {
    std::string label;
    std::optional<std::string> countdown;
    bool operator==(const ActivityParts&) const = default;
};

// One activity as the right-hand side of the compact island shows it: the
// texts follow its kind and phase, and an activity in progress (a blackout,
// a running macro or custom time) pulses its label. `now` is the instant its
// countdown runs from.
struct ActivityView {
    static constexpr Rgba macroColor = Palette::orange;
    static constexpr double fontSize = 12;  // semibold, digits in equal cells
    static constexpr double spacing = 4;    // between label and countdown
    // Titles from this many characters on are cut to one less than it,
    // the last being "…".
    static constexpr std::size_t titleCut = 15;

    TradingCore::Activity activity;
    Base::Date now;

    ActivityParts parts() const;
    bool pulses() const;
    Rgba pulseColor() const;
    // The colour of the label when it does not pulse, and of the countdown.
    Rgba tint() const;
};

}  // namespace WaylarkKit
