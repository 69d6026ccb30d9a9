#include "CalculatorKit/Instrument.h"

#include <gtest/gtest.h>

#include <set>

#include "Base/Text.h"
#include "CalculatorKit/InstrumentLibrary.h"
#include "CalculatorKit/tests/TestSupport.h"

using namespace CalculatorKit;
using CalculatorKitTest::dec;
using CalculatorKitTest::parseJson;

TEST(InstrumentLibraryTest, HoldsTwelveRowsCfdsFirstWithUniqueIds) {
    const auto& all = InstrumentLibrary::all();
    std::vector<std::string> ids;
    for (const auto& row : all) ids.push_back(row.id);
    EXPECT_EQ(ids, (std::vector<std::string>{"NAS100", "US30", "SPX500", "GER40", "NQ", "MNQ", "ES", "MES", "YM",
                                             "MYM", "RTY", "M2K"}));
    EXPECT_EQ(std::set<std::string>(ids.begin(), ids.end()).size(), 12u);
    EXPECT_EQ(InstrumentLibrary::cfdIndices().size(), 4u);
    EXPECT_EQ(InstrumentLibrary::futures().size(), 8u);
    for (const auto& row : all) {
        EXPECT_EQ(row.name, row.id);
        EXPECT_EQ(row.unit, row.kind == InstrumentKind::future ? "contract" : "lot");
    }
    EXPECT_EQ(Base::Text::graphemeCount(InstrumentLibrary::cfdNote), 150u);
}

TEST(InstrumentLibraryTest, LooksUpByExactId) {
    const auto nq = InstrumentLibrary::instrument("NQ");
    ASSERT_TRUE(nq);
    EXPECT_EQ(nq->microID, "MNQ");
    EXPECT_EQ(nq->dollarsPerPoint, Base::Decimal(20));
    EXPECT_EQ(nq->tickSize, dec("0.25"));
    EXPECT_TRUE(nq->isVerified);
    EXPECT_FALSE(InstrumentLibrary::instrument("nq"));
    EXPECT_FALSE(InstrumentLibrary::instrument(" NQ"));
    EXPECT_FALSE(InstrumentLibrary::instrument(""));

    const auto mym = InstrumentLibrary::instrument("MYM");
    ASSERT_TRUE(mym);
    EXPECT_EQ(mym->dollarsPerPoint.text(), "0.5");
    EXPECT_EQ(mym->tickSize, Base::Decimal(1));
    EXPECT_FALSE(mym->microID);

    const auto nas = InstrumentLibrary::instrument("NAS100");
    ASSERT_TRUE(nas);
    EXPECT_EQ(nas->minSize.text(), "0.01");
    EXPECT_EQ(nas->kind, InstrumentKind::cfdIndex);
    EXPECT_EQ(nas->note, InstrumentLibrary::cfdNote);
}

TEST(InstrumentJsonTest, RoundTripsWithoutAnAbsentMicroId) {
    for (const auto& row : InstrumentLibrary::all()) {
        const Base::Json json = toJson(row);
        EXPECT_EQ(json.find("microID") != nullptr, row.microID.has_value()) << row.id;
        const auto back = fromJson<Instrument>(parseJson(json.dump()));
        ASSERT_TRUE(back.ok()) << back.error().message;
        EXPECT_EQ(*back, row);
    }
    EXPECT_EQ(toJson(*InstrumentLibrary::instrument("MNQ")).dump(),
              R"({"dollarsPerPoint":2,"id":"MNQ","isVerified":true,"kind":"future","minSize":1,"name":"MNQ",)"
              R"("note":"Micro E-mini Nasdaq-100: $2 per point, tick 0.25 = $0.50.","sizeStep":1,)"
              R"("tickSize":0.25,"unit":"contract"})");
}

TEST(InstrumentJsonTest, DecodingIsStrictExceptForMicroId) {
    const std::string base =
        R"("id":"custom:x","name":"X","dollarsPerPoint":20.0,"tickSize":0.25,"minSize":1,"sizeStep":1,)"
        R"("unit":"lot","isVerified":false)";
    const auto good = fromJson<Instrument>(parseJson("{" + base + R"(,"kind":"future","note":"n","microID":null})"));
    ASSERT_TRUE(good.ok()) << good.error().message;
    EXPECT_FALSE(good->microID);
    EXPECT_EQ(good->dollarsPerPoint, Base::Decimal(20));

    const char* bad[] = {
        R"(,"kind":"future"})",                               // no note
        R"(,"kind":"Future","note":"n"})",                    // unknown kind
        R"(,"kind":"index","note":"n"})",                     //
        R"(,"kind":"future","note":null})",                   // null required key
        R"(,"kind":"future","note":"n","microID":5})",        // wrong type
        R"(,"kind":7,"note":"n"})",                           //
    };
    for (const char* tail : bad) {
        EXPECT_FALSE(fromJson<Instrument>(parseJson("{" + base + tail)).ok()) << tail;
    }
    EXPECT_FALSE(fromJson<Instrument>(parseJson("[]")).ok());
}

TEST(InstrumentTest, EqualityComparesNumbersByValue) {
    Instrument a = *InstrumentLibrary::instrument("NQ");
    Instrument b = a;
    b.dollarsPerPoint = dec("20.0");
    EXPECT_EQ(a, b);
    b.microID.reset();
    EXPECT_NE(a, b);
    b = a;
    b.note += " ";
    EXPECT_NE(a, b);
}
