#include "CalendarKit/Storage/FileCalendarStore.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <limits>

#include "Base/FileSystem.h"
#include "Base/testing/TemporaryFolder.h"

namespace CalendarKit {
namespace {

using Base::Testing::readBytes;
using Base::Testing::writeBytes;
using TradingCore::NewsImpact;

CalendarCache sampleCache() {
    return CalendarCache(Base::Date(1'773'144'000.5),
                         {{"2026-03-08:AUD:bank-holiday:0", "Bank Holiday", "AUD", NewsImpact::holiday,
                           Base::Date(1'773'028'800.0), std::nullopt, "", ""},
                          {"2026-03-08:USD:cpi-m-m:0", "CPI m/m", "USD", NewsImpact::high,
                           Base::Date(1'773'232'200.25), EventFamily::cpi, "0.3%", "0.5%"}},
                         {"2026-03-08:USD:cpi-m-m:0", "gone:0"});
}

TEST(FileCalendarStore, SavesACompactSortedPrivateFileAndReadsItBack) {
    Base::Testing::TemporaryFolder temp;
    const auto root = temp.path() / "OrlTradingWaylark";
    FileCalendarStore store(FileCalendarStore::defaultPath(root));
    EXPECT_EQ(store.load(), std::nullopt);
    ASSERT_TRUE(store.save(CalendarCache()).ok());
    ASSERT_TRUE(store.save(sampleCache()).ok());  // replaces the file, with nothing left beside it
    EXPECT_EQ(store.load(), sampleCache());
    using Mode = std::pair<std::filesystem::path, int>;
    for (const auto& [path, mode] : {Mode{root, 0700}, Mode{root / "Cache", 0700}, Mode{store.file(), 0600}}) {
        EXPECT_EQ(Base::FileSystem::permissions(path), mode) << path;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root / "Cache"), {}), 1);
    // An event without a family has no "family" key at all.
    const std::string bytes = readBytes(store.file());
    EXPECT_EQ(bytes, readBytes(WAYLARK_SOURCE_DIR "/CalendarKit/tests/data/calendar_cache.json"));

    // A save that cannot be written keeps the previous file.
    for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        auto cache = sampleCache();
        cache.events[0].time = Base::Date(bad);
        EXPECT_FALSE(store.save(cache).ok()) << bad;
    }
    EXPECT_EQ(readBytes(store.file()), bytes);
}

TEST(FileCalendarStore, ABadFileReadsAsNothingAndIsLeftAlone) {
    const std::string good = toJson(sampleCache()).dump().value();
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        const auto at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    };
    const std::string cases[] = {
        replaced(R"("version":1)", R"("version":2)"),
        replaced(R"("version":1)", R"("version":"1")"),
        replaced(R"("pendingRemovals":[)", R"("otherKey":[)"),
        replaced(R"("pendingRemovals":[)", R"("pendingRemovals":[7,)"),
        replaced(R"("lastSuccess":1773144000.5)", R"("lastSuccess":"1773144000.5")"),
        replaced(R"("time":1773028800)", R"("time":"1773028800")"),
        replaced(R"("impact":"high")", R"("impact":"High")"),
        replaced(R"("family":"cpi")", R"("family":"inflation")"),
        replaced(R"("previous":"0.5%")", R"("previous":null)"),
        good.substr(0, good.size() / 2),
        "[]",
        good + std::string(FileCalendarStore::maxBytes + 1 - good.size(), ' '),  // over the cap
    };
    Base::Testing::TemporaryFolder temp;
    FileCalendarStore store(temp.path() / "calendar.json");
    for (const auto& bytes : cases) {
        writeBytes(store.file(), bytes);
        EXPECT_EQ(store.load(), std::nullopt) << bytes.substr(0, 300);
        EXPECT_EQ(readBytes(store.file()), bytes);
    }
    // Keys it does not know are ignored, and a file at the cap is read.
    writeBytes(store.file(), replaced(R"("version":1)", R"("version":1,"zzz":true)"));
    EXPECT_EQ(store.load(), sampleCache());
    writeBytes(store.file(), good + std::string(FileCalendarStore::maxBytes - good.size(), ' '));
    EXPECT_EQ(store.load(), sampleCache());
    // Only a regular file is read: a pipe must not block the start.
    ASSERT_EQ(mkfifo((temp.path() / "fifo").c_str(), 0600), 0);
    EXPECT_EQ(FileCalendarStore(temp.path() / "fifo").load(), std::nullopt);
}

}  // namespace
}  // namespace CalendarKit
