#include "WaylarkKit/AppDelegate.h"

#include <unistd.h>

#include <string>

#include "WaylarkKit/OpenRequest.h"
#include "WaylarkKit/Presence/PresenceAliases.h"
#include "WaylarkKit/Presence/ProcessApplicationsWatcher.h"

namespace WaylarkKit {

AppDelegate::AppDelegate(LaunchOptions options, InstanceLock lock, Base::Scheduler& scheduler, bool launchedByUser)
    : options_(std::move(options)), lock_(std::move(lock)), scheduler_(scheduler), launchedByUser_(launchedByUser) {}

void AppDelegate::applicationDidFinishLaunching() {
    // Always on (the demo and the showreel are too): nothing to watch, nobody to hear.
    if (options_.alwaysOn) {
        activate();
        return;
    }
    auto watcher = std::make_unique<ProcessApplicationsWatcher>(scheduler_, PresenceAliases::expanded(options_.triggers));
    // The delegate owns the controller, which owns the watcher and its timer,
    // so none of these callbacks can outlive `this`.
    presence_ = std::make_unique<PresenceController>(options_.triggers, std::move(watcher), [this](bool present) {
        if (present) {
            activate();
        } else if (!openedManually_) {
            deactivate();
        }
    });
    presence_->start();
    auto listener = OpenRequestListener::start(scheduler_, OpenRequest::socketPath(), [this] { openManually(); });
    if (listener) {
        openRequests_ = std::move(listener).value();
    } else {
        // The island still follows the charting application; only a second
        // launch cannot reach this one.
        const std::string line = "Orl Trading Waylark cannot hear open requests: " + listener.error().message + "\n";
        [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, line.data(), line.size());
    }
    if (launchedByUser_) openManually();
}

void AppDelegate::applicationWillTerminate() {
    // Nothing is stored yet; the socket goes before the lock is released.
    openRequests_.reset();
}

void AppDelegate::openManually() {
    openedManually_ = true;
    activate();
}

void AppDelegate::activate() {
    if (isActive_) return;
    isActive_ = true;
}

void AppDelegate::deactivate() {
    if (!isActive_) return;
    isActive_ = false;
}

}  // namespace WaylarkKit
