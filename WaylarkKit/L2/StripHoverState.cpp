#include "WaylarkKit/L2/StripHoverState.h"

namespace WaylarkKit {

void StripHoverState::set(L2Tab tab, bool hovered) {
    if (hovered) {
        tab_.set(tab);
    } else if (tab_.get() == tab) {
        tab_.set(std::nullopt);
    }
}

}  // namespace WaylarkKit
