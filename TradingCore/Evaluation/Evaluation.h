#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Base/Date.h"
#include "TradingCore/Evaluation/Activity.h"
#include "TradingCore/Evaluation/StatusBase.h"
#include "TradingCore/Model/DataConfidence.h"
#include "TradingCore/Model/NewsImpact.h"

namespace TradingCore {

// The engine's answer for one instant.
struct Evaluation {
    StatusBase base = StatusBase::gray;
    DataConfidence confidence = DataConfidence::unknown;
    std::optional<std::string> windowName;  // absent when gray
    std::optional<Base::Date> nextChange;   // next change of base or window name
    bool countdownVisible = false;
    std::optional<std::string> announcement;  // a window that has just opened
    std::vector<Activity> activities;         // in display order
    std::optional<NewsImpact> restrictionImpact;  // while red: the most severe blackout in force

    bool operator==(const Evaluation&) const = default;
};

}  // namespace TradingCore
