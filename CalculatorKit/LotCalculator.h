#pragma once

#include <optional>

#include "Base/Decimal.h"
#include "CalculatorKit/Calculation.h"

namespace CalculatorKit::LotCalculator {

// The position size for a balance, a risk and a stop. Never fails: the first
// failed check is reported in the result's issue, in this order: balance,
// risk, entry/stop, risk per unit, minimum size.
CalculationResult calculate(const CalculationInput& input);

// Dollars per point from a test trade: |profitChange| / (|pointsMoved| × size).
// Absent for a size not above zero, no movement, or no profit change.
std::optional<Base::Decimal> calibratedDollarsPerPoint(const Base::Decimal& size, const Base::Decimal& pointsMoved,
                                                       const Base::Decimal& profitChange);

}  // namespace CalculatorKit::LotCalculator
