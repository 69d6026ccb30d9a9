#include "ChecklistKit/FileChecklistStore.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include "Base/testing/TemporaryFolder.h"
#include "ChecklistKit/ChecklistJson.h"
#include "ChecklistKit/ChecklistLimits.h"
#include "ChecklistKit/InMemoryChecklistStore.h"
#include "ChecklistKit/tests/ChecklistTestSupport.h"

namespace ChecklistKit {
namespace {

namespace fs = std::filesystem;
using Base::Testing::readBytes;
using Base::Testing::writeBytes;
using Testing::key;
using Testing::uuid;

ChecklistState sample() {
    return ChecklistState({{uuid(1), "Open", {{uuid(10), "Bias set", {}}, {uuid(11), "Model", {"A", "B"}}}}}, uuid(1),
                          {{key(1), {key(10), key(11)}}}, {{key(1), {{key(11), "B"}}}});
}

class FileChecklistStoreTest : public ::testing::Test {
protected:
    fs::path root() const { return folder.path() / "OrlTradingWaylark"; }
    FileChecklistStore store() const { return FileChecklistStore(FileChecklistStore::defaultURL(root())); }
    fs::path file() const { return root() / "Checklists/checklists.json"; }
    fs::path quarantined() const { return root() / "Checklists/checklists.corrupt.json"; }
    void writeFile(const std::string& bytes) const {
        fs::create_directories(file().parent_path());
        writeBytes(file(), bytes);
    }

    Base::Testing::TemporaryFolder folder;
};

TEST_F(FileChecklistStoreTest, SavesWithOwnerOnlyModesAndReadsBack) {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    const std::optional<std::string> saved = dataHome ? std::optional<std::string>(dataHome) : std::nullopt;
    ::setenv("XDG_DATA_HOME", folder.path().c_str(), 1);
    EXPECT_EQ(FileChecklistStore::defaultURL(), file());
    saved ? ::setenv("XDG_DATA_HOME", saved->c_str(), 1) : ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(store().quarantineURL(), quarantined());
    EXPECT_FALSE(store().load());
    EXPECT_FALSE(fs::exists(root())) << "a missing file creates nothing";

    ASSERT_TRUE(store().save(sample()));
    EXPECT_EQ(Base::FileSystem::permissions(root()), 0700);
    EXPECT_EQ(Base::FileSystem::permissions(file().parent_path()), 0700);
    EXPECT_EQ(Base::FileSystem::permissions(file()), 0600);
    EXPECT_EQ(store().load(), sample());
    ::chmod(file().c_str(), 0644);
    ASSERT_TRUE(store().save(ChecklistState{}));
    EXPECT_EQ(Base::FileSystem::permissions(file()), 0600);
    EXPECT_EQ(store().load(), ChecklistState{});
}

TEST_F(FileChecklistStoreTest, AFileOfExactlyTheCapLoadsOneByteMoreIsMovedAside) {
    std::string document = toJson(sample()).dump(true).value();
    document.resize(ChecklistLimits::maxFileBytes, ' ');
    writeFile(document);
    EXPECT_EQ(store().load(), sample());
    document += '\n';
    writeFile(document);
    EXPECT_FALSE(store().load());
    EXPECT_FALSE(fs::exists(file()));
    EXPECT_EQ(readBytes(quarantined()), document);
}

TEST_F(FileChecklistStoreTest, BadFilesAreMovedAsideWithTheirBytesKept) {
    const std::string bad[] = {
        "{not json",
        R"({"version": 2, "checked": {}, "choices": {}, "templates": []})",
        R"({"version": 1, "choices": {}, "templates": []})",
        std::string("\xFF\xFE{}", 4),
    };
    for (const std::string& bytes : bad) {
        writeFile(bytes);
        EXPECT_FALSE(store().load()) << bytes;
        EXPECT_FALSE(fs::exists(file())) << bytes;
        EXPECT_EQ(readBytes(quarantined()), bytes) << "only the latest bad file stays, whole";
    }
    fs::create_directories(file() / "inner");
    EXPECT_FALSE(store().load());
    EXPECT_TRUE(fs::is_directory(quarantined() / "inner"));

    // The folder now at the quarantine name goes whole when the next bad file comes.
    FileChecklistStore kept = store();
    writeFile("{not json");
    EXPECT_FALSE(kept.load());
    EXPECT_EQ(readBytes(quarantined()), "{not json");
    ASSERT_TRUE(kept.save(sample()));
    EXPECT_EQ(kept.load(), sample());
    EXPECT_EQ(readBytes(quarantined()), "{not json");
}

TEST_F(FileChecklistStoreTest, LoadRepairsInMemoryOnly) {
    ChecklistState stored;
    for (unsigned i = 0; i < 31; ++i) stored.templates.push_back({uuid(i + 1), " T ", {}});
    writeFile(toJson(stored).dump(true).value());
    const std::string before = readBytes(file());
    EXPECT_EQ(store().load(), stored.validated());
    EXPECT_EQ(readBytes(file()), before);
}

TEST_F(FileChecklistStoreTest, AFailedSaveReportsAndKeepsTheOldFile) {
    writeBytes(folder.path() / "blocked", "mine");  // a file where the folder should be
    EXPECT_FALSE(FileChecklistStore(folder.path() / "blocked/checklists.json").save(sample()));
    EXPECT_EQ(readBytes(folder.path() / "blocked"), "mine");
    // A name so long that the temporary file beside it cannot be created.
    FileChecklistStore longName(folder.path() / (std::string(240, 'n') + ".json"));
    writeBytes(longName.url(), "old bytes");
    EXPECT_FALSE(longName.save(sample()));
    EXPECT_EQ(readBytes(longName.url()), "old bytes");
}

TEST(InMemoryChecklistStoreTest, KeepsExactlyWhatWasSaved) {
    InMemoryChecklistStore store;
    EXPECT_FALSE(store.load());
    ChecklistState unrepaired;
    unrepaired.version = 9;
    unrepaired.checked["x"] = {};
    ASSERT_TRUE(store.save(unrepaired));
    EXPECT_EQ(store.load(), unrepaired);
    EXPECT_EQ(InMemoryChecklistStore(sample()).load(), sample());
}

}  // namespace
}  // namespace ChecklistKit
