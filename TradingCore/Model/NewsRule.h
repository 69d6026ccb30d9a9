#pragma once

#include <set>
#include <string>

#include "Base/Json.h"
#include "Base/Result.h"
#include "TradingCore/Model/JsonCoding.h"
#include "TradingCore/Model/NewsImpact.h"

namespace TradingCore {

// Which releases black out trading, and for how long around them.
struct NewsRule {
    std::set<std::string> currencies;
    std::set<NewsImpact> impacts;
    double beforeSeconds = 0;  // the blackout begins this long before the release
    double afterSeconds = 0;   // and ends this long after it
    double leadSeconds = 0;    // its upcoming activity shows this long before the release

    bool operator==(const NewsRule&) const = default;
};

// {"currencies": [..], "impacts": [..], "beforeSeconds", "afterSeconds", "leadSeconds"}.
Base::Json toJson(const NewsRule& rule);
template <>
Base::Result<NewsRule> fromJson<NewsRule>(const Base::Json& json);

}  // namespace TradingCore
