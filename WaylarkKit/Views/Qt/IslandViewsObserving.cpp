#include "WaylarkKit/Views/Qt/IslandViewsObserving.h"

namespace WaylarkKit::IslandViews {

std::vector<Base::Subscription> observeCompact(TimingViewModel& model, std::initializer_list<TimingViewModel::Field> more,
                                               const std::function<void()>& refresh) {
    using F = TimingViewModel::Field;
    std::vector<Base::Subscription> subscriptions;
    for (const F field : {F::now, F::evaluation, F::greetingStartedAt, F::greetingPreviewStartedAt, F::greetingRun,
                          F::isEditorOpen, F::isExpanded, F::hoveredTarget, F::hoverIsland, F::mode}) {
        subscriptions.push_back(model.observe(field, refresh));
    }
    for (const F field : more) subscriptions.push_back(model.observe(field, refresh));
    subscriptions.push_back(model.settings().observeSettings(refresh));
    return subscriptions;
}

}  // namespace WaylarkKit::IslandViews
