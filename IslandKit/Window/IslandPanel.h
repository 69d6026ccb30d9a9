#pragma once

#include <functional>

#include "IslandKit/Window/FloatingPanel.h"

namespace IslandKit {

// The island's floating window: frameless, above other windows, translucent,
// never activated by being shown. It takes the keyboard only when a click
// lands on a view that takes typed input and `keyEligibility` allows it.
class IslandPanel final : public FloatingPanel {
public:
    IslandPanel();

    std::function<bool()> keyEligibility;
    // Just before a click makes the panel take the keyboard.
    std::function<void()> onTakingKeyboard;

    bool canBecomeKey() const { return keyEligibility && keyEligibility(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void childEvent(QChildEvent* event) override;

private:
    void watch(QObject* object);
};

}  // namespace IslandKit
