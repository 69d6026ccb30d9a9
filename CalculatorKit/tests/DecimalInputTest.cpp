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
    using LotCalculator::calibratedDollarsPerPoint;
    EXPECT_EQ(calibratedDollarsPerPoint(Decimal(1), Decimal(10), Decimal(-20)), Decimal(2));
    EXPECT_EQ(calibratedDollarsPerPoint(dec("0.5"), Decimal(4), Decimal(10)), Decimal(5));
    EXPECT_EQ(calibratedDollarsPerPoint(Decimal(1), Decimal(-10), Decimal(-20)), Decimal(2));
    EXPECT_EQ(calibratedDollarsPerPoint(dec("0.01"), dec("12.5"), dec("1.25")), Decimal(10));
    EXPECT_FALSE(calibratedDollarsPerPoint(Decimal(1), Decimal(0), Decimal(20)));
    EXPECT_FALSE(calibratedDollarsPerPoint(Decimal(0), Decimal(10), Decimal(20)));
    EXPECT_FALSE(calibratedDollarsPerPoint(Decimal(-1), Decimal(10), Decimal(20)));
    EXPECT_FALSE(calibratedDollarsPerPoint(Decimal(1), Decimal(10), Decimal(0)));
    // Factors so small that their product rounds away give no rate instead of a fault.
    EXPECT_FALSE(calibratedDollarsPerPoint(dec("1e-100"), dec("1e-100"), Decimal(1)));
}
