#pragma once

#include <string>
#include <vector>

#include "WaylarkKit/App/DisplayPlan.h"

namespace WaylarkKit {

// Gives every display of `displays` an identifier of its own. Identical
// monitors connected together read the same identifier; each of them then
// gets one made with its connector name (`connectors`, in the same order) and
// keeps the shared one as `sharedID`, so a choice stored under it still counts.
void makeDistinct(std::vector<DisplayInfo>& displays, const std::vector<std::string>& connectors);

}  // namespace WaylarkKit
