#pragma once

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "Base/Observable.h"
#include "Base/Scheduler.h"
#include "CalendarKit/Service/CalendarService.h"
#include "ChecklistKit/ChecklistModel.h"
#include "IslandKit/Geometry/IslandState.h"
#include "IslandKit/Geometry/IslandStyle.h"
#include "IslandKit/Model/IslandModel.h"
#include "SettingsKit/SettingsModel.h"
#include "WaylarkKit/App/CalendarRefreshSchedule.h"
#include "WaylarkKit/App/ChecklistCompletionWatch.h"
#include "WaylarkKit/App/InstanceLock.h"
#include "WaylarkKit/App/Qt/AppEnvironment.h"
#include "WaylarkKit/App/Qt/QuitListener.h"
#include "WaylarkKit/App/Qt/StatusItemController.h"
#include "WaylarkKit/App/StatusMenuModel.h"
#include "WaylarkKit/Calculator/CalculatorModel.h"
#include "WaylarkKit/Calculator/InstrumentEditorModel.h"
#include "WaylarkKit/Checklist/ChecklistEditorModel.h"
#include "WaylarkKit/Checklist/ChecklistUIState.h"
#include "WaylarkKit/Checklist/EditorRequest.h"
#include "WaylarkKit/L2/L2Tab.h"
#include "WaylarkKit/Presence/LaunchOptions.h"
#include "WaylarkKit/Presence/PresenceController.h"
#include "WaylarkKit/Settings/NewsRulesEditorModel.h"
#include "WaylarkKit/Settings/TimingEditorModel.h"
#include "WaylarkKit/Showreel/ShowreelDirector.h"
#include "WaylarkKit/Timing/TimingViewModel.h"

namespace WaylarkKit {

struct EditorCard;

// What the desktop shows of the application besides its windows. Linux has
// neither a Dock icon nor an application menu, so the policies differ here
// only in name; every island and card is a tool window without a taskbar entry.
enum class ActivationPolicy { accessory, regular, prohibited };

// The first process's composition root, created once with the launch options
// and the instance lock. It owns every long-lived object (stores, models,
// view models, the status item, the presence watch, one island per shown
// display, the editor cards, the refresh schedule), wires them once, and
// decides when the island is active: while a trigger application runs, for
// good once the user opened the system by hand, or always with "--always-on".
// Main thread only.
class AppDelegate {
public:
    static constexpr double saveDelay = 0.4;
    static constexpr double greetingDuration = 5.0;
    static constexpr double checklistResetHold = 1.0;
    static constexpr double pulseDelay = 0.3;
    static constexpr double hoverSlack = 4;
    static constexpr double trailingLeadingEdgeSlack = 14;

    // The cards' sizes, in points.
    static constexpr IslandKit::Size checklistEditorCard{640, 400};
    static constexpr IslandKit::Size instrumentEditorCard{680, 420};
    static constexpr IslandKit::Size displayChoiceCard{520, 230};

    AppDelegate(LaunchOptions options, InstanceLock lock, Base::Scheduler& scheduler, AppEnvironment environment);
    ~AppDelegate();
    AppDelegate(const AppDelegate&) = delete;
    AppDelegate& operator=(const AppDelegate&) = delete;

    // The application's life.
    void applicationDidFinishLaunching();
    // The user opened the system again (another launch by hand reaches the
    // running process as an open request).
    void reopen();
    // Gives the keyboard back where one of our windows has it, normalises
    // and saves the checklists, then the settings, whatever the state, and
    // stops hearing open requests.
    void applicationWillTerminate();
    // The part of termination that is safe from inside exit(), when views and
    // function-local statics may be gone: saves normalised copies of the
    // checklists and the settings, changing and notifying nothing.
    void saveBeforeExit() const;
    // Also safe from inside exit(): kills the download programs still running,
    // whose runs would otherwise outlive the process until their own limits.
    void endDownloadsBeforeExit() const;

    // The state the desktop and the status menu read.
    ActivationPolicy activationPolicy() const { return policy_; }
    bool isActive() const { return isActive_; }
    std::string statusText() const;
    std::vector<StatusMenuModel::DisplayRow> displayMenuRows() const;
    void toggleDisplay(const std::string& id);
    // Whether a swipe may step between tabs now: an expanded island under the
    // pointer, and no editor, menu, dropdown or option list open.
    bool canSwipeTabs() const;

    // The objects it owns.
    CalendarKit::CalendarService& calendar() { return calendar_; }
    SettingsKit::SettingsModel& settings() { return settings_; }
    ChecklistKit::ChecklistModel& checklist() { return checklist_; }
    ChecklistUIState& checklistUI() { return checklistUI_; }
    ChecklistEditorModel& editorModel() { return editorModel_; }
    TimingViewModel& timing();
    CalculatorModel& calculator();
    InstrumentEditorModel& instrumentEditorModel();
    StatusItemController* statusItem() const { return statusItem_.get(); }
    PresenceController* presence() const { return presence_.get(); }
    // The islands: the displays that have one, and the one that is expanded.
    std::vector<std::string> islandIDs() const;
    IslandKit::IslandModel* island(const std::string& id) const;
    std::optional<std::string> activeIslandID() const;

private:
    struct IslandHost {
        std::string id;
        std::unique_ptr<IslandKit::IslandModel> model;
        std::unique_ptr<IslandWindow> window;
    };
    using HostPointer = std::shared_ptr<IslandHost>;

    // Launch, activation and the displays.
    // Backdrop, seed, activation, then the director's script.
    void startShowreel();
    void openManually();
    void activate();
    void deactivate();
    // What the system is doing, for the status line.
    std::string activityText() const;
    std::vector<DisplayInfo> connectedDisplays() const;
    std::vector<std::string> shownDisplayIDs(const std::vector<DisplayInfo>& displays) const;

    // The islands.
    void syncDisplays();
    std::unique_ptr<IslandKit::IslandModel> makeIslandModel(const std::string& id);
    void islandStateChanged(const std::string& hostID, IslandKit::IslandState state);
    void pointerMoved(const std::string& hostID, std::optional<IslandKit::Point> point);
    HostPointer hostUnderPointer() const;
    std::optional<ScreenRef> overlayScreen() const;
    void handleOpen(L2Tab tab);
    void collapseAll();
    void observeDisplayChanges();
    void openStatusMenu();

    // The shared callbacks and the cards.
    void wireSharedCallbacks();
    void openInstrumentEditor();
    void openEditor(const EditorRequest& request);
    void openSettingsEditor(std::unique_ptr<OverlayCard>& overlay, const EditorCard& editor);
    void openTimingEditor();
    void openNewsRulesEditor();
    void openGreetingEditor();
    void present(std::unique_ptr<OverlayCard>& card, const std::function<std::unique_ptr<OverlayCard>()>& make,
                 const ScreenRef& screen);
    // A card whose content gets `onDone` that dismisses it, and whose
    // disappearance runs `onHidden`.
    void returnKeyboardAtExit();
    std::unique_ptr<OverlayCard> makeCard(
        const std::function<IslandKit::IslandView(std::function<void()> onDone)>& content, IslandKit::Size size,
        std::function<void()> onHidden);
    void cardVisibilityChanged(const OverlayCard* card, bool visible);
    void askAboutNewDisplay();

    const LaunchOptions options_;
    InstanceLock lock_;
    Base::Scheduler& scheduler_;
    AppEnvironment environment_;

    // Stores and models.
    CalendarKit::CalendarService calendar_;
    SettingsKit::SettingsModel settings_;
    ChecklistKit::ChecklistModel checklist_;
    ChecklistUIState checklistUI_;
    ChecklistEditorModel editorModel_;
    TimingEditorModel timingEditorModel_;
    NewsRulesEditorModel newsRulesEditorModel_;
    std::unique_ptr<InstrumentEditorModel> instrumentEditorModel_;
    // View models.
    std::unique_ptr<TimingViewModel> timing_;
    std::unique_ptr<CalculatorModel> calculator_;
    // Background duties while active.
    CalendarRefreshSchedule refreshes_;
    ChecklistCompletionWatch completionWatch_;
    std::unique_ptr<TabSwipeMonitoring> tabSwipe_;

    ActivationPolicy policy_ = ActivationPolicy::accessory;
    bool isActive_ = false;
    bool openedManually_ = false;
    bool sharedCallbacksWired_ = false;
    std::set<std::string> askedDisplays_;
    // The cards shown now: a card counts from its appearance to its disappearance.
    std::set<const OverlayCard*> visibleCards_;

    // Controllers and windows, last so they go first.
    std::map<std::string, HostPointer> hosts_;
    HostPointer activeHost_;
    std::unique_ptr<OverlayCard> editorOverlay_;
    std::unique_ptr<OverlayCard> timingOverlay_;
    std::unique_ptr<OverlayCard> newsRulesOverlay_;
    std::unique_ptr<OverlayCard> greetingOverlay_;
    std::unique_ptr<OverlayCard> instrumentOverlay_;
    std::unique_ptr<OverlayCard> displayChoiceOverlay_;
    // The prompt replaced last, kept until the next one: it may be the card whose callback replaced it.
    std::unique_ptr<OverlayCard> retiredDisplayChoice_;
    std::unique_ptr<StatusItemController> statusItem_;
    // Qt closes the windows as it hears a quit, before the run ends: the
    // keyboard goes back first.
    QuitListener quitListener_{[this] { returnKeyboardAtExit(); }};
    std::unique_ptr<PresenceController> presence_;
    // Only with "--showreel"; it drives the models and islands above.
    std::unique_ptr<ShowreelDirector> showreel_;
    Base::Subscription openRequests_;
    std::optional<Base::Subscription> screenObserver_;
    Base::TaskHandle displayChange_;
    std::vector<Base::TaskHandle> pulses_;
};

}  // namespace WaylarkKit
