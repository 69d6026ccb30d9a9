#include "CalculatorKit/CalculatorSettings.h"

#include <gtest/gtest.h>

#include <sstream>

#include "Base/testing/TemporaryFolder.h"
#include "CalculatorKit/InstrumentLibrary.h"
#include "CalculatorKit/tests/TestSupport.h"

using namespace CalculatorKit;
using Base::Decimal;
using CalculatorKitTest::custom;
using CalculatorKitTest::dec;

namespace {

Base::Result<CalculatorSettings> read(std::string_view text) {
    return fromJson<CalculatorSettings>(CalculatorKitTest::parseJson(text));
}

Instrument library(const char* id) { return *InstrumentLibrary::instrument(id); }

std::string fixture(const std::string& name) {
    return Base::Testing::readBytes(WAYLARK_SOURCE_DIR "/CalculatorKit/tests/data/" + name);
}

}  // namespace

TEST(CalculatorSettingsJsonTest, MissingOrNullKeysReadAsDefaultsAndAllKeysAreWritten) {
    for (const char* text : {"{}", R"({"balance":null,"riskMode":null,"instrumentID":null,"overrides":null,)"
                                   R"("customInstruments":null,"recentStops":null,"commissionPerUnit":null})"}) {
        EXPECT_EQ(read(text).value(), CalculatorSettings()) << text;
    }
    EXPECT_EQ(toJson(CalculatorSettings()).dump().value(),
              R"({"balance":10000,"commissionPerUnit":0,"customInstruments":[],"instrumentID":"NAS100",)"
              R"("overrides":{},"recentStops":[],"riskAmount":100,"riskMode":"percent","riskPercent":0.5,)"
              R"("stopMode":"points","stopPoints":20})");
}

TEST(CalculatorSettingsJsonTest, ModesFallBackSilentlyAndAnyOtherWrongTypeFailsTheRecord) {
    const std::tuple<const char*, RiskMode, StopMode> modes[] = {
        {R"("riskMode":"PERCENT","stopMode":"price")", RiskMode::percent, StopMode::price},
        {R"("riskMode":1,"stopMode":"Price")", RiskMode::percent, StopMode::points},
        {R"("riskMode":"amount","stopMode":["price"])", RiskMode::amount, StopMode::points},
    };
    for (const auto& [text, risk, stop] : modes) {
        const auto settings = read(std::string("{") + text + R"(,"balance":5000})");
        ASSERT_TRUE(settings.ok()) << text;
        EXPECT_EQ(settings->riskMode, risk) << text;
        EXPECT_EQ(settings->stopMode, stop) << text;
        EXPECT_EQ(settings->balance, Decimal(5000)) << text;
    }
    std::istringstream lines(fixture("refused.jsonl"));
    int count = 0;
    for (std::string text; std::getline(lines, text); ++count) EXPECT_FALSE(read(text).ok()) << text;
    EXPECT_EQ(count, 11);
}

TEST(CalculatorSettingsJsonTest, ReadsValuesAsTheyStandAndRoundTrips) {
    const auto settings = read(fixture("as-stored.json"));
    ASSERT_TRUE(settings.ok()) << settings.error().message;
    EXPECT_EQ(settings->balance, Decimal(-5));
    EXPECT_EQ(settings->overrides, (decltype(settings->overrides){{"NQ", {}}, {"YM", {Decimal(6), {}, {}}}}));
    EXPECT_EQ(settings->customInstruments.at(0).microID, "X");
    EXPECT_EQ(settings->recentStops.size(), 6u);
    const Base::Json written = toJson(*settings);
    EXPECT_EQ(written.find("overrides")->find("NQ")->dump().value(), "{}");
    EXPECT_EQ(read(written.dump(true).value()).value(), *settings);
}

TEST(CalculatorSettingsLookupTest, OverridesReplaceTheirFieldsAndMarkTheInstrument) {
    CalculatorSettings settings;
    Instrument blankNote = custom("custom:a");
    blankNote.note = "";
    settings.customInstruments = {custom("NQ"), blankNote, custom("custom:a", "Second")};
    settings.overrides["YM"] = InstrumentOverride{Decimal(6), std::nullopt, std::nullopt};
    settings.overrides["ES"] = InstrumentOverride{};  // changes nothing, not even the verified flag
    settings.overrides["custom:a"] = InstrumentOverride{std::nullopt, Decimal(2), dec("0.5")};

    Instrument ym = library("YM");
    ym.dollarsPerPoint = Decimal(6);
    ym.isVerified = true;
    ym.note += " (values set by you)";
    EXPECT_EQ(settings.instrument("YM"), ym);
    EXPECT_EQ(settings.instrument("ES"), library("ES"));
    EXPECT_EQ(settings.instrument("NQ"), library("NQ"));  // the built-in wins over a custom namesake
    Instrument mine = blankNote;
    mine.minSize = Decimal(2);
    mine.sizeStep = dec("0.5");
    mine.isVerified = true;
    mine.note = " (values set by you)";
    EXPECT_EQ(settings.instrument("custom:a"), mine);
    EXPECT_FALSE(settings.instrument("custom:b"));

    const auto all = settings.allInstruments();
    ASSERT_EQ(all.size(), 15u);
    EXPECT_EQ(all[0], library("NAS100"));
    EXPECT_EQ(all[12], library("NQ"));
    EXPECT_EQ(all[13], mine);
    EXPECT_EQ(all[14], mine);  // an id carried twice shows the first entry

    settings.instrumentID = "custom:missing";
    settings.overrides["NAS100"] = InstrumentOverride{Decimal(10), std::nullopt, std::nullopt};
    EXPECT_EQ(settings.selectedInstrument(), settings.instrument("NAS100"));
    settings.instrumentID = "ES";
    EXPECT_EQ(settings.selectedInstrument().id, "ES");
}

TEST(CalculatorSettingsLookupTest, RememberStopKeepsFiveNewestWithoutRepeats) {
    CalculatorSettings settings;
    settings.recentStops = {20, 15, 10};
    for (const char* stop : {"15.0", "0", "-5"}) settings.rememberStop(dec(stop));
    EXPECT_EQ(settings.recentStops, (std::vector<Decimal>{15, 20, 10}));
    for (int stop : {30, 40, 50}) settings.rememberStop(stop);
    EXPECT_EQ(settings.recentStops, (std::vector<Decimal>{50, 40, 30, 15, 20}));
    settings.rememberStop(Decimal(5'000'000));  // no upper bound here; repair drops it
    EXPECT_EQ(settings.recentStops, (std::vector<Decimal>{5'000'000, 50, 40, 30, 15}));
}

TEST(CalculatorSettingsRepairTest, NumbersOutOfBoundsTakeTheDefaultNotTheBound) {
    using S = CalculatorSettings;
    const std::tuple<Decimal S::*, const char*, const char*> rows[] = {
        {&S::balance, "1000000000", "1000000000"},    {&S::balance, "1000000000.01", "10000"},
        {&S::balance, "0", "10000"},                  {&S::riskPercent, "100", "100"},
        {&S::riskPercent, "0", "0.5"},                {&S::riskPercent, "100.0001", "0.5"},
        {&S::riskAmount, "1000000000", "1000000000"}, {&S::riskAmount, "-1", "100"},
        {&S::stopPoints, "1000000", "1000000"},       {&S::stopPoints, "0", "20"},
        {&S::stopPoints, "1000000.5", "20"},          {&S::commissionPerUnit, "0", "0"},
        {&S::commissionPerUnit, "1000", "1000"},      {&S::commissionPerUnit, "1000.01", "0"},
        {&S::commissionPerUnit, "-0.01", "0"},
    };
    for (const auto& [field, value, kept] : rows) {
        CalculatorSettings settings;
        settings.riskMode = RiskMode::amount;  // modes are copied as they are
        settings.stopMode = StopMode::price;
        settings.*field = dec(value);
        CalculatorSettings expected = settings;
        expected.*field = dec(kept);
        EXPECT_EQ(settings.validated(), expected) << value;
    }
}

TEST(CalculatorSettingsRepairTest, CustomInstrumentsOverridesAndStopsAreCheckedInOrderAndCapped) {
    CalculatorSettings settings;
    Instrument zeroValue = custom("custom:dup");
    zeroValue.dollarsPerPoint = Decimal();
    Instrument zeroTick = custom("custom:tick");
    zeroTick.tickSize = Decimal();
    Instrument bigStep = custom("custom:step");
    bigStep.sizeStep = Decimal(1001);
    Instrument zeroMin = custom("custom:min");
    zeroMin.minSize = Decimal();
    const std::string longest = "custom:" + std::string(73, 'x');  // 80 characters
    settings.customInstruments = {custom("Custom:caps"), custom(longest), custom(longest + "x"), zeroValue,
                                  custom("custom:dup"),  // the failed first entry took the id
                                  zeroTick, bigStep, zeroMin, custom("NQ")};
    for (int i = 1; i <= 6; ++i) settings.customInstruments.push_back(custom("custom:" + std::to_string(i)));
    const InstrumentOverride two{Decimal(2), std::nullopt, std::nullopt};
    settings.overrides = {{"custom:4", two},
                          {"custom:5", two},  // its instrument was past the fifth
                          {"custom:ghost", two},
                          {"NQ", {Decimal(), Decimal(2), std::nullopt}},
                          {"ES", {Decimal(1'000'001), Decimal(), Decimal(1001)}},
                          {"YM", {}},
                          {"MES", {Decimal(1'000'000), Decimal(1'000'000), Decimal(1000)}}};
    settings.instrumentID = "custom:6";
    settings.recentStops = {20, 20, 0, 15, 2'000'000, dec("10.0"), 30, 40, 50, -3};

    const CalculatorSettings repaired = settings.validated();
    std::vector<std::string> ids;
    for (const Instrument& kept : repaired.customInstruments) ids.push_back(kept.id);
    EXPECT_EQ(ids, (std::vector<std::string>{longest, "custom:1", "custom:2", "custom:3", "custom:4"}));
    EXPECT_EQ(repaired.overrides, (decltype(repaired.overrides){{"custom:4", two},
                                                                {"NQ", {std::nullopt, Decimal(2), std::nullopt}},
                                                                {"MES", settings.overrides.at("MES")}}));
    EXPECT_EQ(repaired.instrumentID, "NAS100");
    EXPECT_EQ(repaired.recentStops, (std::vector<Decimal>{20, 15, 10, 30, 40}));
    EXPECT_EQ(repaired.validated(), repaired);
    settings.instrumentID = "custom:4";
    EXPECT_EQ(settings.validated().instrumentID, "custom:4");
}

TEST(CalculatorSettingsRepairTest, RebuildsNameNoteAndMicroId) {
    const std::pair<std::string, std::string> names[] = {
        {"  abcdefghijklmn", "abcdefghij"},  // cut to 12 before the trim
        {" \t \t ", "Custom"},
        {"Dow\r\nMini", "DowMini"},
        {"a\tb\u2028c\u0085d", "abcd"},
        {"\u00a0Süß Index\u3000", "Süß Index"},
    };
    for (const auto& [name, kept] : names) {
        CalculatorSettings settings;
        Instrument entry = custom("custom:n", name);
        entry.microID = "MNQ";
        entry.isVerified = true;
        entry.note = std::string(300, 'n');
        settings.customInstruments = {entry};
        Instrument expected = entry;
        expected.name = kept;
        expected.microID.reset();
        expected.note = std::string(200, 'n');
        EXPECT_EQ(settings.validated().customInstruments, std::vector<Instrument>{expected}) << name;
    }
}
