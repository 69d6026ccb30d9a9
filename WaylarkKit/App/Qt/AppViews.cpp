#include "WaylarkKit/App/Qt/AppViews.h"

#include "WaylarkKit/L2/Qt/TabSwipeMonitor.h"
#include "WaylarkKit/Views/Qt/IslandViews.h"

namespace WaylarkKit {

namespace {

class WheelSwipe final : public TabSwipeMonitoring {
public:
    WheelSwipe(std::function<bool()> isEnabled, std::function<void(TabSwipeDirection)> onSwipe)
        : monitor_(std::move(isEnabled), std::move(onSwipe)) {}
    void start() override { monitor_.start(); }
    void stop() override { monitor_.stop(); }

private:
    TabSwipeMonitor monitor_;
};

}  // namespace

AppViews AppViews::standard(Base::Scheduler& scheduler, ReduceMotionFlag reduceMotion) {
    auto shared = [&scheduler, reduceMotion](const IslandContext& context) {
        return IslandViews::Shared{context.timing, context.checklist, context.checklistUI, context.calculator, scheduler,
                                   reduceMotion};
    };
    AppViews views;
    views.leading = [shared](const IslandContext& context, bool showsMascot) {
        return IslandViews::leading(shared(context), context.islandID, showsMascot, IslandViews::mascotSide(context.metrics));
    };
    views.trailing = [shared](const IslandContext& context) { return IslandViews::trailing(shared(context), context.islandID); };
    views.center = [shared](const IslandContext& context) {
        return IslandViews::center(shared(context), IslandViews::mascotSide(context.metrics));
    };
    views.expanded = [shared](const IslandContext& context, IslandKit::IslandModel& island, std::function<void()> onQuit) {
        return IslandViews::expanded(shared(context), island, std::move(onQuit));
    };
    views.tabSwipe = [](std::function<bool()> isEnabled, std::function<void(TabSwipeDirection)> onSwipe) {
        return std::make_unique<WheelSwipe>(std::move(isEnabled), std::move(onSwipe));
    };
    views.reduceMotion = std::move(reduceMotion);
    return views;
}

}  // namespace WaylarkKit
