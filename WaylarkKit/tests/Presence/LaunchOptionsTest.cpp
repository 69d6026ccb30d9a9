#include <gtest/gtest.h>

#include "WaylarkKit/Presence/LaunchOptions.h"

using WaylarkKit::LaunchOptions;

namespace {

const std::set<std::string> defaults{"com.tradingview.tradingviewapp.desktop"};

LaunchOptions options(std::set<std::string> triggers, bool alwaysOn, bool demo, bool showreel,
                      std::optional<std::string> name = std::nullopt) {
    return LaunchOptions{std::move(triggers), alwaysOn, demo, showreel, std::move(name)};
}

}  // namespace

// Only the autostart entry is not the user's own launch.
TEST(LaunchOptionsTest, ParsesTheCommandLine) {
    const struct {
        std::vector<std::string> arguments;
        LaunchOptions expected;
        bool byUser;
    } cases[] = {
        {{}, options(defaults, false, false, false), true},
        {{"--showreel"}, options(defaults, true, true, true), true},
        {{"--demo"}, options(defaults, true, true, false), true},
        {{"--always-on"}, options(defaults, true, false, false), true},
        {{"--name"}, options(defaults, false, false, false), true},
        {{"--name", "--demo"}, options(defaults, false, false, false, "--demo"), true},
        {{"--name", "a", "--name", "b"}, options(defaults, false, false, false, "b"), true},
        {{"--trigger", "--demo"}, options(defaults, true, true, false), true},
        {{"--trigger", "a.b", "--trigger", "c-9.D"}, options({"a.b", "c-9.D"}, false, false, false), true},
        {{"--trigger", "a_b.c"}, options(defaults, false, false, false), true},
        {{"--trigger"}, options(defaults, false, false, false), true},
        {{"--demo=1", "--DEMO", "--Always-On", "-demo"}, options(defaults, false, false, false), true},
        {{"--from-launcher"}, options(defaults, false, false, false), true},
        {{"--from-autostart", "--always-on"}, options(defaults, true, false, false), false},
        {{"--demo", "--from-autostart"}, options(defaults, true, true, false), false},
        // There the word is the showreel's name.
        {{"--name", "--from-autostart"}, options(defaults, false, false, false, "--from-autostart"), true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LaunchOptions::fromArguments(c.arguments), c.expected) << testing::PrintToString(c.arguments);
        EXPECT_EQ(WaylarkKit::launchedByUser(c.arguments), c.byUser) << testing::PrintToString(c.arguments);
    }
}

TEST(LaunchOptionsTest, BundleIdentifiers) {
    const struct {
        std::string text;
        bool valid;
    } cases[] = {
        {"", false},
        {"abc", false},
        {".", true},
        {"com.Example-1.app", true},
        {"com.ex\xC3\xA4mple", false},
        {"a_b.c", false},
        {"a b.c", false},
        {"a.b\n", false},
        {std::string(254, 'a') + ".", true},
        {std::string(255, 'a') + ".", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LaunchOptions::isValidBundleIdentifier(c.text), c.valid) << c.text.size() << " " << c.text;
    }
}
