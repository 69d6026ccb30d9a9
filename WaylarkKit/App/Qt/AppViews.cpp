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
    auto shared = [&scheduler, reduceMotion](const IslandParts& parts) {
        return IslandViews::Shared{parts.timing, parts.checklist, parts.checklistUI, parts.calculator, scheduler,
                                   reduceMotion};
    };
    AppViews views;
    views.leading = [shared](const IslandParts& parts, bool showsMascot) {
        return IslandViews::leading(shared(parts), parts.islandID, showsMascot, IslandViews::mascotSide(parts.metrics));
    };
    views.trailing = [shared](const IslandParts& parts) { return IslandViews::trailing(shared(parts), parts.islandID); };
    views.center = [shared](const IslandParts& parts) {
        return IslandViews::center(shared(parts), IslandViews::mascotSide(parts.metrics));
    };
    views.expanded = [shared](const IslandParts& parts, IslandKit::IslandModel& island, std::function<void()> onQuit) {
        return IslandViews::expanded(shared(parts), island, std::move(onQuit));
    };
    views.tabSwipe = [](std::function<bool()> isEnabled, std::function<void(TabSwipeDirection)> onSwipe) {
        return std::make_unique<WheelSwipe>(std::move(isEnabled), std::move(onSwipe));
    };
    views.reduceMotion = std::move(reduceMotion);
    return views;
}

}  // namespace WaylarkKit
