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

CalculationInput input(const char* instrumentID, RiskInput risk, StopInput stop,
                       TradeDirection direction = TradeDirection::short_) {
    return CalculationInput{*InstrumentLibrary::instrument(instrumentID), Decimal(10000), risk, stop, std::nullopt,
                            direction, Decimal()};
}

// The shape of an early return: amounts zero, no sizes up, no direction.
CalculationResult early(Kind kind, Decimal budget = Decimal(), Decimal stopPoints = Decimal()) {
    CalculationResult result;
    result.stopPoints = stopPoints;
    result.riskBudget = budget;
    result.issue = CalculationIssue::of(kind);
    return result;
}

CalculationInput standard(const char* instrumentID) {
    return input(instrumentID, RiskInput::percent(dec("0.5")), StopInput::points(Decimal(20)));
}

}  // namespace

TEST(LotCalculatorTest, FullSizeFutureBelowItsMinimum) {
    const CalculationResult result = LotCalculator::calculate(standard("NQ"));
    EXPECT_EQ(result.riskBudget, Decimal(50));
    EXPECT_EQ(result.stopPoints, Decimal(20));
    EXPECT_EQ(result.size, Decimal(0));
    EXPECT_EQ(result.actualRisk, Decimal(0));
    EXPECT_EQ(result.actualRiskPercent, Decimal(0));
    EXPECT_EQ(result.issue, CalculationIssue::belowMinimum(Decimal(400)));
    EXPECT_NE(result.issue, CalculationIssue::belowMinimum(Decimal(399)));
    EXPECT_EQ(result.sizeUp, Decimal(1));
    EXPECT_EQ(result.riskUp, Decimal(400));
    EXPECT_EQ(result.riskUpPercent, Decimal(4));
    EXPECT_EQ(result.direction, TradeDirection::short_);
    EXPECT_FALSE(result.isUsable());
}

TEST(LotCalculatorTest, MicroFutureFits) {
    const CalculationResult result = LotCalculator::calculate(standard("MNQ"));
    EXPECT_EQ(result.size, Decimal(1));
    EXPECT_EQ(result.actualRisk, Decimal(40));
    EXPECT_EQ(result.actualRiskPercent, dec("0.4"));
    EXPECT_EQ(result.sizeUp, Decimal(2));
    EXPECT_EQ(result.riskUp, Decimal(80));
    EXPECT_EQ(result.riskUpPercent, dec("0.8"));
    EXPECT_FALSE(result.issue);
    EXPECT_TRUE(result.isUsable());
}

TEST(LotCalculatorTest, CfdSizesInHundredths) {
    const CalculationResult result = LotCalculator::calculate(standard("NAS100"));
    EXPECT_EQ(result.size, dec("2.5"));
    EXPECT_EQ(result.actualRisk, Decimal(50));
    EXPECT_EQ(result.actualRiskPercent, dec("0.5"));
    EXPECT_EQ(result.sizeUp, dec("2.51"));
    EXPECT_EQ(result.riskUp, dec("50.2"));
    EXPECT_TRUE(result.isUsable());
}

TEST(LotCalculatorTest, CommissionAddsToTheRiskOfEachUnit) {
    CalculationInput in = standard("MNQ");
    in.commissionPerUnit = Decimal(2);
    const CalculationResult result = LotCalculator::calculate(in);
    EXPECT_EQ(result.size, Decimal(1));  // 50 / 42 rounds down
    EXPECT_EQ(result.actualRisk, Decimal(42));
    EXPECT_EQ(result.riskUp, Decimal(84));
}

TEST(LotCalculatorTest, ExactQuotientsNeverFloorOneShort) {
    // 58,000 at 1 % on NQ with a 14.5-point stop: 580 / 290 is exactly 2.
    CalculationInput in = input("NQ", RiskInput::percent(Decimal(1)), StopInput::points(dec("14.5")));
    in.balance = Decimal(58000);
    EXPECT_EQ(LotCalculator::calculate(in).size, Decimal(2));
    // A third of a percent: the budget is a recurring decimal and must not tip over.
    in = input("MES", RiskInput::amount(dec("30")), StopInput::points(dec("0.3")));
    EXPECT_EQ(LotCalculator::calculate(in).size, Decimal(20));
}

TEST(LotCalculatorTest, RiskEdges) {
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
        {RiskInput::amount(Decimal(-5)), Kind::invalidRisk, "0"},
        {RiskInput::amount(Decimal(20000)), std::nullopt, "20000"},
    };
    for (const auto& row : rows) {
        const CalculationResult result =
            LotCalculator::calculate(input("MNQ", row.risk, StopInput::points(Decimal(20))));
        EXPECT_EQ(result.riskBudget.text(), row.budget);
        if (row.issue) {
            EXPECT_EQ(result, early(*row.issue));
        } else {
            EXPECT_FALSE(result.issue);
        }
    }
    // Risking more than the balance is allowed; the percentage says so.
    const auto over = LotCalculator::calculate(input("MNQ", RiskInput::amount(Decimal(20000)), StopInput::points(Decimal(20))));
    EXPECT_EQ(over.size, Decimal(500));
    EXPECT_EQ(over.actualRiskPercent, Decimal(200));
}

TEST(LotCalculatorTest, BalanceIsCheckedFirst) {
    for (const char* balance : {"0", "-100"}) {
        CalculationInput in = input("MNQ", RiskInput::percent(Decimal(500)), StopInput::points(Decimal(-1)));
        in.balance = dec(balance);
        EXPECT_EQ(LotCalculator::calculate(in), early(Kind::invalidBalance));
    }
}

TEST(LotCalculatorTest, StopByPriceDecidesTheDirection) {
    struct Row {
        std::optional<const char*> entry;
        const char* stop;
        std::optional<Kind> issue;
        const char* distance;
        std::optional<TradeDirection> direction;
    };
    const Row rows[] = {
        {"100", "90", std::nullopt, "10", TradeDirection::long_},
        {"100", "110", std::nullopt, "10", TradeDirection::short_},
        {"100", "100", Kind::stopEqualsEntry, "0", std::nullopt},
        {"100", "100.00", Kind::stopEqualsEntry, "0", std::nullopt},
        {std::nullopt, "-5", Kind::missingEntry, "0", std::nullopt},
        {std::nullopt, "90", Kind::missingEntry, "0", std::nullopt},
        {"0", "0", Kind::stopEqualsEntry, "0", std::nullopt},
        {"0", "5", Kind::invalidStop, "0", std::nullopt},
        {"100", "-5", Kind::invalidStop, "0", std::nullopt},
        {"-100", "-5", Kind::invalidStop, "0", std::nullopt},
    };
    for (const auto& row : rows) {
        // The input's own direction is ignored with a stop by price.
        CalculationInput in = input("MNQ", RiskInput::amount(Decimal(100)), StopInput::price(dec(row.stop)),
                                    TradeDirection::short_);
        if (row.entry) in.entry = dec(*row.entry);
        const CalculationResult result = LotCalculator::calculate(in);
        const std::string label = std::string(row.entry.value_or("none")) + " / " + row.stop;
        EXPECT_EQ(result.issue ? std::optional<Kind>(result.issue->kind) : std::nullopt, row.issue) << label;
        EXPECT_EQ(result.stopPoints.text(), row.distance) << label;
        EXPECT_EQ(result.direction, row.direction) << label;
        EXPECT_EQ(result.riskBudget, Decimal(100)) << label;
        if (row.issue) {
            EXPECT_EQ(result, early(*row.issue, Decimal(100))) << label;
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
}

TEST(LotCalculatorTest, NegativeRiskPerUnitIsAnInvalidStopWithItsDistance) {
    CalculationInput in = input("NQ", RiskInput::percent(dec("0.5")), StopInput::points(Decimal(10)));
    in.commissionPerUnit = Decimal(-300);
    EXPECT_EQ(LotCalculator::calculate(in),
              early(Kind::invalidStop, Decimal(50), Decimal(10)));
}

TEST(LotCalculatorTest, StepAndMinimumEdges) {
    CalculationInput in = standard("MNQ");
    in.instrument.sizeStep = Decimal(0);  // sized in steps of 1
    EXPECT_EQ(LotCalculator::calculate(in).size, Decimal(1));
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
    const char* const numbers[] = {"0", "-1", "1", "0.01", "100", "100.01", "1e-128", "-1e-128",
                                   "99999999999999999999999999999999999999e127", "-99999999999999999999999999999999999999e127",
                                   "12345678901234567890123456789012345678", "0.3333333333333333333333333333333333333",
                                   "1e-60", "1e60"};
    const auto any = [&]() { return dec(numbers[random() % std::size(numbers)]); };
    int usable = 0;
    for (int i = 0; i < 20000; ++i) {
        Instrument instrument{"x", "x", InstrumentKind::future, any(), any(), any(), any(), "u", false, "", std::nullopt};
        CalculationInput in{instrument,
                            any(),
                            random() % 2 ? RiskInput::percent(any()) : RiskInput::amount(any()),
                            random() % 2 ? StopInput::points(any()) : StopInput::price(any()),
                            random() % 3 ? std::optional<Decimal>(any()) : std::nullopt,
                            random() % 2 ? TradeDirection::long_ : TradeDirection::short_,
                            any()};
        const CalculationResult result = LotCalculator::calculate(in);
        if (result.isUsable()) {
            ++usable;
            EXPECT_GT(result.size, Decimal());
            // At 38 digits a tiny step can vanish beside a huge size, so only >= holds everywhere.
            EXPECT_TRUE(result.sizeUp && *result.sizeUp >= result.size);
        }
    }
    EXPECT_GT(usable, 100);
}
