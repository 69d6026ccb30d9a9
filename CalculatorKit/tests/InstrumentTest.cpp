#include "CalculatorKit/Instrument.h"

#include <gtest/gtest.h>

#include "Base/Text.h"
#include "CalculatorKit/InstrumentLibrary.h"
#include "CalculatorKit/tests/TestSupport.h"

using namespace CalculatorKit;
using CalculatorKitTest::dec;
using CalculatorKitTest::parseJson;

TEST(InstrumentLibraryTest, HoldsTheTwelveRowsCfdsFirst) {
    struct Row {
        const char* id;
        const char* dollarsPerPoint;
        const char* tickSize;
        const char* minSize;  // the size step is the same
        bool isVerified;
        const char* microID;
    };
    const Row rows[] = {
        {"NAS100", "1", "0.1", "0.01", false, nullptr}, {"US30", "1", "0.1", "0.01", false, nullptr},
        {"SPX500", "1", "0.1", "0.01", false, nullptr}, {"GER40", "1", "0.1", "0.01", false, nullptr},
        {"NQ", "20", "0.25", "1", true, "MNQ"},         {"MNQ", "2", "0.25", "1", true, nullptr},
        {"ES", "50", "0.25", "1", true, "MES"},         {"MES", "5", "0.25", "1", true, nullptr},
        {"YM", "5", "1", "1", false, "MYM"},            {"MYM", "0.5", "1", "1", false, nullptr},
        {"RTY", "50", "0.1", "1", false, "M2K"},        {"M2K", "5", "0.1", "1", false, nullptr},
    };
    const auto& all = InstrumentLibrary::all();
    ASSERT_EQ(all.size(), std::size(rows));
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Row& row = rows[i];
        const bool isFuture = i >= 4;
        const Instrument expected{row.id,           row.id,
                                  isFuture ? InstrumentKind::future : InstrumentKind::cfdIndex,
                                  dec(row.dollarsPerPoint), dec(row.tickSize), dec(row.minSize), dec(row.minSize),
                                  isFuture ? "contract" : "lot", row.isVerified, all[i].note,
                                  row.microID ? std::optional<std::string>(row.microID) : std::nullopt};
        EXPECT_EQ(all[i], expected) << row.id;
        EXPECT_EQ(all[i], isFuture ? InstrumentLibrary::futures()[i - 4] : InstrumentLibrary::cfdIndices()[i]);
        EXPECT_EQ(InstrumentLibrary::instrument(row.id), all[i]);
    }
    EXPECT_EQ(InstrumentLibrary::futures().size(), 8u);
    EXPECT_EQ(all[0].note, InstrumentLibrary::cfdNote);
    EXPECT_EQ(Base::Text::graphemeCount(InstrumentLibrary::cfdNote), 150u);
    EXPECT_EQ(all[5].note, "Micro E-mini Nasdaq-100: $2 per point, tick 0.25 = $0.50.");
    for (const char* id : {"nq", " NQ", "NQ ", ""}) EXPECT_FALSE(InstrumentLibrary::instrument(id)) << id;
}

TEST(InstrumentJsonTest, RoundTripsWithoutAnAbsentMicroId) {
    for (const auto& row : InstrumentLibrary::all()) {
        const Base::Json json = toJson(row);
        EXPECT_EQ(json.find("microID") != nullptr, row.microID.has_value()) << row.id;
        EXPECT_EQ(fromJson<Instrument>(parseJson(json.dump().value())).value(), row);
    }
    EXPECT_EQ(toJson(*InstrumentLibrary::instrument("MNQ")).dump().value(),
              R"({"dollarsPerPoint":2,"id":"MNQ","isVerified":true,"kind":"future","minSize":1,"name":"MNQ",)"
              R"("note":"Micro E-mini Nasdaq-100: $2 per point, tick 0.25 = $0.50.","sizeStep":1,)"
              R"("tickSize":0.25,"unit":"contract"})");
}

TEST(InstrumentJsonTest, DecodingIsStrictExceptForMicroId) {
    const std::string base =
        R"({"id":"custom:x","name":"X","dollarsPerPoint":20.0,"tickSize":0.25,"minSize":1,"sizeStep":1,)"
        R"("unit":"lot","isVerified":false)";
    const auto good = fromJson<Instrument>(parseJson(base + R"(,"kind":"future","note":"n","microID":null})"));
    ASSERT_TRUE(good.ok()) << good.error().message;
    EXPECT_FALSE(good->microID);
    // Numbers compare by value: 20.0 is the 20 of a row written as 20.
    Instrument expected = CalculatorKitTest::custom("custom:x", "X");
    expected.dollarsPerPoint = Base::Decimal(20);
    expected.unit = "lot";
    expected.note = "n";
    EXPECT_EQ(*good, expected);

    const char* bad[] = {
        R"(,"kind":"future"})",                         // no note
        R"(,"kind":"Future","note":"n"})",              // unknown kind
        R"(,"kind":7,"note":"n"})",                     //
        R"(,"kind":"future","note":null})",             // null required key
        R"(,"kind":"future","note":"n","microID":5})",  // wrong type
    };
    for (const char* tail : bad) EXPECT_FALSE(fromJson<Instrument>(parseJson(base + tail)).ok()) << tail;
    EXPECT_FALSE(fromJson<Instrument>(parseJson("[]")).ok());
}
