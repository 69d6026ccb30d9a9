#include "CalendarKit/Storage/FileCalendarStore.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <limits>

#include "Base/FileSystem.h"
#include "Base/testing/TemporaryFolder.h"

namespace CalendarKit {
namespace {

using Base::Testing::readBytes;
using Base::Testing::TemporaryFolder;
using Base::Testing::writeBytes;
using TradingCore::NewsImpact;

CalendarCache sampleCache() {
    CalendarEvent cpi{"2026-03-08:USD:cpi-m-m:0", "CPI m/m", "USD", NewsImpact::high, Base::Date(1'773'232'200.0),
                      EventFamily::cpi, "0.3%", "0.5%"};
    CalendarEvent holiday{"2026-03-08:AUD:bank-holiday:0", "Bank Holiday", "AUD", NewsImpact::holiday,
                          Base::Date(1'773'028'800.0), std::nullopt, "", ""};
    CalendarEvent speech{"2026-03-08:USD:fomc-member-waller-speaks:0", "FOMC Member Waller Speaks", "USD",
                         NewsImpact::medium, Base::Date(1'773'421'200.25), EventFamily::fedSpeaker, "", ""};
    return CalendarCache(Base::Date(1'773'144'000.5), {holiday, cpi, speech}, {speech.id, "gone:0"});
}

TEST(FileCalendarStore, SavesACompactSortedPrivateFileAndReadsItBack) {
    TemporaryFolder temp;
    const auto root = temp.path() / "OrlTradingWaylark";
    FileCalendarStore store(FileCalendarStore::defaultPath(root));
    EXPECT_EQ(store.load(), std::nullopt);

    const auto cache = sampleCache();
    ASSERT_TRUE(store.save(cache).ok());
    EXPECT_EQ(store.load(), cache);
    EXPECT_EQ(Base::FileSystem::permissions(root), 0700);
    EXPECT_EQ(Base::FileSystem::permissions(root / "Cache"), 0700);
    EXPECT_EQ(Base::FileSystem::permissions(store.file()), 0600);

    const std::string bytes = readBytes(store.file());
    EXPECT_TRUE(bytes.starts_with(R"({"events":[)")) << bytes.substr(0, 40);
    EXPECT_NE(bytes.find(R"("lastSuccess":1773144000.5,"pendingRemovals":[)"), std::string::npos);
    EXPECT_TRUE(bytes.ends_with(R"("version":1})"));
    EXPECT_EQ(bytes.find('\n'), std::string::npos);
    // An event without a family has no "family" key at all.
    EXPECT_EQ(bytes.find("null"), std::string::npos);

    // Saving again replaces the file, still private, with nothing left beside it.
    auto changed = sampleCache();
    changed.events.pop_back();
    ASSERT_TRUE(store.save(changed).ok());
    EXPECT_EQ(store.load(), changed);
    EXPECT_EQ(Base::FileSystem::permissions(store.file()), 0600);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root / "Cache"), {}), 1);
}

TEST(FileCalendarStore, ANonFiniteInstantFailsTheSaveAndKeepsTheOldFile) {
    TemporaryFolder temp;
    FileCalendarStore store(temp.path() / "calendar.json");
    ASSERT_TRUE(store.save(sampleCache()).ok());
    const std::string before = readBytes(store.file());
    for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        auto cache = sampleCache();
        cache.lastSuccess = Base::Date(bad);
        EXPECT_FALSE(store.save(cache).ok()) << bad;
        cache = sampleCache();
        cache.events[1].time = Base::Date(bad);
        EXPECT_FALSE(store.save(cache).ok()) << bad;
    }
    EXPECT_EQ(readBytes(store.file()), before);
    EXPECT_EQ(store.load(), sampleCache());
}

TEST(FileCalendarStore, TheDefaultPathFollowsTheDataHome) {
    TemporaryFolder temp;
    const char* old = std::getenv("XDG_DATA_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_DATA_HOME", temp.path().c_str(), 1);
    EXPECT_EQ(FileCalendarStore::defaultPath(), temp.path() / "OrlTradingWaylark" / "Cache" / "calendar.json");
    if (old) {
        setenv("XDG_DATA_HOME", saved.c_str(), 1);
    } else {
        unsetenv("XDG_DATA_HOME");
    }
}

TEST(FileCalendarStore, TheSizeCapIsFiveMillionBytes) {
    TemporaryFolder temp;
    FileCalendarStore store(temp.path() / "calendar.json");
    const std::string document = toJson(sampleCache()).dump().value();
    // Trailing white space keeps the document valid at any size.
    writeBytes(store.file(), document + std::string(FileCalendarStore::maxBytes - document.size(), ' '));
    EXPECT_EQ(store.load(), sampleCache());
    writeBytes(store.file(), document + std::string(FileCalendarStore::maxBytes + 1 - document.size(), ' '));
    EXPECT_EQ(store.load(), std::nullopt);
}

TEST(FileCalendarStore, ABadFileReadsAsNothingAndIsLeftAlone) {
    const std::string good = toJson(sampleCache()).dump().value();
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        const auto at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    };
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"version 2", replaced(R"("version":1)", R"("version":2)")},
        {"version as text", replaced(R"("version":1)", R"("version":"1")")},
        {"no pendingRemovals", replaced(R"("pendingRemovals":[)", R"("otherKey":[)")},
        {"lastSuccess as text", replaced(R"("lastSuccess":1773144000.5)", R"("lastSuccess":"1773144000.5")")},
        {"unknown impact", replaced(R"("impact":"high")", R"("impact":"severe")")},
        {"unknown family", replaced(R"("family":"cpi")", R"("family":"inflation")")},
        {"pending id not a string", replaced(R"("pendingRemovals":[)", R"("pendingRemovals":[7,)")},
        {"truncated", good.substr(0, good.size() / 2)},
        {"not JSON", "calendar"},
        {"an array", "[]"},
        {"empty", ""},
    };
    TemporaryFolder temp;
    FileCalendarStore store(temp.path() / "calendar.json");
    for (const auto& c : cases) {
        writeBytes(store.file(), c.bytes);
        EXPECT_EQ(store.load(), std::nullopt) << c.name;
        EXPECT_EQ(readBytes(store.file()), c.bytes) << c.name;
    }
    // Keys it does not know are ignored.
    writeBytes(store.file(), replaced(R"("version":1)", R"("version":1,"zzz":true)"));
    EXPECT_EQ(store.load(), sampleCache());
    // Only a regular file is read: a pipe must not block the start.
    const auto fifo = temp.path() / "fifo.json";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(FileCalendarStore(fifo).load(), std::nullopt);
}

TEST(FileCalendarStore, AFailedSaveKeepsThePreviousFile) {
    TemporaryFolder temp;
    FileCalendarStore store(temp.path() / "Cache" / "calendar.json");
    ASSERT_TRUE(store.save(sampleCache()).ok());
    const std::string before = readBytes(store.file());

    // A read-only folder refuses the temporary file.
    std::filesystem::permissions(temp.path() / "Cache", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    auto changed = sampleCache();
    changed.events.clear();
    const auto saved = store.save(changed);
    std::filesystem::permissions(temp.path() / "Cache", std::filesystem::perms::owner_all);
    if (geteuid() != 0) {
        EXPECT_FALSE(saved.ok());
        EXPECT_EQ(readBytes(store.file()), before);
    }

    // A file where the folder should be.
    writeBytes(temp.path() / "blocked", "x");
    EXPECT_FALSE(FileCalendarStore(temp.path() / "blocked" / "calendar.json").save(sampleCache()).ok());
}

}  // namespace
}  // namespace CalendarKit
