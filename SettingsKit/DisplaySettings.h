#pragma once

#include <cstddef>
#include <map>
#include <string>

#include "Base/Json.h"
#include "Base/Result.h"

namespace SettingsKit {

// The on/off choice the user made for each display, by the display's stable identifier.
struct DisplaySettings {
    static constexpr std::size_t maxRemembered = 16;
    static constexpr std::size_t maxIDLength = 64;  // characters

    std::map<std::string, bool> choices;

    // Drops empty and overlong identifiers and keeps the 16 lowest in text order.
    DisplaySettings validated() const;

    bool operator==(const DisplaySettings&) const = default;
};

// Whether an identifier may be remembered: 1 to 64 characters.
bool isRememberableDisplayID(const std::string& id);

// {"choices": {id: bool, ...}}; "choices" is required.
Base::Json toJson(const DisplaySettings& displays);
Base::Result<DisplaySettings> displaysFromJson(const Base::Json& json, const std::string& context);

}  // namespace SettingsKit
