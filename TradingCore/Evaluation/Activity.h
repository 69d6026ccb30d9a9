#pragma once

#include <optional>
#include <string>

#include "Base/Date.h"
#include "TradingCore/Evaluation/ActivityKind.h"
#include "TradingCore/Model/IntervalColor.h"
#include "TradingCore/Model/NewsImpact.h"

namespace TradingCore {

// One line of the activity list. `id` stays the same for one occurrence from
// evaluation to evaluation, so views can key their own state by it.
struct Activity {
    std::string id;
    ActivityKind kind = ActivityKind::news;
    ActivityPhase phase = ActivityPhase::upcoming;
    std::string title;
    std::optional<Base::Date> target;  // what the countdown runs to; absent once ended
    bool justStarted = false;
    std::optional<NewsImpact> impact;    // news only
    std::optional<IntervalColor> color;  // custom intervals only

    bool operator==(const Activity&) const = default;
};

}  // namespace TradingCore
