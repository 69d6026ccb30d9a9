#include <gtest/gtest.h>

#include "Base/Json.h"
#include "TestSupport.h"
#include "TradingCore/Evaluation/ActivityKind.h"
#include "TradingCore/Evaluation/StatusBase.h"
#include "TradingCore/Model/DataConfidence.h"
#include "TradingCore/Model/IntervalColor.h"
#include "TradingCore/Model/MarketTimeZone.h"
#include "TradingCore/Model/NewsEvent.h"
#include "TradingCore/Model/NewsRule.h"

using namespace TradingCore;

namespace {

// The written names are what files and the interface store: each must read
// back as its own value, and near misses as nothing.
template <class E>
void expectNames(const std::vector<std::pair<E, const char*>>& names, std::optional<E> (*fromRaw)(std::string_view)) {
    for (const auto& [value, name] : names) {
        EXPECT_EQ(rawValue(value), name);
        EXPECT_EQ(fromRaw(name), value) << name;
        EXPECT_EQ(fromRaw(std::string(" ") + name), std::nullopt);
    }
    EXPECT_EQ(fromRaw(""), std::nullopt);
}

}  // namespace

TEST(ModelNames, EveryEnumerationReadsBackByItsName) {
    using C = IntervalColor;
    expectNames<C>({{C::cyan, "cyan"}, {C::blue, "blue"}, {C::pink, "pink"}, {C::yellow, "yellow"}, {C::teal, "teal"},
                    {C::white, "white"}},
                   intervalColorFromRaw);
    using I = NewsImpact;
    expectNames<I>({{I::low, "low"}, {I::medium, "medium"}, {I::high, "high"}, {I::holiday, "holiday"}},
                   newsImpactFromRaw);
    expectNames<DataConfidence>(
        {{DataConfidence::live, "live"}, {DataConfidence::degraded, "degraded"}, {DataConfidence::unknown, "unknown"}},
        dataConfidenceFromRaw);
    using S = StatusBase;
    expectNames<S>({{S::green, "green"}, {S::red, "red"}, {S::gray, "gray"}, {S::amber, "amber"}}, statusBaseFromRaw);
    using P = ActivityPhase;
    expectNames<P>({{P::upcoming, "upcoming"}, {P::restricted, "restricted"}, {P::active, "active"}, {P::ended, "ended"}},
                   activityPhaseFromRaw);
    using K = ActivityKind;
    expectNames<K>({{K::news, "news"}, {K::macro, "macro"}, {K::custom, "custom"}}, activityKindFromRaw);
    EXPECT_EQ(newsImpactFromRaw("High"), std::nullopt);
    EXPECT_EQ(statusBaseFromRaw("Green"), std::nullopt);

    EXPECT_EQ(MarketTimeZone::newYork().identifier(), "America/New_York");
    EXPECT_EQ((std::vector{severity(I::holiday), severity(I::low), severity(I::medium), severity(I::high)}),
              (std::vector{0, 1, 2, 3}));
    EXPECT_EQ(toJson(DataConfidence::degraded).dump().value(), R"("degraded")");
    TestSupport::expectReads<DataConfidence>({{R"("degraded")", DataConfidence::degraded}, {R"("Live")", std::nullopt},
                                              {"1", std::nullopt}, {"null", std::nullopt}, {R"(["live"])", std::nullopt}});
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
}

TEST(NewsRule, Json) {
    const NewsRule rule{{"USD", "EUR"}, {NewsImpact::high, NewsImpact::holiday}, 300, 120.5, 900};
    EXPECT_EQ(*fromJson<NewsRule>(*Base::Json::parse(toJson(rule).dump().value())), rule);
    auto members = [](const std::string& rest) {
        return R"({"currencies":["USD"],"afterSeconds":300,"leadSeconds":900,)" + rest + "}";
    };
    TestSupport::expectReads<NewsRule>({
        {members(R"("impacts":["high","high"],"beforeSeconds":-5,"extra":1)"),
         NewsRule{{"USD"}, {NewsImpact::high}, -5, 300, 900}},
        {members(R"("impacts":[],"beforeSeconds":1e3)"), NewsRule{{"USD"}, {}, 1000, 300, 900}},
        {members(R"("impacts":["High"],"beforeSeconds":300)"), std::nullopt},
        {members(R"("impacts":[1],"beforeSeconds":300)"), std::nullopt},
        {members(R"("impacts":"high","beforeSeconds":300)"), std::nullopt},
        {members(R"("impacts":["high"],"beforeSeconds":"300")"), std::nullopt},
        {R"({"currencies":["USD"],"impacts":[],"beforeSeconds":1,"afterSeconds":1})", std::nullopt},
        {"[]", std::nullopt},
    });
}
