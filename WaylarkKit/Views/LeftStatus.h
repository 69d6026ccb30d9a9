#pragma once

#include <optional>
#include <string>

#include "Base/Date.h"
#include "TradingCore/Evaluation/Evaluation.h"
#include "WaylarkKit/Mascot/MascotKind.h"
#include "WaylarkKit/Style/Rgba.h"

namespace WaylarkKit {

class TimingViewModel;

// What the left slot of the compact island shows: the first greeting word
// while the greeting plays, otherwise the mascot's pose (when this island
// draws its mascot here), the status word in the status colour and, when a
// change is near, the countdown to it.
struct LeftStatus {
    static constexpr double mascotSide = 35;
    static constexpr double spacing = 2;
    static constexpr double fontSize = 12;          // semibold; the countdown's digits in equal cells
    static constexpr double greetingFontSize = 14;
    static constexpr double countdownOpacity = 0.85;
    static constexpr double grayOpacity = 0.55;

    bool greeting = false;
    std::string greetingWord;
    int greetingRun = 0;
    std::optional<MascotKind> mascot;
    std::string word;
    Rgba colour;
    std::optional<std::string> countdown;
    bool magnified = false;

    static LeftStatus of(const TimingViewModel& model, const std::string& islandID, bool showsMascot);

    // Green in a window; the impact's colour in a blackout; dimmed white
    // outside every window; yellow for caution.
    static Rgba statusColor(const TradingCore::Evaluation& evaluation);
    // The time left to the next change, when the evaluation shows one.
    static std::optional<std::string> countdownText(const TradingCore::Evaluation& evaluation, Base::Date now);
    // The mascot's side in an island `slotHeight` points tall: 35, or less
    // on a display whose menu bar is lower than that.
    static double mascotSideFor(double slotHeight);

    bool operator==(const LeftStatus&) const = default;
};

}  // namespace WaylarkKit
