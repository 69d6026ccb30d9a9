#include "WaylarkKit/Presence/PresenceController.h"

#include <algorithm>

#include "WaylarkKit/Presence/PresenceAliases.h"

namespace WaylarkKit {

PresenceController::PresenceController(std::set<std::string> triggers,
                                       std::unique_ptr<RunningApplicationsWatching> watcher,
                                       std::function<void(bool present)> onChange)
    : triggers_(PresenceAliases::expanded(triggers)),
      watcher_(std::move(watcher)),
      onChange_(std::move(onChange)),
      self_(std::make_shared<PresenceController*>(this)) {}

void PresenceController::start() {
    watcher_->startObserving([weak = std::weak_ptr<PresenceController*>(self_)] {
        if (const auto self = weak.lock()) (*self)->check();
    });
    check();
}

void PresenceController::check() {
    const std::set<std::string> running = watcher_->runningBundleIdentifiers();
    const bool present = std::any_of(triggers_.begin(), triggers_.end(),
                                     [&](const std::string& trigger) { return running.contains(trigger); });
    if (isPresent_ == present) return;
    isPresent_ = present;
    if (onChange_) onChange_(present);
}

}  // namespace WaylarkKit
