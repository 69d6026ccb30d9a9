#pragma once

#include <optional>
#include <string>
#include <vector>

namespace WaylarkKit {

// Qt settles how it talks to the desktop once, as the application object
// connects, from environment variables. The island repaints a few small areas
// several times a second all day, and two of Qt's defaults cost it most of a
// frame's overhead: images in shared memory (a round trip to the X server
// before each repaint of an area it may still be reading) and GLib's event
// loop (several passes over its sources on every wake-up). These variables are
// set for that moment only: most only where the user has not set them, the
// platform whatever the user set.
class ConnectionVariables {
public:
    ConnectionVariables() = default;
    ConnectionVariables(const ConnectionVariables&) = delete;
    ConnectionVariables& operator=(const ConnectionVariables&) = delete;
    // Takes away what it set and puts back what it replaced, so the programs
    // this one starts later inherit the user's environment.
    ~ConnectionVariables();

    // Sets `name` to `value` unless the environment has it already.
    void setUnlessChosen(const char* name, const char* value);
    // Sets `name` to `value` whatever the environment has.
    void set(const char* name, const char* value);

    // Whether Qt's event loop must stay GLib's: the GTK platform theme drives
    // GTK from it, and Qt loads that theme when it is asked for by name, or on
    // a GTK-based desktop (or one it cannot name) where the theme is installed.
    // `theme` and `desktop` are QT_QPA_PLATFORMTHEME and XDG_CURRENT_DESKTOP.
    static bool glibLoopNeeded(const std::string& theme, const std::string& desktop, bool gtkThemeInstalled);

private:
    struct Replaced {
        std::string name;
        std::optional<std::string> before;
    };
    std::vector<Replaced> set_;
};

}  // namespace WaylarkKit
