#include "ChecklistKit/FileChecklistStore.h"

#include <gtest/gtest.h>

#include "Base/testing/TemporaryFolder.h"
#include "ChecklistKit/ChecklistJson.h"
#include "ChecklistKit/tests/ChecklistTestSupport.h"

namespace ChecklistKit {
namespace {

namespace fs = std::filesystem;
using Base::Testing::readBytes;
using Base::Testing::writeBytes;
using Testing::key;
using Testing::uuid;

// The file handling itself is Base's DocumentFile; these are the store's own parts.
TEST(FileChecklistStoreTest, SavesLoadsRepairingInMemoryOnlyAndMovesBadFilesAside) {
    Base::Testing::TemporaryFolder folder;
    FileChecklistStore store(FileChecklistStore::defaultURL(folder.path()));
    const fs::path file = folder.path() / "Checklists/checklists.json";
    const fs::path quarantined = folder.path() / "Checklists/checklists.corrupt.json";
    EXPECT_EQ(store.url(), file);
    EXPECT_EQ(store.quarantineURL(), quarantined);
    EXPECT_FALSE(store.load());
    const ChecklistState sample({{uuid(1), "Open", {{uuid(10), "Bias set", {}}, {uuid(11), "Model", {"A", "B"}}}}},
                                uuid(1), {{key(1), {key(10), key(11)}}}, {{key(1), {{key(11), "B"}}}});
    ASSERT_TRUE(store.save(sample));
    EXPECT_EQ(store.load(), sample);

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
    // A folder at the quarantine name goes whole when the next bad file comes.
    fs::remove(quarantined);
    fs::create_directories(quarantined / "inner");
    writeBytes(file, "{not json");
    EXPECT_FALSE(store.load());
    EXPECT_EQ(readBytes(quarantined), "{not json");
}

}  // namespace
}  // namespace ChecklistKit
