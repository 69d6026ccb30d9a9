#include "WaylarkKit/Views/Qt/IslandViews.h"

#include "WaylarkKit/Views/LeftStatus.h"
#include "WaylarkKit/Views/Qt/CenterMascotView.h"
#include "WaylarkKit/Views/Qt/LeftStatusView.h"
#include "WaylarkKit/Views/Qt/RightActivitiesView.h"

namespace WaylarkKit::IslandViews {

double mascotSide(const IslandKit::ScreenMetrics& metrics) {
    return LeftStatus::mascotSideFor(metrics.notchSize ? metrics.notchSize->height : metrics.menuBarHeight);
}

IslandKit::IslandView leading(const Shared& shared, std::string islandID, bool showsMascot, double side) {
    return [shared, islandID = std::move(islandID), showsMascot, side](QWidget* parent) -> QWidget* {
        return new LeftStatusView(shared.timing, islandID, showsMascot, shared.scheduler, shared.reduceMotion, side,
                                  parent);
    };
}

IslandKit::IslandView trailing(const Shared& shared, std::string islandID) {
    return [shared, islandID = std::move(islandID)](QWidget* parent) -> QWidget* {
        return new RightActivitiesView(shared.timing, shared.checklist, islandID, shared.scheduler,
                                       shared.reduceMotion, parent);
    };
}

IslandKit::IslandView center(const Shared& shared, double side) {
    return [shared, side](QWidget* parent) -> QWidget* {
        return new CenterMascotView(shared.timing, shared.scheduler, shared.reduceMotion, side, parent);
    };
}

IslandKit::IslandView expanded(const Shared& shared, IslandKit::IslandModel& island, std::function<void()> onQuit) {
    return [shared, &island, onQuit = std::move(onQuit)](QWidget* parent) -> QWidget* {
        return new L2PanelView(shared.timing, island, shared.checklist, shared.checklistUI, shared.calculator, onQuit,
                               shared.scheduler, shared.reduceMotion, parent);
    };
}

}  // namespace WaylarkKit::IslandViews
