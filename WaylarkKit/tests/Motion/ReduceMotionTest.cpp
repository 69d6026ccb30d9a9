#include <gtest/gtest.h>
#include <signal.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "Base/testing/EnvironmentVariable.h"
#include "Base/testing/TemporaryFolder.h"
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

// The program ignores SIGPIPE for itself, and an ignored signal stays ignored
// across exec: gsettings must still start with it at its default. The stand-in
// answers "true" only then.
TEST(ReduceMotionTest, GsettingsStartsWithSigpipeAtItsDefault) {
    const Base::Testing::TemporaryFolder tools;
    const auto gsettings = tools.path() / "gsettings";
    Base::Testing::writeBytes(gsettings,
                              "#!/bin/sh\n"
                              "ignored=$(sed -n 's/^SigIgn:[[:space:]]*//p' /proc/self/status)\n"
                              "if [ $((0x$ignored & 0x1000)) -eq 0 ]; then echo true; else echo false; fi\n");
    std::filesystem::permissions(gsettings, std::filesystem::perms::owner_all);
    const char* path = std::getenv("PATH");
    const std::string searched = tools.path().string() + ":" + (path ? path : "/usr/bin:/bin");
    const Base::Testing::EnvironmentVariable onPath("PATH", searched.c_str());

    struct sigaction ignore {}, saved {};
    ignore.sa_handler = SIG_IGN;
    ASSERT_EQ(::sigaction(SIGPIPE, &ignore, &saved), 0);
    const std::optional<bool> answer = readGnomeEnableAnimations();
    ::sigaction(SIGPIPE, &saved, nullptr);
    EXPECT_EQ(answer, std::optional<bool>(true)) << "false: gsettings ran with SIGPIPE ignored";
}
