#pragma once

#include "Base/TimeZone.h"
#include "TradingCore/Evaluation/ScheduleBuilder.h"

namespace TradingCore {

// A builder for the zone, owned by the calling thread. Making a calendar
// costs more than a whole evaluation, and its answers depend on the zone
// alone, so each thread keeps the one it used last.
ScheduleBuilder& threadBuilder(const Base::TimeZone& zone);

}  // namespace TradingCore
