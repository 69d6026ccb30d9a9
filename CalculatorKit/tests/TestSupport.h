#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "Base/Decimal.h"
#include "Base/Json.h"
#include "CalculatorKit/Instrument.h"

namespace CalculatorKitTest {

inline Base::Decimal dec(std::string_view text) {
    const auto value = Base::Decimal::fromText(text);
    if (!value) throw std::invalid_argument("not a decimal: " + std::string(text));
    return *value;
}

inline Base::Json parseJson(std::string_view text) {
    auto json = Base::Json::parse(text);
    if (!json) throw std::invalid_argument("bad test JSON: " + json.error().message);
    return *json;
}

// A user's instrument that passes every repair bound.
inline CalculatorKit::Instrument custom(std::string id, std::string name = "Mine") {
    return CalculatorKit::Instrument{std::move(id), std::move(name), CalculatorKit::InstrumentKind::future,
                                     Base::Decimal(10), dec("0.25"), Base::Decimal(1), Base::Decimal(1),
                                     "contract", false, "own", std::nullopt};
}

}  // namespace CalculatorKitTest
