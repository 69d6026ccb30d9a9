// The islands: one host per shown display, their models and callbacks, the
// expansion of one island at a time, hover, and the opening of tabs.

#include <algorithm>

#include <QCursor>

#include "IslandKit/Geometry/IslandHover.h"
#include "WaylarkKit/App/DisplayPlan.h"
#include "WaylarkKit/App/IslandLook.h"
#include "WaylarkKit/App/Qt/AppDelegate.h"

namespace WaylarkKit {

using IslandKit::IslandState;

void AppDelegate::syncDisplays() {
    const auto displays = connectedDisplays();
    const auto wanted = shownDisplayIDs(displays);
    for (auto it = hosts_.begin(); it != hosts_.end();) {
        if (std::ranges::find(wanted, it->first) != wanted.end()) {
            ++it;
            continue;
        }
        it->second->window->hide();
        if (activeHost_ == it->second) {
            activeHost_.reset();
            timing().setExpanded(false);
            timing().setActiveTab(L2Tab::timeline);
            timing().clearWeeklyFocus();
        }
        it = hosts_.erase(it);
    }
    for (const auto& display : displays) {
        if (std::ranges::find(wanted, display.id) == wanted.end()) continue;
        if (const auto found = hosts_.find(display.id); found != hosts_.end()) {
            found->second->window->update(display.id);
            continue;
        }
        auto host = std::make_shared<IslandHost>();
        host->id = display.id;
        host->model = makeIslandModel(display.id);
        host->window = environment_.makeIslandWindow(*host->model, [this] { openStatusMenu(); });
        hosts_[display.id] = host;
        host->window->show(display.id);
    }
}

std::unique_ptr<IslandKit::IslandModel> AppDelegate::makeIslandModel(const std::string& id) {
    const IslandKit::ScreenMetrics metrics = environment_.displays->metrics(id);
    const bool hasNotch = metrics.notchSize.has_value();
    const AppViews& views = environment_.views;
    const IslandContext context{timing(), checklist_, checklistUI_, calculator(), id, metrics};
    auto model = std::make_unique<IslandKit::IslandModel>(metrics, IslandKit::IslandSlots{0, 0}, islandLook(),
                                                          views.leading(context, hasNotch), views.trailing(context),
                                                          IslandKit::IslandView());
    // Without a notch the mascot sits in the virtual one.
    if (!hasNotch && views.center) model->setCenter(views.center(context));
    model->setExpanded(views.expanded(context, *model, [this] {
        if (environment_.quit) environment_.quit();
    }));
    // The model belongs to a host of this delegate, so its callbacks cannot outlive it.
    model->setOnStateChange([this, id](IslandState state) { islandStateChanged(id, state); });
    model->setPointerMoved([this, id](std::optional<IslandKit::Point> point) { pointerMoved(id, point); });
    // The expanded island takes the keyboard only for the lot-size tab's fields. No window manager
    // saw it take the keyboard, so none would give it back to the window that had it.
    model->setKeyboardEligibility([this] { return timing().effectiveTab() == L2Tab::calculator; });
    model->setOnKeyboardReleased([this] {
        if (environment_.returnKeyboard) environment_.returnKeyboard();
    });
    return model;
}

void AppDelegate::islandStateChanged(const std::string& hostID, IslandState state) {
    const auto found = hosts_.find(hostID);
    if (found == hosts_.end()) return;
    const HostPointer host = found->second;
    TimingViewModel& model = timing();
    if (state == IslandState::compact) {
        // The collapse of another island, caused by this one's expansion, changes nothing.
        if (activeHost_ != host) return;
        activeHost_.reset();
        model.setExpandedIsland("");
        model.setExpanded(false);
        model.setActiveTab(L2Tab::timeline);
        model.clearWeeklyFocus();
        return;
    }
    activeHost_ = host;
    model.setExpandedIsland(hostID);
    for (const auto& [id, other] : hosts_) {
        if (other != host) other->model->collapse();
    }
    // Expanding clears the hover; a click on the lot-size button or the
    // checklist indicator opens that tab.
    const auto target = model.hoveredTarget();
    model.setExpanded(true);
    using Kind = TimingViewModel::HoverTarget::Kind;
    if (target && target->kind == Kind::calculator) model.setActiveTab(L2Tab::calculator);
    if (target && target->kind == Kind::checklist) model.setActiveTab(L2Tab::checklist);
    std::erase_if(pulses_, [](const Base::TaskHandle& pulse) { return !pulse.isScheduled(); });
    pulses_.push_back(scheduler_.schedule(pulseDelay, [&model] { model.pulse(); }));
}

void AppDelegate::pointerMoved(const std::string& hostID, std::optional<IslandKit::Point> point) {
    const auto found = hosts_.find(hostID);
    if (found == hosts_.end()) return;
    TimingViewModel& model = timing();
    if (!point) {
        // Leaving one display does not clear the hover of another.
        if (model.hoverIsland() == hostID || model.hoverIsland().empty()) model.setHoverZone(std::nullopt, "", false);
        return;
    }
    const auto zone =
        IslandKit::IslandHover::zone(*point, found->second->model->layout(), hoverSlack, trailingLeadingEdgeSlack);
    model.setHoverZone(zone, hostID, true);
}

AppDelegate::HostPointer AppDelegate::hostUnderPointer() const {
    const IslandKit::Point pointer = environment_.displays->pointer();
    for (const auto& [id, host] : hosts_) {
        if (host->model->layout().rect.contains(pointer)) return host;
    }
    return nullptr;
}

std::optional<ScreenRef> AppDelegate::overlayScreen() const {
    const auto displays = connectedDisplays();
    HostPointer host = activeHost_ ? activeHost_ : hostUnderPointer();
    if (host && std::ranges::any_of(displays, [&](const DisplayInfo& d) { return d.id == host->id; })) {
        return ScreenRef{host->id};
    }
    if (displays.empty()) {
        if (environment_.displays->hasMainScreen()) return ScreenRef{};
        return std::nullopt;
    }
    const auto builtIn = std::ranges::find_if(displays, [](const DisplayInfo& d) { return d.isBuiltIn; });
    return ScreenRef{builtIn != displays.end() ? builtIn->id : displays.front().id};
}

void AppDelegate::handleOpen(L2Tab tab) {
    HostPointer host = hostUnderPointer();
    if (!host) host = activeHost_;
    if (!host && !hosts_.empty()) host = hosts_.begin()->second;
    if (!host) return;
    if (host->model->state() == IslandState::expanded) {
        // Asking again for the tab on show closes the island.
        if (timing().effectiveTab() != tab) {
            timing().setActiveTab(tab);
        } else {
            host->model->collapse();
        }
        return;
    }
    timing().setActiveTab(tab);
    host->model->expand();
}

void AppDelegate::collapseAll() {
    // A collapse may drop the active host; walk a copy.
    const auto hosts = hosts_;
    for (const auto& [id, host] : hosts) host->model->collapse();
}

void AppDelegate::observeDisplayChanges() {
    if (screenObserver_) return;
    screenObserver_ = environment_.displays->observeChanges([this] {
        displayChange_ = scheduler_.post([this] {
            if (!isActive_) return;
            syncDisplays();
            askAboutNewDisplay();
        });
    });
}

void AppDelegate::openStatusMenu() {
    if (statusItem_) statusItem_->popUp(QCursor::pos());
}

}  // namespace WaylarkKit
