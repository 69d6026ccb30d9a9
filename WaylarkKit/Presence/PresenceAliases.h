#pragma once

#include <set>
#include <string>

namespace WaylarkKit::PresenceAliases {

// The triggers with the other names the same applications carry on this
// system: the charting application's bundle identifier has no counterpart
// here, so it stands for the program named "tradingview".
std::set<std::string> expanded(const std::set<std::string>& triggers);

}  // namespace WaylarkKit::PresenceAliases
