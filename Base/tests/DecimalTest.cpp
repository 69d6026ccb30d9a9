#include "Base/Decimal.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <unordered_set>

using Base::Decimal;
using Base::Json;
using Base::RoundingMode;

namespace {

Decimal dec(std::string_view text) {
    auto value = Decimal::fromText(text);
    if (!value) throw std::invalid_argument(std::string(text));
    return *value;
}

const std::string nines38 = "99999999999999999999999999999999999999";

}  // namespace

TEST(DecimalTest, DivisionIsExactWhereTheQuotientIs) {
    // A reciprocal-based division once sized 1 contract where 2 fit.
    EXPECT_EQ(Decimal(580) / Decimal(290), Decimal(2));
    EXPECT_EQ((Decimal(580) / Decimal(290)).rounded(0, RoundingMode::down), Decimal(2));
    EXPECT_EQ((Decimal(50) / Decimal(42)).rounded(0, RoundingMode::down), Decimal(1));
    EXPECT_EQ(dec("58000") * dec("1") / Decimal(100) / (dec("14.5") * Decimal(20)), Decimal(2));
    EXPECT_EQ(Decimal(1) / Decimal(8), dec("0.125"));
    EXPECT_EQ(Decimal(-7) / Decimal(2), dec("-3.5"));
    EXPECT_EQ((Decimal(2) / Decimal(3)).text(), "0." + std::string(37, '6') + "7");
    EXPECT_EQ((Decimal(1) / Decimal(7)).text(), "0.14285714285714285714285714285714285714");
    EXPECT_THROW((void)(Decimal(1) / Decimal()), std::domain_error);
}

TEST(DecimalTest, OneThirdTimesThreeIsThirtyEightNines) {
    // Division keeps 38 digits and multiplication is exact, so nothing rounds
    // the nines back up to 1.
    const Decimal third = Decimal(1) / Decimal(3);
    EXPECT_EQ(third.text(), "0." + std::string(38, '3'));
    EXPECT_EQ((third * Decimal(3)).text(), "0." + nines38);
    EXPECT_EQ((third * Decimal(3)).rounded(37, RoundingMode::halfEven), Decimal(1));
}

TEST(DecimalTest, AdditionAndMultiplicationAreExact) {
    EXPECT_EQ(dec("0.1") + dec("0.2"), dec("0.3"));
    EXPECT_EQ(dec("0.3") - dec("0.1"), dec("0.2"));
    EXPECT_EQ(dec("1.1") * dec("1.1"), dec("1.21"));
    EXPECT_EQ(dec("14.5") * Decimal(20), Decimal(290));
    EXPECT_EQ(dec("-2.5") * dec("-4"), Decimal(10));
    EXPECT_EQ(dec("2.5") - dec("2.50"), Decimal());
    EXPECT_EQ(Decimal(-5) + Decimal(3), Decimal(-2));
    EXPECT_FALSE((Decimal(3) - Decimal(3)).isNegative());
    EXPECT_EQ(Decimal(std::numeric_limits<std::int64_t>::min()).text(), "-9223372036854775808");
}

TEST(DecimalTest, ResultsBeyondThirtyEightDigitsRoundHalfEven) {
    const Decimal big = dec(nines38);
    EXPECT_EQ((big + Decimal(1)).text(), "1" + std::string(38, '0'));
    // 10^38 + 5 has 39 digits; the tie goes to the even neighbour.
    EXPECT_EQ((dec("1" + std::string(38, '0')) + Decimal(5)).text(), "1" + std::string(38, '0'));
    // (10^37 + 1) × 10 + 5 ends in a tie after 38 digits; the odd 1 rounds up to 2.
    EXPECT_EQ((dec("1" + std::string(36, '0') + "1") * Decimal(10) + Decimal(5)).text(),
              "1" + std::string(36, '0') + "20");
    EXPECT_EQ(dec("1." + std::string(36, '0') + "5").text(), "1." + std::string(36, '0') + "5");
    EXPECT_EQ(dec("1." + std::string(36, '0') + "25").text(), "1." + std::string(36, '0') + "2");
    EXPECT_EQ(dec("1." + std::string(36, '0') + "35").text(), "1." + std::string(36, '0') + "4");
    // A cut tail that is not all zeros breaks the tie upward.
    EXPECT_EQ(dec("1." + std::string(36, '0') + "25" + std::string(60, '0') + "1").text(),
              "1." + std::string(36, '0') + "3");
}

TEST(DecimalTest, RoundingAtAScale) {
    struct Row {
        const char* value;
        int scale;
        RoundingMode mode;
        const char* expected;
    };
    const Row rows[] = {
        {"2.675", 2, RoundingMode::halfEven, "2.68"},
        {"2.665", 2, RoundingMode::halfEven, "2.66"},
        {"2.6651", 2, RoundingMode::halfEven, "2.67"},
        {"-2.665", 2, RoundingMode::halfEven, "-2.66"},
        {"2.665", 2, RoundingMode::halfAwayFromZero, "2.67"},
        {"-2.665", 2, RoundingMode::halfAwayFromZero, "-2.67"},
        {"2.664", 2, RoundingMode::halfAwayFromZero, "2.66"},
        {"2.679", 2, RoundingMode::down, "2.67"},
        {"-2.679", 2, RoundingMode::down, "-2.67"},
        {"1.99999", 0, RoundingMode::down, "1"},
        {"0.5", 0, RoundingMode::halfEven, "0"},
        {"1.5", 0, RoundingMode::halfEven, "2"},
        {"0.5", 0, RoundingMode::halfAwayFromZero, "1"},
        {"0.004", 2, RoundingMode::halfAwayFromZero, "0"},
        {"0.0004", 2, RoundingMode::halfAwayFromZero, "0"},
        {"9.995", 2, RoundingMode::halfAwayFromZero, "10"},
        {"1250", -2, RoundingMode::halfEven, "1200"},
        {"1.25", 5, RoundingMode::halfEven, "1.25"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(dec(row.value).rounded(row.scale, row.mode).text(), row.expected)
            << row.value << " at " << row.scale;
    }
}

TEST(DecimalTest, ParsesPlainTextExactlyAndRefusesTheRest) {
    struct Row {
        const char* input;
        const char* expected;  // nullptr: refused
    };
    const Row rows[] = {
        {"0", "0"},         {"-0", "0"},         {"007", "7"},        {"0.50", "0.5"},
        {".5", "0.5"},      {"5.", "5"},         {"+12.25", "12.25"}, {"-0.001", "-0.001"},
        {"1e-3", "0.001"},  {"2.5E+4", "25000"}, {"1E2", "100"},      {"0.000e99999999999", "0"},
        {"", nullptr},      {".", nullptr},      {"-", nullptr},      {"1,5", nullptr},
        {" 1", nullptr},    {"1 ", nullptr},     {"1e", nullptr},     {"e5", nullptr},
        {"1.2.3", nullptr}, {"0x10", nullptr},   {"1e999", nullptr},  {"NaN", nullptr},
    };
    for (const auto& row : rows) {
        const auto parsed = Decimal::fromText(row.input);
        if (row.expected == nullptr) {
            EXPECT_FALSE(parsed.has_value()) << row.input;
        } else {
            ASSERT_TRUE(parsed.has_value()) << row.input;
            EXPECT_EQ(parsed->text(), row.expected) << row.input;
        }
    }
}

TEST(DecimalTest, EqualityIsNumericAndHashFollowsIt) {
    EXPECT_EQ(dec("0.5"), dec("0.50"));
    EXPECT_EQ(dec("20"), dec("20.0"));
    EXPECT_EQ(dec("1e1"), Decimal(10));
    EXPECT_EQ(std::hash<Decimal>{}(dec("0.5")), std::hash<Decimal>{}(dec("0.500")));
    std::unordered_set<Decimal> set{dec("1.0"), dec("1"), dec("100e-2"), dec("2")};
    EXPECT_EQ(set.size(), 2u);

    EXPECT_LT(dec("0.49"), dec("0.5"));
    EXPECT_LT(dec("-3"), dec("-2.5"));
    EXPECT_LT(dec("-0.1"), Decimal());
    EXPECT_GT(dec("100"), dec("99.999"));
    EXPECT_GT(dec("1e20"), dec("99999999999999999999.5"));
    EXPECT_LE(dec("1000000000"), dec("1000000000.00"));
    EXPECT_GT(dec("1000000000.01"), dec("1000000000"));
}

TEST(DecimalTest, PrintsPlainNeverWithAnExponent) {
    EXPECT_EQ(dec("1e20").text(), "100000000000000000000");
    EXPECT_EQ(dec("1e-20").text(), "0.00000000000000000001");
    EXPECT_EQ(dec("-12.50").text(), "-12.5");
    EXPECT_EQ(dec("12.5").text(2), "12.50");
    EXPECT_EQ(dec("12").text(2), "12.00");
    EXPECT_EQ(dec("12.345").text(2), "12.345");
    EXPECT_EQ(Decimal().text(1), "0.0");
    EXPECT_EQ(Decimal::fromParts(25, -2).text(), "0.25");
    EXPECT_DOUBLE_EQ(dec("0.1").toDouble(), 0.1);
    EXPECT_DOUBLE_EQ(dec("-2.5e3").toDouble(), -2500.0);
}

TEST(DecimalTest, ThirtyEightDigitValuesRoundTripThroughTextAndJson) {
    const char* texts[] = {"12345678901234567890123456789012345678", "-1.2345678901234567890123456789012345678",
                           "0.00000000000000000000000000000000000001", "99999999999999999999999999999999999999e5"};
    for (const char* text : texts) {
        const Decimal value = dec(text);
        EXPECT_EQ(dec(value.text()), value) << text;
        const auto json = Json::parse(toJson(value).dump());
        ASSERT_TRUE(json.ok()) << text;
        const auto back = Decimal::fromJson(*json);
        ASSERT_TRUE(back.ok()) << text;
        EXPECT_EQ(*back, value) << text;
    }
}

TEST(DecimalTest, ReadsJsonNumbersByTheirDigits) {
    const auto doc = Json::parse(R"({"a": 1.50, "b": 1e-3, "c": 0.1, "d": 123456789012345678901234567890, "e": "5"})");
    ASSERT_TRUE(doc.ok());
    EXPECT_EQ(*Decimal::fromJson(*doc->find("a")), dec("1.5"));
    EXPECT_EQ(*Decimal::fromJson(*doc->find("b")), dec("0.001"));
    EXPECT_EQ(Decimal::fromJson(*doc->find("c"))->text(), "0.1");
    EXPECT_EQ(Decimal::fromJson(*doc->find("d"))->text(), "123456789012345678901234567890");
    EXPECT_FALSE(Decimal::fromJson(*doc->find("e")).ok());
    EXPECT_FALSE(Decimal::fromJson(Json()).ok());
    EXPECT_EQ(toJson(dec("0.50")).dump(), "0.5");
    EXPECT_EQ(toJson(dec("1e3")).dump(), "1000");
}

TEST(DecimalTest, RangeEdgesSaturateOrRoundInsteadOfFailing) {
    const Decimal largest = dec(nines38 + "e127");
    EXPECT_EQ(largest * Decimal(10), largest);
    EXPECT_EQ(-largest * largest, -largest);
    EXPECT_EQ(largest + largest, largest);
    const Decimal smallest = dec("1e-128");
    EXPECT_EQ(smallest / Decimal(10), Decimal());
    EXPECT_EQ(smallest / Decimal(2), Decimal());  // a tie goes to the even zero
    EXPECT_EQ(dec("6e-129"), smallest);
    EXPECT_EQ((smallest * smallest), Decimal());
    EXPECT_EQ(dec("1e-400"), Decimal());
}

TEST(DecimalTest, ArithmeticAgreesWithItselfOnRandomValues) {
    std::mt19937_64 random(7);
    std::uniform_int_distribution<std::int64_t> coefficient(-999'999'999'999, 999'999'999'999);
    std::uniform_int_distribution<int> exponent(-12, 12);
    for (int i = 0; i < 2000; ++i) {
        const Decimal a = Decimal::fromParts(coefficient(random), exponent(random));
        const Decimal b = Decimal::fromParts(coefficient(random), exponent(random));
        // Small operands keep every sum and product exact.
        EXPECT_EQ(a + b - b, a);
        EXPECT_EQ(a + b, b + a);
        EXPECT_EQ(a * b, b * a);
        if (!b.isZero()) {
            EXPECT_EQ((a * b) / b, a);
        }
        EXPECT_EQ(dec(a.text()), a);
        EXPECT_EQ((a < b), (b - a).signum() > 0);
    }
}

TEST(DecimalTest, BuildsFromEveryIntegerType) {
    EXPECT_EQ(Decimal(std::numeric_limits<std::uint64_t>::max()).text(), "18446744073709551615");
    EXPECT_EQ(Decimal(std::numeric_limits<std::int64_t>::min()).text(), "-9223372036854775808");
    EXPECT_EQ(Decimal(std::size_t{12}), Decimal(12));
    EXPECT_EQ(Decimal(-7LL), Decimal(static_cast<short>(-7)));
    static_assert(!std::is_constructible_v<Decimal, double>);
    static_assert(!std::is_convertible_v<bool, Decimal>);
}
