#pragma once

#include <functional>

#include "IslandKit/Window/FloatingPanel.h"

namespace IslandKit {

// The island's floating window: frameless, above other windows, translucent,
// never activated by being shown. A click into a view that takes typed input
// gives it the keyboard only while `keyEligibility` allows it.
class IslandPanel final : public FloatingPanel {
public:
    IslandPanel();

    std::function<bool()> keyEligibility;

    bool canBecomeKey() const override { return keyEligibility && keyEligibility(); }
};

}  // namespace IslandKit
