#include "CalendarKit/Normalization/EventFamilyClassifier.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using CalendarKit::EventFamily;
using CalendarKit::EventFamilyClassifier::classify;

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
        {"Fed Chair Powell Speaks", EventFamily::fedChair},
        {"Fed Chair Speaks", EventFamily::fedChair},
        {"FOMC Member Waller Speaks", EventFamily::fedSpeaker},
        {"FOMC Member Speaks", EventFamily::fedSpeaker},
        {"FOMC Statement", EventFamily::fomc},
        {"Federal Funds Rate", EventFamily::fomc},
        {"Beige Book", EventFamily::beige},
        {"BEIGE BOOK", EventFamily::beige},
        {"Core CPI m/m", EventFamily::cpi},
        {"core cpi m/m", std::nullopt},
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
        {"Bank Holiday", std::nullopt},
        {"", std::nullopt},
        // Lowercase tests use the full Unicode mapping of the title.
        {"RETAIL SALES", EventFamily::retailSales},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(classify(c.title), c.family) << c.title;
    }
}

TEST(EventFamilyClassifierTest, IsmIsNeverTheResultOfClassification) {
    for (const char* title : {"ISM", "ISM Index", "ISM Report", "Prices ISM"}) {
        EXPECT_NE(classify(title), EventFamily::ism) << title;
    }
}

TEST(EventFamilyTest, LabelsAndRawValuesOfEveryFamily) {
    const struct {
        EventFamily family;
        const char* raw;
        const char* label;
    } cases[] = {
        {EventFamily::adp, "adp", "ADP"},
        {EventFamily::nfp, "nfp", "NFP"},
        {EventFamily::unemploymentRate, "unemploymentRate", "Unemp"},
        {EventFamily::hourlyEarnings, "hourlyEarnings", "AHE"},
        {EventFamily::jobless, "jobless", "Claims"},
        {EventFamily::jolts, "jolts", "JOLTS"},
        {EventFamily::eci, "eci", "ECI"},
        {EventFamily::fomc, "fomc", "FOMC"},
        {EventFamily::minutes, "minutes", "Minutes"},
        {EventFamily::pressConference, "pressConference", "Presser"},
        {EventFamily::fedChair, "fedChair", "Chair"},
        {EventFamily::fedSpeaker, "fedSpeaker", "Fed Spk"},
        {EventFamily::beige, "beige", "Beige"},
        {EventFamily::cpi, "cpi", "CPI"},
        {EventFamily::ppi, "ppi", "PPI"},
        {EventFamily::pce, "pce", "PCE"},
        {EventFamily::retailSales, "retailSales", "Retail"},
        {EventFamily::umich, "umich", "UMich"},
        {EventFamily::consumerConfidence, "consumerConfidence", "CB Conf"},
        {EventFamily::gdp, "gdp", "GDP"},
        {EventFamily::ismManufacturing, "ismManufacturing", "ISM Mfg"},
        {EventFamily::ismServices, "ismServices", "ISM Svc"},
        {EventFamily::flashPMI, "flashPMI", "Flash PMI"},
        {EventFamily::pmi, "pmi", "PMI"},
        {EventFamily::durableGoods, "durableGoods", "Durables"},
        {EventFamily::empire, "empire", "Empire"},
        {EventFamily::philly, "philly", "Philly"},
        {EventFamily::housing, "housing", "Housing"},
        {EventFamily::homeSales, "homeSales", "Home Sales"},
        {EventFamily::crude, "crude", "Crude"},
        {EventFamily::tradeBalance, "tradeBalance", "Trade"},
        {EventFamily::auction, "auction", "Auction"},
        {EventFamily::ism, "ism", "ISM"},
    };
    const auto& all = CalendarKit::allEventFamilies();
    ASSERT_EQ(std::size(cases), all.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(all[i], cases[i].family) << "declaration order at " << i;
        EXPECT_EQ(CalendarKit::rawValue(cases[i].family), cases[i].raw);
        EXPECT_EQ(CalendarKit::shortLabel(cases[i].family), cases[i].label);
        EXPECT_EQ(CalendarKit::eventFamilyFromRaw(cases[i].raw), cases[i].family);
    }
    for (const char* raw : {"", "ADP", "Adp", "adp ", "unknown", "unemploymentrate"}) {
        EXPECT_FALSE(CalendarKit::eventFamilyFromRaw(raw).has_value()) << raw;
    }
}
