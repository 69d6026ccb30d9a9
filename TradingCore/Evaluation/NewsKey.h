#pragma once

#include <cmath>

#include "TradingCore/Model/NewsEvent.h"

namespace TradingCore {

// Whether two events give the same "<displayLabel>@<epoch text>" key, without
// writing either text: distinct doubles have distinct shortest texts, except
// that every NaN writes "nan" and 0.0 and -0.0 write differently.
inline bool sameNewsKey(const NewsEvent& a, const NewsEvent& b) {
    const double x = a.time.secondsSince1970;
    const double y = b.time.secondsSince1970;
    const bool sameText = (x == y && std::signbit(x) == std::signbit(y)) || (std::isnan(x) && std::isnan(y));
    return sameText && a.displayLabel() == b.displayLabel();
}

}  // namespace TradingCore
