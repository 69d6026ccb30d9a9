#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>

namespace WaylarkKit {

// What runs now, and a call whenever that may have changed. Main thread only.
class RunningApplicationsWatching {
public:
    using Handler = std::function<void()>;
    virtual ~RunningApplicationsWatching() = default;

    // The identifiers of every application that runs now.
    virtual std::set<std::string> runningBundleIdentifiers() = 0;
    // Replaces any earlier handler; the watcher keeps it.
    virtual void startObserving(Handler handler) = 0;
    virtual void stopObserving() = 0;
};

// Tells when one of the trigger applications starts or quits: `onChange`
// runs once at start and then only when the presence flips.
class PresenceController {
public:
    PresenceController(std::set<std::string> triggers, std::unique_ptr<RunningApplicationsWatching> watcher,
                       std::function<void(bool present)> onChange);
    PresenceController(const PresenceController&) = delete;
    PresenceController& operator=(const PresenceController&) = delete;

    // Starts watching and reports the current presence before it returns.
    void start();

    // Absent until the first check.
    std::optional<bool> isPresent() const { return isPresent_; }

private:
    void check();

    // The triggers with their aliases: what a running identifier is matched against.
    std::set<std::string> triggers_;
    std::unique_ptr<RunningApplicationsWatching> watcher_;
    std::function<void(bool)> onChange_;
    std::optional<bool> isPresent_;
    // A handler left with a watcher that outlives the controller finds this gone.
    std::shared_ptr<PresenceController*> self_;
};

}  // namespace WaylarkKit
