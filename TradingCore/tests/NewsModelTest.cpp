#include <gtest/gtest.h>

#include "Base/Json.h"
#include "TradingCore/Model/DataConfidence.h"
#include "TradingCore/Model/MarketTimeZone.h"
#include "TradingCore/Model/NewsEvent.h"
#include "TradingCore/Model/NewsImpact.h"
#include "TradingCore/Model/NewsRule.h"

using namespace TradingCore;

TEST(MarketTimeZone, IsNewYork) {
    EXPECT_EQ(MarketTimeZone::newYork().identifier(), "America/New_York");
    EXPECT_EQ(&MarketTimeZone::newYork(), &MarketTimeZone::newYork());
}

TEST(NewsImpact, RawValuesAndSeverity) {
    struct Case {
        const char* raw;
        std::optional<NewsImpact> impact;
        int severity;
    };
    for (const Case& c : {Case{"low", NewsImpact::low, 1}, Case{"medium", NewsImpact::medium, 2},
                          Case{"high", NewsImpact::high, 3}, Case{"holiday", NewsImpact::holiday, 0},
                          Case{"High", std::nullopt, 0}, Case{"", std::nullopt, 0},
                          Case{" low", std::nullopt, 0}}) {
        SCOPED_TRACE(c.raw);
        EXPECT_EQ(newsImpactFromRaw(c.raw), c.impact);
        if (c.impact) {
            EXPECT_EQ(rawValue(*c.impact), c.raw);
            EXPECT_EQ(severity(*c.impact), c.severity);
        }
    }
    EXPECT_LT(severity(NewsImpact::holiday), severity(NewsImpact::low));
}

TEST(DataConfidence, RawValues) {
    EXPECT_EQ(dataConfidenceFromRaw("degraded"), DataConfidence::degraded);
    EXPECT_EQ(dataConfidenceFromRaw("Live"), std::nullopt);
    EXPECT_EQ(rawValue(DataConfidence::unknown), "unknown");
}

namespace {
NewsEvent event(std::string id, std::string title, std::optional<std::string> label, double time) {
    return NewsEvent{std::move(id), std::move(title), "USD", NewsImpact::high, Base::Date(time), true,
                     std::move(label)};
}
}  // namespace

TEST(NewsEvent, DisplayLabelAndActivityID) {
    struct Case {
        NewsEvent event;
        const char* display;
        const char* activityID;
    };
    for (const Case& c : {
             Case{event("a", "Non-Farm Payrolls", std::nullopt, 1772000000), "Non-Farm Payrolls",
                  "news:Non-Farm Payrolls@1772000000.0"},
             Case{event("a", "Non-Farm Payrolls", "NFP", 1772000000.5), "NFP", "news:NFP@1772000000.5"},
             Case{event("a", "CPI m/m", "", 0), "", "news:@0.0"},
         }) {
        EXPECT_EQ(c.event.displayLabel(), c.display);
        EXPECT_EQ(c.event.activityID(), c.activityID);
    }
    EXPECT_EQ(event("a", "X", "L", 60).activityID(), event("b", "Y", "L", 60).activityID());
    EXPECT_NE(event("a", "X", std::nullopt, 60), event("a", "X", "X", 60));
}

TEST(NewsRule, EqualityComparesSetsAsSets) {
    NewsRule a{{"USD", "EUR"}, {NewsImpact::high, NewsImpact::medium}, 300, 300, 900};
    NewsRule b;
    b.currencies.insert("EUR");
    b.currencies.insert("USD");
    b.impacts.insert(NewsImpact::medium);
    b.impacts.insert(NewsImpact::high);
    b.beforeSeconds = 300;
    b.afterSeconds = 300;
    b.leadSeconds = 900;
    EXPECT_EQ(a, b);
    b.beforeSeconds = 300.000001;
    EXPECT_NE(a, b);
}

TEST(NewsRule, JsonRoundTrip) {
    NewsRule rule{{"USD", "GBP"}, {NewsImpact::high, NewsImpact::holiday}, 300, 120.5, 900};
    auto read = fromJson<NewsRule>(toJson(rule));
    ASSERT_TRUE(read.ok()) << read.error().message;
    EXPECT_EQ(*read, rule);
    auto reparsed = Base::Json::parse(toJson(rule).dump());
    ASSERT_TRUE(reparsed.ok());
    EXPECT_EQ(*fromJson<NewsRule>(*reparsed), rule);
}

TEST(NewsRule, JsonReading) {
    const char* base = R"("currencies":["USD"],"afterSeconds":300,"leadSeconds":900)";
    struct Case {
        std::string json;
        bool ok;
    };
    auto with = [&](const std::string& more) { return "{" + std::string(base) + "," + more + "}"; };
    for (const Case& c : {
             Case{with(R"("impacts":["high","high"],"beforeSeconds":300,"extra":1)"), true},
             Case{with(R"("impacts":["high"],"beforeSeconds":-5)"), true},
             Case{with(R"("impacts":[],"beforeSeconds":1e3)"), true},
             Case{with(R"("impacts":["High"],"beforeSeconds":300)"), false},
             Case{with(R"("impacts":[""],"beforeSeconds":300)"), false},
             Case{with(R"("impacts":["high"],"beforeSeconds":"300")"), false},
             Case{with(R"("impacts":["high"],"beforeSeconds":null)"), false},
             Case{with(R"("impacts":["high"],"beforeSeconds":true)"), false},
             Case{with(R"("impacts":"high","beforeSeconds":300)"), false},
             Case{with(R"("impacts":[1],"beforeSeconds":300)"), false},
             Case{R"({"currencies":["USD"],"impacts":[],"beforeSeconds":1,"afterSeconds":1})", false},
             Case{"[]", false},
         }) {
        SCOPED_TRACE(c.json);
        auto json = Base::Json::parse(c.json);
        ASSERT_TRUE(json.ok());
        auto rule = fromJson<NewsRule>(*json);
        EXPECT_EQ(rule.ok(), c.ok);
    }
    auto dup = fromJson<NewsRule>(*Base::Json::parse(with(R"("impacts":["high","high"],"beforeSeconds":-5)")));
    ASSERT_TRUE(dup.ok());
    EXPECT_EQ(dup->impacts, std::set<NewsImpact>{NewsImpact::high});
    EXPECT_EQ(dup->beforeSeconds, -5);
}
