#include <gtest/gtest.h>

#include "WaylarkKit/Motion/DesktopMotionSetting.h"

using WaylarkKit::DesktopMotionSetting;

TEST(DesktopMotionSettingTest, EachDesktopKeyTurnsReduceOnAndOffAndStrangersChangeNothing) {
    constexpr auto gnome = DesktopMotionSetting::gnomeNamespace;
    constexpr auto appearance = DesktopMotionSetting::appearanceNamespace;
    constexpr auto kde = DesktopMotionSetting::kdeNamespace;
    DesktopMotionSetting setting(true, std::nullopt);
    const auto flag = setting.flag();
    EXPECT_FALSE(flag());

    const struct {
        std::string_view space, key;
        DesktopMotionSetting::Value value;
        bool reduce;
    } steps[] = {
        {gnome, "enable-animations", false, true},
        {gnome, "enable-animations", true, false},
        // A value of the wrong type, a neighbour's key and an unknown namespace.
        {gnome, "enable-animations", std::string("false"), false},
        {gnome, "enable-hot-corners", false, false},
        {"org.gnome.desktop.a11y", "enable-animations", false, false},
        {appearance, "reduced-motion", std::int64_t{1}, true},
        {appearance, "reduced-motion", std::int64_t{0}, false},
        {appearance, "reduced-motion", true, false},
        {kde, "AnimationDurationFactor", 0.0, true},
        {kde, "AnimationDurationFactor", std::string("0.5"), false},
        {kde, "AnimationDurationFactor", std::string("0"), true},
        {kde, "AnimationDurationFactor", -1.0, true},
        {kde, "AnimationDurationFactor", std::int64_t{1}, false},
        // Either source asking for less motion is enough.
        {gnome, "enable-animations", false, true},
        {appearance, "reduced-motion", std::int64_t{1}, true},
        {gnome, "enable-animations", true, true},
        {appearance, "reduced-motion", std::int64_t{0}, false},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(std::string(step.space) + " " + std::string(step.key));
        setting.apply(step.space, step.key, step.value);
        EXPECT_EQ(setting.reduce(), step.reduce);
        EXPECT_EQ(flag(), step.reduce);
    }
}

TEST(DesktopMotionSettingTest, TheStartUpReadDecidesUntilTheDesktopSaysOtherwise) {
    EXPECT_FALSE(DesktopMotionSetting(std::nullopt, std::nullopt).reduce());
    EXPECT_TRUE(DesktopMotionSetting(false, std::nullopt).reduce());
    EXPECT_TRUE(DesktopMotionSetting(true, 0.0).reduce());
    // The flag outlives the setting it was taken from.
    const auto flag = [] {
        DesktopMotionSetting setting(false, std::nullopt);
        return setting.flag();
    }();
    EXPECT_TRUE(flag());
}
