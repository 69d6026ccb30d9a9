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

// Balance 10000, no entry, no commission.
CalculationInput input(const char* instrumentID, RiskInput risk, StopInput stop,
                       TradeDirection direction = TradeDirection::short_) {
    return CalculationInput{*InstrumentLibrary::instrument(instrumentID), Decimal(10000), risk, stop, std::nullopt,
                            direction, Decimal()};
}

// Risk 0.5 % of 10000, a 20-point stop.
CalculationInput standard(const char* instrumentID) {
    return input(instrumentID, RiskInput::percent(dec("0.5")), StopInput::points(Decimal(20)));
}

// The shape of an early return: amounts zero, no sizes up, no direction.
CalculationResult early(Kind kind, Decimal budget = Decimal(), Decimal stopPoints = Decimal()) {
    CalculationResult result;
    result.stopPoints = stopPoints;
    result.riskBudget = budget;
    result.issue = CalculationIssue::of(kind);
    return result;
}

}  // namespace

TEST(LotCalculatorTest, SizesTheWorkedExamples) {
    struct Row {
        const char* instrument;
        int commission;
        const char* size;
        const char* actualRisk;
        const char* actualRiskPercent;
        const char* sizeUp;
        const char* riskUp;
        const char* riskUpPercent;
        std::optional<CalculationIssue> issue;
    };
    const Row rows[] = {
        {"NQ", 0, "0", "0", "0", "1", "400", "4", CalculationIssue::belowMinimum(Decimal(400))},
        {"MNQ", 0, "1", "40", "0.4", "2", "80", "0.8", std::nullopt},
        {"NAS100", 0, "2.5", "50", "0.5", "2.51", "50.2", "0.502", std::nullopt},
        {"MNQ", 2, "1", "42", "0.42", "2", "84", "0.84", std::nullopt},  // 50 / 42 rounds down
    };
    for (const auto& row : rows) {
        CalculationInput in = standard(row.instrument);
        in.commissionPerUnit = Decimal(row.commission);
        const CalculationResult expected{Decimal(20),         Decimal(50),     dec(row.size),
                                         dec(row.actualRisk), dec(row.actualRiskPercent), dec(row.sizeUp),
                                         dec(row.riskUp),     dec(row.riskUpPercent),     TradeDirection::short_,
                                         row.issue};
        const CalculationResult result = LotCalculator::calculate(in);
        EXPECT_EQ(result, expected) << row.instrument;
        EXPECT_EQ(result.isUsable(), !row.issue) << row.instrument;
    }
    EXPECT_NE(CalculationIssue::belowMinimum(Decimal(400)), CalculationIssue::belowMinimum(Decimal(399)));
}

TEST(LotCalculatorTest, ExactQuotientsNeverFloorOneShort) {
    // 58,000 at 1 % on NQ with a 14.5-point stop: 580 / 290 is exactly 2.
    CalculationInput in = input("NQ", RiskInput::percent(Decimal(1)), StopInput::points(dec("14.5")));
    in.balance = Decimal(58000);
    EXPECT_EQ(LotCalculator::calculate(in).size, Decimal(2));
    in = input("MES", RiskInput::amount(dec("30")), StopInput::points(dec("0.3")));
    EXPECT_EQ(LotCalculator::calculate(in).size, Decimal(20));
}

TEST(LotCalculatorTest, BalanceThenRiskAreCheckedFirst) {
    struct Row {
        RiskInput risk;
        std::optional<Kind> issue;
        const char* budget;
    };
    const Row rows[] = {
        {RiskInput::percent(Decimal(100)), std::nullopt, "10000"},
        {RiskInput::percent(dec("100.01")), Kind::invalidRisk, "0"},
        {RiskInput::percent(Decimal(0)), Kind::invalidRisk, "0"},
        {RiskInput::percent(Decimal(-1)), Kind::invalidRisk, "0"},
        {RiskInput::amount(Decimal(0)), Kind::invalidRisk, "0"},
        {RiskInput::amount(Decimal(20000)), std::nullopt, "20000"},  // above the balance, still accepted
    };
    for (const auto& row : rows) {
        const CalculationResult result = LotCalculator::calculate(input("MNQ", row.risk, StopInput::points(Decimal(20))));
        EXPECT_EQ(result.riskBudget.text(), row.budget);
        if (row.issue) {
            EXPECT_EQ(result, early(*row.issue));
        } else {
            EXPECT_FALSE(result.issue);
        }
    }
    const auto over = LotCalculator::calculate(input("MNQ", RiskInput::amount(Decimal(20000)), StopInput::points(20)));
    EXPECT_EQ(over.actualRiskPercent, Decimal(200));

    // A bad balance wins over a bad risk and a bad stop.
    for (const char* balance : {"0", "-100"}) {
        CalculationInput in = input("MNQ", RiskInput::percent(Decimal(500)), StopInput::points(Decimal(-1)));
        in.balance = dec(balance);
        EXPECT_EQ(LotCalculator::calculate(in), early(Kind::invalidBalance));
    }
}

TEST(LotCalculatorTest, StopByPriceDecidesTheDirection) {
    struct Row {
        const char* entry;  // nullptr: none
        const char* stop;
        std::optional<Kind> issue;
        std::optional<TradeDirection> direction;
    };
    const Row rows[] = {
        {"100", "90", std::nullopt, TradeDirection::long_},   {"100", "110", std::nullopt, TradeDirection::short_},
        {"100", "100.00", Kind::stopEqualsEntry, std::nullopt}, {nullptr, "-5", Kind::missingEntry, std::nullopt},
        {nullptr, "90", Kind::missingEntry, std::nullopt},    {"0", "0", Kind::stopEqualsEntry, std::nullopt},
        {"0", "5", Kind::invalidStop, std::nullopt},          {"100", "-5", Kind::invalidStop, std::nullopt},
    };
    for (const auto& row : rows) {
        // The input's own direction is ignored with a stop by price.
        CalculationInput in = input("MNQ", RiskInput::amount(Decimal(100)), StopInput::price(dec(row.stop)),
                                    TradeDirection::short_);
        if (row.entry) in.entry = dec(row.entry);
        const CalculationResult result = LotCalculator::calculate(in);
        const std::string label = std::string(row.entry ? row.entry : "none") + " / " + row.stop;
        if (row.issue) {
            EXPECT_EQ(result, early(*row.issue, Decimal(100))) << label;
        } else {
            EXPECT_FALSE(result.issue) << label;
            EXPECT_EQ(result.stopPoints, Decimal(10)) << label;
            EXPECT_EQ(result.direction, row.direction) << label;
        }
    }
}

TEST(LotCalculatorTest, StopByPointsKeepsTheInputDirection) {
    for (TradeDirection direction : {TradeDirection::long_, TradeDirection::short_}) {
        CalculationInput in = standard("MNQ");
        in.direction = direction;
        in.entry = Decimal(5);  // ignored with a stop by points
        EXPECT_EQ(LotCalculator::calculate(in).direction, direction);
    }
    for (const char* stop : {"0", "-10"}) {
        const auto result =
            LotCalculator::calculate(input("MNQ", RiskInput::amount(Decimal(100)), StopInput::points(dec(stop))));
        EXPECT_EQ(result, early(Kind::invalidStop, Decimal(100)));
    }
    // A negative commission can cancel the risk of the move: risk per unit 10 × 20 − 300.
    CalculationInput in = input("NQ", RiskInput::percent(dec("0.5")), StopInput::points(Decimal(10)));
    in.commissionPerUnit = Decimal(-300);
    EXPECT_EQ(LotCalculator::calculate(in), early(Kind::invalidStop, Decimal(50), Decimal(10)));
}

TEST(LotCalculatorTest, StepAndMinimumEdges) {
    CalculationInput in = standard("MNQ");
    in.instrument.sizeStep = Decimal(0);  // sized in steps of 1
    EXPECT_EQ(LotCalculator::calculate(in).sizeUp, Decimal(2));

    in = standard("NAS100");
    in.instrument.minSize = Decimal(3);  // 2.5 fits, but below the minimum
    auto result = LotCalculator::calculate(in);
    EXPECT_EQ(result.size, Decimal(0));
    EXPECT_EQ(result.sizeUp, Decimal(3));
    EXPECT_EQ(result.issue, CalculationIssue::belowMinimum(Decimal(60)));

    in = standard("NQ");
    in.instrument.minSize = Decimal(0);  // nothing fits, still reported
    result = LotCalculator::calculate(in);
    EXPECT_EQ(result.sizeUp, Decimal(1));
    EXPECT_EQ(result.issue, CalculationIssue::belowMinimum(Decimal(0)));
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
