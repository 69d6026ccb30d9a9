#include "CalculatorKit/CalculatorSettings.h"

#include <gtest/gtest.h>

#include "CalculatorKit/InstrumentLibrary.h"
#include "CalculatorKit/tests/TestSupport.h"

using namespace CalculatorKit;
using Base::Decimal;
using CalculatorKitTest::dec;

namespace {

Instrument custom(std::string id, std::string name = "Mine") {
    return Instrument{std::move(id), std::move(name), InstrumentKind::cfdIndex, Decimal(10), dec("0.5"), Decimal(1),
                      Decimal(1),    "lot",           false,                    "own",       std::nullopt};
}

}  // namespace

TEST(CalculatorSettingsLookupTest, OverrideReplacesItsFieldsAndMarksTheInstrument) {
    CalculatorSettings settings;
    settings.overrides["YM"] = InstrumentOverride{Decimal(6), std::nullopt, std::nullopt};
    const auto ym = settings.instrument("YM");
    const auto row = *InstrumentLibrary::instrument("YM");
    ASSERT_TRUE(ym);
    EXPECT_EQ(ym->dollarsPerPoint, Decimal(6));
    EXPECT_EQ(ym->tickSize, row.tickSize);
    EXPECT_EQ(ym->minSize, row.minSize);
    EXPECT_EQ(ym->sizeStep, row.sizeStep);
    EXPECT_TRUE(ym->isVerified);
    EXPECT_EQ(ym->note, row.note + " (values set by you)");

    settings.overrides["YM"] = InstrumentOverride{};
    EXPECT_EQ(settings.instrument("YM"), row);
}

TEST(CalculatorSettingsLookupTest, BuiltInWinsOverCustomAndOverridesApplyToCustom) {
    CalculatorSettings settings;
    Instrument fakeNQ = custom("NQ");
    Instrument blankNote = custom("custom:a");
    blankNote.note = "";
    settings.customInstruments = {fakeNQ, blankNote, custom("custom:a", "Second")};
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
    EXPECT_EQ(all[12], *InstrumentLibrary::instrument("NQ"));
    EXPECT_EQ(all[13], *mine);
    EXPECT_EQ(all[14], *mine);  // an id carried twice shows the first entry
}

TEST(CalculatorSettingsLookupTest, SelectedInstrumentFallsBackToNas100WithItsOverride) {
    CalculatorSettings settings;
    settings.instrumentID = "custom:missing";
    settings.overrides["NAS100"] = InstrumentOverride{Decimal(10), std::nullopt, std::nullopt};
    const Instrument selected = settings.selectedInstrument();
    EXPECT_EQ(selected.id, "NAS100");
    EXPECT_EQ(selected.dollarsPerPoint, Decimal(10));
    settings.instrumentID = "ES";
    EXPECT_EQ(settings.selectedInstrument().id, "ES");
}

TEST(CalculatorSettingsLookupTest, RememberStopKeepsFiveNewestWithoutRepeats) {
    CalculatorSettings settings;
    for (const char* stop : {"10", "20", "30", "40", "50", "60"}) settings.rememberStop(dec(stop));
    EXPECT_EQ(settings.recentStops, (std::vector<Decimal>{60, 50, 40, 30, 20}));
    settings.rememberStop(dec("40.0"));
    EXPECT_EQ(settings.recentStops, (std::vector<Decimal>{40, 60, 50, 30, 20}));
    settings.rememberStop(Decimal());
    settings.rememberStop(dec("-5"));
    EXPECT_EQ(settings.recentStops, (std::vector<Decimal>{40, 60, 50, 30, 20}));
    settings.rememberStop(Decimal(5'000'000));  // no upper bound here; repair drops it
    EXPECT_EQ(settings.recentStops.front(), Decimal(5'000'000));
    EXPECT_EQ(settings.validated().recentStops, (std::vector<Decimal>{40, 60, 50, 30}));
}
