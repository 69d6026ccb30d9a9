#include <gtest/gtest.h>

#include <stdlib.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "Base/FileSystem.h"
#include "SettingsKit/FileSettingsStore.h"
#include "SettingsKit/InMemorySettingsStore.h"
#include "Base/testing/TemporaryFolder.h"

using SettingsKit::AppSettings;
using SettingsKit::FileSettingsStore;
using Base::Testing::readBytes;
using Base::Testing::TemporaryFolder;
using Base::Testing::writeBytes;

namespace {

AppSettings changedSettings() {
    AppSettings settings;
    settings.activeProfileName = "London";
    settings.weeklyCurrency = "EUR";
    settings.greeting.name = "Ana";
    settings.displays.choices["DELL-1"] = false;
    return settings;
}

std::string documentText(const AppSettings& settings) { return SettingsKit::toJson(settings).dump(true); }

// The document padded with trailing blanks to exactly `size` bytes.
std::string paddedTo(std::string text, std::size_t size) {
    text.resize(size, ' ');
    return text;
}

}  // namespace

TEST(FileSettingsStoreTest, AMissingFileGivesNothingAndCreatesNothing) {
    TemporaryFolder temp;
    FileSettingsStore store(FileSettingsStore::pathIn(temp.path() / "app"));
    EXPECT_FALSE(store.load().has_value());
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "app"));
}

TEST(FileSettingsStoreTest, AFileAtTheCapIsReadAndOneByteMoreIsMovedAsideUnchanged) {
    TemporaryFolder temp;
    FileSettingsStore store(temp.path() / "settings.json");
    const std::string atCap = paddedTo(documentText(changedSettings()), SettingsKit::SettingsLimits::maxFileBytes);
    writeBytes(store.path(), atCap);
    EXPECT_EQ(store.load(), changedSettings());
    EXPECT_EQ(readBytes(store.path()), atCap);  // loading never writes

    const std::string overCap = atCap + " ";
    writeBytes(store.path(), overCap);
    EXPECT_FALSE(store.load().has_value());
    EXPECT_FALSE(std::filesystem::exists(store.path()));
    EXPECT_EQ(store.quarantinePath(), temp.path() / "settings.corrupt.json");
    EXPECT_EQ(readBytes(store.quarantinePath()), overCap);
}

TEST(FileSettingsStoreTest, UnusableFilesAreMovedAsideReplacingAnOlderCopy) {
    Base::Json version2 = SettingsKit::toJson(AppSettings{});
    version2.set("version", Base::Json::number(2));
    Base::Json missingRequired = SettingsKit::toJson(AppSettings{});
    missingRequired.asObject().erase("weeklyIncludeMedium");
    const std::vector<std::string> bad{
        "{ not json", "", "[]", version2.dump(true), missingRequired.dump(true), std::string("\xff\xfe{}", 4)};

    TemporaryFolder temp;
    FileSettingsStore store(temp.path() / "settings.json");
    for (const std::string& bytes : bad) {
        SCOPED_TRACE(bytes);
        writeBytes(store.path(), bytes);
        EXPECT_FALSE(store.load().has_value());
        EXPECT_FALSE(std::filesystem::exists(store.path()));
        EXPECT_EQ(readBytes(store.quarantinePath()), bytes);
    }
}

TEST(FileSettingsStoreTest, LoadingRepairsInMemoryAndLeavesTheFileAlone) {
    TemporaryFolder temp;
    FileSettingsStore store(temp.path() / "settings.json");
    AppSettings stored;
    stored.weeklyCurrency = "usd";
    stored.timelineHalfSpanMinutes = 60;
    stored.profiles[1].windows[0].end = TradingCore::WallClockTime(99, 0);
    stored.newsRule.beforeSeconds = 9000;
    const std::string bytes = documentText(stored);
    writeBytes(store.path(), bytes);

    const auto loaded = store.load();
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(*loaded, stored.validated());
    EXPECT_EQ(loaded->weeklyCurrency, "USD");
    EXPECT_EQ(loaded->profiles[1], TradingCore::SessionProfile::london());
    EXPECT_EQ(loaded->newsRule.beforeSeconds, 3600);
    EXPECT_EQ(readBytes(store.path()), bytes);
    EXPECT_FALSE(std::filesystem::exists(store.quarantinePath()));
}

TEST(FileSettingsStoreTest, SaveCreatesPrivateFolderAndFileWithSortedKeys) {
    TemporaryFolder temp;
    FileSettingsStore store(FileSettingsStore::pathIn(temp.path() / "OrlTradingWaylark"));
    ASSERT_TRUE(store.save(changedSettings()).ok());
    EXPECT_EQ(Base::FileSystem::permissions(temp.path() / "OrlTradingWaylark"), 0700);
    EXPECT_EQ(Base::FileSystem::permissions(store.path().parent_path()), 0700);
    EXPECT_EQ(Base::FileSystem::permissions(store.path()), 0600);

    const std::string text = readBytes(store.path());
    std::vector<std::string> topKeys;
    std::size_t at = 0;
    while ((at = text.find("\n  \"", at)) != std::string::npos) {
        at += 4;
        topKeys.push_back(text.substr(at, text.find('"', at) - at));
    }
    EXPECT_EQ(topKeys.size(), 13u);
    EXPECT_TRUE(std::is_sorted(topKeys.begin(), topKeys.end()));
    EXPECT_EQ(store.load(), changedSettings().validated());

    // An existing folder keeps its mode.
    std::filesystem::permissions(store.path().parent_path(), std::filesystem::perms(0750));
    ASSERT_TRUE(store.save(AppSettings{}).ok());
    EXPECT_EQ(Base::FileSystem::permissions(store.path().parent_path()), 0750);
    EXPECT_EQ(store.load(), AppSettings{});
}

TEST(FileSettingsStoreTest, SaveReportsAFolderItCannotCreate) {
    TemporaryFolder temp;
    writeBytes(temp.path() / "blocked", "a file where the folder should be");
    FileSettingsStore store(temp.path() / "blocked" / "settings.json");
    EXPECT_FALSE(store.save(AppSettings{}).ok());
}

TEST(FileSettingsStoreTest, DefaultPathLiesInTheUsersDataFolder) {
    TemporaryFolder temp;
    const char* previous = std::getenv("XDG_DATA_HOME");
    const std::string saved = previous ? previous : "";
    ::setenv("XDG_DATA_HOME", temp.path().c_str(), 1);
    EXPECT_EQ(FileSettingsStore::defaultPath(), temp.path() / "OrlTradingWaylark" / "Settings" / "settings.json");
    if (previous) {
        ::setenv("XDG_DATA_HOME", saved.c_str(), 1);
    } else {
        ::unsetenv("XDG_DATA_HOME");
    }
}

TEST(InMemorySettingsStoreTest, ReturnsExactlyWhatWasSavedLast) {
    SettingsKit::InMemorySettingsStore empty;
    EXPECT_FALSE(empty.load().has_value());

    AppSettings unrepaired;
    unrepaired.weeklyCurrency = "usd";
    SettingsKit::InMemorySettingsStore store(unrepaired);
    EXPECT_EQ(store.load(), unrepaired);
    ASSERT_TRUE(store.save(changedSettings()).ok());
    EXPECT_EQ(store.load(), changedSettings());
}

TEST(InMemorySettingsStoreTest, ConcurrentSavesAndLoadsSeeWholeRecords) {
    SettingsKit::InMemorySettingsStore store(AppSettings{});
    const AppSettings other = changedSettings();
    std::vector<std::thread> threads;
    std::atomic<int> torn{0};
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 200; ++i) {
                if (t % 2 == 0) {
                    (void)store.save(i % 2 == 0 ? other : AppSettings{});
                } else {
                    const auto loaded = store.load();
                    if (!loaded || (!(*loaded == other) && !(*loaded == AppSettings{}))) ++torn;
                }
            }
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(torn.load(), 0);
}
