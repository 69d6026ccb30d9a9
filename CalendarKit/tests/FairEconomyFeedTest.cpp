#include "CalendarKit/Feed/FairEconomyFeed.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "Base/testing/TemporaryFolder.h"
#include "CalendarKit/Feed/FeedValidator.h"
#include "CalendarKit/Feed/InternetDateTime.h"
#include "CalendarKit/Normalization/EventNormalizer.h"

using CalendarKit::FeedError;
using CalendarKit::FeedEvent;
using TradingCore::NewsImpact;
namespace Feed = CalendarKit::FairEconomyFeed;
using Parsed = CalendarKit::FeedResult<CalendarKit::FeedParseResult>;

namespace {

// 2026-03-06T13:30:00Z
constexpr double kFridayHalfPastEight = 1772803800;

std::string entry(const std::string& title = "Non-Farm Employment Change", const std::string& country = "USD",
                  const std::string& date = "2026-03-06T08:30:00-05:00", const std::string& impact = "High",
                  const std::string& extra = R"(,"forecast":"55K","previous":"143K")") {
    return R"({"title":")" + title + R"(","country":")" + country + R"(","date":")" + date + R"(","impact":")" +
           impact + "\"" + extra + "}";
}

std::string array(const std::vector<std::string>& elements) {
    std::string out = "[";
    for (std::size_t i = 0; i < elements.size(); ++i) out += (i ? "," : "") + elements[i];
    return out + "]";
}

std::string repeat(const std::string& unit, std::size_t n) {
    std::string out;
    for (std::size_t i = 0; i < n; ++i) out += unit;
    return out;
}

std::size_t acceptedCount(const std::string& document) {
    const auto result = Feed::parse(document);
    EXPECT_TRUE(result.ok());
    return result.ok() ? result->events.size() : 0;
}

}  // namespace

TEST(FairEconomyFeedTest, ReadsAnEntryExactlyAsPublished) {
    const auto result = Feed::parse(array({entry(), entry("Bank Holiday", "JPY", "2026-03-09T00:00:00Z",
                                                         "Holiday", R"(,"forecast":null)")}));
    ASSERT_TRUE(result.ok());
    ASSERT_EQ(result->events.size(), 2u);
    EXPECT_EQ(result->skippedCount, 0u);
    EXPECT_EQ(result->events[0], (FeedEvent{"Non-Farm Employment Change", "USD", Base::Date(kFridayHalfPastEight),
                                            NewsImpact::high, "55K", "143K"}));
    EXPECT_EQ(result->events[1].impact, NewsImpact::holiday);
    EXPECT_EQ(result->events[1].forecast, "");
    EXPECT_EQ(result->events[1].previous, "");
}

// A week as the public feed publishes it: one compact line, "/" written as
// "\/", New York offsets only (-05:00 until daylight time begins on the
// Sunday, -04:00 after), one bank holiday.
TEST(FairEconomyFeedTest, ReadsAWeekShapedLikeTheLiveFeed) {
    const std::string body =
        Base::Testing::readBytes(std::string(WAYLARK_SOURCE_DIR) + "/CalendarKit/tests/data/ff_calendar_liveweek.json");
    ASSERT_NE(body.find(R"(CPI m\/m)"), std::string::npos);
    const auto result = Feed::parse(body);
    ASSERT_TRUE(result.ok());
    ASSERT_EQ(result->events.size(), 91u);
    EXPECT_EQ(result->skippedCount, 0u);
    const auto find = [&](const std::string& title, const std::string& currency) -> const FeedEvent* {
        for (const FeedEvent& event : result->events) {
            if (event.title == title && event.currency == currency) return &event;
        }
        return nullptr;
    };
    for (const FeedEvent& expected : {
             FeedEvent{"CPI m/m", "USD", Base::Date(1773145800), NewsImpact::high, "0.3%", "0.5%"},
             FeedEvent{"Trade Balance", "CNY", Base::Date(1772951400), NewsImpact::medium, "98.5B", "104.8B"},
             FeedEvent{"Bank Holiday", "AUD", Base::Date(1773028800), NewsImpact::holiday, "", ""},
             FeedEvent{"Index of Services 3m/3m", "GBP", Base::Date(1773208800), NewsImpact::low, "0.2%", "0.1%"},
         }) {
        const FeedEvent* event = find(expected.title, expected.currency);
        ASSERT_NE(event, nullptr) << expected.title;
        EXPECT_EQ(*event, expected);
    }
    EXPECT_EQ(std::count_if(result->events.begin(), result->events.end(),
                            [](const FeedEvent& e) { return e.impact == NewsImpact::holiday; }),
              1);

    // The whole refresh path takes the week as it is, on its Wednesday.
    const CalendarKit::FeedValidationPolicy policy{1500, 1'209'600, 2'419'200, 0.4, 20};
    EXPECT_EQ(CalendarKit::FeedValidator::validate(result->events, 0, Base::Date(1773244800), policy), std::nullopt);
    namespace Normalizer = CalendarKit::EventNormalizer;
    const auto normalized = Normalizer::normalize(result->events, Normalizer::newYork());
    ASSERT_EQ(normalized.size(), 91u);
    EXPECT_TRUE(std::any_of(normalized.begin(), normalized.end(),
                            [](const auto& e) { return e.id == "2026-03-08:USD:cpi-m-m:0"; }));
}

TEST(FairEconomyFeedTest, RefusesWholeDocumentsOnlyWhenTooLargeOrNotAnArray) {
    EXPECT_EQ(Feed::parse("[]"), Parsed(CalendarKit::FeedParseResult{}));
    for (const char* document : {"{}", "\"text\"", "null", "42", "", "[", "[{\"title\":", "[1,]", "[] []",
                                 "[\"\xff\"]"}) {
        EXPECT_EQ(Feed::parse(document), Parsed(FeedError::notAnArray)) << document;
    }
}

TEST(FairEconomyFeedTest, DocumentLimitsHoldAtTheirBoundaries) {
    std::string exact = array({entry()});
    exact.append(Feed::maxBytes - exact.size(), ' ');  // JSON allows trailing white space
    ASSERT_EQ(exact.size(), 2'000'000u);
    EXPECT_EQ(acceptedCount(exact), 1u);
    EXPECT_EQ(Feed::parse(exact + " "), Parsed(FeedError::tooLarge));
    // Refused before decoding: even bytes that are no JSON at all say tooLarge.
    EXPECT_EQ(Feed::parse(std::string(Feed::maxBytes + 1, 'x')), Parsed(FeedError::tooLarge));

    // The element count includes elements that would be skipped.
    const std::string zeros = "[0" + repeat(",0", 4999);
    EXPECT_EQ(Feed::parse(zeros + "]"), Parsed(CalendarKit::FeedParseResult{{}, 5000}));
    EXPECT_EQ(Feed::parse(zeros + ",0]"), Parsed(FeedError::tooLarge));
}

TEST(FairEconomyFeedTest, DeepNestingIsRefusedWithoutExhaustingTheStack) {
    const std::size_t depth = 1'000'000;
    std::string nested(depth, '[');
    nested.append(depth, ']');
    EXPECT_EQ(Feed::parse(nested).error(), FeedError::notAnArray);
}

TEST(FairEconomyFeedTest, BadElementsAreSkippedAndCountedKeepingTheGoodOnesInOrder) {
    const auto result = Feed::parse(array({
        "null",
        "3",
        "\"NFP\"",
        "[]",
        entry("First"),
        R"({"title":"No impact","country":"USD","date":"2026-03-06T08:30:00-05:00"})",
        R"({"title":null,"country":"USD","date":"2026-03-06T08:30:00-05:00","impact":"High"})",
        entry("Number forecast", "USD", "2026-03-06T08:30:00-05:00", "High", R"(,"forecast":1.5)"),
        entry("Object previous", "USD", "2026-03-06T08:30:00-05:00", "High", R"(,"previous":{})"),
        entry("Huge forecast", "USD", "2026-03-06T08:30:00-05:00", "High", R"(,"forecast":1e999)"),
        entry("Fractional seconds", "USD", "2026-03-06T13:30:00.5Z"),
        entry("Date alone", "USD", "2026-03-06"),
        entry("Second", "EUR", "2026-03-06T10:00:00Z", "low", R"(,"extra":[1,2,{"deep":true},-1e999])"),
    }));
    ASSERT_TRUE(result.ok());
    ASSERT_EQ(result->events.size(), 2u);
    EXPECT_EQ(result->events[0].title, "First");
    EXPECT_EQ(result->events[1].title, "Second");
    EXPECT_EQ(result->skippedCount, 11u);
}

TEST(FairEconomyFeedTest, TextsAreMeasuredInCharactersAndRefusedRatherThanCleaned) {
    const std::string eAcute = "e\xCC\x81";  // e + combining acute: one character, two scalars
    const auto values = [](const std::string& forecast, const std::string& previous) {
        return R"(,"forecast":")" + forecast + R"(","previous":")" + previous + "\"";
    };
    const std::string date = "2026-03-06T08:30:00-05:00";
    const struct {
        std::string element;
        bool accepted;
    } cases[] = {
        {entry(repeat("a", 200)), true},
        {entry(repeat("a", 201)), false},
        {entry(repeat(eAcute, 200)), true},
        {entry(repeat(eAcute, 201)), false},
        {entry("t", repeat("X", 8)), true},
        {entry("t", repeat(eAcute, 9)), false},
        {entry(""), false},
        {entry("t", ""), false},
        {entry("t", "USD", date, "High", values(repeat("1", 64), repeat("\xC3\xA9", 64))), true},
        {entry("t", "USD", date, "High", values(repeat("1", 65), "")), false},
        {entry("t", "USD", date, "High", values("", repeat("\xC3\xA9", 65))), false},
        {entry("t", "USD", date, "High", values("", "")), true},
        {entry("CPI\\tm/m"), false},
        {entry("CPI\\nm/m"), false},
        {entry("CPI\\u0085"), false},             // next line, Cc
        {entry("CPI\xE2\x80\x8D m/m"), false},  // zero-width joiner, Cf
        {entry("CPI\\u202e"), false},             // right-to-left override, Cf
        {entry("t", "US\\u200bD"), false},
        {entry("t", "USD", date, "High", values("1\\t2", "")), false},
        {entry("t", "USD", date, "High", values("", "\\u2066x")), false},
        {entry("Zürich Index \xE2\x80\x94 m/m"), true},  // plain non-ASCII text is fine
    };
    for (const auto& c : cases) {
        EXPECT_EQ(acceptedCount("[" + c.element + "]"), c.accepted ? 1u : 0u) << c.element.substr(0, 80);
    }
    EXPECT_EQ(Feed::parse("[" + entry("  padded  ") + "]")->events.at(0).title, "  padded  ");
}

TEST(FairEconomyFeedTest, ImpactIsMatchedInAnyLetterCaseButNotTrimmed) {
    const struct {
        const char* impact;
        std::optional<NewsImpact> expected;
    } cases[] = {
        {"High", NewsImpact::high},       {"HIGH", NewsImpact::high},     {"high", NewsImpact::high},
        {"Medium", NewsImpact::medium},   {"Low", NewsImpact::low},       {"Holiday", NewsImpact::holiday},
        {"hOLIDAY", NewsImpact::holiday}, {" High", std::nullopt},        {"High ", std::nullopt},
        {"", std::nullopt},               {"Non-Economic", std::nullopt}, {"severe", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto result = Feed::parse("[" + entry("t", "USD", "2026-03-06T08:30:00-05:00", c.impact) + "]");
        ASSERT_TRUE(result.ok());
        EXPECT_EQ(result->events.empty() ? std::nullopt : std::optional(result->events[0].impact), c.expected)
            << c.impact;
    }
}

TEST(InternetDateTimeTest, AcceptsOnlyStrictInternetDateTimes) {
    using CalendarKit::InternetDateTime::parse;
    const struct {
        const char* text;
        std::optional<double> seconds;
    } cases[] = {
        {"2026-03-06T08:30:00-05:00", kFridayHalfPastEight},
        {"2026-03-06T13:30:00Z", kFridayHalfPastEight},
        {"2026-03-06T19:00:00+05:30", kFridayHalfPastEight},
        {"1969-12-31T23:59:59Z", -1},
        {"2024-02-29T00:00:00Z", 1709164800},
        {"2026-03-06T13:30:00.000Z", std::nullopt},
        {"2026-03-06T13:30:00", std::nullopt},
        {"2026-03-06", std::nullopt},
        {"2026-03-06 13:30:00Z", std::nullopt},
        {"2026-03-06T13:30:00z", std::nullopt},
        {"2026-03-06T13:30:00+0500", std::nullopt},
        {" 2026-03-06T13:30:00Z", std::nullopt},
        {"2026-13-06T13:30:00Z", std::nullopt},
        {"2026-00-06T13:30:00Z", std::nullopt},
        {"2026-02-29T13:30:00Z", std::nullopt},
        {"1900-02-29T00:00:00Z", std::nullopt},
        {"2026-04-31T00:00:00Z", std::nullopt},
        {"2026-03-06T24:00:00Z", std::nullopt},
        {"2026-12-31T23:59:60Z", std::nullopt},
        {"2026-03-06T13:30:00+24:00", std::nullopt},
        {"２026-03-06T13:30:00Z", std::nullopt},  // full-width digit
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto parsed = parse(c.text);
        EXPECT_EQ(parsed ? std::optional(parsed->secondsSince1970) : std::nullopt, c.seconds) << c.text;
    }
}
