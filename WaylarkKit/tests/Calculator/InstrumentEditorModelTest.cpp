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
        {"NAS100", Field::perPoint, "-1", notNumber, "2.5"},
        {"NAS100", Field::sizeStep, "0", notAboveZero, "0.01"},
        {"NAS100", Field::minSize, "2000000", "Must be 1,000,000 or less.", "0.01"},
        {"NAS100", Field::sizeStep, "1001", "Must be 1,000 or less.", "0.01"},
        {"NQ", Field::commission, "1001", "Commission is per contract, round trip, in dollars.", "0"},
        {"NQ", Field::commission, "1000", none, "1000"},
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

// Adding, listing and removing by the buttons is shown by the editor view's test.
TEST_F(InstrumentEditorModelTest, CustomNamesTheSixthAddAndRemovingALibraryInstrument) {
    // The field shows what the name keeps while it is typed; the ends are trimmed once it is stored.
    // clang-format off
    const struct { const char* typed; const char* shown; const char* stored; } names[] = {
        {"Twenty characters!!!", "Twenty chara", "Twenty chara"},
        {" ", " ", "Custom"},
        {"DAX\n40\u2028x", "DAX40x", "DAX40x"},
        {"\u0218\ttefan\u20AC\U0001F44D\U0001F3FDe\u03011234", "\u0218tefan\u20AC\U0001F44D\U0001F3FDe\u0301123",
         "\u0218tefan\u20AC\U0001F44D\U0001F3FDe\u0301123"},  // a tab uses up no character
    };
    // clang-format on
    addCustom();
    for (const auto& c : names) {
        editor.edit(Field::name, c.typed);
        EXPECT_EQ(editor.displayText(Field::name), c.shown) << c.typed;
        EXPECT_EQ(editor.instrument().name, c.stored) << c.typed;
    }

    for (int i = 0; i < 4; ++i) addCustom();
    const std::string fifth = calculator().instrumentID;
    Base::Testing::NotificationCounter focus([&](auto o) { return editor.observeFocusNameID(o); });
    editor.edit(Field::minSize, "3");
    editor.addCustom();  // a sixth: only ends editing
    EXPECT_EQ(calculator().customInstruments.size(), 5u);
    EXPECT_EQ(editor.focusNameID(), fifth);
    EXPECT_EQ(focus.take(), 0u);
    EXPECT_TRUE(editor.drafts().empty());

    editor.select("NQ");
    editor.edit(Field::perPoint, "x");
    editor.removeCustom();  // a library instrument: nothing, not even the end of editing
    EXPECT_EQ(editor.displayText(Field::perPoint), "x");
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
}

TEST_F(InstrumentEditorModelTest, CalibrationFromAKnownTrade) {
    // clang-format off
    const struct { const char* size; const char* points; const char* profit; std::optional<Base::Decimal> value; } cases[] = {
        {"0.5", "40", "100", dec("5")}, {"1", "3", "10", dec("3.3333333333333333333333333333333333333")},
        {"", "10", "50", std::nullopt}, {"0", "10", "50", std::nullopt}, {"2", "10", "-50", std::nullopt}
    };
    // clang-format on
    for (const auto& c : cases) {
        editor.edit(Field::calibrationSize, c.size);
        editor.edit(Field::calibrationPoints, c.points);
        editor.edit(Field::calibrationProfit, c.profit);
        EXPECT_EQ(editor.calibratedValue(), c.value) << c.size << " " << c.points << " " << c.profit;
    }
    EXPECT_EQ(editor.message(), std::string(InstrumentEditorModel::notANumberMessage));
}
