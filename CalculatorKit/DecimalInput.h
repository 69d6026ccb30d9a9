#pragma once

#include <optional>
#include <string_view>

#include "Base/Decimal.h"

namespace CalculatorKit::DecimalInput {

// A number typed by hand, in the dot or the comma convention, with or without
// thousands grouping ("1,000.50", "1.000,50", "1 000", "1'000_000"), read
// exactly. Absent for anything a number field should not accept, negatives
// included. A lone comma after a whole part of "0" is always the decimal
// separator, so "0,001" is a thousandth, never one.
std::optional<Base::Decimal> parse(std::string_view text);

}  // namespace CalculatorKit::DecimalInput
