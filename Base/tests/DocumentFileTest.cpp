#include "Base/DocumentFile.h"
#include "Base/FileSystem.h"
#include "Base/JsonRead.h"
#include "Base/testing/EnvironmentVariable.h"
#include "Base/testing/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using Base::DocumentFile;
using Base::Json;
using Base::Testing::readBytes;
using Base::Testing::TemporaryFolder;
using Base::Testing::writeBytes;

namespace {

Base::Result<int> decodeVersion(const Json& json) {
    auto reader = Base::JsonObjectReader::of(json);
    if (!reader) return reader.error();
    auto version = reader->integer("version");
    if (!version) return version.error();
    if (*version != 1) return Base::makeError("version");
    return static_cast<int>(*version);
}

}  // namespace

TEST(FileSystemTest, ReadCappedStopsAtTheCap) {
    TemporaryFolder tmp;
    const auto file = tmp.path() / "f.json";
    writeBytes(file, std::string(100, 'x'));
    EXPECT_EQ(Base::FileSystem::readCapped(file, 100).outcome, Base::FileSystem::CappedRead::Outcome::read);
    EXPECT_EQ(Base::FileSystem::readCapped(file, 99).outcome, Base::FileSystem::CappedRead::Outcome::tooLarge);
    EXPECT_EQ(Base::FileSystem::readCapped(tmp.path() / "none", 99).outcome,
              Base::FileSystem::CappedRead::Outcome::missing);
    EXPECT_EQ(Base::FileSystem::readCapped(tmp.path(), 99).outcome,
              Base::FileSystem::CappedRead::Outcome::notRegularFile);
}

TEST(FileSystemTest, FoldersAreOwnerOnlyAndWritesAreAtomic) {
    TemporaryFolder tmp;
    const auto folder = tmp.path() / "a" / "b";
    ::umask(022);
    ASSERT_TRUE(Base::FileSystem::createFolders(folder));
    EXPECT_EQ(Base::FileSystem::permissions(tmp.path() / "a"), 0700);
    EXPECT_EQ(Base::FileSystem::permissions(folder), 0700);
    writeBytes(folder / ".x.json.leftover.tmp", "a write killed before its rename");
    writeBytes(folder / ".y.json.leftover.tmp", "another file's");
    ASSERT_TRUE(Base::FileSystem::writeAtomically(folder / "x.json", "first"));
    EXPECT_FALSE(fs::exists(folder / ".x.json.leftover.tmp"));
    EXPECT_TRUE(fs::remove(folder / ".y.json.leftover.tmp")) << "another file's write may still be running";
    ASSERT_TRUE(Base::FileSystem::writeAtomically(folder / "x.json", "second"));
    EXPECT_EQ(readBytes(folder / "x.json"), "second");
    EXPECT_EQ(Base::FileSystem::permissions(folder / "x.json"), 0600);
    // Nothing but the file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    EXPECT_FALSE(Base::FileSystem::writeAtomically(tmp.path() / "missing" / "x.json", "data"));
}

TEST(FileSystemTest, ApplicationSupportFollowsXdgDataHome) {
    const char* old = std::getenv("XDG_DATA_HOME");
    const std::string saved = old ? old : "";
    ::setenv("XDG_DATA_HOME", "/data/home", 1);
    EXPECT_EQ(Base::FileSystem::applicationSupportFolder(), fs::path("/data/home/OrlTradingWaylark"));
    ::setenv("XDG_DATA_HOME", "relative", 1);
    ::setenv("HOME", "/home/t", 1);
    EXPECT_EQ(Base::FileSystem::applicationSupportFolder(), fs::path("/home/t/.local/share/OrlTradingWaylark"));
    {
        // Without HOME the user's entry in the password database names the home, never a shared folder.
        const Base::Testing::EnvironmentVariable home("HOME", nullptr), data("XDG_DATA_HOME", nullptr);
        const passwd* user = ::getpwuid(::geteuid());
        ASSERT_NE(user, nullptr);
        EXPECT_EQ(Base::FileSystem::applicationSupportFolder(),
                  fs::path(user->pw_dir) / ".local/share/OrlTradingWaylark");
    }
    if (old) ::setenv("XDG_DATA_HOME", saved.c_str(), 1); else ::unsetenv("XDG_DATA_HOME");
}

TEST(DocumentFileTest, MissingFileLoadsNothingAndCreatesNothing) {
    TemporaryFolder tmp;
    DocumentFile file(tmp.path() / "Settings" / "settings.json", 1000);
    EXPECT_FALSE(file.load<int>(decodeVersion));
    EXPECT_FALSE(fs::exists(tmp.path() / "Settings"));
}

TEST(DocumentFileTest, BadFilesMoveAsideWithTheirBytesKept) {
    TemporaryFolder tmp;
    const auto path = tmp.path() / "settings.json";
    DocumentFile file(path, 64);
    const std::vector<std::string> bad = {"{not json", R"({"version": 2})", std::string(65, ' '), "[]"};
    for (const auto& bytes : bad) {
        writeBytes(path, bytes);
        EXPECT_FALSE(file.load<int>(decodeVersion));
        EXPECT_FALSE(fs::exists(path));
        // Only the newest bad copy is kept, byte for byte.
        EXPECT_EQ(readBytes(tmp.path() / "settings.corrupt.json"), bytes);
    }
    std::string exact = R"({"version": 1})";
    exact.resize(64, ' ');
    writeBytes(path, exact);
    EXPECT_EQ(file.load<int>(decodeVersion), 1);
    EXPECT_EQ(readBytes(path), exact);  // loading never writes
}

TEST(DocumentFileTest, SaveWritesSortedPrettyJsonWithOwnerOnlyModes) {
    TemporaryFolder tmp;
    DocumentFile file(tmp.path() / "Checklists" / "checklists.json", 1000);
    Json doc;
    doc.set("version", Json::number(1));
    doc.set("b", Json::string("x"));
    ASSERT_TRUE(file.save(doc));
    EXPECT_EQ(Base::FileSystem::permissions(tmp.path() / "Checklists"), 0700);
    EXPECT_EQ(Base::FileSystem::permissions(file.path()), 0600);
    EXPECT_EQ(readBytes(file.path()), "{\n  \"b\" : \"x\",\n  \"version\" : 1\n}");
    EXPECT_EQ(file.load<int>(decodeVersion), 1);
}

TEST(DocumentFileTest, ABadFileThatCannotBeMovedAsideIsNeverWrittenOver) {
    TemporaryFolder tmp;
    static bool refuse = true;
    const DocumentFile::Move move = [](const fs::path& from, const fs::path& to) -> Base::Status {
        if (refuse) return Base::makeError("refused");
        return Base::FileSystem::moveReplacing(from, to);
    };
    DocumentFile file(tmp.path() / "settings.json", 64, move);
    Json doc;
    doc.set("version", Json::number(1));
    writeBytes(file.path(), "{not json");
    EXPECT_FALSE(file.load<int>(decodeVersion));
    EXPECT_FALSE(file.save(doc));
    EXPECT_EQ(readBytes(file.path()), "{not json");
    // Once it can be moved, the save moves it first.
    refuse = false;
    EXPECT_TRUE(file.save(doc));
    EXPECT_EQ(readBytes(file.quarantinePath()), "{not json");
    EXPECT_EQ(file.load<int>(decodeVersion), 1);
}
