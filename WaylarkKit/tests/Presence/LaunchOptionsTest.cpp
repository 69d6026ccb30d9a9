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

TEST(LaunchOptionsTest, ParsesTheCommandLine) {
    const struct {
        std::vector<std::string> arguments;
        LaunchOptions expected;
    } cases[] = {
        {{}, options(defaults, false, false, false)},
        {{"--showreel"}, options(defaults, true, true, true)},
        {{"--demo"}, options(defaults, true, true, false)},
        {{"--always-on"}, options(defaults, true, false, false)},
        {{"--name"}, options(defaults, false, false, false)},
        {{"--name", "--demo"}, options(defaults, false, false, false, "--demo")},
        {{"--name", "a", "--name", "b"}, options(defaults, false, false, false, "b")},
        {{"--trigger", "--demo"}, options(defaults, true, true, false)},
        {{"--trigger", "a.b", "--trigger", "c-9.D"}, options({"a.b", "c-9.D"}, false, false, false)},
        {{"--trigger", "a_b.c"}, options(defaults, false, false, false)},
        {{"--trigger"}, options(defaults, false, false, false)},
        {{"--demo=1", "--DEMO", "--Always-On", "-demo"}, options(defaults, false, false, false)},
        {{"--from-launcher", "--from-autostart", "--always-on"}, options(defaults, true, false, false)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LaunchOptions::fromArguments(c.arguments), c.expected) << testing::PrintToString(c.arguments);
    }
}

TEST(LaunchOptionsTest, OnlyTheAutostartEntryIsNotTheUsersLaunch) {
    const struct {
        std::vector<std::string> arguments;
        bool byUser;
    } cases[] = {
        {{}, true},
        {{"--from-launcher"}, true},
        {{"--from-autostart"}, false},
        {{"--demo", "--from-autostart"}, false},
        {{"--name", "--from-autostart"}, true},  // the word is the showreel's name there
    };
    for (const auto& c : cases) {
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
