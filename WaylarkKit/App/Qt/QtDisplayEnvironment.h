#pragma once

#include "WaylarkKit/App/AppPlatform.h"

class QScreen;

namespace WaylarkKit {

// The displays as Qt reports them. A display is known by the stable
// identifier the island shell reads from its EDID or connector; a RandR
// monitor that is no output of its own (a screen split in two) is known by
// its monitor name instead. Identical monitors connected together are told
// apart by their connectors.
class QtDisplayEnvironment final : public DisplayEnvironment {
public:
    std::vector<DisplayInfo> connected() const override;
    IslandKit::ScreenMetrics metrics(const std::string& displayID) const override;
    IslandKit::Point pointer() const override;
    bool hasMainScreen() const override;
    [[nodiscard]] Base::Subscription observeChanges(std::function<void()> onChange) override;

    // The screen of a display, the main screen for an empty reference, or null.
    static QScreen* screen(const ScreenRef& ref);
};

}  // namespace WaylarkKit
