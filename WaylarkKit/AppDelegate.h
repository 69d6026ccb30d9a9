#pragma once

#include <memory>

#include "Base/Scheduler.h"
#include "WaylarkKit/App/InstanceLock.h"
#include "WaylarkKit/OpenRequestListener.h"
#include "WaylarkKit/Presence/LaunchOptions.h"
#include "WaylarkKit/Presence/PresenceController.h"

namespace WaylarkKit {

// The first process's delegate, created once at start-up with the options and
// the lock, both held for the whole run. It decides when the island is
// active: with "--always-on", while a trigger application runs, or for good
// once the user opened the system by hand (this launch or a second one).
class AppDelegate {
public:
    AppDelegate(LaunchOptions options, InstanceLock lock, Base::Scheduler& scheduler, bool launchedByUser);
    AppDelegate(const AppDelegate&) = delete;
    AppDelegate& operator=(const AppDelegate&) = delete;

    void applicationDidFinishLaunching();
    void applicationWillTerminate();

    bool isActive() const { return isActive_; }
    bool openedManually() const { return openedManually_; }

private:
    void openManually();
    void activate();
    void deactivate();

    LaunchOptions options_;
    InstanceLock lock_;
    Base::Scheduler& scheduler_;
    bool launchedByUser_;
    std::unique_ptr<PresenceController> presence_;
    std::unique_ptr<OpenRequestListener> openRequests_;
    bool isActive_ = false;
    bool openedManually_ = false;
};

}  // namespace WaylarkKit
