#pragma once

#include <optional>

#include "Base/Decimal.h"
#include "Base/Json.h"
#include "Base/Result.h"
#include "CalculatorKit/JsonCoding.h"

namespace CalculatorKit {

// The user's own values for one instrument; a field left absent keeps the instrument's value.
struct InstrumentOverride {
    std::optional<Base::Decimal> dollarsPerPoint;
    std::optional<Base::Decimal> minSize;
    std::optional<Base::Decimal> sizeStep;

    bool isEmpty() const { return !dollarsPerPoint && !minSize && !sizeStep; }
    bool operator==(const InstrumentOverride&) const = default;
};

// Only the fields that are present are written, so an empty override is "{}".
Base::Json toJson(const InstrumentOverride& value);
// Each member optional; missing or null leaves the field absent; a non-number fails.
template <>
Base::Result<InstrumentOverride> fromJson<InstrumentOverride>(const Base::Json& json);

}  // namespace CalculatorKit
