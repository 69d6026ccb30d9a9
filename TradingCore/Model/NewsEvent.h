#pragma once

#include <optional>
#include <string>

#include "Base/Date.h"
#include "TradingCore/Model/NewsImpact.h"

namespace TradingCore {

// One economic release as the engine sees it. Never stored.
struct NewsEvent {
    std::string id;
    std::string title;
    std::string currency;
    NewsImpact impact = NewsImpact::low;
    Base::Date time;
    bool isTimeConfirmed = false;
    std::optional<std::string> label;  // short family label; an empty one still counts

    const std::string& displayLabel() const { return label ? *label : title; }
    // "news:<displayLabel>@<epoch seconds>", the same for every event that
    // shows the same label at the same instant, so lists can follow it.
    std::string activityID() const;

    bool operator==(const NewsEvent&) const = default;
};

}  // namespace TradingCore
