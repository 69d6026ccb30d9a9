#include <gtest/gtest.h>

#include "WaylarkKit/Motion/ReduceMotion.h"

using namespace WaylarkKit::DesktopMotion;

TEST(ReduceMotionTest, ReadsGnomeAndKdeSettings) {
    EXPECT_EQ(parseGnomeEnableAnimations("true\n"), true);
    EXPECT_EQ(parseGnomeEnableAnimations("false\n"), false);
    EXPECT_EQ(parseGnomeEnableAnimations("No such schema"), std::nullopt);

    EXPECT_EQ(parseKdeAnimationFactor("[General]\nAnimationDurationFactor=3\n[KDE]\nAnimationDurationFactor=0\n"), 0.0);
    EXPECT_EQ(parseKdeAnimationFactor("[KDE]\r\nAnimationDurationFactor[$i] = 0.5\r\n"), 0.5);
    EXPECT_EQ(parseKdeAnimationFactor("[General]\nAnimationDurationFactor=0\n"), std::nullopt);
    EXPECT_EQ(parseKdeAnimationFactor("[KDE]\nAnimationDurationFactor=fast\n"), std::nullopt);
    EXPECT_EQ(parseKdeAnimationFactor(""), std::nullopt);

    const struct {
        std::optional<bool> gnome;
        std::optional<double> kde;
        bool reduce;
    } cases[] = {
        {std::nullopt, std::nullopt, false}, {true, 1.0, false}, {false, std::nullopt, true},
        {std::nullopt, 0.0, true},           {true, 0.0, true},  {std::nullopt, 0.25, false},
    };
    for (const auto& c : cases) EXPECT_EQ(prefersReducedMotion(c.gnome, c.kde), c.reduce);
}
