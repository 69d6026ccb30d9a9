#include <gtest/gtest.h>

#include "WaylarkKit/Presence/ProcessIdentity.h"

namespace ProcessIdentity = WaylarkKit::ProcessIdentity;

TEST(ProcessIdentityTest, StatFieldsAfterAnOddCommandName) {
    EXPECT_EQ(ProcessIdentity::parseStat("42 (we) ird) Z 1 42 42 0 -1 0 100 0 0 0 1 2 0 0 20 0 1 0 987654 1 0\n"),
              (ProcessIdentity::StatFields{'Z', 987654}));
    EXPECT_FALSE(ProcessIdentity::parseStat("42 (short) S 1 2 3\n"));
    EXPECT_EQ(ProcessIdentity::executableName("/tmp/x/tradingview (deleted)"), "tradingview");
}

TEST(ProcessIdentityTest, ApplicationIdentifiersFromTheControlGroup) {
    const std::string user = "0::/user.slice/user-1000.slice/user@1000.service/app.slice/";
    const struct {
        std::string cgroup;
        std::set<std::string> identifiers;
    } cases[] = {
        {user + "app-gnome-org.gnome.Terminal-4321.scope\n", {"org.gnome.Terminal"}},
        {user + "app-flatpak-com.example.Chart-12345.scope\n", {"com.example.Chart"}},
        {user + "snap.tradingview.tradingview-0b1c2d3e-aaaa-bbbb-cccc-111122223333.scope\n", {"tradingview"}},
        {user + "app-org.kde.okular@a1b2c3.service\n", {"org.kde.okular"}},
        {user + "app-gnome-firefox\\x2desr-99.scope\n", {"firefox-esr"}},
        {"12:pids:/user.slice\n1:name=systemd:/user.slice/app-KDE-org.kde.kate-5.scope\n0::/\n", {"org.kde.kate"}},
        {user + "app-1234.scope\n", {}},
        {"0::/user.slice/user-1000.slice/session-2.scope\n", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(ProcessIdentity::fromCgroup(c.cgroup), c.identifiers) << c.cgroup;
}

TEST(ProcessIdentityTest, CommandNameIsTheExecutablesNameAsTheKernelKeepsIt) {
    const struct {
        std::string comm, executable;
        bool namedAfter;
    } cases[] = {
        {"sleep\n", "sleep", true},
        {"tradingview\n", "dash", false},  // a script run by its interpreter
        {"sh\n", "shotwell", false},
        {"tradingview-des\n", "tradingview-desktop", true},
        // 15 bytes of a Cyrillic name end inside its eighth letter.
        {std::string("ГрафікиЦін").substr(0, 15) + "\n", "ГрафікиЦін", true},
        {"Графіки\n", "ГрафікиЦін", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProcessIdentity::isNamedAfter(c.comm, c.executable), c.namedAfter) << c.comm << c.executable;
    }
}
