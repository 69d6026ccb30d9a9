#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "Base/Decimal.h"
#include "CalculatorKit/DecimalInput.h"
#include "WaylarkKit/Calculator/CalculatorFormat.h"

namespace Format = WaylarkKit::CalculatorFormat;

namespace {

Base::Decimal dec(const char* text) { return *Base::Decimal::fromText(text); }

}  // namespace

TEST(CalculatorFormatTest, NumberTexts) {
    using Writer = std::function<std::string(const Base::Decimal&)>;
    const Writer plain = Format::plain, grouped = Format::grouped, money = Format::money, percent = Format::percent;
    // clang-format off
    const struct { const Writer& write; const char* value; const char* text; } cases[] = {
        {plain, "1234.5", "1234.5"}, {plain, "0.123456789", "0.12345679"}, {plain, "0.000000005", "0"},
        {plain, "-2.5", "-2.5"}, {grouped, "1234.567", "1,234.57"}, {grouped, "1000000000", "1,000,000,000"},
        {grouped, "-1234567.891", "-1,234,567.89"}, {grouped, "-0.001", "0"}, {grouped, "100.125", "100.12"},
        {money, "100", "$100"}, {money, "1234.5", "$1,234.50"}, {money, "0.999", "$1.00"}, {money, "-12.5", "$-12.50"},
        {money, "0.005", "$0.00"}, {percent, "1.2345", "1.23%"}, {percent, "1500", "1500%"}
    };
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(c.write(dec(c.value)), c.text) << c.value;
}

TEST(CalculatorFormatTest, LiveGrouping) {
    // clang-format off
    const struct { const char* typed; const char* shown; } cases[] = {
        {"1,2345", "12,345"}, {"1234567.891", "1,234,567.891"}, {"0.", "0."}, {".5", ".5"}, {"00", "0"},
        {"0012345", "12,345"}, {"", ""}, {"1,2.3.4", "1,2.3.4"}, {"-5", "-5"}, {"12a3", "12a3"}, {"١٢٣٤", "١٢٣٤"}
    };
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(Format::liveGrouped(c.typed), c.shown) << c.typed;
}

// What the field shows is what gets stored, so the shown text must read as
// the number the user meant: a decimal comma never multiplies it.
TEST(CalculatorFormatTest, LiveGroupingKeepsADecimalComma) {
    // clang-format off
    const struct { const char* typed; const char* shown; const char* value; } cases[] = {
        {"2500,50", "2500,50", "2500.5"}, {"99,99", "99,99", "99.99"}, {"1,5", "1,5", "1.5"},
        {"2,500,5", "2500,5", "2500.5"}, {"2,500,", "2500,", "2500"}, {"0,001", "0,001", "0.001"},
        {"2,500", "2,500", "2500"}, {"1,250", "1,250", "1250"}, {"2,500.5", "2,500.5", "2500.5"},
        {"1,2345", "12,345", "12345"}
    };
    // clang-format on
    for (const auto& c : cases) {
        const std::string shown = Format::liveGrouped(c.typed);
        EXPECT_EQ(shown, c.shown) << c.typed;
        EXPECT_EQ(CalculatorKit::DecimalInput::parse(shown), dec(c.value)) << c.typed;
    }
    EXPECT_EQ(Format::liveGrouped("1.5,5"), "1.5,5");
    EXPECT_EQ(CalculatorKit::DecimalInput::parse("1.5,5"), std::nullopt);
    // Deleting keeps each comma's role: a separator stays one, a decimal mark too.
    EXPECT_EQ(Format::liveGrouped("10,00", "10,000"), "1,000");
    EXPECT_EQ(Format::liveGrouped("100,00", "100,005"), "10,000");
    EXPECT_EQ(Format::liveGrouped("2500,", "2500,5"), "2500,");
    EXPECT_EQ(Format::liveGrouped("2500,50", "10,000"), "2500,50");  // pasted over the whole
    // The caret stays behind the decimal comma, where the next digit goes.
    EXPECT_EQ(Format::caretAfterGrouping("2,500,", 6, "2500,"), 5);
    EXPECT_EQ(Format::caretAfterGrouping("2,500,5", 7, "2500,5"), 6);
}

TEST(CalculatorFormatTest, CaretStaysBehindTheSameDigit) {
    // clang-format off
    const struct { const char* typed; int caret; const char* shown; int expected; } cases[] = {
        {"1234", 4, "1,234", 5}, {"1234", 2, "1,234", 3}, {"1234", 1, "1,234", 1}, {"1234", 99, "1,234", 5},
        {"1234", -3, "1,234", 0}, {"12a3", 3, "12a3", 2}, {"1,2345", 2, "12,345", 1}, {"12345.6", 6, "12,345.6", 7}
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(Format::caretAfterGrouping(c.typed, c.caret, c.shown), c.expected) << c.typed << " @" << c.caret;
    }
}
