#include "CalculatorKit/LotCalculator.h"

namespace CalculatorKit::LotCalculator {

namespace {

using Base::Decimal;
using Kind = CalculationIssue::Kind;

const Decimal zero;
const Decimal hundred(100);

CalculationResult emptyResult(Kind kind) {
    CalculationResult result;
    result.issue = CalculationIssue::of(kind);
    return result;
}

CalculationResult stoppedResult(Kind kind, const Decimal& budget, const Decimal& distance = Decimal()) {
    CalculationResult result;
    result.stopPoints = distance;
    result.riskBudget = budget;
    result.issue = CalculationIssue::of(kind);
    return result;
}

std::optional<Decimal> riskBudget(const CalculationInput& input) {
    const Decimal& value = input.risk.value;
    if (input.risk.kind == RiskInput::Kind::amount) {
        if (value > zero) return value;
        return std::nullopt;
    }
    // Multiplied first, then divided: a whole-cent percentage of a whole balance stays exact.
    if (value > zero && value <= hundred) return input.balance * value / hundred;
    return std::nullopt;
}

}  // namespace

CalculationResult calculate(const CalculationInput& input) {
    if (input.balance <= zero) return emptyResult(Kind::invalidBalance);

    const std::optional<Decimal> budgetFound = riskBudget(input);
    if (!budgetFound) return emptyResult(Kind::invalidRisk);
    const Decimal budget = *budgetFound;

    Decimal distance;
    TradeDirection direction = input.direction;
    if (input.stop.kind == StopInput::Kind::price) {
        const Decimal& stop = input.stop.value;
        if (!input.entry) return stoppedResult(Kind::missingEntry, budget);
        const Decimal& entry = *input.entry;
        if (stop == entry) return stoppedResult(Kind::stopEqualsEntry, budget);
        if (stop <= zero || entry <= zero) return stoppedResult(Kind::invalidStop, budget);
        distance = (entry - stop).magnitude();
        direction = stop < entry ? TradeDirection::long_ : TradeDirection::short_;
    } else {
        if (input.stop.value <= zero) return stoppedResult(Kind::invalidStop, budget);
        distance = input.stop.value;
    }

    const Instrument& instrument = input.instrument;
    // A negative commission can cancel the risk of the move itself.
    const Decimal riskPerUnit = distance * instrument.dollarsPerPoint + input.commissionPerUnit;
    if (riskPerUnit <= zero) return stoppedResult(Kind::invalidStop, budget, distance);

    const Decimal step = instrument.sizeStep > zero ? instrument.sizeStep : Decimal(1);
    const Decimal stepsThatFit = (budget / riskPerUnit / step).rounded(0, Base::RoundingMode::down);
    const Decimal candidate = stepsThatFit * step;
    const Decimal size = candidate >= instrument.minSize ? candidate : zero;

    CalculationResult result;
    result.stopPoints = distance;
    result.riskBudget = budget;
    result.size = size;
    result.actualRisk = size * riskPerUnit;
    result.actualRiskPercent = result.actualRisk / input.balance * hundred;
    const Decimal next = size + step;
    const Decimal sizeUp = next > instrument.minSize ? next : instrument.minSize;
    result.sizeUp = sizeUp;
    result.riskUp = sizeUp * riskPerUnit;
    result.riskUpPercent = *result.riskUp / input.balance * hundred;
    result.direction = direction;
    // Tested on the size itself, so a minimum of 0 or less still reports when nothing fits.
    if (size == zero) result.issue = CalculationIssue::belowMinimum(instrument.minSize * riskPerUnit);
    return result;
}

std::optional<Decimal> calibratedDollarsPerPoint(const Decimal& size, const Decimal& pointsMoved,
                                                 const Decimal& profitChange) {
    if (size <= zero) return std::nullopt;
    if (pointsMoved == zero) return std::nullopt;
    const Decimal moved = pointsMoved.magnitude() * size;
    // Two tiny factors can round to zero at the edge of the range; there is no rate to give then.
    if (moved == zero) return std::nullopt;
    const Decimal value = profitChange.magnitude() / moved;
    if (value <= zero) return std::nullopt;
    return value;
}

}  // namespace CalculatorKit::LotCalculator
