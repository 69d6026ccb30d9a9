#include <gtest/gtest.h>

#include "Base/Json.h"
#include "TradingCore/Model/DataConfidence.h"
#include "TradingCore/Model/MarketTimeZone.h"
#include "TradingCore/Model/NewsEvent.h"
#include "TradingCore/Model/NewsRule.h"

using namespace TradingCore;

TEST(NewsModel, RawValuesAndSeverity) {
    EXPECT_EQ(MarketTimeZone::newYork().identifier(), "America/New_York");
    struct Case {
        const char* raw;
        std::optional<NewsImpact> impact;
        int severity;
    };
    for (const Case& c : {Case{"low", NewsImpact::low, 1}, Case{"medium", NewsImpact::medium, 2},
                          Case{"high", NewsImpact::high, 3}, Case{"holiday", NewsImpact::holiday, 0},
                          Case{"High", std::nullopt, 0}, Case{"", std::nullopt, 0}, Case{" low", std::nullopt, 0}}) {
        SCOPED_TRACE(c.raw);
        EXPECT_EQ(newsImpactFromRaw(c.raw), c.impact);
        if (c.impact) {
            EXPECT_EQ(rawValue(*c.impact), c.raw);
            EXPECT_EQ(severity(*c.impact), c.severity);
        }
    }
    EXPECT_EQ(dataConfidenceFromRaw("degraded"), DataConfidence::degraded);
    EXPECT_EQ(dataConfidenceFromRaw("Live"), std::nullopt);
    EXPECT_EQ(rawValue(DataConfidence::unknown), "unknown");
}

TEST(NewsModel, DataConfidenceIsCodedAsItsRawString) {
    for (DataConfidence confidence : {DataConfidence::live, DataConfidence::degraded, DataConfidence::unknown}) {
        const Base::Json json = toJson(confidence);
        EXPECT_EQ(json.dump().value(), "\"" + std::string(rawValue(confidence)) + "\"");
        EXPECT_EQ(fromJson<DataConfidence>(json).value(), confidence);
    }
    for (const char* bad : {R"("Live")", R"("")", "1", "null", R"(["live"])"}) {
        EXPECT_FALSE(fromJson<DataConfidence>(*Base::Json::parse(bad)).ok()) << bad;
    }
}

TEST(NewsModel, DisplayLabelAndActivityID) {
    auto event = [](std::string id, std::optional<std::string> label, double time) {
        return NewsEvent{std::move(id), "Non-Farm Payrolls", "USD", NewsImpact::high, Base::Date(time), true,
                         std::move(label)};
    };
    struct Case {
        NewsEvent event;
        const char* display;
        const char* activityID;
    };
    for (const Case& c : {Case{event("a", std::nullopt, 1772000000), "Non-Farm Payrolls",
                               "news:Non-Farm Payrolls@1772000000.0"},
                          Case{event("a", "NFP", 1772000000.5), "NFP", "news:NFP@1772000000.5"},
                          Case{event("a", "", 0), "", "news:@0.0"}}) {
        EXPECT_EQ(c.event.displayLabel(), c.display);
        EXPECT_EQ(c.event.activityID(), c.activityID);
    }
    EXPECT_EQ(event("a", "L", 60).activityID(), event("b", "L", 60).activityID());
    EXPECT_NE(event("a", std::nullopt, 60), event("a", "Non-Farm Payrolls", 60));
}

TEST(NewsRule, EqualityAndJson) {
    const NewsRule rule{{"USD", "EUR"}, {NewsImpact::high, NewsImpact::holiday}, 300, 120.5, 900};
    NewsRule other{{}, {}, 300, 120.5, 900};
    for (const char* currency : {"EUR", "USD"}) other.currencies.insert(currency);
    for (NewsImpact impact : {NewsImpact::holiday, NewsImpact::high}) other.impacts.insert(impact);
    EXPECT_EQ(other, rule);
    other.beforeSeconds = 300.000001;
    EXPECT_NE(other, rule);

    EXPECT_EQ(*fromJson<NewsRule>(*Base::Json::parse(toJson(rule).dump().value())), rule);
    const std::string common = R"("currencies":["USD"],"afterSeconds":300,"leadSeconds":900,)";
    struct Case {
        std::string members;
        std::optional<NewsRule> rule;
    };
    const NewsRule high{{"USD"}, {NewsImpact::high}, -5, 300, 900};
    for (const Case& c : {
             Case{common + R"("impacts":["high","high"],"beforeSeconds":-5,"extra":1)", high},
             Case{common + R"("impacts":[],"beforeSeconds":1e3)", NewsRule{{"USD"}, {}, 1000, 300, 900}},
             Case{common + R"("impacts":["High"],"beforeSeconds":300)", std::nullopt},
             Case{common + R"("impacts":[""],"beforeSeconds":300)", std::nullopt},
             Case{common + R"("impacts":[1],"beforeSeconds":300)", std::nullopt},
             Case{common + R"("impacts":"high","beforeSeconds":300)", std::nullopt},
             Case{common + R"("impacts":["high"],"beforeSeconds":"300")", std::nullopt},
             Case{common + R"("impacts":["high"],"beforeSeconds":null)", std::nullopt},
             Case{common + R"("impacts":["high"],"beforeSeconds":true)", std::nullopt},
             Case{R"("currencies":["USD"],"impacts":[],"beforeSeconds":1,"afterSeconds":1)", std::nullopt},
         }) {
        SCOPED_TRACE(c.members);
        const auto read = fromJson<NewsRule>(*Base::Json::parse("{" + c.members + "}"));
        ASSERT_EQ(read.ok(), c.rule.has_value());
        if (c.rule) {
            EXPECT_EQ(*read, *c.rule);
        }
    }
    EXPECT_FALSE(fromJson<NewsRule>(*Base::Json::parse("[]")).ok());
}
