#include "WaylarkKit/Presence/LaunchOptions.h"

#include <algorithm>

namespace WaylarkKit {

namespace {

struct Parsed {
    LaunchOptions options;
    bool fromAutostart = false;
};

// One walk for the options and the launch origin, so that a value taken by
// "--name" or "--trigger" is never read as a word of its own.
Parsed parse(const std::vector<std::string>& arguments) {
    Parsed parsed;
    LaunchOptions& o = parsed.options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasNext = i + 1 < arguments.size();
        if (argument == "--demo") {
            o.demo = o.alwaysOn = true;
        } else if (argument == "--showreel") {
            o.showreel = o.demo = o.alwaysOn = true;
        } else if (argument == "--name") {
            if (hasNext) o.showreelName = arguments[++i];
        } else if (argument == "--always-on") {
            o.alwaysOn = true;
        } else if (argument == "--trigger") {
            // An invalid value is not consumed: it is read as an argument in its own right.
            if (hasNext && LaunchOptions::isValidBundleIdentifier(arguments[i + 1])) {
                o.triggers.insert(arguments[++i]);
            }
        } else if (argument == "--from-autostart") {
            parsed.fromAutostart = true;
        }
    }
    if (o.triggers.empty()) o.triggers = LaunchOptions::defaultTriggers();
    return parsed;
}

}  // namespace

LaunchOptions LaunchOptions::fromArguments(const std::vector<std::string>& arguments) {
    return parse(arguments).options;
}

const std::set<std::string>& LaunchOptions::defaultTriggers() {
    static const std::set<std::string> triggers{"com.tradingview.tradingviewapp.desktop"};
    return triggers;
}

bool LaunchOptions::isValidBundleIdentifier(std::string_view text) {
    // Bytes stand in for characters: a text with a non-ASCII character is
    // refused whatever its length, and an ASCII one has one byte per character.
    if (text.empty() || text.size() > 255) return false;
    if (text.find('.') == std::string_view::npos) return false;
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '-';
    });
}

bool launchedByUser(const std::vector<std::string>& arguments) {
    // The desktop launcher passes "--from-launcher"; a terminal passes
    // nothing and is the user's too. Only the autostart entry is not.
    return !parse(arguments).fromAutostart;
}

}  // namespace WaylarkKit
