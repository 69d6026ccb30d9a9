#include "ChecklistKit/FileChecklistStore.h"

#include <gtest/gtest.h>

#include "Base/testing/KilledSaves.h"
#include "Base/testing/TemporaryFolder.h"
#include "ChecklistKit/ChecklistJson.h"
#include "ChecklistKit/tests/ChecklistTestSupport.h"

namespace ChecklistKit {
namespace {

namespace fs = std::filesystem;
using Base::Testing::readBytes;
using Base::Testing::writeBytes;
using Testing::uuid;

// The file handling itself is Base's DocumentFile; these are the store's own parts.
TEST(FileChecklistStoreTest, RepairsInMemoryOnlyAndMovesBadFilesAside) {
    Base::Testing::TemporaryFolder folder;
    FileChecklistStore store(FileChecklistStore::defaultURL(folder.path()));
    const fs::path file = folder.path() / "Checklists/checklists.json";
    const fs::path quarantined = folder.path() / "Checklists/checklists.corrupt.json";
    EXPECT_EQ(store.url(), file);
    EXPECT_EQ(store.quarantineURL(), quarantined);
    EXPECT_FALSE(store.load());

    ChecklistState stored;
    for (unsigned i = 0; i < 31; ++i) stored.templates.push_back({uuid(i + 1), " T ", {}});
    const std::string bytes = toJson(stored).dump(true).value();
    writeBytes(file, bytes);
    EXPECT_EQ(store.load(), stored.validated());
    EXPECT_EQ(readBytes(file), bytes);

    const std::string version2 = R"({"version": 2, "checked": {}, "templates": []})";
    writeBytes(file, version2);
    EXPECT_FALSE(store.load());
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(readBytes(quarantined), version2);
    // Every bad file is kept: the next one takes the next free name.
    writeBytes(file, "{not json");
    EXPECT_FALSE(store.load());
    EXPECT_EQ(readBytes(quarantined), version2);
    EXPECT_EQ(readBytes(folder.path() / "Checklists/checklists.corrupt-2.json"), "{not json");

    // A file written by another hand after the last load is kept by the next save.
    writeBytes(file, bytes);
    ASSERT_TRUE(store.load());
    writeBytes(file, R"({"version": 1, "checked": {}, "templates": [], "edited": true})");
    ASSERT_TRUE(store.save(stored));
    EXPECT_EQ(readBytes(folder.path() / "Checklists/checklists.corrupt-3.json"),
              R"({"version": 1, "checked": {}, "templates": [], "edited": true})");
    EXPECT_EQ(store.load(), stored.validated());
}

// A document of a few kilobytes, distinct throughout for each letter.
ChecklistState document(char letter) {
    ChecklistTemplate checklist{uuid(letter), std::string(50, letter), {}};
    for (unsigned i = 0; i < 24; ++i) {
        checklist.items.push_back({uuid(letter * 100u + i), std::string(120, letter), {"Yes", "No"}});
    }
    return ChecklistState({checklist}, checklist.id, {}, {});
}

// A child saves two documents in turn until it is killed at a random moment;
// whenever that is, the file must read as one of them.
TEST(FileChecklistStoreCrashTest, AKilledSaveLeavesTheOldOrTheNewDocument) {
    Base::Testing::TemporaryFolder folder;
    FileChecklistStore store(FileChecklistStore::defaultURL(folder.path()));
    const ChecklistState first = document('a');
    const ChecklistState second = document('b');
    ASSERT_TRUE(store.save(first));

    int landedBetween = 0;
    Base::Testing::killSavesAtRandomMoments(
        200, 3000, [&](unsigned n) { return store.save(n % 2 ? first : second).ok(); },
        [&](int round) {
            const std::optional<ChecklistState> loaded = store.load();
            ASSERT_TRUE(loaded) << "round " << round << ": the file was not a whole document";
            ASSERT_TRUE(*loaded == first || *loaded == second) << "round " << round;
            if (*loaded == first) ++landedBetween;
            ASSERT_FALSE(std::filesystem::exists(store.quarantineURL()));
        });
    EXPECT_GT(landedBetween, 0) << "the kills landed at different moments";
}

}  // namespace
}  // namespace ChecklistKit
