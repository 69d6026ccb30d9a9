#include <gtest/gtest.h>

#include "Base/ManualScheduler.h"
#include "Base/testing/KilledSaves.h"
#include "Base/testing/TemporaryFolder.h"
#include "SettingsKit/FileSettingsStore.h"
#include "SettingsKit/SettingsModel.h"

using Base::Testing::readBytes;
using Base::Testing::writeBytes;
using SettingsKit::AppSettings;
using SettingsKit::FileSettingsStore;

// The file handling itself is Base's DocumentFile, and the crash test below
// saves and loads whole documents; these are the store's own parts.
TEST(FileSettingsStoreTest, RepairsInMemoryOnlyAndMovesAFileOfAnotherVersionAside) {
    Base::Testing::TemporaryFolder temp;
    FileSettingsStore store(FileSettingsStore::pathIn(temp.path()));
    EXPECT_EQ(store.path(), temp.path() / "Settings" / "settings.json");
    AppSettings stored;
    stored.weeklyCurrency = "usd";
    stored.profiles[1].windows[0].end = TradingCore::WallClockTime(99, 0);
    const std::string bytes = SettingsKit::toJson(stored).dump(true).value();
    writeBytes(store.path(), bytes);
    EXPECT_EQ(store.load(), AppSettings{});
    EXPECT_EQ(readBytes(store.path()), bytes);

    Base::Json version2 = SettingsKit::toJson(AppSettings{});
    version2.set("version", Base::Json::number(2));
    writeBytes(store.path(), version2.dump(true).value());
    EXPECT_FALSE(store.load().has_value());
    EXPECT_FALSE(std::filesystem::exists(store.path()));
    EXPECT_EQ(readBytes(store.quarantinePath()), version2.dump(true).value());
}

// The user edits the file by hand while the program runs, then changes
// something in the program: the edit is kept aside and the change is saved.
TEST(FileSettingsStoreTest, AFileEditedWhileTheModelRunsIsKeptAsideByItsNextSave) {
    Base::Testing::TemporaryFolder temp;
    const auto path = FileSettingsStore::pathIn(temp.path());
    ASSERT_TRUE(FileSettingsStore(path).save(AppSettings{}));
    Base::ManualScheduler scheduler;
    SettingsKit::SettingsModel model(std::make_shared<FileSettingsStore>(path), scheduler, 0.4);
    const std::string edited = R"({"version": 1, "weeklyCurrency": "EUR")";  // cut short by the editor
    writeBytes(path, edited);
    model.setWeeklyCurrency("JPY");
    scheduler.advance(0.4);
    EXPECT_FALSE(model.lastSaveFailed());
    EXPECT_EQ(readBytes(temp.path() / "Settings/settings.corrupt.json"), edited);
    EXPECT_EQ(FileSettingsStore(path).load()->weeklyCurrency, "JPY");
}

namespace {

// Two documents of different sizes, so that a torn write could not pass for either.
AppSettings document(bool newer) {
    AppSettings settings;
    settings.weeklyCurrency = "EUR";
    if (!newer) return settings;
    settings.greeting = {false, "Bună dimineața", "Ana"};
    for (int i = 0; i < 16; ++i) settings.displays.choices["display-" + std::to_string(100 + i)] = i % 3 == 0;
    return settings;
}

}  // namespace

TEST(SettingsCrashTest, AKilledSaveLeavesTheOldOrTheNewDocument) {
    Base::Testing::TemporaryFolder temp;
    FileSettingsStore store(FileSettingsStore::pathIn(temp.path()));
    ASSERT_TRUE(store.save(document(false)));

    const AppSettings documents[2] = {document(false), document(true)};
    int asOlder = 0;
    int asNewer = 0;
    Base::Testing::killSavesAtRandomMoments(
        300, 1500,
        [&](unsigned n) { return store.save(documents[n % 2]).ok(); },
        [&](int round) {
            const auto loaded = store.load();
            ASSERT_TRUE(loaded.has_value()) << "round " << round;
            if (*loaded == documents[0]) {
                ++asOlder;
            } else {
                ASSERT_EQ(*loaded, documents[1]) << "round " << round;
                ++asNewer;
            }
            ASSERT_FALSE(std::filesystem::exists(store.quarantinePath()));
        });
    // Both documents were seen, so the kills did land at different moments.
    EXPECT_GT(asOlder, 0);
    EXPECT_GT(asNewer, 0);
}
