#pragma once

#include <optional>
#include <string_view>

#include "Base/Decimal.h"
#include "Base/Json.h"
#include "Base/JsonRead.h"
#include "Base/Result.h"

namespace CalculatorKit {

// Decoding of the calculator records, specialised beside each record:
// CalculatorKit::fromJson<CalculatorSettings>(json). Encoding is an overloaded toJson.
template <class T>
Base::Result<T> fromJson(const Base::Json& json);

// A required number member read by its digits; missing, null or not a number fails.
Base::Result<Base::Decimal> decimalMember(const Base::JsonObjectReader& reader, std::string_view key);
// An optional number member: absent when missing or null, an error when of another type.
Base::Result<std::optional<Base::Decimal>> optionalDecimalMember(const Base::JsonObjectReader& reader,
                                                                 std::string_view key);

}  // namespace CalculatorKit
