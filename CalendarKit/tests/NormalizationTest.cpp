// From feed entries to calendar events: ids, week keys, slugs and families.
#include <gtest/gtest.h>

#include "CalendarKit/Normalization/EventFamilyClassifier.h"
#include "CalendarKit/Normalization/EventNormalizer.h"
#include "CalendarKit/tests/CalendarTestSupport.h"

namespace Normalizer = CalendarKit::EventNormalizer;
using CalendarKit::EventFamily;
using CalendarTest::feed;
using CalendarTest::newYork;

TEST(EventNormalizerTest, WeekKeysAreTheNewYorkSundayOfTheEventsWeek) {
    const Base::Date sunday2amUtc = *Base::Calendar(Base::TimeZone::utc()).date(2026, 3, 8, 2);
    const std::pair<Base::Date, const char*> cases[] = {
        {newYork(2026, 3, 7, 23, 30), "2026-03-01"},    {newYork(2026, 3, 8), "2026-03-08"},  // clocks spring forward
        {sunday2amUtc, "2026-03-01"},                   {newYork(2024, 1, 1, 10), "2023-12-31"},
        {newYork(2026, 11, 1, 23, 59), "2026-11-01"},  // clocks fall back
        {newYork(2026, 10, 31, 23, 59), "2026-10-25"},
    };
    for (const auto& [time, key] : cases) {
        EXPECT_EQ(Normalizer::weekKey(time, Normalizer::newYork()), key) << time.secondsSince1970;
    }
    EXPECT_EQ(Normalizer::weekKey(sunday2amUtc, Base::TimeZone::utc()), "2026-03-08");
}

TEST(EventNormalizerTest, SlugsKeepLettersAndNumbersOfAnyScriptAndCollapseTheRest) {
    const std::pair<const char*, const char*> cases[] = {
        {"3.5% Target", "3-5-target"},
        {"  --  Leading, trailing & doubled --  ", "leading-trailing-doubled"},
        {"?!. ,", ""},
        {"Zu\xCC\x88rich Index", "zu\xCC\x88rich-index"},  // decomposed ü stays one character
        {"Tankan ½ Index", "tankan-½-index"},
        {"日銀 政策金利", "日銀-政策金利"},
        {"İstanbul", "i\xCC\x87stanbul"},  // full lowercase mapping of the dotted capital I
        {"Oil\tInventories\r\n€", "oil-inventories"},
    };
    for (const auto& [title, slug] : cases) EXPECT_EQ(Normalizer::slug(title), slug) << title;
}

TEST(EventNormalizerTest, OccurrenceCountersFollowTimeOrderPerBaseAndCall) {
    const auto events = Normalizer::normalize(
        {feed("Fed Chair Speaks", newYork(2026, 3, 4, 14)),
         feed("Fed Chair Speaks", newYork(2026, 3, 4, 8, 30), "USD", "earlier"),
         feed("CPI m/m", newYork(2026, 3, 4, 8, 30)), feed("CPI m/m", newYork(2026, 3, 4, 8, 30), "EUR"),
         feed("CPI m/m", newYork(2026, 3, 10, 8, 30)), feed("?!", newYork(2026, 3, 5, 9)),
         feed("CPI m/m", newYork(2026, 3, 4, 8, 30), "usd"), feed("Bank Holiday", newYork(2026, 3, 8), "JPY"),
         feed("Bank Holiday", newYork(2026, 3, 7, 23, 59), "JPY")},
        Normalizer::newYork());
    EXPECT_EQ(CalendarTest::ids(events),
              (std::vector<std::string>{"2026-03-01:USD:fed-chair-speaks:0", "2026-03-01:USD:cpi-m-m:0",
                                        "2026-03-01:EUR:cpi-m-m:0", "2026-03-01:usd:cpi-m-m:0",
                                        "2026-03-01:USD:fed-chair-speaks:1", "2026-03-01:USD::0",
                                        "2026-03-01:JPY:bank-holiday:0", "2026-03-08:JPY:bank-holiday:0",
                                        "2026-03-08:USD:cpi-m-m:0"}));
    // The rest is copied as fed, the family found from the title.
    EXPECT_EQ(events[0], (CalendarKit::CalendarEvent{"2026-03-01:USD:fed-chair-speaks:0", "Fed Chair Speaks", "USD",
                                                     TradingCore::NewsImpact::high, newYork(2026, 3, 4, 8, 30),
                                                     EventFamily::fedChair, "earlier", "0.9%"}));
    // Each call counts afresh: alone, the 14:00 speech is the first of its week.
    EXPECT_EQ(Normalizer::normalize({feed("Fed Chair Speaks", newYork(2026, 3, 4, 14))}, Normalizer::newYork())[0].id,
              "2026-03-01:USD:fed-chair-speaks:0");

    // Enough equal times that an unstable sort would reorder them.
    std::vector<CalendarKit::FeedEvent> many;
    for (int i = 0; i < 60; ++i) {
        many.push_back(feed("Speech", newYork(2026, 3, 4, 10 + i % 3), "USD", std::to_string(i)));
    }
    const auto sorted = Normalizer::normalize(many, Normalizer::newYork());
    for (std::size_t i = 0; i < sorted.size(); ++i) EXPECT_EQ(sorted[i].forecast, std::to_string(i % 20 * 3 + i / 20));
}

TEST(EventFamilyClassifierTest, TitlesFallIntoTheFirstMatchingFamily) {
    const std::pair<const char*, std::optional<EventFamily>> cases[] = {
        {"ADP Non-Farm Employment Change", EventFamily::adp}, {"Non-Farm Employment Change", EventFamily::nfp},
        {"Unemployment Rate", EventFamily::unemploymentRate}, {"Unemployment Claims", EventFamily::jobless},
        {"FOMC Meeting Minutes", EventFamily::minutes},       {"FOMC Press Conference", EventFamily::pressConference},
        {"Fed Chair Speaks", EventFamily::fedChair},          {"FOMC Member Speaks", EventFamily::fedSpeaker},
        {"FOMC Statement", EventFamily::fomc},                {"Federal Funds Rate", EventFamily::fomc},
        {"BEIGE BOOK", EventFamily::beige},  // lowercase rules ignore the title's case
        {"core cpi m/m", std::nullopt},      // capital rules do not
        {"CPI and PPI together", EventFamily::cpi},           {"ISM Manufacturing PMI", EventFamily::ismManufacturing},
        {"ISM Services PMI", EventFamily::ismServices},        {"Flash Manufacturing PMI", EventFamily::flashPMI},
        {"Final Services PMI", EventFamily::pmi},             {"Building Permits", EventFamily::housing},
        {"Housing Starts", EventFamily::housing},             {"ISM Index", std::nullopt},  // `ism` has no rule
    };
    for (const auto& [title, family] : cases) {
        EXPECT_EQ(CalendarKit::EventFamilyClassifier::classify(title), family) << title;
    }
}

TEST(EventFamilyTest, RawValuesAndLabelsOfEveryFamilyInDeclarationOrder) {
    std::string all;
    for (const EventFamily family : CalendarKit::allEventFamilies()) {
        EXPECT_EQ(CalendarKit::eventFamilyFromRaw(CalendarKit::rawValue(family)), family);
        all += std::string(CalendarKit::rawValue(family)) + "=" + std::string(CalendarKit::shortLabel(family)) + ";";
    }
    EXPECT_EQ(all,
              "adp=ADP;nfp=NFP;unemploymentRate=Unemp;hourlyEarnings=AHE;jobless=Claims;jolts=JOLTS;eci=ECI;"
              "fomc=FOMC;minutes=Minutes;pressConference=Presser;fedChair=Chair;fedSpeaker=Fed Spk;beige=Beige;"
              "cpi=CPI;ppi=PPI;pce=PCE;retailSales=Retail;umich=UMich;consumerConfidence=CB Conf;gdp=GDP;"
              "ismManufacturing=ISM Mfg;ismServices=ISM Svc;flashPMI=Flash PMI;pmi=PMI;durableGoods=Durables;"
              "empire=Empire;philly=Philly;housing=Housing;homeSales=Home Sales;crude=Crude;tradeBalance=Trade;"
              "auction=Auction;ism=ISM;");
    EXPECT_EQ(CalendarKit::eventFamilyFromRaw("unemploymentrate"), std::nullopt);
}

TEST(CalendarEventTest, NewsEventTakesItsLabelFromTheTitleNotTheStoredFamily) {
    CalendarKit::CalendarEvent event{"id", "Core CPI m/m", "USD", TradingCore::NewsImpact::high, Base::Date(1e9),
                                     EventFamily::ism, "0.3%", ""};  // as an older cache might hold it
    EXPECT_EQ(event.newsEvent(), (TradingCore::NewsEvent{"id", "Core CPI m/m", "USD", TradingCore::NewsImpact::high,
                                                         Base::Date(1e9), true, std::string("CPI")}));
    event.title = "Bank Holiday";
    EXPECT_EQ(event.newsEvent().label, std::nullopt);
}
