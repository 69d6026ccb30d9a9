#include "WaylarkKit/Launch/ConnectionVariables.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <string_view>

namespace WaylarkKit {

namespace {

std::string upper(std::string text) {
    std::ranges::transform(text, text.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

}  // namespace

ConnectionVariables::~ConnectionVariables() {
    // Latest first, so a name set twice ends as it was before the first.
    for (auto it = set_.rbegin(); it != set_.rend(); ++it) {
        if (it->before) {
            ::setenv(it->name.c_str(), it->before->c_str(), 1);
        } else {
            ::unsetenv(it->name.c_str());
        }
    }
}

void ConnectionVariables::setUnlessChosen(const char* name, const char* value) {
    if (std::getenv(name) == nullptr) set(name, value);
}

void ConnectionVariables::set(const char* name, const char* value) {
    const char* before = std::getenv(name);
    set_.push_back({name, before ? std::optional<std::string>(before) : std::nullopt});
    ::setenv(name, value, 1);
}

bool ConnectionVariables::glibLoopNeeded(const std::string& theme, const std::string& desktop,
                                         bool gtkThemeInstalled) {
    if (upper(theme).find("GTK") != std::string::npos) return true;
    if (!gtkThemeInstalled) return false;
    // The desktops for which Qt prefers its GTK theme.
    static constexpr std::array<std::string_view, 6> gtkDesktops = {"GNOME", "X-CINNAMON", "UNITY",
                                                                     "MATE",  "XFCE",       "LXDE"};
    const std::string names = upper(desktop);
    if (names.empty()) return true;
    std::string_view rest = names;
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const std::string_view name = rest.substr(0, colon);
        if (std::ranges::find(gtkDesktops, name) != gtkDesktops.end()) return true;
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    }
    return false;
}

}  // namespace WaylarkKit
