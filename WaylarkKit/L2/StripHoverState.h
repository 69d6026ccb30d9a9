#pragma once

#include <functional>
#include <optional>

#include "Base/Observable.h"
#include "WaylarkKit/L2/L2Tab.h"

namespace WaylarkKit {

// The strip of one island's panel that the pointer is over. Enter and leave
// may arrive out of order between neighbouring strips: leaving one strip
// never clears another that the pointer has already entered.
class StripHoverState {
public:
    const std::optional<L2Tab>& tab() const { return tab_.get(); }
    void set(L2Tab tab, bool hovered);

    [[nodiscard]] Base::Subscription observe(std::function<void()> observer) {
        return tab_.observe(std::move(observer));
    }

private:
    Base::Observable<std::optional<L2Tab>> tab_;
};

}  // namespace WaylarkKit
