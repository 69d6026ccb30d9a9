#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "Base/Decimal.h"
#include "Base/Json.h"

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

}  // namespace CalculatorKitTest
