#include "Base/Decimal.h"

#include <gtest/gtest.h>

#include <limits>
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

const std::string nines38(38, '9');
const std::string largest = nines38 + "e127";

}  // namespace

TEST(DecimalTest, ArithmeticIsExactAndRoundsHalfEvenOnlyPastThirtyEightDigits) {
    struct Row {
        std::string a;
        char op;
        std::string b;
        std::string expected;
    };
    const std::string zeros36(36, '0');
    const Row rows[] = {
        {"0.1", '+', "0.2", "0.3"},
        {"0.3", '-', "0.1", "0.2"},
        {"-5", '+', "3", "-2"},
        {"1.1", '*', "1.1", "1.21"},
        {"-2.5", '*', "-4", "10"},
        {"580", '/', "290", "2"},  // a reciprocal-based division once gave 1.999...
        {"-7", '/', "2", "-3.5"},
        {"2", '/', "3", "0." + std::string(37, '6') + "7"},
        {"1", '/', "7", "0.14285714285714285714285714285714285714"},
        // The digits after the 38th are exactly a half, but the remainder is not zero: round up.
        {"37985734035811139167450187928219851053", '/', "59", "643826000606968460465257422512200865.31"},
        {nines38, '+', "1", "1e38"},                               // carry into a 39th digit
        {"1e38", '+', "5", "1e38"},                                // 39 digits, a tie: to the even neighbour
        {"1" + zeros36 + "10", '+', "5", "1" + zeros36 + "20"},  // a tie after an odd digit rounds up
        {largest, '*', "10", largest},                             // beyond the range: saturates
        {"-" + largest, '*', largest, "-" + largest},
        {largest, '+', largest, largest},
        {"1e-128", '/', "10", "0"},  // finer than the smallest step
        {"1e-128", '/', "2", "0"},   // a tie goes to the even zero
        {"1e-128", '*', "1e-128", "0"},
    };
    for (const auto& row : rows) {
        const Decimal a = dec(row.a);
        const Decimal b = dec(row.b);
        const Decimal result = row.op == '+' ? a + b : row.op == '-' ? a - b : row.op == '*' ? a * b : a / b;
        EXPECT_EQ(result, dec(row.expected)) << row.a << ' ' << row.op << ' ' << row.b << " gave " << result;
    }
    EXPECT_FALSE((Decimal(3) - Decimal(3)).isNegative());
    EXPECT_THROW((void)(Decimal(1) / Decimal()), std::domain_error);
}

TEST(DecimalTest, QuotientsFloorWhereTheyShould) {
    EXPECT_EQ((Decimal(580) / Decimal(290)).rounded(0, RoundingMode::down), Decimal(2));
    EXPECT_EQ((Decimal(50) / Decimal(42)).rounded(0, RoundingMode::down), Decimal(1));
    EXPECT_EQ(dec("58000") / Decimal(100) / (dec("14.5") * Decimal(20)), Decimal(2));
    // Division keeps 38 digits and multiplication is exact, so a third times
    // three stays 38 nines; only an explicit rounding makes it 1.
    const Decimal third = Decimal(1) / Decimal(3);
    EXPECT_EQ((third * Decimal(3)).text(), "0." + nines38);
    EXPECT_EQ((third * Decimal(3)).rounded(37, RoundingMode::halfEven), Decimal(1));
}

TEST(DecimalTest, RoundingAtAScale) {
    struct Row {
        const char* value;
        int scale;
        RoundingMode mode;
        const char* expected;
    };
    constexpr auto even = RoundingMode::halfEven;
    constexpr auto away = RoundingMode::halfAwayFromZero;
    constexpr auto down = RoundingMode::down;
    const Row rows[] = {
        {"2.675", 2, even, "2.68"},  {"2.665", 2, even, "2.66"},   {"2.6651", 2, even, "2.67"},
        {"-2.665", 2, even, "-2.66"}, {"2.665", 2, away, "2.67"},  {"-2.665", 2, away, "-2.67"},
        {"-2.679", 2, down, "-2.67"}, {"1.99999", 0, down, "1"},  {"0.5", 0, even, "0"},
        {"1.5", 0, even, "2"},       {"0.005", 2, away, "0.01"},  {"0.0004", 2, away, "0"},
        {"9.995", 2, away, "10"},    {"1250", -2, even, "1200"},  {"1.25", 5, even, "1.25"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(dec(row.value).rounded(row.scale, row.mode).text(), row.expected) << row.value << " at " << row.scale;
    }
}

TEST(DecimalTest, ParsesPlainTextExactlyAndRefusesTheRest) {
    struct Row {
        std::string input;
        std::string expected;  // empty: refused
    };
    const std::string tie = "1." + std::string(36, '0');
    const Row rows[] = {
        {"-0", "0"},         {"007", "7"},        {"0.50", "0.5"},     {".5", "0.5"},     {"5.", "5"},
        {"+12.25", "12.25"}, {"1e-3", "0.001"},   {"2.5E+4", "25000"}, {"1e-400", "0"},   {"0.000e99999999999", "0"},
        // Longer coefficients round half-even at the 38th digit; a non-zero cut tail breaks a tie.
        {tie + "25", tie + "2"},
        {tie + "35", tie + "4"},
        {tie + "25" + std::string(60, '0') + "1", tie + "3"},
        {"", ""},            {".", ""},           {"-", ""},           {"1,5", ""},       {" 1", ""},
        {"1 ", ""},          {"1e", ""},          {"e5", ""},          {"1.2.3", ""},     {"0x10", ""},
        {"1e999", ""},       {"NaN", ""},
        // At the top of the range: what rounds down to 38 nines stays, what rounds up is refused.
        {std::string(38, '9') + "4e126", std::string(38, '9') + std::string(127, '0')},
        {std::string(41, '9') + "e124", ""},
        {std::string(38, '9') + "5e126", ""},
    };
    for (const auto& row : rows) {
        const auto parsed = Decimal::fromText(row.input);
        ASSERT_EQ(parsed.has_value(), !row.expected.empty()) << row.input;
        if (parsed) {
            EXPECT_EQ(parsed->text(), row.expected) << row.input;
        }
    }
    EXPECT_EQ(dec("6e-129").text(), "0." + std::string(127, '0') + "1");  // rounds to the smallest step
}

TEST(DecimalTest, EqualityAndOrderAreNumericAndHashFollowsEquality) {
    EXPECT_EQ(dec("0.5"), dec("0.50"));
    EXPECT_EQ(dec("1e1"), Decimal(10));
    std::unordered_set<Decimal> set{dec("1.0"), dec("1"), dec("100e-2"), dec("2"), dec("-0"), Decimal()};
    EXPECT_EQ(set.size(), 3u);

    EXPECT_LT(dec("0.49"), dec("0.5"));
    EXPECT_LT(dec("-3"), dec("-2.5"));
    EXPECT_LT(dec("-0.1"), Decimal());
    EXPECT_GT(dec("1e20"), dec("99999999999999999999.5"));
    EXPECT_GT(dec("1000000000.01"), dec("1000000000"));
}

TEST(DecimalTest, PrintsPlainAndRoundTripsThroughTextAndJson) {
    EXPECT_EQ(dec("1e20").text(), "100000000000000000000");
    EXPECT_EQ(dec("1e-20").text(), "0.00000000000000000001");
    EXPECT_EQ(dec("-12.50").text(), "-12.5");
    EXPECT_EQ(dec("12").text(2), "12.00");
    EXPECT_EQ(dec("12.345").text(2), "12.345");
    EXPECT_EQ(toJson(dec("0.50")).dump().value(), "0.5");
    EXPECT_DOUBLE_EQ(dec("-2.5e3").toDouble(), -2500.0);
    EXPECT_EQ(Decimal(std::numeric_limits<std::uint64_t>::max()).text(), "18446744073709551615");
    EXPECT_EQ(Decimal(std::numeric_limits<std::int64_t>::min()).text(), "-9223372036854775808");
    static_assert(!std::is_constructible_v<Decimal, double>);

    const std::string texts[] = {"12345678901234567890123456789012345678", "-1.2345678901234567890123456789012345678",
                                 "0.00000000000000000000000000000000000001", largest, "1e-128"};
    for (const std::string& text : texts) {
        const Decimal value = dec(text);
        EXPECT_EQ(dec(value.text()), value) << text;
        const auto back = Decimal::fromJson(*Json::parse(toJson(value).dump().value()));
        ASSERT_TRUE(back.ok()) << text;
        EXPECT_EQ(*back, value) << text;
    }
}

TEST(DecimalTest, ReadsJsonNumbersByTheirDigits) {
    const auto doc = Json::parse(R"({"a": 1.50, "b": 1E-3, "c": -2.5e+2, "d": 123456789012345678901234567890,)"
                                 R"( "e": 0.1, "f": "5", "g": 1e300})");
    ASSERT_TRUE(doc.ok());
    const auto read = [&](const char* key) { return Decimal::fromJson(*doc->find(key)); };
    EXPECT_EQ(*read("a"), dec("1.5"));
    EXPECT_EQ(*read("b"), dec("0.001"));
    EXPECT_EQ(*read("c"), Decimal(-250));
    EXPECT_EQ(read("d")->text(), "123456789012345678901234567890");
    EXPECT_EQ(read("e")->text(), "0.1");
    EXPECT_FALSE(read("f").ok());
    EXPECT_FALSE(read("g").ok());  // far beyond the largest value: refused
    EXPECT_FALSE(Decimal::fromJson(Json()).ok());
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
        EXPECT_EQ(a * b, b * a);
        if (!b.isZero()) {
            EXPECT_EQ((a * b) / b, a);
        }
        EXPECT_EQ(dec(a.text()), a);
        EXPECT_EQ(a < b, (b - a).signum() > 0);
    }
}
