#include "WaylarkKit/App/ChecklistCompletionWatch.h"

namespace WaylarkKit {

ChecklistCompletionWatch::ChecklistCompletionWatch(ChecklistKit::ChecklistModel& checklist, Base::Scheduler& scheduler,
                                                   std::function<void()> onCompleted, Observe observe)
    : checklist_(checklist),
      scheduler_(scheduler),
      onCompleted_(std::move(onCompleted)),
      observe_(std::move(observe)) {}

bool ChecklistCompletionWatch::isComplete(const std::optional<ChecklistKit::ChecklistProgress>& progress) {
    return progress && progress->isComplete();
}

ChecklistCompletionWatch::Seen ChecklistCompletionWatch::current() const {
    return {checklist_.state().activeTemplateID, isComplete(checklist_.progress())};
}

void ChecklistCompletionWatch::start() {
    last_ = current();
    if (subscription_) return;
    // Changes in one burst share one check, which sees where they ended.
    subscription_ = observe_([this] { pendingCheck_ = scheduler_.post([this] { check(); }); });
}

void ChecklistCompletionWatch::stop() {
    subscription_.reset();
    pendingCheck_.cancel();
}

void ChecklistCompletionWatch::check() {
    const Seen now = current();
    // Another checklist that happens to be complete is no completion.
    const bool completed = now.templateID == last_.templateID && now.complete && !last_.complete;
    last_ = now;
    if (completed && onCompleted_) onCompleted_();
}

}  // namespace WaylarkKit
