#include <gtest/gtest.h>

#include "Base/testing/KilledSaves.h"
#include "Base/testing/TemporaryFolder.h"
#include "SettingsKit/FileSettingsStore.h"

using SettingsKit::AppSettings;
using SettingsKit::FileSettingsStore;

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
    const auto path = FileSettingsStore::pathIn(temp.path());
    FileSettingsStore store(path);
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
