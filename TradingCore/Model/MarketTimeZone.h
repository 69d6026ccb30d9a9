#pragma once

#include "Base/TimeZone.h"

namespace TradingCore::MarketTimeZone {

// "America/New_York", in which every trading time is read. Made once; a
// time-zone database without it is a fatal error, since no other zone would
// give the right trading hours.
const Base::TimeZone& newYork();

}  // namespace TradingCore::MarketTimeZone
