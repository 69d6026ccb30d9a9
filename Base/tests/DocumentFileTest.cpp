#include "Base/DocumentFile.h"
#include "Base/FileSystem.h"
#include "Base/JsonRead.h"
#include "Base/testing/EnvironmentVariable.h"
#include "Base/testing/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <functional>
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

TEST(DocumentFileTest, EveryBadFileMovesAsideUnderAFreeNameWithItsBytesKept) {
    TemporaryFolder tmp;
    const auto path = tmp.path() / "settings.json";
    DocumentFile file(path, 64);
    const std::vector<std::string> bad = {"{not json", R"({"version": 2})", std::string(65, ' '), "[]"};
    const std::vector<std::string> names = {"settings.corrupt.json", "settings.corrupt-2.json",
                                            "settings.corrupt-4.json", "settings.corrupt-5.json"};
    // Something of the user's already has the third name; it is passed over, not replaced.
    fs::create_directories(tmp.path() / "settings.corrupt-3.json" / "inner");
    for (std::size_t i = 0; i < bad.size(); ++i) {
        writeBytes(path, bad[i]);
        EXPECT_FALSE(file.load<int>(decodeVersion));
        EXPECT_FALSE(fs::exists(path));
    }
    for (std::size_t i = 0; i < bad.size(); ++i) EXPECT_EQ(readBytes(tmp.path() / names[i]), bad[i]) << names[i];
    EXPECT_TRUE(fs::exists(tmp.path() / "settings.corrupt-3.json" / "inner"));
    // A name the user freed is taken again first.
    fs::remove(tmp.path() / "settings.corrupt.json");
    writeBytes(path, "{}");
    EXPECT_FALSE(file.load<int>(decodeVersion));
    EXPECT_EQ(readBytes(tmp.path() / "settings.corrupt.json"), "{}");

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
        return Base::FileSystem::moveWithoutReplacing(from, to);
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

namespace {

Json versionOne() {
    Json doc;
    doc.set("version", Json::number(1));
    return doc;
}

// File times come from a clock that may tick only every few milliseconds; an
// edit by hand never lands in the tick of the save before it.
void waitForTheClockToPass(const timespec& moment) {
    timespec now{};
    do {
        ::clock_gettime(CLOCK_REALTIME_COARSE, &now);
    } while (now.tv_sec < moment.tv_sec || (now.tv_sec == moment.tv_sec && now.tv_nsec <= moment.tv_nsec));
}

}  // namespace

// Another program, or the user by hand, writes the file while this one runs:
// the next save keeps those bytes aside instead of writing over them.
TEST(DocumentFileTest, AFileChangedSinceItWasReadOrWrittenIsMovedAsideBeforeASave) {
    TemporaryFolder tmp;
    const auto path = tmp.path() / "settings.json";
    const auto aside = [&](const char* name) { return readBytes(tmp.path() / name); };
    DocumentFile file(path, 1000);
    const std::string ours = versionOne().dump(true).value();

    // Read, then saved again and again: nothing to keep aside.
    writeBytes(path, R"({"version": 1})");
    ASSERT_EQ(file.load<int>(decodeVersion), 1);
    ASSERT_TRUE(file.save(versionOne()));
    ASSERT_TRUE(file.save(versionOne()));
    EXPECT_FALSE(fs::exists(tmp.path() / "settings.corrupt.json"));

    // Edited in place: same file, other bytes.
    writeBytes(path, R"({"version": 1, "edited": "by hand"})");
    ASSERT_TRUE(file.save(versionOne()));
    EXPECT_EQ(aside("settings.corrupt.json"), R"({"version": 1, "edited": "by hand"})");
    EXPECT_EQ(readBytes(path), ours);

    // Removed: nothing to keep. Then written where there was none when this one looked.
    fs::remove(path);
    ASSERT_TRUE(file.save(versionOne()));
    DocumentFile fresh(path, 1000);
    fs::remove(path);
    EXPECT_FALSE(fresh.load<int>(decodeVersion));
    writeBytes(path, "damaged");
    ASSERT_TRUE(fresh.save(versionOne()));
    EXPECT_EQ(aside("settings.corrupt-2.json"), "damaged");
    EXPECT_EQ(readBytes(path), ours);
    EXPECT_FALSE(fs::exists(tmp.path() / "settings.corrupt-3.json"));
}

TEST(DocumentFileTest, OnlyAFileWhoseBytesChangedSinceTheLastSaveIsMovedAside) {
    // Text beyond ASCII, as the user's own names are: the digest is of bytes, not characters.
    Json document = versionOne();
    document.set("name", Json::string("Ștefan și café 📈"));
    const std::string ours = document.dump(true).value();
    std::string sameSize = ours;
    sameSize.replace(sameSize.rfind('1'), 1, "2");
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> touch;
        bool movedAside;
    };
    const Case cases[] = {
        // What backup and sync tools do: the change time moves, the bytes stay.
        {"mode set again", [](const fs::path& p) { ASSERT_EQ(::chmod(p.c_str(), 0600), 0); }, false},
        {"hard link", [](const fs::path& p) { fs::create_hard_link(p, p.parent_path() / "backup"); }, false},
        {"read time set",
         [](const fs::path& p) {
             const timespec times[2] = {{0, UTIME_NOW}, {0, UTIME_OMIT}};
             ASSERT_EQ(::utimensat(AT_FDCWD, p.c_str(), times, 0), 0);
         },
         false},
        {"extended attribute",
         [](const fs::path& p) {
             // A file system without user attributes leaves this row a plain second save.
             (void)::setxattr(p.c_str(), "user.backup", "1", 1, 0);
         },
         false},
        {"replaced by the same bytes",
         [&](const fs::path& p) {
             writeBytes(p.parent_path() / "other", ours);
             fs::rename(p.parent_path() / "other", p);
         },
         false},
        // Only the change time, which no program can set, still tells.
        {"same-size edit, modification time put back",
         [&](const fs::path& p) {
             struct stat saved {};
             ASSERT_EQ(::stat(p.c_str(), &saved), 0);
             writeBytes(p, sameSize);
             const timespec putBack[2] = {saved.st_atim, saved.st_mtim};
             ASSERT_EQ(::utimensat(AT_FDCWD, p.c_str(), putBack, 0), 0);
         },
         true},
    };
    // The file is known from this object's own save, or only from reading it
    // at start after an earlier run wrote it: a backup tool may touch it
    // before the first save of the day.
    for (const bool readAtStart : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.what << (readAtStart ? ", read at start" : ", saved"));
            TemporaryFolder tmp;
            const auto path = tmp.path() / "settings.json";
            DocumentFile file(path, 1000);
            if (readAtStart) {
                ASSERT_TRUE(DocumentFile(path, 1000).save(document));
                ASSERT_EQ(file.load<int>(decodeVersion), 1);
            } else {
                ASSERT_TRUE(file.save(document));
            }
            struct stat saved {};
            ASSERT_EQ(::stat(path.c_str(), &saved), 0);
            waitForTheClockToPass(saved.st_ctim);
            c.touch(path);
            // Twice: a save after a change of metadata must not move aside the file it wrote itself.
            ASSERT_TRUE(file.save(document));
            ASSERT_TRUE(file.save(document));
            EXPECT_EQ(fs::exists(tmp.path() / "settings.corrupt.json"), c.movedAside);
            if (c.movedAside) {
                EXPECT_EQ(readBytes(tmp.path() / "settings.corrupt.json"), sameSize);
            }
            EXPECT_FALSE(fs::exists(tmp.path() / "settings.corrupt-2.json"));
            EXPECT_EQ(readBytes(path), ours);
        }
    }
}

TEST(DocumentFileTest, TheFirstFailedSaveIsToldOnceNamingTheFileAndTheError) {
    TemporaryFolder tmp;
    // A file where the folder should be: every save fails, whoever runs the test.
    writeBytes(tmp.path() / "Settings", "in the way");
    DocumentFile file(tmp.path() / "Settings" / "settings.json", 1000);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(file.save(versionOne()));
    EXPECT_FALSE(file.save(versionOne()));
    const std::string told = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(told, "Orl Trading Waylark: could not save " + file.path().string() + ": " + tmp.path().string() +
                        "/Settings exists and is not a folder\n");
    EXPECT_EQ(readBytes(tmp.path() / "Settings"), "in the way");
}
