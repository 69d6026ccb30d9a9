#include "CalendarKit/Feed/FairEconomyFeed.h"

#include <gtest/gtest.h>

#include <string>

#include "CalendarKit/Feed/InternetDateTime.h"

using CalendarKit::FeedError;
using CalendarKit::FeedEvent;
using TradingCore::NewsImpact;
namespace Feed = CalendarKit::FairEconomyFeed;

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

TEST(FairEconomyFeedTest, RefusesWholeDocumentsOnlyWhenTooLargeOrNotAnArray) {
    EXPECT_EQ(Feed::parse("[]"), (CalendarKit::FeedResult<CalendarKit::FeedParseResult>(CalendarKit::FeedParseResult{})));
    for (const char* document : {"{}", "\"text\"", "null", "42", "", "[", "[{\"title\":", "[1,]", "[] []",
                                 "[\"\xff\"]"}) {
        const auto result = Feed::parse(document);
        ASSERT_FALSE(result.ok()) << document;
        EXPECT_EQ(result.error(), FeedError::notAnArray) << document;
    }
}

TEST(FairEconomyFeedTest, ByteLimitHoldsAtExactlyTwoMillionBytes) {
    const std::string body = array({entry()});
    std::string exact = body;
    exact.append(Feed::maxBytes - exact.size(), ' ');  // JSON allows trailing white space
    ASSERT_EQ(exact.size(), 2'000'000u);
    EXPECT_EQ(acceptedCount(exact), 1u);

    const auto over = Feed::parse(exact + " ");
    ASSERT_FALSE(over.ok());
    EXPECT_EQ(over.error(), FeedError::tooLarge);
    // Refused before decoding: even bytes that are no JSON at all say tooLarge.
    EXPECT_EQ(Feed::parse(std::string(Feed::maxBytes + 1, 'x')).error(), FeedError::tooLarge);
}

TEST(FairEconomyFeedTest, ElementLimitCountsUnreadableElementsToo) {
    const auto numbers = [](std::size_t n) {
        std::string out = "[";
        for (std::size_t i = 0; i < n; ++i) out += i ? ",0" : "0";
        return out + "]";
    };
    const auto exact = Feed::parse(numbers(5000));
    ASSERT_TRUE(exact.ok());
    EXPECT_EQ(exact->skippedCount, 5000u);
    EXPECT_EQ(Feed::parse(numbers(5001)).error(), FeedError::tooLarge);
}

TEST(FairEconomyFeedTest, DeepNestingIsRefusedWithoutExhaustingTheStack) {
    const std::size_t depth = 1'000'000;
    std::string nested(depth, '[');
    nested.append(depth, ']');
    EXPECT_EQ(Feed::parse(nested).error(), FeedError::notAnArray);

    std::string objects;
    for (std::size_t i = 0; i < 300'000; ++i) objects += "{\"a\":";
    EXPECT_EQ(Feed::parse("[" + objects).error(), FeedError::notAnArray);
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
        entry("Second", "EUR", "2026-03-06T10:00:00Z", "low", R"(,"extra":[1,2,{"deep":true}])"),
    }));
    ASSERT_TRUE(result.ok());
    ASSERT_EQ(result->events.size(), 2u);
    EXPECT_EQ(result->events[0].title, "First");
    EXPECT_EQ(result->events[1].title, "Second");
    EXPECT_EQ(result->skippedCount, 8u);
}

TEST(FairEconomyFeedTest, TextLimitsCountGraphemeClustersAtTheirBoundaries) {
    const auto repeat = [](const std::string& unit, std::size_t n) {
        std::string out;
        for (std::size_t i = 0; i < n; ++i) out += unit;
        return out;
    };
    const std::string eAcute = "e\xCC\x81";  // e + combining acute: one character, two scalars
    const std::string flag = "\xF0\x9F\x87\xBA\xF0\x9F\x87\xB8";  // regional indicators U, S
    const std::string date = "2026-03-06T08:30:00-05:00";
    const struct {
        std::string element;
        bool accepted;
    } cases[] = {
        {entry(repeat("a", 200)), true},
        {entry(repeat("a", 201)), false},
        {entry(repeat(eAcute, 200)), true},
        {entry(repeat(eAcute, 201)), false},
        {entry(repeat(flag, 200)), true},
        {entry(repeat(flag, 201)), false},
        {entry("t", repeat("X", 8)), true},
        {entry("t", repeat("X", 9)), false},
        {entry("t", repeat(eAcute, 8)), true},
        {entry("t", repeat(eAcute, 9)), false},
        {entry(""), false},
        {entry("t", ""), false},
        {entry("t", "USD", date, "High", ",\"forecast\":\"" + repeat("1", 64) + "\""), true},
        {entry("t", "USD", date, "High", ",\"forecast\":\"" + repeat("1", 65) + "\""), false},
        {entry("t", "USD", date, "High", ",\"previous\":\"" + repeat("\xC3\xA9", 64) + "\""), true},
        {entry("t", "USD", date, "High", ",\"previous\":\"" + repeat("\xC3\xA9", 65) + "\""), false},
        {entry("t", "USD", date, "High", R"(,"forecast":"","previous":"")"), true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(acceptedCount("[" + c.element + "]"), c.accepted ? 1u : 0u) << c.element.substr(0, 80);
    }
}

TEST(FairEconomyFeedTest, ControlAndFormatCharactersRejectTheEntryInsteadOfBeingCleaned) {
    const std::string date = "2026-03-06T08:30:00-05:00";
    const struct {
        std::string element;
        bool accepted;
    } cases[] = {
        {entry("CPI\\tm/m"), false},
        {entry("CPI\\nm/m"), false},
        {entry("CPI\\r"), false},
        {entry("CPI\\u0000"), false},
        {entry("CPI\\u007f"), false},
        {entry("CPI\\u0085"), false},        // next line, Cc
        {entry("CPI\xE2\x80\x8D m/m"), false},  // zero-width joiner, Cf
        {entry("CPI\xE2\x80\x8F"), false},      // right-to-left mark, Cf
        {entry("CPI\\u202e"), false},          // right-to-left override, Cf
        {entry("t", "US\\u200bD"), false},
        {entry("t", "USD", date, "High", R"(,"forecast":"1\t2")"), false},
        {entry("t", "USD", date, "High", R"(,"previous":"\u2066x")"), false},
        {entry("Zürich Index \xE2\x80\x94 m/m"), true},  // plain non-ASCII text is fine
        {entry("  padded  "), true},                      // spaces are kept, not trimmed
    };
    for (const auto& c : cases) {
        EXPECT_EQ(acceptedCount("[" + c.element + "]"), c.accepted ? 1u : 0u) << c.element;
    }
    const auto padded = Feed::parse("[" + entry("  padded  ") + "]");
    EXPECT_EQ(padded->events.at(0).title, "  padded  ");
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
        if (c.expected) {
            ASSERT_EQ(result->events.size(), 1u) << c.impact;
            EXPECT_EQ(result->events[0].impact, *c.expected) << c.impact;
        } else {
            EXPECT_EQ(result->skippedCount, 1u) << c.impact;
        }
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
        {"2026-03-06T13:30:00+00:00", kFridayHalfPastEight},
        {"2026-03-06T19:00:00+05:30", kFridayHalfPastEight},
        {"2026-03-06T13:30:00-00:00", kFridayHalfPastEight},
        {"1970-01-01T00:00:00Z", 0},
        {"1969-12-31T23:59:59Z", -1},
        {"2024-02-29T00:00:00Z", 1709164800},
        {"2000-02-29T00:00:00Z", 951782400},
        {"2026-03-06T13:30:00.000Z", std::nullopt},
        {"2026-03-06T13:30:00", std::nullopt},
        {"2026-03-06", std::nullopt},
        {"2026-03-06 13:30:00Z", std::nullopt},
        {"2026-03-06t13:30:00Z", std::nullopt},
        {"2026-03-06T13:30:00z", std::nullopt},
        {"2026-03-06T13:30Z", std::nullopt},
        {"2026-03-06T13:30:00+0500", std::nullopt},
        {"2026-03-06T13:30:00+05", std::nullopt},
        {" 2026-03-06T13:30:00Z", std::nullopt},
        {"2026-03-06T13:30:00Z ", std::nullopt},
        {"20260306T133000Z", std::nullopt},
        {"2026-13-06T13:30:00Z", std::nullopt},
        {"2026-00-06T13:30:00Z", std::nullopt},
        {"2026-02-29T13:30:00Z", std::nullopt},
        {"1900-02-29T00:00:00Z", std::nullopt},
        {"2026-04-31T00:00:00Z", std::nullopt},
        {"2026-03-00T00:00:00Z", std::nullopt},
        {"2026-03-06T24:00:00Z", std::nullopt},
        {"2026-03-06T13:60:00Z", std::nullopt},
        {"2026-12-31T23:59:60Z", std::nullopt},
        {"2026-03-06T13:30:00+24:00", std::nullopt},
        {"2026-03-06T13:30:00+05:60", std::nullopt},
        {"+026-03-06T13:30:00Z", std::nullopt},
        {"2026-0a-06T13:30:00Z", std::nullopt},
        {"２026-03-06T13:30:00Z", std::nullopt},  // full-width digit
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto parsed = parse(c.text);
        if (c.seconds) {
            ASSERT_TRUE(parsed.has_value()) << c.text;
            EXPECT_EQ(parsed->secondsSince1970, *c.seconds) << c.text;
        } else {
            EXPECT_FALSE(parsed.has_value()) << c.text;
        }
    }
}

TEST(FairEconomyFeedTest, AnEntryWithABadDateIsSkipped) {
    const auto result = Feed::parse(array({entry("a", "USD", "2026-03-06T13:30:00.5Z"), entry("b", "USD", "2026-03-06"),
                                           entry("c", "USD", "2026-03-06T13:30:00")}));
    ASSERT_TRUE(result.ok());
    EXPECT_TRUE(result->events.empty());
    EXPECT_EQ(result->skippedCount, 3u);
}
