#include "CalculatorKit/CalculatorSettings.h"

#include <gtest/gtest.h>

#include "CalculatorKit/tests/TestSupport.h"

using namespace CalculatorKit;
using Base::Decimal;
using CalculatorKitTest::dec;
using CalculatorKitTest::parseJson;

namespace {

Base::Result<CalculatorSettings> read(std::string_view text) { return fromJson<CalculatorSettings>(parseJson(text)); }

}  // namespace

TEST(CalculatorSettingsJsonTest, MissingOrNullKeysReadAsDefaultsAndAllKeysAreWritten) {
    for (const char* text : {"{}", R"({"balance":null,"riskMode":null,"instrumentID":null,"overrides":null,)"
                                   R"("customInstruments":null,"recentStops":null,"commissionPerUnit":null})"}) {
        EXPECT_EQ(read(text).value(), CalculatorSettings()) << text;
    }
    EXPECT_EQ(CalculatorSettings().riskPercent.text(), "0.5");
    EXPECT_EQ(toJson(CalculatorSettings()).dump().value(),
              R"({"balance":10000,"commissionPerUnit":0,"customInstruments":[],"instrumentID":"NAS100",)"
              R"("overrides":{},"recentStops":[],"riskAmount":100,"riskMode":"percent","riskPercent":0.5,)"
              R"("stopMode":"points","stopPoints":20})");
}

TEST(CalculatorSettingsJsonTest, ModesFallBackSilentlyAndAnyOtherWrongTypeFailsTheRecord) {
    struct Row {
        const char* modes;
        RiskMode risk;
        StopMode stop;
    };
    const Row rows[] = {
        {R"("riskMode":"PERCENT","stopMode":"price")", RiskMode::percent, StopMode::price},
        {R"("riskMode":1,"stopMode":"Price")", RiskMode::percent, StopMode::points},
        {R"("riskMode":"amount","stopMode":["price"])", RiskMode::amount, StopMode::points},
    };
    for (const auto& row : rows) {
        const auto settings = read(std::string("{") + row.modes + R"(,"balance":5000})");
        ASSERT_TRUE(settings.ok()) << row.modes;
        EXPECT_EQ(settings->riskMode, row.risk) << row.modes;
        EXPECT_EQ(settings->stopMode, row.stop) << row.modes;
        EXPECT_EQ(settings->balance, Decimal(5000)) << row.modes;
    }

    const char* bad[] = {
        R"({"balance":"10000"})",          R"({"riskPercent":true})",
        R"({"instrumentID":5})",           R"({"overrides":[]})",
        R"({"overrides":{"NQ":null}})",    R"({"overrides":{"NQ":{"minSize":"2"}}})",
        R"({"customInstruments":{}})",     R"({"customInstruments":[{"id":"custom:a"}]})",
        R"({"recentStops":[10,"20"]})",    R"({"recentStops":[10,null]})",
        R"([])",                           R"("calculator")",
    };
    for (const char* text : bad) EXPECT_FALSE(read(text).ok()) << text;
}

TEST(CalculatorSettingsJsonTest, ReadsValuesAsTheyStandAndRoundTrips) {
    const auto settings = read(
        R"({"balance":-5,"riskPercent":250,"riskAmount":1e-3,"instrumentID":"custom:gone",)"
        R"("stopPoints":1234567890123456789.0123456789012345678,)"
        R"("overrides":{"NQ":{},"YM":{"minSize":null,"dollarsPerPoint":6}},)"
        R"("customInstruments":[{"id":"bad","name":"B","kind":"cfdIndex","dollarsPerPoint":1,"tickSize":0.1,)"
        R"("minSize":0.01,"sizeStep":0.01,"unit":"lot","isVerified":false,"note":"","microID":"X"}],)"
        R"("recentStops":[1,2,3,4,5,6],"unknown":{"anything":[1]}})");
    ASSERT_TRUE(settings.ok()) << settings.error().message;
    EXPECT_EQ(settings->balance, Decimal(-5));
    EXPECT_EQ(settings->riskPercent, Decimal(250));
    EXPECT_EQ(settings->riskAmount.text(), "0.001");
    EXPECT_EQ(settings->stopPoints.text(), "1234567890123456789.0123456789012345678");
    ASSERT_EQ(settings->overrides.size(), 2u);
    EXPECT_TRUE(settings->overrides.at("NQ").isEmpty());
    EXPECT_EQ(settings->overrides.at("YM"), (InstrumentOverride{Decimal(6), std::nullopt, std::nullopt}));
    EXPECT_EQ(settings->customInstruments.at(0).microID, "X");
    EXPECT_EQ(settings->recentStops.size(), 6u);

    const Base::Json written = toJson(*settings);
    EXPECT_EQ(written.find("overrides")->find("NQ")->dump().value(), "{}");
    EXPECT_EQ(read(written.dump(true).value()).value(), *settings);
}

TEST(CalculatorSettingsJsonTest, EqualityIsNumericAndOrderSensitiveForLists) {
    const CalculatorSettings a =
        read(R"({"riskPercent":0.5,"recentStops":[10,20],"overrides":{"NQ":{"minSize":2},"ES":{}}})").value();
    CalculatorSettings b =
        read(R"({"overrides":{"ES":{},"NQ":{"minSize":2.0}},"riskPercent":0.50,"recentStops":[10,20]})").value();
    EXPECT_EQ(a, b);
    b.recentStops = {Decimal(20), Decimal(10)};
    EXPECT_NE(a, b);

    CalculatorSettings c;
    c.customInstruments = {CalculatorKitTest::custom("custom:a"), CalculatorKitTest::custom("custom:b")};
    CalculatorSettings d = c;
    std::swap(d.customInstruments[0], d.customInstruments[1]);
    EXPECT_NE(c, d);
}
