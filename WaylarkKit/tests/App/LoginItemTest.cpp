#include <gtest/gtest.h>

#include "Base/FileSystem.h"
#include "Base/testing/EnvironmentVariable.h"
#include "Base/testing/TemporaryFolder.h"
#include "WaylarkKit/App/LoginItem.h"

using namespace WaylarkKit;
namespace fs = std::filesystem;
using Base::Testing::readBytes;
using Base::Testing::writeBytes;

namespace {

// An installed prefix, with the launcher beside the program, and an autostart folder.
struct Prefix {
    Base::Testing::TemporaryFolder folder;
    fs::path program = folder.path() / "prefix/bin/WaylarkApp";
    fs::path entry = folder.path() / "config/autostart" / AutostartLoginItem::entryName;
    Prefix() {
        writeBytes(program, "");
        writeBytes(folder.path() / "prefix/share/applications" / AutostartLoginItem::entryName, "");
    }
};

}  // namespace

TEST(LoginItemTest, OnlyAnInstalledProgramCanStartAtLogin) {
    Prefix prefix;
    EXPECT_EQ(AutostartLoginItem::installedExecutable(prefix.program), prefix.program);
    // A build folder has no launcher beside it; a relative path proves nothing.
    EXPECT_EQ(AutostartLoginItem::installedExecutable(prefix.folder.path() / "build/bin/WaylarkApp"), std::nullopt);
    EXPECT_EQ(AutostartLoginItem::installedExecutable("prefix/bin/WaylarkApp"), std::nullopt);
    AutostartLoginItem item(prefix.entry, std::nullopt, {});
    EXPECT_EQ(item.state(), LoginItemState::unavailable);
    EXPECT_FALSE(item.setEnabled(true));
    EXPECT_FALSE(fs::exists(prefix.entry));
}

TEST(LoginItemTest, OnWritesTheEntryOffRemovesItAndAFailureSaysWhy) {
    Prefix prefix;
    fs::path opened;
    AutostartLoginItem item(prefix.entry, prefix.program, [&](const fs::path& folder) { opened = folder; });
    EXPECT_EQ(item.state(), LoginItemState::off);
    ASSERT_TRUE(item.setEnabled(true));
    EXPECT_EQ(item.state(), LoginItemState::on);
    EXPECT_NE(readBytes(prefix.entry).find("\nExec=" + prefix.program.string() + " --from-autostart\n"),
              std::string::npos);
    // A desktop switches an entry off by saying Hidden=true; on writes it afresh.
    writeBytes(prefix.entry, readBytes(prefix.entry) + "Hidden=true\n");
    EXPECT_EQ(item.state(), LoginItemState::off);
    ASSERT_TRUE(item.setEnabled(true));
    EXPECT_EQ(item.state(), LoginItemState::on);
    ASSERT_TRUE(item.setEnabled(false));
    EXPECT_EQ(item.state(), LoginItemState::off);
    item.openSystemSettings();
    EXPECT_EQ(opened, prefix.entry.parent_path());

    // The autostart folder's place is taken by a file.
    fs::remove_all(prefix.entry.parent_path());
    writeBytes(prefix.entry.parent_path(), "");
    const auto result = item.setEnabled(true);
    ASSERT_FALSE(result);
    EXPECT_NE(result.error().message.find(prefix.entry.parent_path().string()), std::string::npos);
}

TEST(LoginItemTest, EntryTexts) {
    const std::pair<const char*, bool> entries[] = {
        {"[Desktop Entry]\nExec=x\n", true},
        {"[Desktop Entry]\r\nHidden = true\r\n", false},
        {"[Desktop Entry]\nHidden=false\n", true},
        {"[Desktop Entry]\nExec=x\n[Desktop Action New]\nHidden=true\n", true},
    };
    for (const auto& [text, on] : entries) EXPECT_EQ(AutostartLoginItem::isSwitchedOn(text), on) << text;

    const std::pair<const char*, const char*> arguments[] = {
        {"/usr/bin/WaylarkApp", "/usr/bin/WaylarkApp"},
        {"/home/a b/bin/WaylarkApp", "\"/home/a b/bin/WaylarkApp\""},
        {"/opt/$x`y\"z/app", "\"/opt/\\\\$x\\\\`y\\\\\"z/app\""},
        {"/opt/back\\slash", "\"/opt/back\\\\\\\\slash\""},
        {"/opt/100%/app", "/opt/100%%/app"},
    };
    for (const auto& [argument, written] : arguments) EXPECT_EQ(AutostartLoginItem::execArgument(argument), written);
}

TEST(LoginItemTest, WithoutHomeTheEntryStillGoesUnderTheUsersHome) {
    const Base::Testing::EnvironmentVariable home("HOME", nullptr), config("XDG_CONFIG_HOME", nullptr);
    const fs::path entry = AutostartLoginItem::defaultEntryPath();
    EXPECT_TRUE(entry.is_absolute()) << entry;
    EXPECT_EQ(entry, *Base::FileSystem::homeFolder() / ".config/autostart" / AutostartLoginItem::entryName);
}
