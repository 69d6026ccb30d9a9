#include <gtest/gtest.h>

#include "Base/testing/TemporaryFolder.h"
#include "WaylarkKit/App/LoginItem.h"

using namespace WaylarkKit;
namespace fs = std::filesystem;

namespace {

// An installed prefix with the launcher beside the program, and an autostart folder.
struct Prefix {
    Base::Testing::TemporaryFolder folder;
    fs::path program = folder.path() / "prefix" / "bin" / "WaylarkApp";
    fs::path entry = folder.path() / "config" / "autostart" / std::string(AutostartLoginItem::entryName);
    Prefix() {
        Base::Testing::writeBytes(program, "");
        Base::Testing::writeBytes(folder.path() / "prefix" / "share" / "applications" /
                                      std::string(AutostartLoginItem::entryName),
                                  "");
    }
};

}  // namespace

TEST(LoginItemTest, OnlyAnInstalledProgramCanStartAtLogin) {
    Prefix prefix;
    EXPECT_EQ(AutostartLoginItem::installedExecutable(prefix.program), prefix.program);
    // A build folder has no launcher beside it; a relative path proves nothing.
    EXPECT_EQ(AutostartLoginItem::installedExecutable(prefix.folder.path() / "build" / "bin" / "WaylarkApp"), std::nullopt);
    EXPECT_EQ(AutostartLoginItem::installedExecutable("prefix/bin/WaylarkApp"), std::nullopt);

    AutostartLoginItem item(prefix.entry, std::nullopt, {});
    EXPECT_EQ(item.state(), LoginItemState::unavailable);
    EXPECT_FALSE(item.setEnabled(true));
    EXPECT_FALSE(fs::exists(prefix.entry));
}

TEST(LoginItemTest, SwitchingOnWritesTheEntrySwitchingOffRemovesIt) {
    Prefix prefix;
    fs::path opened;
    AutostartLoginItem item(prefix.entry, prefix.program, [&](const fs::path& folder) { opened = folder; });
    EXPECT_EQ(item.state(), LoginItemState::off);

    ASSERT_TRUE(item.setEnabled(true));
    EXPECT_EQ(item.state(), LoginItemState::on);
    EXPECT_NE(Base::Testing::readBytes(prefix.entry).find("\nExec=" + prefix.program.string() + " --from-autostart\n"), std::string::npos);

    // A desktop that switches the entry off keeps the file and says Hidden=true.
    Base::Testing::writeBytes(prefix.entry, Base::Testing::readBytes(prefix.entry) + "Hidden=true\n");
    EXPECT_EQ(item.state(), LoginItemState::off);
    ASSERT_TRUE(item.setEnabled(true));
    EXPECT_EQ(item.state(), LoginItemState::on);

    ASSERT_TRUE(item.setEnabled(false));
    EXPECT_FALSE(fs::exists(prefix.entry));
    EXPECT_EQ(item.state(), LoginItemState::off);
    EXPECT_TRUE(item.setEnabled(false));

    item.openSystemSettings();
    EXPECT_EQ(opened, prefix.entry.parent_path());
}

TEST(LoginItemTest, AFailedChangeSaysWhy) {
    Prefix prefix;
    // The autostart folder's place is taken by a file.
    Base::Testing::writeBytes(prefix.entry.parent_path(), "");
    AutostartLoginItem item(prefix.entry, prefix.program, {});
    const auto result = item.setEnabled(true);
    ASSERT_FALSE(result);
    EXPECT_NE(result.error().message.find(prefix.entry.parent_path().string()), std::string::npos);
    EXPECT_EQ(item.state(), LoginItemState::off);
}

TEST(LoginItemTest, HiddenCountsOnlyInTheMainGroup) {
    const struct {
        const char* text;
        bool on;
    } cases[] = {
        {"[Desktop Entry]\nExec=x\n", true},
        {"[Desktop Entry]\nHidden=true\n", false},
        {"[Desktop Entry]\r\nHidden = true\r\n", false},
        {"[Desktop Entry]\nHidden=false\n", true},
        {"[Desktop Entry]\nExec=x\n[Desktop Action New]\nHidden=true\n", true},
        {"", true},
    };
    for (const auto& c : cases) EXPECT_EQ(AutostartLoginItem::isSwitchedOn(c.text), c.on) << c.text;
}

TEST(LoginItemTest, ExecArgumentsAreQuotedAsDesktopEntriesAsk) {
    const struct {
        const char* argument;
        const char* written;
    } cases[] = {
        {"/usr/bin/WaylarkApp", "/usr/bin/WaylarkApp"},
        {"/home/a b/bin/WaylarkApp", "\"/home/a b/bin/WaylarkApp\""},
        {"/opt/$x`y\"z/app", "\"/opt/\\\\$x\\\\`y\\\\\"z/app\""},
        {"/opt/back\\slash", "\"/opt/back\\\\\\\\slash\""},
        {"/opt/100%/app", "/opt/100%%/app"},
        {"", "\"\""},
    };
    for (const auto& c : cases) EXPECT_EQ(AutostartLoginItem::execArgument(c.argument), c.written) << c.argument;
}
