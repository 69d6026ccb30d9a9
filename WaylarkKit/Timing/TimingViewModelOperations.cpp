// The operations through which views, the delegate and the showreel change
// what the island shows.
#include <algorithm>
#include <array>
#include <cmath>

#include "WaylarkKit/Timing/TimingViewModel.h"

namespace WaylarkKit {
namespace {

using IslandKit::Rect;

constexpr std::array<L2Tab, 3> swipeOrder = {L2Tab::timeline, L2Tab::weekly, L2Tab::checklist};

double width(const Rect& r) { return r.maxX() - r.minX(); }
double height(const Rect& r) { return r.maxY() - r.minY(); }

Rect united(const Rect& a, const Rect& b) {
    const double minX = std::min(a.minX(), b.minX());
    const double minY = std::min(a.minY(), b.minY());
    return Rect{minX, minY, std::max(a.maxX(), b.maxX()) - minX, std::max(a.maxY(), b.maxY()) - minY};
}

// A rectangle `w` wide whose left edge lies `offset` left of `c`, on c's row.
Rect leftOf(const Rect& c, double offset, double w) { return Rect{c.minX() - offset, c.minY(), w, height(c)}; }

bool within(double x, const Rect& r, double before, double after) {
    return r.minX() - before <= x && x <= r.maxX() + after;
}

}  // namespace

// Tabs.

void TimingViewModel::setActiveTab(L2Tab tab) {
    if (assign(Field::activeTab, activeTab_, tab)) assign(Field::pulseTrigger, pulseTrigger_, pulseTrigger_ + 1);
}

void TimingViewModel::swipeTab(TabSwipeDirection direction) {
    const bool forward = direction == TabSwipeDirection::next;
    const L2Tab current = effectiveTab();
    if (current == L2Tab::calculator) {
        setActiveTab(forward ? L2Tab::checklist : L2Tab::weekly);
        return;
    }
    const auto found = std::find(swipeOrder.begin(), swipeOrder.end(), current);
    if (found == swipeOrder.end()) return;
    const auto index = found - swipeOrder.begin() + (forward ? 1 : -1);
    if (index < 0 || index >= static_cast<std::ptrdiff_t>(swipeOrder.size())) {
        assign(Field::shakeDirection, shakeDirection_, direction);
        assign(Field::shakeTrigger, shakeTrigger_, shakeTrigger_ + 1);
        return;
    }
    setActiveTab(swipeOrder[static_cast<std::size_t>(index)]);
}

std::vector<L2Tab> TimingViewModel::availableTabs() const {
    if (activeTab_ == L2Tab::calculator) return {L2Tab::weekly, L2Tab::calculator, L2Tab::checklist};
    return {L2Tab::weekly, L2Tab::checklist};
}

L2Tab TimingViewModel::effectiveTab() const {
    if (activeTab_ == L2Tab::timeline) return activeTab_;
    const auto tabs = availableTabs();
    return std::find(tabs.begin(), tabs.end(), activeTab_) != tabs.end() ? activeTab_ : L2Tab::timeline;
}

const IslandKit::Rect* TimingViewModel::frame(const std::string& key) const {
    const auto found = trailingFrames_.find(key);
    return found == trailingFrames_.end() ? nullptr : &found->second;
}

std::optional<IslandKit::Rect> TimingViewModel::anchorFrame(L2Tab tab) const {
    const Rect* checklist = frame(checklistFrameKey);
    switch (tab) {
        case L2Tab::timeline: return std::nullopt;
        case L2Tab::weekly: {
            std::optional<Rect> news;
            for (const auto& activity : evaluation_.activities) {
                if (activity.kind != TradingCore::ActivityKind::news) continue;
                if (const Rect* found = frame(frameKey(activity))) news = news ? united(*news, *found) : *found;
            }
            if (news) return news;
            if (checklist) return leftOf(*checklist, 46, 40);
            return std::nullopt;
        }
        case L2Tab::calculator:
            if (checklist) return leftOf(*checklist, 40, 34);
            return std::nullopt;
        case L2Tab::checklist:
            if (checklist) return *checklist;
            return std::nullopt;
    }
    return std::nullopt;
}

void TimingViewModel::setExpanded(bool expanded) {
    if (!assign(Field::isExpanded, isExpanded_, expanded)) return;
    if (!expanded) return;
    assign(Field::greetingStartedAt, greetingStartedAt_, std::optional<Base::Date>());
    assign(Field::hoveredTarget, hoveredTarget_, std::optional<HoverTarget>());
    refresh();
}

// Hover and item frames.

void TimingViewModel::setHoverZone(std::optional<IslandKit::IslandHoverZone> zone, const std::string& island,
                                   bool ignoringExpanded) {
    std::optional<HoverTarget> target;
    if (zone && !(isExpanded_ && !ignoringExpanded) && !isGreeting()) {
        target = zone->kind == IslandKit::IslandHoverZone::Kind::leading ? HoverTarget::status()
                                                                          : trailingTarget(zone->x);
    }
    const bool hovering = target.has_value();
    assign(Field::hoveredTarget, hoveredTarget_, std::move(target));
    assign(Field::hoverIsland, hoverIsland_, hovering ? island : std::string());
}

std::optional<TimingViewModel::HoverTarget> TimingViewModel::trailingTarget(double x) const {
    // The slacks differ: the small lot-size button and checklist badge get
    // more room than the activities that sit side by side.
    if (const Rect* button = frame(lotSizeFrameKey); button && within(x, *button, 12, 5)) {
        return HoverTarget::calculator();
    }
    for (const auto& activity : evaluation_.activities) {
        if (const Rect* item = frame(frameKey(activity)); item && within(x, *item, 4, 4)) {
            return HoverTarget::activity(activity.id);
        }
    }
    if (const Rect* badge = frame(checklistFrameKey); badge && within(x, *badge, 12, 12)) {
        return HoverTarget::checklist();
    }
    return std::nullopt;
}

bool TimingViewModel::isHovered(const HoverTarget& target, const std::string& island) const {
    return hoveredTarget_ == target && hoverIsland_ == island;
}

void TimingViewModel::setTrailingFrame(const IslandKit::Rect& frame, const std::string& key) {
    const auto found = trailingFrames_.find(key);
    if (found != trailingFrames_.end() && std::fabs(found->second.minX() - frame.minX()) < 0.5 &&
        std::fabs(width(found->second) - width(frame)) < 0.5) {
        return;
    }
    trailingFrames_[key] = frame;
    announce(Field::trailingFrames);
}

void TimingViewModel::retainTrailingFrames(const std::set<std::string>& shown) {
    const auto dropped = std::erase_if(trailingFrames_, [&](const auto& entry) { return !shown.count(entry.first); });
    if (dropped > 0) announce(Field::trailingFrames);
}

std::string TimingViewModel::frameKey(const TradingCore::Activity& activity) {
    return (activity.kind == TradingCore::ActivityKind::news ? "news:" : "act:") + activity.id;
}

// Status word and greeting.

bool TimingViewModel::isStatusLabelFull() const {
    return isExpanded_ || isEditorOpen_ || now_ - statusChangedAt_ < statusWordHold;
}

bool TimingViewModel::isGreeting() const {
    const SettingsKit::GreetingSettings& greeting = settings_.greeting();
    if (!greeting.hasContent()) return false;
    // The demo clock runs faster; the greeting lasts the same real time.
    const double length = greetingDuration_ * (mode_ == Mode::demo ? demoSpeed_ : 1.0);
    if (greetingPreviewStartedAt_ && now_ - *greetingPreviewStartedAt_ < length) return true;
    if (!greeting.isEnabled || isExpanded_ || isEditorOpen_ || !greetingStartedAt_) return false;
    return now_ - *greetingStartedAt_ < length;
}

void TimingViewModel::previewGreeting() {
    refresh();
    assign(Field::greetingPreviewStartedAt, greetingPreviewStartedAt_, std::optional<Base::Date>(now_));
    assign(Field::greetingRun, greetingRun_, greetingRun_ + 1);
}

// Selection, weekly focus and menus.

void TimingViewModel::toggleSelection(const TimelineSelection& item) {
    assign(Field::selection, selection_,
           selection_ == item ? std::optional<TimelineSelection>() : std::optional<TimelineSelection>(item));
}

void TimingViewModel::openWeekly(const std::string& id) {
    const bool alreadyOnWeekly = isExpanded_ && effectiveTab() == L2Tab::weekly;
    const bool newFocus = weeklyFocusID_ != id;
    assign(Field::weeklyFocusID, weeklyFocusID_, std::optional<std::string>(id));
    // On the open weekly tab a new item only moves the focus; the same item
    // again, like every other case, goes to the delegate, which opens the tab
    // or closes it when it is already open.
    if (alreadyOnWeekly && newFocus) return;
    if (onOpenTab_) onOpenTab_(L2Tab::weekly);
}

void TimingViewModel::clearWeeklyFocus() {
    assign(Field::weeklyFocusID, weeklyFocusID_, std::optional<std::string>());
    setWeeklyMenuOpen(false);
    setWeeklyImpactMenuOpen(false);
    setProfileMenuOpen(false);
}

// Demo controls.

void TimingViewModel::restartDemoClock(std::optional<Base::Date> base, double speed) {
    demoOrigin_ = scheduler_.now();
    demoBase_ = base;
    demoSpeed_ = speed;
}

void TimingViewModel::toggleMode() {
    if (mode_ == Mode::demo) {
        setMode(Mode::live);
        return;
    }
    restartDemoClock(std::nullopt, defaultDemoSpeed);
    demo_.setScenario(DemoScenario::make(demoOrigin_));
    setMode(Mode::demo);
}

void TimingViewModel::restartDemo() {
    restartDemoClock(std::nullopt, defaultDemoSpeed);
    demo_.setScenario(DemoScenario::make(demoOrigin_));
    refresh();
}

void TimingViewModel::cycleSimulatedConfidence() {
    using TradingCore::DataConfidence;
    std::optional<DataConfidence> next;
    if (!simulatedConfidence_) {
        next = DataConfidence::degraded;
    } else if (*simulatedConfidence_ == DataConfidence::degraded) {
        next = DataConfidence::unknown;
    }
    setSimulatedConfidence(next);
}

void TimingViewModel::playScenario(DemoScenario scenario, Base::Date start, double speed, bool greeting) {
    setMode(Mode::demo);
    // A speed that is negative or no number would rewind the interface or
    // leave it without a time; it falls back to the ordinary speed, and a
    // start that is no instant to the real one.
    const bool usableSpeed = std::isfinite(speed) && speed >= 0;
    const bool usableStart = std::isfinite(start.secondsSince1970);
    restartDemoClock(usableStart ? std::optional<Base::Date>(start) : std::nullopt,
                     usableSpeed ? speed : defaultDemoSpeed);
    demo_.setScenario(std::move(scenario));
    refresh();
    assign(Field::greetingStartedAt, greetingStartedAt_,
           greeting ? std::optional<Base::Date>(now_) : std::optional<Base::Date>());
    assign(Field::greetingPreviewStartedAt, greetingPreviewStartedAt_, std::optional<Base::Date>());
}

// Checklist celebration.

void TimingViewModel::celebrateChecklist() {
    assign(Field::isCelebratingChecklist, isCelebratingChecklist_, true);
    // Replacing the handle cancels the earlier task, so only the newest
    // celebration ever ends the flag.
    celebrationTask_ = scheduler_.schedule(celebrationDuration, [this] {
        assign(Field::isCelebratingChecklist, isCelebratingChecklist_, false);
    });
}

void TimingViewModel::stopCelebrating() {
    celebrationTask_.cancel();
    assign(Field::isCelebratingChecklist, isCelebratingChecklist_, false);
}

std::vector<CalendarKit::CalendarEvent> TimingViewModel::upcomingRestrictedEvents(std::size_t limit) const {
    const TradingCore::NewsRule& rule = settings_.newsRule();
    std::vector<CalendarKit::CalendarEvent> result;
    for (const auto& event : calendar_.events()) {
        if (result.size() >= limit) break;
        if (event.time >= now_ && rule.currencies.count(event.currency) && rule.impacts.count(event.impact)) {
            result.push_back(event);
        }
    }
    return result;
}

}  // namespace WaylarkKit
