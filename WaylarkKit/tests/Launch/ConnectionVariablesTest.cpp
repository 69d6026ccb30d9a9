#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "WaylarkKit/Launch/ConnectionVariables.h"

using WaylarkKit::ConnectionVariables;

TEST(ConnectionVariablesTest, SetsOnlyWhatTheUserLeftUnsetAndTakesItAwayAfter) {
    ::setenv("WAYLARK_TEST_CHOSEN", "0", 1);
    ::unsetenv("WAYLARK_TEST_FREE");
    ::setenv("WAYLARK_TEST_FORCED", "wayland", 1);
    ::unsetenv("WAYLARK_TEST_FORCED_FREE");
    {
        ConnectionVariables variables;
        variables.setUnlessChosen("WAYLARK_TEST_CHOSEN", "1");
        variables.setUnlessChosen("WAYLARK_TEST_FREE", "1");
        variables.set("WAYLARK_TEST_FORCED", "xcb");
        variables.set("WAYLARK_TEST_FORCED_FREE", "xcb");
        // Set twice: the end still restores what the user had.
        variables.set("WAYLARK_TEST_FORCED", "xcb");
        EXPECT_STREQ(std::getenv("WAYLARK_TEST_CHOSEN"), "0");
        EXPECT_STREQ(std::getenv("WAYLARK_TEST_FREE"), "1");
        EXPECT_STREQ(std::getenv("WAYLARK_TEST_FORCED"), "xcb");
        EXPECT_STREQ(std::getenv("WAYLARK_TEST_FORCED_FREE"), "xcb");
    }
    EXPECT_STREQ(std::getenv("WAYLARK_TEST_CHOSEN"), "0");
    EXPECT_EQ(std::getenv("WAYLARK_TEST_FREE"), nullptr);
    EXPECT_STREQ(std::getenv("WAYLARK_TEST_FORCED"), "wayland");
    EXPECT_EQ(std::getenv("WAYLARK_TEST_FORCED_FREE"), nullptr);
    for (const char* name : {"WAYLARK_TEST_CHOSEN", "WAYLARK_TEST_FORCED"}) ::unsetenv(name);
}

TEST(ConnectionVariablesTest, GLibStaysWhereverQtWouldLoadItsGtkTheme) {
    struct Case {
        const char* theme;
        const char* desktop;
        bool installed;
        bool needed;
    };
    const Case cases[] = {
        {"gtk3", "KDE", false, true},          // asked for by name, installed or not
        {"", "GNOME", true, true},             // preferred on GNOME
        {"", "ubuntu:GNOME", true, true},      // any of the names counts
        {"", "x-cinnamon", true, true},        // whatever the case
        {"", "", true, true},                  // a desktop Qt cannot name may be one
        {"qt6ct", "XFCE", true, true},         // a named theme that fails to load falls back to it
        {"", "GNOME", false, false},           // not installed: nothing needs GLib
        {"", "KDE", true, false},              // KDE's own theme
        {"", "sway", true, false},
        {"xdgdesktopportal", "Hyprland", true, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ConnectionVariables::glibLoopNeeded(c.theme, c.desktop, c.installed), c.needed)
            << c.theme << " / " << c.desktop << " / " << c.installed;
    }
}
