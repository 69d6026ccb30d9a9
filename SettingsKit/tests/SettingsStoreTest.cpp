#include <gtest/gtest.h>

#include <stdlib.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "Base/FileSystem.h"
#include "Base/testing/TemporaryFolder.h"
#include "SettingsKit/FileSettingsStore.h"
#include "SettingsKit/InMemorySettingsStore.h"

using Base::Testing::readBytes;
using Base::Testing::TemporaryFolder;
using Base::Testing::writeBytes;
using SettingsKit::AppSettings;
using SettingsKit::FileSettingsStore;

namespace {

AppSettings changedSettings() {
    AppSettings settings;
    settings.activeProfileName = "London";
    settings.greeting.name = "Ana";
    settings.displays.choices["DELL-1"] = false;
    return settings;
}

std::string documentText(const AppSettings& settings) { return SettingsKit::toJson(settings).dump(true).value(); }

}  // namespace

TEST(FileSettingsStoreTest, AMissingFileGivesNothingAndCreatesNothing) {
    TemporaryFolder temp;
    const std::string previous = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
    ::setenv("XDG_DATA_HOME", temp.path().c_str(), 1);
    EXPECT_EQ(FileSettingsStore::defaultPath(), temp.path() / "OrlTradingWaylark" / "Settings" / "settings.json");
    previous.empty() ? ::unsetenv("XDG_DATA_HOME") : ::setenv("XDG_DATA_HOME", previous.c_str(), 1);
    FileSettingsStore store(FileSettingsStore::pathIn(temp.path() / "app"));
    EXPECT_FALSE(store.load().has_value());
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "app"));
}

TEST(FileSettingsStoreTest, AFileAtTheCapIsReadAndOneByteMoreIsMovedAsideUnchanged) {
    TemporaryFolder temp;
    FileSettingsStore store(temp.path() / "settings.json");
    std::string atCap = documentText(changedSettings());
    atCap.resize(SettingsKit::SettingsLimits::maxFileBytes, ' ');
    writeBytes(store.path(), atCap);
    EXPECT_EQ(store.load(), changedSettings());
    EXPECT_EQ(readBytes(store.path()), atCap);  // loading never writes

    writeBytes(store.path(), atCap + " ");
    EXPECT_FALSE(store.load().has_value());
    EXPECT_FALSE(std::filesystem::exists(store.path()));
    EXPECT_EQ(store.quarantinePath(), temp.path() / "settings.corrupt.json");
    EXPECT_EQ(readBytes(store.quarantinePath()), atCap + " ");
}

TEST(FileSettingsStoreTest, UnusableFilesAreMovedAsideReplacingAnOlderCopy) {
    Base::Json version2 = SettingsKit::toJson(AppSettings{});
    version2.set("version", Base::Json::number(2));
    Base::Json missingRequired = SettingsKit::toJson(AppSettings{});
    missingRequired.asObject().erase("weeklyIncludeMedium");
    TemporaryFolder temp;
    FileSettingsStore store(temp.path() / "settings.json");
    for (const std::string& bytes : {std::string("{ not json"), std::string(), std::string("[]"), version2.dump(true).value(),
                                     missingRequired.dump(true).value(), std::string("\xff\xfe{}", 4)}) {
        SCOPED_TRACE(bytes);
        writeBytes(store.path(), bytes);
        EXPECT_FALSE(store.load().has_value());
        EXPECT_FALSE(std::filesystem::exists(store.path()));
        EXPECT_EQ(readBytes(store.quarantinePath()), bytes);
    }
}

TEST(FileSettingsStoreTest, AFolderAtTheQuarantineNameCannotCostABadFileItsBytes) {
    TemporaryFolder temp;
    FileSettingsStore store(temp.path() / "settings.json");
    writeBytes(store.path() / "inside", "a folder moved aside earlier");
    EXPECT_FALSE(store.load().has_value());
    EXPECT_TRUE(std::filesystem::is_directory(store.quarantinePath()));

    writeBytes(store.path(), "{ bad");
    EXPECT_FALSE(store.load().has_value());
    EXPECT_EQ(readBytes(store.quarantinePath()), "{ bad");
    ASSERT_TRUE(store.save(changedSettings()).ok());
    EXPECT_EQ(store.load(), changedSettings().validated());
    EXPECT_EQ(readBytes(store.quarantinePath()), "{ bad");
}

TEST(FileSettingsStoreTest, LoadingRepairsInMemoryAndLeavesTheFileAlone) {
    TemporaryFolder temp;
    FileSettingsStore store(temp.path() / "settings.json");
    AppSettings stored;
    stored.weeklyCurrency = "usd";
    stored.profiles[1].windows[0].end = TradingCore::WallClockTime(99, 0);
    const std::string bytes = documentText(stored);
    writeBytes(store.path(), bytes);
    EXPECT_EQ(store.load(), AppSettings{});
    EXPECT_EQ(readBytes(store.path()), bytes);
    EXPECT_FALSE(std::filesystem::exists(store.quarantinePath()));
}

TEST(FileSettingsStoreTest, SaveMakesAPrivateFolderAndFileWithSortedKeys) {
    TemporaryFolder temp;
    FileSettingsStore store(FileSettingsStore::pathIn(temp.path() / "OrlTradingWaylark"));
    ASSERT_TRUE(store.save(changedSettings()).ok());
    EXPECT_EQ(Base::FileSystem::permissions(temp.path() / "OrlTradingWaylark"), 0700);
    EXPECT_EQ(Base::FileSystem::permissions(store.path().parent_path()), 0700);
    EXPECT_EQ(Base::FileSystem::permissions(store.path()), 0600);

    const std::string text = readBytes(store.path());
    std::vector<std::string> topKeys;
    for (std::size_t at = 0; (at = text.find("\n  \"", at)) != std::string::npos;) {
        at += 4;
        topKeys.push_back(text.substr(at, text.find('"', at) - at));
    }
    EXPECT_EQ(topKeys.size(), 13u);
    EXPECT_TRUE(std::is_sorted(topKeys.begin(), topKeys.end()));
    EXPECT_EQ(store.load(), changedSettings());

    // An existing folder keeps its mode.
    std::filesystem::permissions(store.path().parent_path(), std::filesystem::perms(0750));
    ASSERT_TRUE(store.save(AppSettings{}).ok());
    EXPECT_EQ(Base::FileSystem::permissions(store.path().parent_path()), 0750);

    writeBytes(temp.path() / "blocked", "a file where the folder should be");
    EXPECT_FALSE(FileSettingsStore(temp.path() / "blocked" / "settings.json").save(AppSettings{}).ok());
}

TEST(InMemorySettingsStoreTest, ReturnsExactlyWhatWasSavedLastFromAnyThread) {
    EXPECT_FALSE(SettingsKit::InMemorySettingsStore().load().has_value());
    AppSettings unrepaired;
    unrepaired.weeklyCurrency = "usd";
    SettingsKit::InMemorySettingsStore store(unrepaired);
    EXPECT_EQ(store.load(), unrepaired);

    std::thread writer([&] {
        for (int i = 0; i < 200; ++i) (void)store.save(i % 2 == 0 ? changedSettings() : unrepaired);
    });
    for (int i = 0; i < 200; ++i) {
        const auto loaded = store.load();
        EXPECT_TRUE(loaded == unrepaired || loaded == changedSettings());
    }
    writer.join();
    EXPECT_EQ(store.load(), unrepaired);
}
