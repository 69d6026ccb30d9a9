#include "CalendarKit/Normalization/EventFamilyClassifier.h"

#include <gtest/gtest.h>

using CalendarKit::EventFamily;

TEST(EventFamilyClassifierTest, TitlesFallIntoTheFirstMatchingFamily) {
    const struct {
        const char* title;
        std::optional<EventFamily> family;
    } cases[] = {
        {"ADP Non-Farm Employment Change", EventFamily::adp},
        {"Non-Farm Employment Change", EventFamily::nfp},
        {"Unemployment Rate", EventFamily::unemploymentRate},
        {"Average Hourly Earnings m/m", EventFamily::hourlyEarnings},
        {"Unemployment Claims", EventFamily::jobless},
        {"JOLTS Job Openings", EventFamily::jolts},
        {"Employment Cost Index q/q", EventFamily::eci},
        {"FOMC Meeting Minutes", EventFamily::minutes},
        {"FOMC Press Conference", EventFamily::pressConference},
        {"Fed Chair Speaks", EventFamily::fedChair},
        {"FOMC Member Speaks", EventFamily::fedSpeaker},
        {"FOMC Statement", EventFamily::fomc},
        {"Federal Funds Rate", EventFamily::fomc},
        {"BEIGE BOOK", EventFamily::beige},  // lowercase rules ignore the title's case
        {"Core CPI m/m", EventFamily::cpi},
        {"core cpi m/m", std::nullopt},  // capital rules do not
        {"CPI and PPI together", EventFamily::cpi},
        {"PPI m/m", EventFamily::ppi},
        {"Core PCE Price Index m/m", EventFamily::pce},
        {"Retail Sales m/m", EventFamily::retailSales},
        {"Prelim UoM Consumer Sentiment", EventFamily::umich},
        {"CB Consumer Confidence", EventFamily::consumerConfidence},
        {"Advance GDP q/q", EventFamily::gdp},
        {"ISM Manufacturing PMI", EventFamily::ismManufacturing},
        {"ISM Services PMI", EventFamily::ismServices},
        {"Flash Manufacturing PMI", EventFamily::flashPMI},
        {"Final Services PMI", EventFamily::pmi},
        {"Chicago PMI", EventFamily::pmi},
        {"Core Durable Goods Orders m/m", EventFamily::durableGoods},
        {"Empire State Manufacturing Index", EventFamily::empire},
        {"Philly Fed Manufacturing Index", EventFamily::philly},
        {"Building Permits", EventFamily::housing},
        {"Housing Starts", EventFamily::housing},
        {"Existing Home Sales", EventFamily::homeSales},
        {"Crude Oil Inventories", EventFamily::crude},
        {"Trade Balance", EventFamily::tradeBalance},
        {"10-y Bond Auction", EventFamily::auction},
        {"ISM Index", std::nullopt},  // `ism` has a label but no rule
        {"Bank Holiday", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CalendarKit::EventFamilyClassifier::classify(c.title), c.family) << c.title;
    }
}

TEST(EventFamilyTest, RawValuesAndLabelsOfEveryFamilyInDeclarationOrder) {
    const char* raws[] = {"adp", "nfp", "unemploymentRate", "hourlyEarnings", "jobless", "jolts", "eci", "fomc",
                          "minutes", "pressConference", "fedChair", "fedSpeaker", "beige", "cpi", "ppi", "pce",
                          "retailSales", "umich", "consumerConfidence", "gdp", "ismManufacturing", "ismServices",
                          "flashPMI", "pmi", "durableGoods", "empire", "philly", "housing", "homeSales", "crude",
                          "tradeBalance", "auction", "ism"};
    const char* labels[] = {"ADP", "NFP", "Unemp", "AHE", "Claims", "JOLTS", "ECI", "FOMC", "Minutes", "Presser",
                            "Chair", "Fed Spk", "Beige", "CPI", "PPI", "PCE", "Retail", "UMich", "CB Conf", "GDP",
                            "ISM Mfg", "ISM Svc", "Flash PMI", "PMI", "Durables", "Empire", "Philly", "Housing",
                            "Home Sales", "Crude", "Trade", "Auction", "ISM"};
    const auto& all = CalendarKit::allEventFamilies();
    ASSERT_EQ(std::size(raws), all.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(CalendarKit::rawValue(all[i]), raws[i]);
        EXPECT_EQ(CalendarKit::shortLabel(all[i]), labels[i]);
        EXPECT_EQ(CalendarKit::eventFamilyFromRaw(raws[i]), all[i]);
    }
    for (const char* raw : {"", "ADP", "adp ", "unemploymentrate"}) {
        EXPECT_FALSE(CalendarKit::eventFamilyFromRaw(raw).has_value()) << raw;
    }
}
