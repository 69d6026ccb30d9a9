#include "CalendarKit/Normalization/CalendarEvent.h"

#include <gtest/gtest.h>

using CalendarKit::CalendarEvent;
using CalendarKit::EventFamily;
using TradingCore::NewsImpact;

namespace {

CalendarEvent sample() {
    return CalendarEvent{"2026-03-01:USD:core-cpi-m-m:0", "Core CPI m/m", "USD", NewsImpact::high,
                         Base::Date(1773235800), EventFamily::cpi, "0.3%", ""};
}

Base::Result<CalendarEvent> decode(const std::string& text) {
    auto json = Base::Json::parse(text);
    if (!json) return json.error();
    return CalendarKit::fromJson<CalendarEvent>(*json);
}

}  // namespace

TEST(CalendarEventTest, JsonRoundTripsWithAndWithoutFamily) {
    const CalendarEvent event = sample();
    EXPECT_EQ(CalendarKit::toJson(event).dump().value(),
              R"({"currency":"USD","family":"cpi","forecast":"0.3%","id":"2026-03-01:USD:core-cpi-m-m:0",)"
              R"("impact":"high","previous":"","time":1773235800,"title":"Core CPI m/m"})");
    auto noFamily = event;
    noFamily.family.reset();
    noFamily.time = Base::Date(1773235800.25);
    const Base::Json json = CalendarKit::toJson(noFamily);
    EXPECT_EQ(json.find("family"), nullptr);
    const auto back = CalendarKit::fromJson<CalendarEvent>(json);
    ASSERT_TRUE(back.ok()) << back.error().message;
    EXPECT_EQ(*back, noFamily);
    EXPECT_EQ(*CalendarKit::fromJson<CalendarEvent>(CalendarKit::toJson(event)), event);
}

TEST(CalendarEventTest, DecodingIsStrictAboutRequiredKeysTypesAndNames) {
    const std::string head = R"({"id":"x","title":"t","currency":"USD","time":1,"forecast":"")";
    const struct {
        std::string json;
        bool decodes;
    } cases[] = {
        {head + R"(,"previous":"","impact":"holiday","family":null,"other":[1]})", true},
        {head + R"(,"previous":"","impact":"low","family":"ism"})", true},
        {head + R"(,"previous":"","impact":"Low"})", false},
        {head + R"(,"previous":"","impact":"low","family":"ISM"})", false},
        {head + R"(,"previous":"","impact":"low","family":7})", false},
        {head + R"(,"impact":"low"})", false},
        {head + R"(,"previous":null,"impact":"low"})", false},
        {R"({"id":"x","title":"t","currency":"USD","impact":"low","time":"1","forecast":"","previous":""})", false},
        {"[]", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(decode(c.json).ok(), c.decodes) << c.json;
    }
}

TEST(CalendarEventTest, NewsEventTakesItsLabelFromTheTitleNotTheStoredFamily) {
    auto event = sample();
    event.family = EventFamily::ism;  // as an older cache might hold it
    EXPECT_EQ(event.currentFamily(), EventFamily::cpi);
    const TradingCore::NewsEvent news = event.newsEvent();
    EXPECT_EQ(news, (TradingCore::NewsEvent{event.id, "Core CPI m/m", "USD", NewsImpact::high, event.time, true,
                                            std::string("CPI")}));

    auto holiday = sample();
    holiday.title = "Bank Holiday";
    holiday.impact = NewsImpact::holiday;
    const auto holidayNews = holiday.newsEvent();
    EXPECT_TRUE(holidayNews.isTimeConfirmed);
    EXPECT_EQ(holidayNews.label, std::nullopt);
    EXPECT_EQ(holidayNews.displayLabel(), "Bank Holiday");
}
