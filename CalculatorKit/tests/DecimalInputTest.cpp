#include "CalculatorKit/DecimalInput.h"

#include <gtest/gtest.h>

#include "CalculatorKit/LotCalculator.h"
#include "CalculatorKit/tests/TestSupport.h"

using namespace CalculatorKit;
using Base::Decimal;
using CalculatorKitTest::dec;

TEST(DecimalInputTest, ReadsTypedNumbersInEitherConvention) {
    struct Row {
        const char* input;
        const char* expected;  // nullptr: refused
    };
    const Row rows[] = {
        {"100.5", "100.5"},         {"1,5", "1.5"},         {"12,67", "12.67"},    {"1,000", "1000"},
        {"1.234", "1.234"},         {"1000,000", nullptr},  {"1,000,000", "1000000"}, {"1.000.000", "1000000"},
        {"1,2,3", nullptr},         {"1,5.3", nullptr},     {"1.000,5.5", nullptr}, {".5", "0.5"},
        {"5.", "5"},                {",5", "0.5"},          {".", nullptr},        {",", nullptr},
        {"1 000", "1000"},          {"1'000_000", "1000000"}, {"\u00a01\u2009000\t\n", "1000"},
        {"-5", nullptr},            {"+5", nullptr},        {"1e5", nullptr},      {"$5", nullptr},
        {"1\u2019000", nullptr},    {"\u0665", nullptr},    {"", nullptr},         {"   ", nullptr},
        {"'_", nullptr},            {"1.000,50", "1000.5"}, {"1,000.50", "1000.5"}, {"12,345.678", "12345.678"},
        {"1,000.5,5", nullptr},     {",000.5", nullptr},    {"007", "7"},
        // A lone comma after a whole part of "0" is decimal: grouping would read 1 and 125, a
        // thousandfold error. Any other whole part keeps the grouping rule.
        {"0,001", "0.001"},         {"0,125", "0.125"},     {"0,1234", "0.1234"},  {"00,001", "1"},
        {"12345678901234567890.123456789012345678", "12345678901234567890.123456789012345678"},
    };
    for (const auto& row : rows) {
        const auto parsed = DecimalInput::parse(row.input);
        ASSERT_EQ(parsed.has_value(), row.expected != nullptr) << row.input << " gave " << parsed.value_or(Decimal());
        if (parsed) {
            EXPECT_EQ(parsed->text(), row.expected) << row.input;
        }
    }
}

TEST(CalibrationTest, DerivesDollarsPerPointFromATestTrade) {
    const std::tuple<const char*, const char*, const char*, const char*> rows[] = {
        {"1", "10", "-20", "2"},   {"0.5", "4", "10", "5"},   {"1", "-10", "-20", "2"}, {"0.01", "12.5", "1.25", "10"},
        {"1", "0", "20", nullptr}, {"0", "10", "20", nullptr}, {"-1", "10", "20", nullptr}, {"1", "10", "0", nullptr},
        // Factors so small that their product rounds away give no rate instead of a fault.
        {"1e-100", "1e-100", "1", nullptr},
    };
    for (const auto& [size, moved, profit, rate] : rows) {
        EXPECT_EQ(LotCalculator::calibratedDollarsPerPoint(dec(size), dec(moved), dec(profit)),
                  rate ? std::optional(dec(rate)) : std::nullopt) << size << " " << moved << " " << profit;
    }
}
