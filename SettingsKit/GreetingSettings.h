#pragma once

#include <cstddef>
#include <string>

#include "Base/Json.h"
#include "Base/Result.h"

namespace SettingsKit {

// The greeting played when the island is shown.
struct GreetingSettings {
    static constexpr std::size_t maxLeadingLength = 20;
    static constexpr std::size_t maxNameLength = 20;
    static constexpr double duration = 5.0;  // seconds

    bool isEnabled = true;
    std::string leading = "Welcome";
    std::string name = "Trader";

    // Whether there is anything to say: leading or name holds a character
    // besides spaces and tabs. Being switched off plays no part.
    bool hasContent() const;

    bool operator==(const GreetingSettings& other) const;
};

// {"isEnabled", "leading", "name"}, all three required.
Base::Json toJson(const GreetingSettings& greeting);
Base::Result<GreetingSettings> greetingFromJson(const Base::Json& json, const std::string& context);

}  // namespace SettingsKit
