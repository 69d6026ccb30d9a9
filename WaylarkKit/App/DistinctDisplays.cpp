#include "WaylarkKit/App/DistinctDisplays.h"

#include <algorithm>
#include <map>

#include "IslandKit/Screen/DisplayIdentity.h"

namespace WaylarkKit {

void makeDistinct(std::vector<DisplayInfo>& displays, const std::vector<std::string>& connectors) {
    std::map<std::string, int> uses;
    for (const DisplayInfo& display : displays) ++uses[display.id];
    const std::size_t count = std::min(displays.size(), connectors.size());
    for (std::size_t i = 0; i < count; ++i) {
        DisplayInfo& display = displays[i];
        if (uses[display.id] < 2) continue;
        display.sharedID = display.id;
        display.id = IslandKit::DisplayIdentity::onConnector(display.sharedID, connectors[i]);
    }
}

}  // namespace WaylarkKit
