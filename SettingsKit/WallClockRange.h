#pragma once

#include "TradingCore/Model/WallClockTime.h"

namespace SettingsKit {

// Whether a time lies within one day, 00:00 to 23:59. Stored files may hold
// any integers; only times that pass this reach the engine from the settings.
inline bool isWithinDay(const TradingCore::WallClockTime& time) {
    return time.hour >= 0 && time.hour <= 23 && time.minute >= 0 && time.minute <= 59;
}

}  // namespace SettingsKit
