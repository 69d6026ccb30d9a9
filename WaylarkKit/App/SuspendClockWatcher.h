#pragma once

#include <functional>
#include <optional>

#include "Base/Scheduler.h"
#include "WaylarkKit/App/WakeWatching.h"

namespace WaylarkKit {

// Notices a wake without any bus: the time the machine spent suspended is the
// growth of CLOCK_BOOTTIME over CLOCK_MONOTONIC, and timers do not run while
// it sleeps, so a look every few seconds that finds it grown by more than
// `wakeThreshold` since the last look has just woken.
class SuspendClockWatcher final : public WakeWatching {
public:
    static constexpr double pollInterval = 5;
    static constexpr double wakeThreshold = 5;

    // `suspendedSeconds` reads the time spent suspended since boot.
    explicit SuspendClockWatcher(Base::Scheduler& scheduler, std::function<double()> suspendedSeconds =
                                                                 &SuspendClockWatcher::systemSuspendedSeconds);

    void start(std::function<void()> onWake) override;
    void stop() override;

    // CLOCK_BOOTTIME − CLOCK_MONOTONIC, in seconds.
    static double systemSuspendedSeconds();

private:
    void look();

    Base::Scheduler& scheduler_;
    std::function<double()> suspendedSeconds_;
    std::function<void()> onWake_;
    double lastSuspended_ = 0;
    Base::TaskHandle timer_;
};

}  // namespace WaylarkKit
