#pragma once

#include <functional>
#include <optional>

#include "Base/Observable.h"
#include "Base/Scheduler.h"
#include "Base/Uuid.h"
#include "ChecklistKit/ChecklistModel.h"

namespace WaylarkKit {

// Watches the active checklist for the moment it becomes complete, so that
// the island can celebrate it. One subscription from start() to stop(),
// however often the island is activated; a change is checked in a task of
// its own, once the change has been applied. Main thread only.
class ChecklistCompletionWatch {
public:
    using Observe = std::function<Base::Subscription(std::function<void()>)>;

    // `observe` subscribes to the checklist's changes (its state; the
    // progress follows from it).
    ChecklistCompletionWatch(ChecklistKit::ChecklistModel& checklist, Base::Scheduler& scheduler,
                             std::function<void()> onCompleted, Observe observe);

    // Takes the checklist as it is now as the last state seen, so a checklist
    // that is complete already does not celebrate, and starts watching.
    void start();
    // Stops watching; a change not yet checked is never checked.
    void stop();

    // Complete: a progress with items, all of them done.
    static bool isComplete(const std::optional<ChecklistKit::ChecklistProgress>& progress);

private:
    struct Seen {
        std::optional<Base::Uuid> templateID;
        bool complete = false;
    };
    Seen current() const;
    void check();

    ChecklistKit::ChecklistModel& checklist_;
    Base::Scheduler& scheduler_;
    std::function<void()> onCompleted_;
    Observe observe_;
    Seen last_;
    std::optional<Base::Subscription> subscription_;
    Base::TaskHandle pendingCheck_;
};

}  // namespace WaylarkKit
