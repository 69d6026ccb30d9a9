#include "ChecklistKit/FileChecklistStore.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include "Base/FileSystem.h"
#include "ChecklistKit/ChecklistJson.h"
#include "ChecklistKit/ChecklistLimits.h"
#include "ChecklistKit/InMemoryChecklistStore.h"
#include "ChecklistKit/tests/ChecklistTestSupport.h"

namespace ChecklistKit {
namespace {

namespace fs = std::filesystem;
using Testing::key;
using Testing::readBytes;
using Testing::uuid;
using Testing::writeBytes;

ChecklistState sample() {
    return ChecklistState({{uuid(1), "Open", {{uuid(10), "Bias set", {}}, {uuid(11), "Model", {"A", "B"}}}}}, uuid(1),
                          {{key(1), {key(10), key(11)}}}, {{key(1), {{key(11), "B"}}}});
}

class FileChecklistStoreTest : public ::testing::Test {
protected:
    fs::path root() const { return folder_.path() / "OrlTradingWaylark"; }
    FileChecklistStore store() const { return FileChecklistStore(FileChecklistStore::defaultURL(root())); }
    fs::path file() const { return store().url(); }
    fs::path quarantined() const { return file().parent_path() / "checklists.corrupt.json"; }

    void writeDocument(const std::string& bytes) const {
        fs::create_directories(file().parent_path());
        writeBytes(file(), bytes);
    }

    Testing::TemporaryFolder folder_;
};

TEST_F(FileChecklistStoreTest, DefaultLocationFollowsTheDataHome) {
    const char* old = std::getenv("XDG_DATA_HOME");
    const std::string saved = old ? old : "";
    ::setenv("XDG_DATA_HOME", folder_.path().c_str(), 1);
    EXPECT_EQ(FileChecklistStore::defaultURL(), folder_.path() / "OrlTradingWaylark/Checklists/checklists.json");
    if (old) ::setenv("XDG_DATA_HOME", saved.c_str(), 1); else ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(store().quarantineURL(), quarantined());
}

TEST_F(FileChecklistStoreTest, MissingFileLoadsNothingAndCreatesNothing) {
    EXPECT_FALSE(store().load());
    EXPECT_FALSE(fs::exists(root()));
}

TEST_F(FileChecklistStoreTest, SavesWithOwnerOnlyModesAndReadsBack) {
    auto s = store();
    ASSERT_TRUE(s.save(sample()));
    EXPECT_EQ(Base::FileSystem::permissions(root()), 0700);
    EXPECT_EQ(Base::FileSystem::permissions(root() / "Checklists"), 0700);
    EXPECT_EQ(Base::FileSystem::permissions(file()), 0600);
    EXPECT_EQ(s.load(), sample());

    ::chmod(file().c_str(), 0644);
    ASSERT_TRUE(s.save(ChecklistState{}));
    EXPECT_EQ(Base::FileSystem::permissions(file()), 0600);
    EXPECT_EQ(Base::FileSystem::permissions(root() / "Checklists"), 0700);
    EXPECT_EQ(s.load(), ChecklistState{});
}

TEST_F(FileChecklistStoreTest, FileOfExactlyTheCapLoadsOneByteMoreIsMovedAside) {
    std::string document = toJson(sample()).dump(true);
    document.resize(ChecklistLimits::maxFileBytes, ' ');
    writeDocument(document);
    EXPECT_EQ(store().load(), sample());
    EXPECT_FALSE(fs::exists(quarantined()));

    document += '\n';
    writeDocument(document);
    EXPECT_FALSE(store().load());
    EXPECT_FALSE(fs::exists(file()));
    EXPECT_EQ(readBytes(quarantined()), document);
}

TEST_F(FileChecklistStoreTest, BadFilesAreMovedAsideWithTheirBytesKept) {
    const std::string bad[] = {
        "{not json",
        R"({"version": 2, "checked": {}, "choices": {}, "templates": []})",
        R"({"version": 1, "choices": {}, "templates": []})",
        R"({"version": 1, "checked": {}, "templates": [], "activeTemplateID": "x"})",
        std::string("\xFF\xFE{}", 4),
    };
    for (const std::string& bytes : bad) {
        writeDocument(bytes);
        EXPECT_FALSE(store().load()) << bytes;
        EXPECT_FALSE(fs::exists(file())) << bytes;
        // Only the latest bad file stays, whole.
        EXPECT_EQ(readBytes(quarantined()), bytes);
        EXPECT_FALSE(store().load()) << "the second load finds no file";
    }
}

TEST_F(FileChecklistStoreTest, AFolderInPlaceOfTheFileIsMovedAside) {
    fs::create_directories(file() / "inner");
    EXPECT_FALSE(store().load());
    EXPECT_TRUE(fs::is_directory(quarantined() / "inner"));
    EXPECT_TRUE(store().save(sample()));
    EXPECT_EQ(store().load(), sample());
}

TEST_F(FileChecklistStoreTest, LoadRepairsInMemoryOnly) {
    ChecklistState stored;
    for (unsigned i = 0; i < 31; ++i) stored.templates.push_back({uuid(i + 1), " T ", {}});
    writeDocument(toJson(stored).dump(true));
    const std::string before = readBytes(file());
    const auto loaded = store().load();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(*loaded, stored.validated());
    EXPECT_EQ(loaded->templates.size(), 30u);
    EXPECT_EQ(readBytes(file()), before);
}

TEST_F(FileChecklistStoreTest, FailedSavesReportAndKeepTheOldFile) {
    // A file where the folder should be: nothing can be written.
    writeBytes(folder_.path() / "blocked", "mine");
    FileChecklistStore blocked(folder_.path() / "blocked" / "checklists.json");
    EXPECT_FALSE(blocked.save(sample()));
    EXPECT_EQ(readBytes(folder_.path() / "blocked"), "mine");

    // A name so long that the temporary file beside it cannot be created,
    // whatever the privileges: the write fails and the old file stays whole.
    FileChecklistStore longName(folder_.path() / (std::string(240, 'n') + ".json"));
    writeBytes(longName.url(), "old bytes");
    EXPECT_FALSE(longName.save(sample()));
    EXPECT_EQ(readBytes(longName.url()), "old bytes");
}

TEST(InMemoryChecklistStoreTest, KeepsExactlyWhatWasSaved) {
    InMemoryChecklistStore empty;
    EXPECT_FALSE(empty.load());
    ChecklistState unrepaired;
    unrepaired.version = 9;
    unrepaired.checked["x"] = {};
    ASSERT_TRUE(empty.save(unrepaired));
    EXPECT_EQ(empty.load(), unrepaired);

    InMemoryChecklistStore seeded(sample());
    EXPECT_EQ(seeded.load(), sample());
}

}  // namespace
}  // namespace ChecklistKit
