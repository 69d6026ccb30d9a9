#include "CalculatorKit/CalculatorSettings.h"

#include <gtest/gtest.h>

#include "CalculatorKit/InstrumentLibrary.h"
#include "CalculatorKit/tests/TestSupport.h"

using namespace CalculatorKit;
using Base::Decimal;
using CalculatorKitTest::custom;
using CalculatorKitTest::dec;

TEST(CalculatorSettingsLookupTest, OverrideReplacesItsFieldsAndMarksTheInstrument) {
    CalculatorSettings settings;
    settings.overrides["YM"] = InstrumentOverride{Decimal(6), std::nullopt, std::nullopt};
    Instrument expected = *InstrumentLibrary::instrument("YM");
    expected.dollarsPerPoint = Decimal(6);
    expected.isVerified = true;
    expected.note += " (values set by you)";
    EXPECT_EQ(settings.instrument("YM"), expected);

    // An override without a field changes nothing, not even the verified flag.
    settings.overrides["YM"] = InstrumentOverride{};
    EXPECT_EQ(settings.instrument("YM"), InstrumentLibrary::instrument("YM"));
}

TEST(CalculatorSettingsLookupTest, BuiltInWinsOverCustomAndOverridesApplyToCustom) {
    CalculatorSettings settings;
    Instrument blankNote = custom("custom:a");
    blankNote.note = "";
    settings.customInstruments = {custom("NQ"), blankNote, custom("custom:a", "Second")};
    settings.overrides["custom:a"] = InstrumentOverride{std::nullopt, Decimal(2), dec("0.5")};

    EXPECT_EQ(settings.instrument("NQ"), InstrumentLibrary::instrument("NQ"));
    const auto mine = settings.instrument("custom:a");
    ASSERT_TRUE(mine);
    EXPECT_EQ(mine->name, "Mine");
    EXPECT_EQ(mine->minSize, Decimal(2));
    EXPECT_EQ(mine->sizeStep, dec("0.5"));
    EXPECT_EQ(mine->note, " (values set by you)");
    EXPECT_FALSE(settings.instrument("custom:b"));

    const auto all = settings.allInstruments();
    ASSERT_EQ(all.size(), 15u);
    EXPECT_EQ(all[0], *InstrumentLibrary::instrument("NAS100"));
    EXPECT_EQ(all[12], *InstrumentLibrary::instrument("NQ"));
    EXPECT_EQ(all[13], *mine);
    EXPECT_EQ(all[14], *mine);  // an id carried twice shows the first entry
}

TEST(CalculatorSettingsLookupTest, SelectedInstrumentFallsBackToNas100WithItsOverride) {
    CalculatorSettings settings;
    settings.instrumentID = "custom:missing";
    settings.overrides["NAS100"] = InstrumentOverride{Decimal(10), std::nullopt, std::nullopt};
    EXPECT_EQ(settings.selectedInstrument(), settings.instrument("NAS100"));
    EXPECT_EQ(settings.selectedInstrument().dollarsPerPoint, Decimal(10));
    settings.instrumentID = "ES";
    EXPECT_EQ(settings.selectedInstrument().id, "ES");
}

TEST(CalculatorSettingsLookupTest, RememberStopKeepsFiveNewestWithoutRepeats) {
    CalculatorSettings settings;
    settings.recentStops = {20, 15, 10};
    settings.rememberStop(dec("15.0"));
    EXPECT_EQ(settings.recentStops, (std::vector<Decimal>{15, 20, 10}));
    settings.rememberStop(Decimal());
    settings.rememberStop(dec("-5"));
    EXPECT_EQ(settings.recentStops, (std::vector<Decimal>{15, 20, 10}));
    for (int stop : {30, 40, 50}) settings.rememberStop(stop);
    EXPECT_EQ(settings.recentStops, (std::vector<Decimal>{50, 40, 30, 15, 20}));
    settings.rememberStop(Decimal(5'000'000));  // no upper bound here; repair drops it
    EXPECT_EQ(settings.recentStops, (std::vector<Decimal>{5'000'000, 50, 40, 30, 15}));
}
