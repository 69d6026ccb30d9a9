#pragma once

#include <functional>
#include <optional>

#include <QObject>

#include "Base/Scheduler.h"
#include "WaylarkKit/App/SuspendClockWatcher.h"
#include "WaylarkKit/App/WakeWatching.h"

namespace WaylarkKit {

// Tells when the machine woke: logind's PrepareForSleep(false) on the system
// bus, and the jump of the suspend clock, which also works where the bus or
// logind is missing (a container, a minimal desktop) and cannot tell which.
// One wake reaches both a few seconds apart; reports within `foldSeconds` of
// the last one passed on are that same wake.
class SystemWakeMonitor final : public QObject, public WakeWatching {
    Q_OBJECT

public:
    static constexpr double foldSeconds = 3 * SuspendClockWatcher::pollInterval;

    explicit SystemWakeMonitor(Base::Scheduler& scheduler, std::function<double()> suspendedSeconds =
                                                               &SuspendClockWatcher::systemSuspendedSeconds);
    ~SystemWakeMonitor() override;

    void start(std::function<void()> onWake) override;
    void stop() override;

private Q_SLOTS:
    void prepareForSleep(bool sleeping);

private:
    void report();

    Base::Scheduler& scheduler_;
    SuspendClockWatcher suspendClock_;
    std::function<void()> onWake_;
    std::optional<double> lastReport_;
    bool listening_ = false;
};

}  // namespace WaylarkKit
