#pragma once

#include <string>

#include "Base/Date.h"
#include "TradingCore/Model/NewsImpact.h"

namespace CalendarKit {

// One accepted entry of a feed document, its texts exactly as published.
struct FeedEvent {
    std::string title;
    std::string currency;
    Base::Date time;
    TradingCore::NewsImpact impact = TradingCore::NewsImpact::low;
    std::string forecast;  // empty when the feed gave none
    std::string previous;  // empty when the feed gave none

    bool operator==(const FeedEvent&) const = default;
};

}  // namespace CalendarKit
