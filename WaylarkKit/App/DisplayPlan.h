#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace WaylarkKit {

// A connected display with a stable identifier.
struct DisplayInfo {
    std::string id;
    std::string name;
    bool isBuiltIn = false;
    // When an identical monitor is connected too, the identifier both would
    // have had; a choice stored under it applies until this display has its own.
    std::string sharedID{};
    bool operator==(const DisplayInfo&) const = default;
};

// The answers to "Where should the island appear?" about a new display.
enum class DisplayAnswer { alsoHere, onlyHere, notHere };

// Display identifier -> whether the island is shown there (the settings' display choices).
using DisplayChoices = std::map<std::string, bool>;

// Which displays get an island, which display to ask about next, and what an
// answer stores. Pure: the caller owns the displays and the choices.
namespace DisplayPlan {

// The titles of the three answer buttons, each named after its answer.
struct ButtonTitles {
    std::string alsoHere;
    std::string onlyHere;
    std::string notHere;
    bool operator==(const ButtonTitles&) const = default;
};

// The displays, in connected order, whose choice is true, and the built-in
// display when it has no choice. Never empty while a display is connected:
// with nothing chosen, the first built-in display, else the first display.
std::vector<DisplayInfo> shown(const std::vector<DisplayInfo>& connected, const DisplayChoices& choices);

// The first connected external display without a choice, not skipped and
// without an island yet; none while fewer than two displays are connected.
std::optional<DisplayInfo> nextToAsk(const std::vector<DisplayInfo>& connected, const DisplayChoices& choices,
                                     const std::set<std::string>& skipping);

// The entries to merge into `current` for an answer about `display`. An
// island that stood on a display only because nothing was chosen stays there
// unless the answer is "only here": that display is recorded as chosen. When
// the answer alone would leave no display chosen, another connected display is
// marked shown too, so the island never stays on the display just refused.
// Neither overwrites a stored choice of a display the answer is not about.
DisplayChoices choices(DisplayAnswer answer, const DisplayInfo& display, const std::vector<DisplayInfo>& connected,
                       const DisplayChoices& current);

ButtonTitles buttonTitles(const DisplayInfo& display, const std::vector<DisplayInfo>& connected);

}  // namespace DisplayPlan
}  // namespace WaylarkKit
