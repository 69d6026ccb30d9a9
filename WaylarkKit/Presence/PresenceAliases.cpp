#include "WaylarkKit/Presence/PresenceAliases.h"

#include <map>

namespace WaylarkKit::PresenceAliases {

std::set<std::string> expanded(const std::set<std::string>& triggers) {
    static const std::multimap<std::string, std::string> aliases{
        {"com.tradingview.tradingviewapp.desktop", "tradingview"},
    };
    std::set<std::string> result = triggers;
    for (const std::string& trigger : triggers) {
        const auto [first, last] = aliases.equal_range(trigger);
        for (auto it = first; it != last; ++it) result.insert(it->second);
    }
    return result;
}

}  // namespace WaylarkKit::PresenceAliases
