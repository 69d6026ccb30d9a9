// Fetching and reading a feed document, and judging the week it holds.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "Base/testing/TemporaryFolder.h"
#include "Base/ManualScheduler.h"
#include "CalendarKit/Feed/FairEconomyFeed.h"
#include "CalendarKit/Download/FeedFetcher.h"
#include "CalendarKit/Feed/FeedValidator.h"
#include "CalendarKit/Feed/InternetDateTime.h"
#include "CalendarKit/tests/CalendarTestSupport.h"

using CalendarKit::FeedError;
using CalendarKit::FeedEvent;
using CalendarKit::FeedParseResult;
using TradingCore::NewsImpact;
namespace Feed = CalendarKit::FairEconomyFeed;
using Parsed = CalendarKit::FeedResult<FeedParseResult>;

namespace {

constexpr double kFriday = 1772803800;  // 2026-03-06T13:30:00Z
const std::string kDate = "2026-03-06T08:30:00-05:00";
const CalendarKit::FeedValidationPolicy kPolicy{1500, 1'209'600, 2'419'200, 0.4, 20};

std::string entry(const std::string& title = "NFP", const std::string& country = "USD",
                  const std::string& date = kDate, const std::string& impact = "High", const std::string& extra = "") {
    return R"({"title":")" + title + R"(","country":")" + country + R"(","date":")" + date + R"(","impact":")" +
           impact + "\"" + extra + "}";
}

std::string repeat(const std::string& unit, std::size_t n) {
    std::string out;
    for (std::size_t i = 0; i < n; ++i) out += unit;
    return out;
}

std::vector<FeedEvent> eventsAt(std::vector<double> offsets) {
    std::vector<FeedEvent> events;
    for (const double offset : offsets) events.push_back(CalendarTest::feed("CPI m/m", Base::Date(kFriday) + offset));
    return events;
}

}  // namespace

// A week as the public feed publishes it: one compact line, "/" written as
// "\/", New York offsets only (-05:00 until daylight time begins on the
// Sunday, -04:00 after), one bank holiday. It passes the plausibility gate.
TEST(FairEconomyFeedTest, ReadsAWeekShapedLikeTheLiveFeed) {
    const auto result =
        Feed::parse(Base::Testing::readBytes(WAYLARK_SOURCE_DIR "/CalendarKit/tests/data/ff_calendar_liveweek.json"));
    ASSERT_EQ(result->events.size(), 91u);
    EXPECT_EQ(result->skippedCount, 0u);
    for (const FeedEvent& expected : {
             FeedEvent{"CPI m/m", "USD", Base::Date(1773145800), NewsImpact::high, "0.3%", "0.5%"},
             FeedEvent{"Trade Balance", "CNY", Base::Date(1772951400), NewsImpact::medium, "98.5B", "104.8B"},
             FeedEvent{"Bank Holiday", "AUD", Base::Date(1773028800), NewsImpact::holiday, "", ""},
             FeedEvent{"Index of Services 3m/3m", "GBP", Base::Date(1773208800), NewsImpact::low, "0.2%", "0.1%"}}) {
        EXPECT_NE(std::find(result->events.begin(), result->events.end(), expected), result->events.end())
            << expected.title;
    }
    EXPECT_EQ(CalendarKit::FeedValidator::validate(result->events, 0, Base::Date(1773244800), kPolicy), std::nullopt);
}

TEST(FairEconomyFeedTest, RefusesAWholeDocumentOnlyWhenTooLargeOrNotAnArray) {
    std::string deep(1'000'000, '[');  // refused without exhausting the stack
    deep.append(1'000'000, ']');
    std::string atCap = "[" + entry() + "]";
    atCap.append(2'000'000 - atCap.size(), ' ');  // JSON allows trailing white space
    const std::string zeros = "[0" + repeat(",0", 4999);  // elements that are dropped count too
    const std::pair<std::string, Parsed> cases[] = {
        {"[]", FeedParseResult{}}, {"{}", FeedError::notAnArray}, {"null", FeedError::notAnArray},
        {"", FeedError::notAnArray}, {"[1,]", FeedError::notAnArray}, {"[] []", FeedError::notAnArray},
        {"[\"\xff\"]", FeedError::notAnArray}, {deep, FeedError::notAnArray}, {atCap + " ", FeedError::tooLarge},
        {std::string(2'000'001, 'x'), FeedError::tooLarge},  // refused before decoding
        {zeros + "]", FeedParseResult{{}, 5000}}, {zeros + ",0]", FeedError::tooLarge}};
    for (const auto& [document, expected] : cases) {
        EXPECT_EQ(Feed::parse(document), expected) << document.substr(0, 20);
    }
    EXPECT_EQ(Feed::parse(atCap)->events.size(), 1u);
}

// One element per row; no impact means it is dropped and counted. Texts are
// measured in characters and refused rather than cleaned.
TEST(FairEconomyFeedTest, EachElementIsTakenAsPublishedOrDroppedAndCounted) {
    const std::string eAcute = "e\xCC\x81";  // one character, two scalars
    const std::optional<NewsImpact> high = NewsImpact::high, no;
    const std::pair<std::string, std::optional<NewsImpact>> cases[] = {
        {entry("t", "USD", kDate, "HIGH"), high}, {entry("t", "USD", kDate, "hOLIDAY"), NewsImpact::holiday},
        {entry("t", "USD", kDate, " High"), no}, {entry("t", "USD", kDate, "Non-Economic"), no}, {"null", no},
        {R"({"title":"No impact","country":"USD","date":"2026-03-06T08:30:00-05:00"})", no},
        {entry("t", "USD", kDate, "High", R"(,"forecast":1.5)"), no},
        {entry("t", "USD", kDate, "High", R"(,"previous":null,"extra":[1,{"deep":true},-1e999])"), high},
        {entry("t", "USD", "2026-03-06T13:30:00.5Z"), no}, {entry("t", "USD", "2026-03-06"), no},
        {entry(repeat("a", 201)), no}, {entry(repeat(eAcute, 200)), high}, {entry(repeat(eAcute, 201)), no},
        {entry("t", repeat("X", 8)), high}, {entry("t", repeat(eAcute, 9)), no}, {entry(""), no}, {entry("t", ""), no},
        {entry("t", "USD", kDate, "High", R"(,"forecast":")" + repeat("1", 64) + "\""), high},
        {entry("t", "USD", kDate, "High", R"(,"previous":")" + repeat("\xC3\xA9", 65) + "\""), no},
        {entry("t", "USD", kDate, "High", R"(,"forecast":"1\t2")"), no},
        {entry("CPI\\u0085"), no},             // next line, Cc
        {entry("CPI\xE2\x80\x8D m/m"), no},  // zero-width joiner, Cf
        {entry("t", "US\\u200bD"), no},
        {entry("Zürich Index \xE2\x80\x94 m/m"), high},  // plain non-ASCII text is fine
    };
    for (const auto& [element, impact] : cases) {
        const auto result = Feed::parse("[" + element + "]");
        EXPECT_EQ(result->events.empty() ? std::nullopt : std::optional(result->events[0].impact), impact) << element;
        EXPECT_EQ(result->skippedCount, impact ? 0u : 1u) << element;
    }
    const FeedEvent padded{"  NFP  ", "USD", Base::Date(kFriday), NewsImpact::high, "", ""};
    const FeedEvent second{"Second", "EUR", Base::Date(kFriday), NewsImpact::low, "55K", "143K"};
    EXPECT_EQ(Feed::parse("[" + entry("  NFP  ", "USD", kDate, "High", R"(,"forecast":null)") + ",3," +
                          entry("Second", "EUR", kDate, "Low", R"(,"forecast":"55K","previous":"143K")") + "]"),
              Parsed(FeedParseResult{{padded, second}, 1}));
}

TEST(InternetDateTimeTest, AcceptsOnlyStrictInternetDateTimes) {
    const std::pair<const char*, std::optional<double>> cases[] = {
        {"2026-03-06T08:30:00-05:00", kFriday},   {"2026-03-06T13:30:00Z", kFriday},
        {"2026-03-06T19:00:00+05:30", kFriday},   {"1969-12-31T23:59:59Z", -1},
        {"2024-02-29T00:00:00Z", 1709164800},     {"2026-03-06T13:30:00.000Z", std::nullopt},
        {"2026-03-06T13:30:00", std::nullopt},    {"2026-03-06 13:30:00Z", std::nullopt},
        {"2026-03-06T13:30:00z", std::nullopt},   {"2026-03-06T13:30:00+0500", std::nullopt},
        {" 2026-03-06T13:30:00Z", std::nullopt},  {"2026-13-06T13:30:00Z", std::nullopt},
        {"2026-02-29T13:30:00Z", std::nullopt},   {"1900-02-29T00:00:00Z", std::nullopt},
        {"2026-04-31T00:00:00Z", std::nullopt},   {"2026-03-06T24:00:00Z", std::nullopt},
        {"2026-12-31T23:59:60Z", std::nullopt},   {"2026-03-06T13:30:00+24:00", std::nullopt},
        {"２026-03-06T13:30:00Z", std::nullopt},  // full-width digit
    };
    for (const auto& [text, seconds] : cases) {
        const auto parsed = CalendarKit::InternetDateTime::parse(text);
        EXPECT_EQ(parsed ? std::optional(parsed->secondsSince1970) : std::nullopt, seconds) << text;
    }
}

// An issue is compared by its description, which is its plain value.
TEST(FeedValidatorTest, TestsRunInOrderAndTheFirstIssueWins) {
    auto tooManyAndImplausible = eventsAt(std::vector<double>(1501, 0.0));
    tooManyAndImplausible[0].time = Base::Date(kFriday + 1e9);
    const struct {
        std::vector<FeedEvent> events;
        std::int64_t previous;
        std::string issue;  // empty for none
    } cases[] = {
        {eventsAt(std::vector<double>(1500, 0.0)), 0, ""}, {tooManyAndImplausible, 0, "tooMany(1501)"},
        {eventsAt({-1'209'600, 2'419'200}), 0, ""},  // the window's bounds belong to it
        {eventsAt({0, -1'209'601}), 0, "implausibleDates(1)"},
        {eventsAt({2'419'201, 0, 3e6}), 0, "implausibleDates(2)"},
        {eventsAt({-2e6}), 100, "implausibleDates(1)"},
        {eventsAt({0}), 19, ""},  // too few before for the drop test
        {eventsAt(std::vector<double>(8, 0.0)), 20, ""},  // keeps exactly 40 %
        {eventsAt(std::vector<double>(7, 0.0)), 20, "suspiciousDrop(previous: 20, now: 7)"},
    };
    for (const auto& c : cases) {
        const auto issue = CalendarKit::FeedValidator::validate(c.events, c.previous, Base::Date(kFriday), kPolicy);
        EXPECT_EQ(issue ? issue->description() : "", c.issue) << c.events.size() << " after " << c.previous;
    }
    EXPECT_EQ(CalendarKit::FeedValidator::validate({}, 100, Base::Date(kFriday), {-1, 0, 0, 1, 0})->description(),
              "empty");
}

TEST(FeedFetcherTest, RetryAfterTextRules) {
    const std::pair<std::optional<std::string>, std::optional<double>> cases[] = {
        {std::nullopt, {}}, {"1.5", 1.5},     {"1e2", 100.0},     {"\t 45\t", 45.0}, {"\xC2\xA0 60", 60.0},
        {"   ", {}},        {"120s", {}},     {"12 0", {}},       {"inf", {}},       {"nan", {}},
        {"1e400", {}},      {"-0", 0.0},      {"3600.5", 3600.0}, {"1,5", {}},       {std::string("5\0", 2), {}},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(CalendarKit::FeedFetcher::retryAfter(text ? std::optional<std::string_view>(*text) : std::nullopt),
                  expected)
            << text.value_or("<none>");
    }
}

TEST(FeedFetcherTest, TheAddressAppendsTheFileNameAsOnePathComponent) {
    Base::ManualScheduler scheduler;
    CalendarKit::FeedFetcherOptions options;
    options.baseAddress = "https://example.test/feeds/";
    EXPECT_EQ(CalendarKit::FeedFetcher(scheduler).address(CalendarKit::FeedWeek::nextWeek),
              "https://nfs.faireconomy.media/ff_calendar_nextweek.json");
    EXPECT_EQ(CalendarKit::FeedFetcher(scheduler, options).address(CalendarKit::FeedWeek::thisWeek),
              "https://example.test/feeds/ff_calendar_thisweek.json");
}
