#include <gtest/gtest.h>

#include "Base/testing/NotificationCounter.h"
#include "WaylarkKit/Motion/DesktopMotionSetting.h"

using WaylarkKit::DesktopMotionSetting;

TEST(DesktopMotionSettingTest, EachDesktopKeyTurnsReduceOnAndOffAndStrangersChangeNothing) {
    constexpr auto gnome = DesktopMotionSetting::gnomeNamespace;
    constexpr auto appearance = DesktopMotionSetting::appearanceNamespace;
    constexpr auto kde = DesktopMotionSetting::kdeNamespace;
    DesktopMotionSetting setting(false, std::nullopt);
    const auto flag = setting.flag();
    EXPECT_TRUE(flag());
    // Views that move all the time hear each change of the answer, and only those.
    Base::Testing::NotificationCounter changes([&](auto observer) { return flag.observe(observer); });
    const struct {
        std::string_view space, key;
        DesktopMotionSetting::Value value;
        bool reduce;
    } steps[] = {
        {gnome, "enable-animations", true, false},
        // A value of the wrong type, a neighbour's key, another namespace.
        {gnome, "enable-animations", std::string("false"), false},
        {gnome, "enable-hot-corners", false, false},
        {"org.gnome.desktop.a11y", "enable-animations", false, false},
        {appearance, "reduced-motion", std::int64_t{1}, true},
        {appearance, "reduced-motion", std::int64_t{0}, false},
        {kde, "AnimationDurationFactor", std::string("0"), true},
        {kde, "AnimationDurationFactor", 0.5, false},
        // Either one asking for less motion is enough.
        {gnome, "enable-animations", false, true},
        {appearance, "reduced-motion", std::int64_t{1}, true},
        {gnome, "enable-animations", true, true},
    };
    bool before = flag();
    for (const auto& step : steps) {
        setting.apply(step.space, step.key, step.value);
        EXPECT_EQ(flag(), step.reduce) << step.space << " " << step.key;
        EXPECT_EQ(changes.take(), step.reduce != before ? 1u : 0u) << step.space << " " << step.key;
        before = step.reduce;
    }
}
