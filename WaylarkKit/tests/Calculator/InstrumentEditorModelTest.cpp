#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "Base/testing/NotificationCounter.h"
#include "CalculatorKit/InstrumentLibrary.h"
#include "WaylarkKit/Calculator/InstrumentEditorModel.h"
#include "WaylarkKit/tests/Calculator/CalculatorFixture.h"

using namespace WaylarkKit;
using CalculatorTesting::dec;
using Field = InstrumentEditorModel::Field;

namespace {

class InstrumentEditorModelTest : public ::testing::Test, protected CalculatorTesting::SettingsFixture {
protected:
    InstrumentEditorModel editor{settings};

    std::string addCustom() {
        editor.addCustom();
        return calculator().instrumentID;
    }
};

}  // namespace

TEST_F(InstrumentEditorModelTest, TypedValuesAndTheirMessages) {
    const std::optional<std::string> none;
    const std::string notNumber(InstrumentEditorModel::notANumberMessage);
    const std::string notAboveZero(InstrumentEditorModel::notAboveZeroMessage);
    const struct {
        const char* instrument;
        Field field;
        const char* typed;
        std::optional<std::string> message;
        const char* stored;  // what the field shows once editing ends
    } cases[] = {
        {"NAS100", Field::perPoint, "2,5", none, "2.5"},
        {"NAS100", Field::perPoint, "", none, "2.5"},
        {"NAS100", Field::perPoint, "-1", notNumber, "2.5"},
        {"NAS100", Field::sizeStep, "0", notAboveZero, "0.01"},
        {"NAS100", Field::sizeStep, "0.5", none, "0.5"},
        {"NAS100", Field::minSize, "2000000", "Must be 1,000,000 or less.", "0.01"},
        {"NAS100", Field::sizeStep, "1001", "Must be 1,000 or less.", "0.5"},
        {"NQ", Field::commission, "1001", "Commission is per contract, round trip, in dollars.", "0"},
        {"NQ", Field::commission, "1000", none, "1000"},
        {"NAS100", Field::commission, "4.5", none, "4.5"},
        {"NQ", Field::name, "Renamed", none, "NQ"},  // library names stay
    };
    for (const auto& c : cases) {
        editor.select(c.instrument);
        editor.edit(c.field, c.typed);
        EXPECT_EQ(editor.message(), c.message) << c.typed;
        EXPECT_EQ(editor.displayText(c.field), c.typed);
        editor.endEditing();
        EXPECT_EQ(editor.message(), std::nullopt);
        EXPECT_EQ(editor.displayText(c.field), c.stored) << c.typed;
    }
}

TEST_F(InstrumentEditorModelTest, OverridesKeepOnlyWhatDiffersFromTheLibrary) {
    editor.select("ES");
    editor.edit(Field::perPoint, "50");  // the library's own value
    EXPECT_FALSE(editor.hasOverride());

    editor.edit(Field::minSize, "2");
    editor.edit(Field::perPoint, "45");
    EXPECT_EQ(calculator().overrides.at("ES"), (CalculatorKit::InstrumentOverride{dec("45"), dec("2"), std::nullopt}));
    EXPECT_TRUE(editor.instrument().isVerified);
    editor.edit(Field::minSize, "1");
    EXPECT_EQ(calculator().overrides.at("ES"),
              (CalculatorKit::InstrumentOverride{dec("45"), std::nullopt, std::nullopt}));

    editor.edit(Field::commission, "3");
    editor.resetToDefault();
    EXPECT_FALSE(editor.hasOverride());
    EXPECT_EQ(calculator().commissionPerUnit, 3);
}

TEST_F(InstrumentEditorModelTest, AddingRenamingAndRemovingCustomInstruments) {
    Base::Testing::NotificationCounter focus([&](auto o) { return editor.observeFocusNameID(o); });
    const std::string id = addCustom();
    EXPECT_TRUE(id.starts_with("custom:"));
    EXPECT_EQ(id.size(), 43u);
    EXPECT_EQ(editor.focusNameID(), id);
    EXPECT_EQ(editor.instrument().name, "My index");
    EXPECT_EQ(editor.instrument().unit, "lot");

    // clang-format off
    const struct { const char* typed; const char* stored; } names[] = {
        {"Twenty characters!!!", "Twenty chara"}, {" ", "Custom"}, {"DAX\n40\u2028x", "DAX40x"}, {" Gold ", "Gold"}
    };
    // clang-format on
    for (const auto& c : names) {
        editor.edit(Field::name, c.typed);
        EXPECT_EQ(editor.instrument().name, c.stored) << c.typed;
    }

    editor.edit(Field::perPoint, "10");
    EXPECT_EQ(editor.instrument().dollarsPerPoint, 10);
    EXPECT_TRUE(calculator().overrides.empty());

    for (int i = 0; i < 4; ++i) addCustom();
    EXPECT_EQ(calculator().customInstruments.size(), 5u);
    const std::string fifth = calculator().instrumentID;
    editor.edit(Field::minSize, "3");
    EXPECT_EQ(focus.take(), 5u);
    editor.addCustom();  // a sixth: only ends editing
    EXPECT_EQ(calculator().customInstruments.size(), 5u);
    EXPECT_EQ(editor.focusNameID(), fifth);
    EXPECT_EQ(focus.take(), 0u);
    EXPECT_TRUE(editor.drafts().empty());

    editor.select("NQ");
    editor.edit(Field::perPoint, "x");
    editor.removeCustom();  // a library instrument: nothing, not even the end of editing
    EXPECT_EQ(editor.displayText(Field::perPoint), "x");

    editor.select(id);
    editor.removeCustom();
    EXPECT_EQ(calculator().customInstruments.size(), 4u);
    EXPECT_EQ(calculator().instrumentID, "NAS100");
}

// The settings' repair drops a custom instrument whose value leaves its
// bounds, so such a value must never reach it.
TEST_F(InstrumentEditorModelTest, OutOfRangeValuesNeverDeleteACustomInstrument) {
    const std::string id = addCustom();
    editor.edit(Field::perPoint, "25");
    // clang-format off
    const struct { Field field; const char* typed; } cases[] = {
        {Field::perPoint, "1000001"}, {Field::minSize, "1,000,000.5"}, {Field::sizeStep, "1000.01"}
    };
    // clang-format on
    for (const auto& c : cases) {
        const auto before = calculator();
        editor.edit(c.field, c.typed);
        EXPECT_TRUE(editor.message().has_value()) << c.typed;
        EXPECT_EQ(calculator(), before) << c.typed;
    }
    EXPECT_EQ(calculator().instrumentID, id);
    EXPECT_EQ(editor.instrument().dollarsPerPoint, 25);

    // A test trade that works out above the bound cannot be used either.
    editor.edit(Field::calibrationSize, "0.01");
    editor.edit(Field::calibrationPoints, "1");
    editor.edit(Field::calibrationProfit, "20000");
    EXPECT_EQ(editor.calibratedValue(), dec("2000000"));
    EXPECT_FALSE(editor.canUseCalibration());
    editor.useCalibration();
    EXPECT_EQ(calculator().customInstruments.size(), 1u);
    EXPECT_EQ(editor.instrument().dollarsPerPoint, 25);
}

TEST_F(InstrumentEditorModelTest, CalibrationFromAKnownTrade) {
    // clang-format off
    const struct { const char* size; const char* points; const char* profit; std::optional<Base::Decimal> value; } cases[] = {
        {"0.5", "40", "100", dec("5")}, {"2", "10", "50", dec("2.5")},
        {"1", "3", "10", dec("3.3333333333333333333333333333333333333")}, {"", "10", "50", std::nullopt},
        {"0", "10", "50", std::nullopt}, {"2", "0", "50", std::nullopt}, {"2", "10", "0", std::nullopt},
        {"2", "10", "-50", std::nullopt}
    };
    // clang-format on
    for (const auto& c : cases) {
        editor.edit(Field::calibrationSize, c.size);
        editor.edit(Field::calibrationPoints, c.points);
        editor.edit(Field::calibrationProfit, c.profit);
        EXPECT_EQ(editor.calibratedValue(), c.value) << c.size << " " << c.points << " " << c.profit;
    }
    EXPECT_EQ(editor.message(), std::string(InstrumentEditorModel::notANumberMessage));

    editor.select("MYM");
    editor.edit(Field::perPoint, "0.6");
    editor.edit(Field::calibrationSize, "2");
    editor.edit(Field::calibrationPoints, "10");
    editor.edit(Field::calibrationProfit, "50");
    ASSERT_TRUE(editor.canUseCalibration());
    editor.useCalibration();
    EXPECT_EQ(calculator().overrides.at("MYM").dollarsPerPoint, dec("2.5"));
    EXPECT_TRUE(editor.drafts().empty());
    EXPECT_EQ(editor.displayText(Field::perPoint), "2.5");
}
