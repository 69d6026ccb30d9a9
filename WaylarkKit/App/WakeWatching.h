#pragma once

#include <functional>

namespace WaylarkKit {

// Tells when the machine woke from sleep. Main thread only.
class WakeWatching {
public:
    virtual ~WakeWatching() = default;
    // Replaces any earlier handler; `onWake` runs on the main thread.
    virtual void start(std::function<void()> onWake) = 0;
    virtual void stop() = 0;
};

}  // namespace WaylarkKit
