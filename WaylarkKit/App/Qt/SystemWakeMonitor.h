#pragma once

#include <functional>

#include <QObject>

#include "Base/Scheduler.h"
#include "WaylarkKit/App/SuspendClockWatcher.h"
#include "WaylarkKit/App/WakeWatching.h"

namespace WaylarkKit {

// Tells when the machine woke: logind's PrepareForSleep(false) on the system
// bus, or, where there is no such bus (a container, a session without
// logind), the jump of the suspend clock.
class SystemWakeMonitor final : public QObject, public WakeWatching {
    Q_OBJECT

public:
    explicit SystemWakeMonitor(Base::Scheduler& scheduler);
    ~SystemWakeMonitor() override;

    void start(std::function<void()> onWake) override;
    void stop() override;

private Q_SLOTS:
    void prepareForSleep(bool sleeping);

private:
    SuspendClockWatcher fallback_;
    std::function<void()> onWake_;
    bool listening_ = false;
};

}  // namespace WaylarkKit
