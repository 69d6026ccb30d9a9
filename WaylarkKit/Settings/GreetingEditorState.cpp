#include "WaylarkKit/Settings/GreetingEditorState.h"

#include <cmath>

#include "Base/Text.h"

namespace WaylarkKit {

std::string GreetingCounter::text() const { return std::to_string(count) + "/" + std::to_string(limit); }

GreetingEditorState GreetingEditorState::of(const SettingsKit::GreetingSettings& greeting) {
    using SettingsKit::GreetingSettings;
    return GreetingEditorState{
        greeting.isEnabled,
        greeting.leading,
        greeting.name,
        {Base::Text::graphemeCount(greeting.leading), GreetingSettings::maxLeadingLength},
        {Base::Text::graphemeCount(greeting.name), GreetingSettings::maxNameLength},
    };
}

std::string GreetingEditorState::durationSentence() {
    const auto seconds = static_cast<long long>(std::lround(SettingsKit::GreetingSettings::duration));
    return "Shown for " + std::to_string(seconds) + " seconds when the island appears";
}

}  // namespace WaylarkKit
