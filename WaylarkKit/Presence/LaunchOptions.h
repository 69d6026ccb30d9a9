#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace WaylarkKit {

// The command line of the first process, without the program path.
struct LaunchOptions {
    // Identifiers of the applications whose presence activates the island.
    std::set<std::string> triggers;
    bool alwaysOn = false;
    bool demo = false;
    bool showreel = false;
    std::optional<std::string> showreelName;

    bool operator==(const LaunchOptions&) const = default;

    // "--demo", "--showreel", "--name <text>", "--always-on" and
    // "--trigger <identifier>"; "--from-launcher" and "--from-autostart" say
    // who started the program and change no option. Anything else is ignored.
    static LaunchOptions fromArguments(const std::vector<std::string>& arguments);

    static const std::set<std::string>& defaultTriggers();

    // ASCII letters, digits, "." and "-", at least one ".", 1 to 255 characters.
    static bool isValidBundleIdentifier(std::string_view text);
};

// Whether the user started this process (from the desktop launcher or a
// terminal) rather than the session's autostart.
bool launchedByUser(const std::vector<std::string>& arguments);

}  // namespace WaylarkKit
