#include "WaylarkKit/App/Qt/AppViews.h"

#include "WaylarkKit/App/Qt/StandInViews.h"

namespace WaylarkKit {

// The status views, the panel and the tab swipe are stand-ins until their real views are in the tree; each real view
// replaces its line here and nothing else changes.
AppViews AppViews::standard(Base::Scheduler& scheduler) {
    AppViews views;
    views.leading = [](TimingViewModel& timing, const std::string&, bool) { return StandIn::statusWord(timing); };
    views.trailing = [](TimingViewModel& timing, ChecklistKit::ChecklistModel&, const std::string&) {
        return StandIn::nextActivity(timing);
    };
    views.center = [&scheduler](TimingViewModel& timing) { return StandIn::mascot(timing, scheduler); };
    views.expanded = [](const PanelParts& parts) { return StandIn::panel(parts.timing); };
    views.tabSwipe = [](std::function<bool()>, std::function<void(TabSwipeDirection)>) { return StandIn::tabSwipe(); };
    return views;
}

}  // namespace WaylarkKit
