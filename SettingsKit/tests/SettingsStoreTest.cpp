#include <gtest/gtest.h>

#include "Base/testing/TemporaryFolder.h"
#include "SettingsKit/FileSettingsStore.h"

using Base::Testing::readBytes;
using Base::Testing::writeBytes;
using SettingsKit::AppSettings;
using SettingsKit::FileSettingsStore;

// The file handling itself is Base's DocumentFile; these are the store's own parts.
TEST(FileSettingsStoreTest, SavesLoadsRepairsInMemoryOnlyAndMovesAFileOfAnotherVersionAside) {
    Base::Testing::TemporaryFolder temp;
    FileSettingsStore store(FileSettingsStore::pathIn(temp.path()));
    EXPECT_EQ(store.path(), temp.path() / "Settings" / "settings.json");
    EXPECT_EQ(store.quarantinePath(), temp.path() / "Settings" / "settings.corrupt.json");
    EXPECT_FALSE(store.load().has_value());
    AppSettings changed;
    changed.activeProfileName = "London";
    changed.displays.choices["DELL-1"] = false;
    ASSERT_TRUE(store.save(changed).ok());
    EXPECT_EQ(store.load(), changed);

    AppSettings stored;
    stored.weeklyCurrency = "usd";
    stored.profiles[1].windows[0].end = TradingCore::WallClockTime(99, 0);
    const std::string bytes = SettingsKit::toJson(stored).dump(true).value();
    writeBytes(store.path(), bytes);
    EXPECT_EQ(store.load(), AppSettings{});
    EXPECT_EQ(readBytes(store.path()), bytes);
    EXPECT_FALSE(std::filesystem::exists(store.quarantinePath()));

    Base::Json version2 = SettingsKit::toJson(AppSettings{});
    version2.set("version", Base::Json::number(2));
    writeBytes(store.path(), version2.dump(true).value());
    EXPECT_FALSE(store.load().has_value());
    EXPECT_FALSE(std::filesystem::exists(store.path()));
    EXPECT_EQ(readBytes(store.quarantinePath()), version2.dump(true).value());
}
