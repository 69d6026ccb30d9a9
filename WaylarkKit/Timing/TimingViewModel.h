#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "Base/Date.h"
#include "Base/Observable.h"
#include "Base/Scheduler.h"
#include "CalendarKit/Normalization/CalendarEvent.h"
#include "CalendarKit/Service/CalendarService.h"
#include "IslandKit/Geometry/IslandHover.h"
#include "IslandKit/Geometry/Rect.h"
#include "SettingsKit/SettingsModel.h"
#include "TradingCore/Evaluation/Activity.h"
#include "TradingCore/Evaluation/Evaluation.h"
#include "TradingCore/Evaluation/Timeline.h"
#include "TradingCore/Model/DataConfidence.h"
#include "TradingCore/Model/TimingConfiguration.h"
#include "WaylarkKit/L2/L2Tab.h"
#include "WaylarkKit/L2/TabSwipe.h"
#include "WaylarkKit/Timing/DemoScenario.h"
#include "WaylarkKit/Timing/TimingSource.h"
#include "WaylarkKit/Views/TimelineSelection.h"

namespace WaylarkKit {

// The hub of the running interface. Once a second it turns the settings and
// the calendar (or a demonstration scenario) into the evaluation, and into
// the timeline while an island is expanded; every island view, the delegate
// and the showreel read it and act through it. Main thread only.
//
// Observers of a field hear of it only when its value really changed.
class TimingViewModel {
public:
    enum class Mode { live, demo };

    // The compact-bar item under the pointer.
    struct HoverTarget {
        enum class Kind { activity, status, checklist, calculator };
        Kind kind = Kind::status;
        std::string activityID;  // activity only

        static HoverTarget activity(std::string id) { return {Kind::activity, std::move(id)}; }
        static HoverTarget status() { return {Kind::status, {}}; }
        static HoverTarget checklist() { return {Kind::checklist, {}}; }
        static HoverTarget calculator() { return {Kind::calculator, {}}; }

        bool operator==(const HoverTarget& other) const {
            return kind == other.kind && (kind != Kind::activity || activityID == other.activityID);
        }
    };

    enum class Field : std::size_t {
        now,
        evaluation,
        timeline,
        selection,
        statusChangedAt,
        shakeTrigger,
        shakeDirection,
        expandedIsland,
        hoveredTarget,
        hoverIsland,
        isPresentation,
        isCelebratingChecklist,
        greetingStartedAt,
        greetingPreviewStartedAt,
        greetingRun,
        isEditorOpen,
        activeTab,
        trailingFrames,
        pulseTrigger,
        weeklyFocusID,
        isWeeklyMenuOpen,
        isWeeklyImpactMenuOpen,
        isProfileMenuOpen,
        mode,
        simulatedConfidence,
        isExpanded,
    };
    static constexpr std::size_t fieldCount = static_cast<std::size_t>(Field::isExpanded) + 1;

    // Frame keys of the compact right-hand items.
    static constexpr const char* checklistFrameKey = "checklist";
    static constexpr const char* lotSizeFrameKey = "lot-size-button";

    static constexpr double tickInterval = 1.0;
    static constexpr double defaultDemoSpeed = 5.0;
    static constexpr double statusWordHold = 5.0;  // the full word shows this long after a change
    static constexpr double celebrationDuration = 6.0;

    // Reads the clock once and evaluates at once, so views can draw before the
    // first tick; the tick itself waits for start(). Installs itself as the
    // settings model's change callback (replacing any other), so every change
    // made there re-evaluates before the next tick. The scheduler is the clock
    // and runs the tick and the celebration.
    TimingViewModel(CalendarKit::CalendarService& calendar, SettingsKit::SettingsModel& settings, Mode mode,
                    double greetingDuration, Base::Scheduler& scheduler);
    ~TimingViewModel();
    TimingViewModel(const TimingViewModel&) = delete;
    TimingViewModel& operator=(const TimingViewModel&) = delete;

    [[nodiscard]] Base::Subscription observe(Field field, std::function<void()> observer);

    // The one-second tick. start() is idempotent and plays the greeting once;
    // stop() ends the tick, and a later start() makes a new one.
    void start();
    void stop();
    bool isRunning() const { return timer_.isScheduled(); }

    // Observed state.
    Base::Date now() const { return now_; }
    const TradingCore::Evaluation& evaluation() const { return evaluation_; }
    const TradingCore::Timeline& timeline() const { return timeline_; }
    const std::optional<TimelineSelection>& selection() const { return selection_; }
    Base::Date statusChangedAt() const { return statusChangedAt_; }
    int shakeTrigger() const { return shakeTrigger_; }
    TabSwipeDirection shakeDirection() const { return shakeDirection_; }
    const std::string& expandedIsland() const { return expandedIsland_; }
    const std::optional<HoverTarget>& hoveredTarget() const { return hoveredTarget_; }
    const std::string& hoverIsland() const { return hoverIsland_; }
    bool isPresentation() const { return isPresentation_; }
    bool isCelebratingChecklist() const { return isCelebratingChecklist_; }
    const std::optional<Base::Date>& greetingStartedAt() const { return greetingStartedAt_; }
    const std::optional<Base::Date>& greetingPreviewStartedAt() const { return greetingPreviewStartedAt_; }
    int greetingRun() const { return greetingRun_; }
    bool isEditorOpen() const { return isEditorOpen_; }
    L2Tab activeTab() const { return activeTab_; }
    const std::map<std::string, IslandKit::Rect>& trailingFrames() const { return trailingFrames_; }
    int pulseTrigger() const { return pulseTrigger_; }
    const std::optional<std::string>& weeklyFocusID() const { return weeklyFocusID_; }
    bool isWeeklyMenuOpen() const { return isWeeklyMenuOpen_; }
    bool isWeeklyImpactMenuOpen() const { return isWeeklyImpactMenuOpen_; }
    bool isProfileMenuOpen() const { return isProfileMenuOpen_; }
    Mode mode() const { return mode_; }
    const std::optional<TradingCore::DataConfidence>& simulatedConfidence() const { return simulatedConfidence_; }
    bool isExpanded() const { return isExpanded_; }

    // Constants of the run.
    double greetingDuration() const { return greetingDuration_; }
    CalendarKit::CalendarService& calendar() const { return calendar_; }
    SettingsKit::SettingsModel& settings() const { return settings_; }
    const LiveSource& liveSource() const { return live_; }
    const DemoSource& demoSource() const { return demo_; }

    // Written by the application core and the views. Each re-evaluates when
    // it is the mode or the simulated confidence, also when unchanged.
    void setMode(Mode mode);
    void setSimulatedConfidence(std::optional<TradingCore::DataConfidence> confidence);
    void setExpandedIsland(std::string island);
    void setPresentation(bool presentation);
    void setEditorOpen(bool open);
    void setWeeklyMenuOpen(bool open);
    void setWeeklyImpactMenuOpen(bool open);
    void setProfileMenuOpen(bool open);

    // Requests that need the application; an unset callback is skipped.
    void setOnOpenTab(std::function<void(L2Tab)> callback) { onOpenTab_ = std::move(callback); }
    void setOnOpenTimingEditor(std::function<void()> callback) { onOpenTimingEditor_ = std::move(callback); }
    void setOnOpenNewsEditor(std::function<void()> callback) { onOpenNewsEditor_ = std::move(callback); }
    void setOnOpenGreetingEditor(std::function<void()> callback) { onOpenGreetingEditor_ = std::move(callback); }
    const std::function<void(L2Tab)>& onOpenTab() const { return onOpenTab_; }
    const std::function<void()>& onOpenTimingEditor() const { return onOpenTimingEditor_; }
    const std::function<void()>& onOpenNewsEditor() const { return onOpenNewsEditor_; }
    const std::function<void()>& onOpenGreetingEditor() const { return onOpenGreetingEditor_; }

    // Tabs. The swipe order is timeline, weekly, checklist; a swipe past
    // either end shakes instead. The lot-size tab is available only while it
    // is the active one.
    void setActiveTab(L2Tab tab);
    void swipeTab(TabSwipeDirection direction);
    std::vector<L2Tab> availableTabs() const;
    L2Tab effectiveTab() const;
    // The compact-bar rectangle a tab's strip points at, in the right-hand
    // view's coordinates; nothing for the timeline or while no frame is known.
    std::optional<IslandKit::Rect> anchorFrame(L2Tab tab) const;
    // Expanding ends the greeting, drops the hover and brings the timeline up to date.
    void setExpanded(bool expanded);
    // Adds 1 to pulseTrigger: the inactive strips blink, as after a change of tab.
    void pulse() { assign(Field::pulseTrigger, pulseTrigger_, pulseTrigger_ + 1); }

    // Hover over the compact bar and the frames of its right-hand items.
    void setHoverZone(std::optional<IslandKit::IslandHoverZone> zone, const std::string& island,
                      bool ignoringExpanded);
    bool isHovered(const HoverTarget& target, const std::string& island) const;
    // Moves below half a point in x and width are ignored, so the frames'
    // observers are not woken for them; y and height are not compared.
    void setTrailingFrame(const IslandKit::Rect& frame, const std::string& key);
    // Drops every frame whose key is not among `shown`, so the frames of
    // activities that are gone do not pile up over the day.
    void retainTrailingFrames(const std::set<std::string>& shown);
    static std::string frameKey(const TradingCore::Activity& activity);

    // Status word and greeting.
    bool isStatusLabelFull() const;
    bool isGreeting() const;
    void previewGreeting();

    // Selection, weekly focus and menus.
    void toggleSelection(const TimelineSelection& item);
    void openWeekly(const std::string& id);
    void clearWeeklyFocus();
    bool isAnyMenuOpen() const { return isWeeklyMenuOpen_ || isWeeklyImpactMenuOpen_ || isProfileMenuOpen_; }

    // Demo controls.
    void toggleMode();
    void restartDemo();
    // none, degraded, unknown, none again; a simulated live goes back to none.
    void cycleSimulatedConfidence();
    // Demo mode on `scenario`, the demo clock showing `start` now and running
    // `speed` times real time.
    void playScenario(DemoScenario scenario, Base::Date start, double speed, bool greeting);

    // Checklist celebration: on for 6 s; a new one restarts the 6 s.
    void celebrateChecklist();
    void stopCelebrating();

    // The calendar's coming releases that the settings' news rule selects, in
    // the calendar's order, at most `limit`; read from the live calendar in
    // demo mode too.
    std::vector<CalendarKit::CalendarEvent> upcomingRestrictedEvents(std::size_t limit) const;

private:
    void refresh();
    Base::Date clock() const;
    std::shared_ptr<const TradingCore::TimingConfiguration> configurationFromSettings() const;
    TimingInputs currentInputs(Base::Date at);
    double timelineHalfSpan() const;
    void restartDemoClock(std::optional<Base::Date> base, double speed);
    std::optional<HoverTarget> trailingTarget(double x) const;
    const IslandKit::Rect* frame(const std::string& key) const;
    void announce(Field field) const;

    // Stores `value` and tells the field's observers, unless it is unchanged.
    template <class T>
    bool assign(Field field, T& slot, T value) {
        if (slot == value) return false;
        slot = std::move(value);
        announce(field);
        return true;
    }

    CalendarKit::CalendarService& calendar_;
    SettingsKit::SettingsModel& settings_;
    Base::Scheduler& scheduler_;
    const double greetingDuration_;

    Base::Date now_;
    TradingCore::Evaluation evaluation_;
    TradingCore::Timeline timeline_;
    std::optional<TimelineSelection> selection_;
    Base::Date statusChangedAt_;
    int shakeTrigger_ = 0;
    TabSwipeDirection shakeDirection_ = TabSwipeDirection::next;
    std::string expandedIsland_;
    std::optional<HoverTarget> hoveredTarget_;
    std::string hoverIsland_;
    bool isPresentation_ = false;
    bool isCelebratingChecklist_ = false;
    std::optional<Base::Date> greetingStartedAt_;
    std::optional<Base::Date> greetingPreviewStartedAt_;
    int greetingRun_ = 0;
    bool isEditorOpen_ = false;
    std::string lastStatusWord_;
    L2Tab activeTab_ = L2Tab::timeline;
    std::map<std::string, IslandKit::Rect> trailingFrames_;
    int pulseTrigger_ = 0;
    std::optional<std::string> weeklyFocusID_;
    bool isWeeklyMenuOpen_ = false;
    bool isWeeklyImpactMenuOpen_ = false;
    bool isProfileMenuOpen_ = false;
    Mode mode_;
    std::optional<TradingCore::DataConfidence> simulatedConfidence_;
    bool isExpanded_ = false;

    std::function<void(L2Tab)> onOpenTab_;
    std::function<void()> onOpenTimingEditor_;
    std::function<void()> onOpenNewsEditor_;
    std::function<void()> onOpenGreetingEditor_;

    // The configuration built from the settings, kept until they change: the
    // settings model announces every real change before it calls back.
    std::shared_ptr<const TradingCore::TimingConfiguration> configuration_;
    Base::Subscription settingsChanged_;
    LiveSource live_;
    DemoSource demo_;
    // The real instant at which the demo clock last started, the demo instant
    // it showed then (none: the same instant) and its speed.
    Base::Date demoOrigin_;
    std::optional<Base::Date> demoBase_;
    double demoSpeed_ = defaultDemoSpeed;

    std::array<Base::ChangeSignal, fieldCount> signals_;
    // What the settings callback holds: it finds the model only while the
    // model lives, whichever of the two goes first.
    std::shared_ptr<TimingViewModel*> self_;
    // Last, so they go first: no tick or celebration runs on a model being torn down.
    Base::TaskHandle celebrationTask_;
    Base::TaskHandle timer_;
};

}  // namespace WaylarkKit

template <>
struct std::hash<WaylarkKit::TimingViewModel::HoverTarget> {
    size_t operator()(const WaylarkKit::TimingViewModel::HoverTarget& t) const noexcept {
        const size_t kind = static_cast<size_t>(t.kind);
        return kind ^ (std::hash<std::string>{}(t.activityID) + 0x9e3779b97f4a7c15ULL + (kind << 6) + (kind >> 2));
    }
};
