#include "CalculatorKit/LotCalculator.h"

#include <gtest/gtest.h>

#include <random>

#include "CalculatorKit/InstrumentLibrary.h"
#include "CalculatorKit/tests/TestSupport.h"

using namespace CalculatorKit;
using Base::Decimal;
using CalculatorKitTest::dec;
using Kind = CalculationIssue::Kind;

namespace {

// Balance 10000, no commission, a short trade given.
CalculationInput input(const char* instrumentID, RiskInput risk, StopInput stop, const char* entry = nullptr) {
    return CalculationInput{*InstrumentLibrary::instrument(instrumentID), Decimal(10000), risk, stop,
                            entry ? std::optional(dec(entry)) : std::nullopt, TradeDirection::short_, Decimal()};
}

// Risk 0.5 % of 10000 (a budget of 50), a 20-point stop.
CalculationInput standard(const char* instrumentID) {
    return input(instrumentID, RiskInput::percent(dec("0.5")), StopInput::points(Decimal(20)));
}

// The shape of an early return: amounts zero, no sizes up, no direction.
CalculationResult early(Kind kind, int budget = 0, int stopPoints = 0) {
    CalculationResult result;
    result.stopPoints = stopPoints;
    result.riskBudget = budget;
    result.issue = CalculationIssue::of(kind);
    return result;
}

// A full result of the standard short trade: a budget of 50, a 20-point stop.
CalculationResult sized(const char* size, const char* risk, const char* riskPercent, const char* sizeUp,
                        const char* riskUp, const char* riskUpPercent, std::optional<CalculationIssue> issue = {}) {
    return {Decimal(20), Decimal(50),         dec(size), dec(risk), dec(riskPercent), dec(sizeUp),
            dec(riskUp), dec(riskUpPercent), TradeDirection::short_, issue};
}

}  // namespace

TEST(LotCalculatorTest, SizesTheWorkedExamplesAndTheStepAndMinimumEdges) {
    struct Row {
        const char* instrument;
        const char* commission;
        const char* minSize;   // nullptr: the instrument's own
        const char* sizeStep;  // nullptr: the instrument's own
        CalculationResult expected;
    };
    using Issue = CalculationIssue;
    const Row rows[] = {
        {"NQ", "0", nullptr, nullptr, sized("0", "0", "0", "1", "400", "4", Issue::belowMinimum(Decimal(400)))},
        {"MNQ", "0", nullptr, nullptr, sized("1", "40", "0.4", "2", "80", "0.8")},
        {"NAS100", "0", nullptr, nullptr, sized("2.5", "50", "0.5", "2.51", "50.2", "0.502")},
        // 50 / 20.5 is 243.9 steps of 0.01: rounded down, never to the nearer 244.
        {"NAS100", "0.5", nullptr, nullptr, sized("2.43", "49.815", "0.49815", "2.44", "50.02", "0.5002")},
        {"MNQ", "0", nullptr, "0", sized("1", "40", "0.4", "2", "80", "0.8")},  // sized in steps of 1
        // 2.5 fits, but below the minimum; with no minimum, nothing fitting is still reported.
        {"NAS100", "0", "3", nullptr, sized("0", "0", "0", "3", "60", "0.6", Issue::belowMinimum(Decimal(60)))},
        {"NQ", "0", "0", nullptr, sized("0", "0", "0", "1", "400", "4", Issue::belowMinimum(Decimal(0)))},
    };
    for (const auto& row : rows) {
        CalculationInput in = standard(row.instrument);
        in.commissionPerUnit = dec(row.commission);
        if (row.minSize) in.instrument.minSize = dec(row.minSize);
        if (row.sizeStep) in.instrument.sizeStep = dec(row.sizeStep);
        const CalculationResult result = LotCalculator::calculate(in);
        EXPECT_EQ(result, row.expected) << &row - rows;
        EXPECT_EQ(result.isUsable(), !row.expected.issue) << &row - rows;
    }
    // Exact quotients never floor one short: 580 / 290 and 30 / 1.5.
    CalculationInput in = input("NQ", RiskInput::percent(Decimal(1)), StopInput::points(dec("14.5")));
    in.balance = Decimal(58000);
    EXPECT_EQ(LotCalculator::calculate(in).size, Decimal(2));
    EXPECT_EQ(LotCalculator::calculate(input("MES", RiskInput::amount(30), StopInput::points(dec("0.3")))).size, 20);
}

TEST(LotCalculatorTest, ReportsTheFirstFailedCheck) {
    struct Row {
        const char* balance;
        RiskInput risk;
        StopInput stop;
        const char* entry;
        CalculationResult expected;
    };
    using R = RiskInput;
    using S = StopInput;
    const Row rows[] = {
        // A bad balance wins over a bad risk and a bad stop.
        {"0", R::percent(500), S::points(-1), nullptr, early(Kind::invalidBalance)},
        {"-100", R::percent(500), S::points(-1), nullptr, early(Kind::invalidBalance)},
        {"10000", R::percent(dec("100.01")), S::points(-1), nullptr, early(Kind::invalidRisk)},
        {"10000", R::percent(0), S::points(20), nullptr, early(Kind::invalidRisk)},
        {"10000", R::percent(-1), S::points(20), nullptr, early(Kind::invalidRisk)},
        {"10000", R::amount(0), S::points(20), nullptr, early(Kind::invalidRisk)},
        {"10000", R::amount(100), S::points(0), "100", early(Kind::invalidStop, 100)},
        {"10000", R::amount(100), S::points(-10), nullptr, early(Kind::invalidStop, 100)},
        {"10000", R::amount(100), S::price(-5), nullptr, early(Kind::missingEntry, 100)},
        {"10000", R::amount(100), S::price(dec("100.00")), "100", early(Kind::stopEqualsEntry, 100)},
        {"10000", R::amount(100), S::price(0), "0", early(Kind::stopEqualsEntry, 100)},
        {"10000", R::amount(100), S::price(5), "0", early(Kind::invalidStop, 100)},
        {"10000", R::amount(100), S::price(-5), "100", early(Kind::invalidStop, 100)},
    };
    for (const auto& row : rows) {
        CalculationInput in = input("MNQ", row.risk, row.stop, row.entry);
        in.balance = dec(row.balance);
        EXPECT_EQ(LotCalculator::calculate(in), row.expected) << &row - rows;
    }
    // A negative commission can cancel the risk of the move: risk per unit 10 × 20 − 300.
    CalculationInput in = input("NQ", RiskInput::percent(dec("0.5")), StopInput::points(Decimal(10)));
    in.commissionPerUnit = Decimal(-300);
    EXPECT_EQ(LotCalculator::calculate(in), early(Kind::invalidStop, 50, 10));
}

TEST(LotCalculatorTest, BudgetsAndDirections) {
    // The whole balance, and more than the balance, are accepted risks.
    EXPECT_EQ(LotCalculator::calculate(input("MNQ", RiskInput::percent(100), StopInput::points(20))).riskBudget, 10000);
    const auto over = LotCalculator::calculate(input("MNQ", RiskInput::amount(20000), StopInput::points(20)));
    EXPECT_FALSE(over.issue);
    EXPECT_EQ(over.actualRiskPercent, Decimal(200));

    // A stop by price decides the direction; the given one holds with a stop by points, entry or not.
    for (const auto& [stop, direction] : {std::pair{"90", TradeDirection::long_}, {"110", TradeDirection::short_}}) {
        const auto result =
            LotCalculator::calculate(input("MNQ", RiskInput::amount(100), StopInput::price(dec(stop)), "100"));
        EXPECT_FALSE(result.issue) << stop;
        EXPECT_EQ(result.stopPoints, Decimal(10)) << stop;
        EXPECT_EQ(result.direction, direction) << stop;
    }
    for (TradeDirection direction : {TradeDirection::long_, TradeDirection::short_}) {
        CalculationInput in = input("MNQ", RiskInput::amount(100), StopInput::points(20), "5");
        in.direction = direction;
        EXPECT_EQ(LotCalculator::calculate(in).direction, direction);
    }
}

TEST(LotCalculatorTest, NeverFailsOnAnyInput) {
    std::mt19937_64 random(11);
    const char* const numbers[] = {"0", "-1", "1", "0.01", "100", "100.01", "1e-128", "-1e-128", "1e-60", "1e60",
                                   "99999999999999999999999999999999999999e127",
                                   "-99999999999999999999999999999999999999e127",
                                   "0.3333333333333333333333333333333333333"};
    const auto any = [&]() { return dec(numbers[random() % std::size(numbers)]); };
    int usable = 0;
    for (int i = 0; i < 20000; ++i) {
        Instrument instrument{"x", "x", InstrumentKind::future, any(), any(), any(), any(), "u", false, "", std::nullopt};
        const CalculationInput in{instrument,
                                  any(),
                                  random() % 2 ? RiskInput::percent(any()) : RiskInput::amount(any()),
                                  random() % 2 ? StopInput::points(any()) : StopInput::price(any()),
                                  random() % 3 ? std::optional<Decimal>(any()) : std::nullopt,
                                  random() % 2 ? TradeDirection::long_ : TradeDirection::short_,
                                  any()};
        const CalculationResult result = LotCalculator::calculate(in);
        if (result.isUsable()) {
            ++usable;
            // At 38 digits a tiny step can vanish beside a huge size, so only >= holds everywhere.
            EXPECT_TRUE(result.sizeUp && *result.sizeUp >= result.size);
        }
    }
    EXPECT_GT(usable, 100);
}
