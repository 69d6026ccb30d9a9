#pragma once

#include <cstddef>
#include <string>

#include "SettingsKit/GreetingSettings.h"

namespace WaylarkKit {

// The character counter beside a greeting text field. Characters are counted
// as the user perceives them (grapheme clusters), as the store cuts them.
struct GreetingCounter {
    std::size_t count = 0;
    std::size_t limit = 0;

    bool atLimit() const { return count >= limit; }
    std::string text() const;  // "7/20"
    double opacity() const { return atLimit() ? 0.8 : 0.35; }

    bool operator==(const GreetingCounter&) const = default;
};

// What the greeting editor shows of the stored greeting. The editor keeps no
// draft of its own: every keystroke is stored, and the card reads this again.
struct GreetingEditorState {
    bool isEnabled = true;
    std::string leading;
    std::string name;
    GreetingCounter leadingCounter;
    GreetingCounter nameCounter;

    static GreetingEditorState of(const SettingsKit::GreetingSettings& greeting);

    // The preview's island bar dims while the greeting is switched off.
    double barOpacity() const { return isEnabled ? 1.0 : 0.35; }

    // "Shown for 5 seconds when the island appears".
    static std::string durationSentence();

    bool operator==(const GreetingEditorState&) const = default;
};

}  // namespace WaylarkKit
