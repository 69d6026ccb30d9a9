#include <gtest/gtest.h>

#include "Base/testing/KilledSaves.h"
#include "Base/testing/TemporaryFolder.h"
#include "ChecklistKit/FileChecklistStore.h"
#include "ChecklistKit/tests/ChecklistTestSupport.h"

namespace ChecklistKit {
namespace {

// A document of a few kilobytes, distinct throughout for each letter.
ChecklistState document(char letter) {
    ChecklistTemplate checklist{Testing::uuid(letter), std::string(50, letter), {}};
    for (unsigned i = 0; i < 24; ++i) {
        checklist.items.push_back({Testing::uuid(letter * 100u + i), std::string(120, letter), {"Yes", "No"}});
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
