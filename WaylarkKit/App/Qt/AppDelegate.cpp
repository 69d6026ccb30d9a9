#include "WaylarkKit/App/Qt/AppDelegate.h"

#include <algorithm>

#include "WaylarkKit/App/DisplayPlan.h"

namespace WaylarkKit {

AppDelegate::AppDelegate(LaunchOptions options, InstanceLock lock, Base::Scheduler& scheduler,
                         AppEnvironment environment)
    : options_(std::move(options)),
      lock_(std::move(lock)),
      scheduler_(scheduler),
      environment_(std::move(environment)),
      calendar_(environment_.feedFetcher, environment_.calendarStore, scheduler_,
                CalendarKit::CalendarService::Settings::application()),
      settings_(environment_.settingsStore, scheduler_, saveDelay),
      checklist_(environment_.checklistStore, scheduler_, saveDelay),
      checklistUI_(checklistResetHold, scheduler_),
      editorModel_(scheduler_),
      timingEditorModel_(scheduler_),
      newsRulesEditorModel_(scheduler_),
      refreshes_(calendar_, scheduler_, *environment_.wake),
      completionWatch_(
          checklist_, scheduler_, [this] { timing().celebrateChecklist(); },
          [this](std::function<void()> observer) { return checklist_.observeState(std::move(observer)); }) {}

AppDelegate::~AppDelegate() {
    // The windows go before the models their views read.
    activeHost_.reset();
    for (auto& [id, host] : hosts_) host->window->hide();
    hosts_.clear();
}

TimingViewModel& AppDelegate::timing() {
    if (!timing_) {
        const auto mode = options_.demo ? TimingViewModel::Mode::demo : TimingViewModel::Mode::live;
        timing_ = std::make_unique<TimingViewModel>(calendar_, settings_, mode, greetingDuration, scheduler_);
    }
    return *timing_;
}

CalculatorModel& AppDelegate::calculator() {
    if (!calculator_) calculator_ = std::make_unique<CalculatorModel>(settings_, scheduler_, environment_.copyText);
    return *calculator_;
}

InstrumentEditorModel& AppDelegate::instrumentEditorModel() {
    if (!instrumentEditorModel_) instrumentEditorModel_ = std::make_unique<InstrumentEditorModel>(settings_);
    return *instrumentEditorModel_;
}

void AppDelegate::applicationDidFinishLaunching() {
    if (options_.showreel) {
        startShowreel();
        return;
    }
    statusItem_ = std::make_unique<StatusItemController>(
        std::move(environment_.loginItem), [this] { return statusText(); },
        [this] {
            if (environment_.quit) environment_.quit();
        },
        [this] { return displayMenuRows(); }, [this](const std::string& id) { toggleDisplay(id); });
    // Once the menu has closed, the keyboard is with the window that had it
    // before the island took it: a click on the tray icon is no click outside
    // the island, which would have given it back. Given back while the menu
    // is open, Qt would still count the island as the active window after it.
    statusItem_->onClosing = [this] {
        if (activeHost_) activeHost_->window->releaseKeyboard();
    };
    if (options_.alwaysOn) {
        activate();
        return;
    }
    presence_ = std::make_unique<PresenceController>(
        options_.triggers, environment_.makeApplicationsWatcher(options_.triggers), [this](bool present) {
            if (present) {
                activate();
            } else if (!openedManually_) {
                deactivate();
            }
        });
    presence_->start();
    if (environment_.listenForOpenRequests) openRequests_ = environment_.listenForOpenRequests([this] { reopen(); });
    if (environment_.launchedByUser) openManually();
}

void AppDelegate::startShowreel() {
    // The reel plays on stores in memory, in presentation mode, and never deactivates.
    timing().setPresentation(true);
    // Before any island exists, so that every island stacks above it.
    if (environment_.showShowreelBackdrop) environment_.showShowreelBackdrop();
    const ShowreelDirector::Seed seed = ShowreelDirector::seed(checklist_, settings_, options_.showreelName);
    activate();
    ShowreelStage::Actions actions{
        [this](L2Tab tab) {
            // The first island in the desktop's screen order.
            for (const auto& display : connectedDisplays()) {
                if (const auto found = hosts_.find(display.id); found != hosts_.end()) {
                    timing().setActiveTab(tab);
                    found->second->model->expand();
                    return;
                }
            }
        },
        [this] { collapseAll(); },
    };
    showreel_ = std::make_unique<ShowreelDirector>(
        ShowreelStage{timing(), checklist_, checklistUI_, calculator(), settings_, std::move(actions)}, seed,
        scheduler_);
    showreel_->start();
}

void AppDelegate::reopen() {
    if (!options_.showreel) openManually();
}

void AppDelegate::openManually() {
    openedManually_ = true;
    if (environment_.runsInstalled) policy_ = ActivationPolicy::regular;
    activate();
}

void AppDelegate::applicationWillTerminate() {
    // Whatever ended the run, the window that had the keyboard before ours
    // took it gets it back while ours still stand (unless a quit request
    // gave it back already).
    returnKeyboardAtExit();
    checklist_.normalize();
    checklist_.flush();
    settings_.normalize();
    settings_.flush();
    // A run that ends hears no more requests, and leaves no socket behind.
    openRequests_ = Base::Subscription();
}

void AppDelegate::returnKeyboardAtExit() {
    if (environment_.returnKeyboardAtExit) environment_.returnKeyboardAtExit();
}

void AppDelegate::saveBeforeExit() const {
    (void)checklist_.saveNormalizedCopy();
    (void)settings_.saveNormalizedCopy();
}

void AppDelegate::endDownloadsBeforeExit() const {
    if (environment_.endDownloadsNow) environment_.endDownloadsNow();
}

void AppDelegate::activate() {
    if (isActive_) return;
    // Without a display there is nowhere to show anything; the next presence
    // change, open request or reopen tries again.
    if (connectedDisplays().empty()) return;
    isActive_ = true;
    wireSharedCallbacks();
    syncDisplays();
    timing().start();
    if (!tabSwipe_) {
        tabSwipe_ = environment_.views.tabSwipe([this] { return canSwipeTabs(); },
                                                [this](TabSwipeDirection direction) { timing().swipeTab(direction); });
    }
    tabSwipe_->start();
    refreshes_.start();
    observeDisplayChanges();
    completionWatch_.start();
    askAboutNewDisplay();
}

void AppDelegate::deactivate() {
    if (!isActive_) return;
    isActive_ = false;
    screenObserver_.reset();
    displayChange_.cancel();
    for (auto& [id, host] : hosts_) host->window->hide();
    hosts_.clear();
    activeHost_.reset();
    timing().setExpanded(false);
    timing().stopCelebrating();
    for (auto* card : {&displayChoiceOverlay_, &editorOverlay_, &timingOverlay_, &newsRulesOverlay_, &greetingOverlay_,
                       &instrumentOverlay_}) {
        if (*card) (*card)->dismiss();
    }
    checklist_.flush();
    settings_.flush();
    timing().stop();
    if (tabSwipe_) tabSwipe_->stop();
    refreshes_.stop();
    // One watch per activation: a change while inactive is never checked.
    completionWatch_.stop();
}

std::string AppDelegate::statusText() const {
    return StatusMenuModel::statusLine(activityText(), settings_.lastSaveFailed(), checklist_.lastSaveFailed());
}

std::string AppDelegate::activityText() const {
    if (options_.alwaysOn) return "Always on (test mode)";
    if (openedManually_) return "Open (started manually)";
    if (isActive_) return "Active: TradingView is running";
    return "Waiting for TradingView";
}

std::vector<DisplayInfo> AppDelegate::connectedDisplays() const { return environment_.displays->connected(); }

std::vector<std::string> AppDelegate::shownDisplayIDs(const std::vector<DisplayInfo>& displays) const {
    std::vector<std::string> ids;
    for (const auto& display : DisplayPlan::shown(displays, settings_.displayChoices())) ids.push_back(display.id);
    return ids;
}

std::vector<StatusMenuModel::DisplayRow> AppDelegate::displayMenuRows() const {
    const auto displays = connectedDisplays();
    if (displays.size() < 2) return {};
    const auto shown = shownDisplayIDs(displays);
    std::vector<StatusMenuModel::DisplayRow> rows;
    for (const auto& display : displays) {
        const bool checked = std::ranges::find(shown, display.id) != shown.end();
        rows.push_back({display.id, display.isBuiltIn ? "Built-in display" : display.name, checked,
                        !(checked && shown.size() == 1)});
    }
    return rows;
}

void AppDelegate::toggleDisplay(const std::string& id) {
    const auto displays = connectedDisplays();
    const auto display = std::ranges::find(displays, id, &DisplayInfo::id);
    if (display == displays.end()) return;
    const auto shown = shownDisplayIDs(displays);
    const bool wasShown = std::ranges::find(shown, id) != shown.end();
    // The last island stays.
    if (wasShown && shown.size() == 1) return;
    // A tick answers like the prompt, so an island shown for want of any
    // choice stays where it is when another display is ticked.
    const auto answer = wasShown ? DisplayAnswer::notHere : DisplayAnswer::alsoHere;
    settings_.setDisplayChoices(DisplayPlan::choices(answer, *display, displays, settings_.displayChoices()));
    settings_.flush();
    if (isActive_) syncDisplays();
}

bool AppDelegate::canSwipeTabs() const {
    if (!activeHost_ || activeHost_->model->state() != IslandKit::IslandState::expanded) return false;
    if (!timing_ || timing_->isEditorOpen() || timing_->isAnyMenuOpen()) return false;
    if (checklistUI_.isDropdownOpen() || checklistUI_.openChoiceItemID()) return false;
    return activeHost_->model->layout().rect.contains(environment_.displays->pointer());
}

std::vector<std::string> AppDelegate::islandIDs() const {
    std::vector<std::string> ids;
    for (const auto& [id, host] : hosts_) ids.push_back(id);
    return ids;
}

IslandKit::IslandModel* AppDelegate::island(const std::string& id) const {
    const auto found = hosts_.find(id);
    return found == hosts_.end() ? nullptr : found->second->model.get();
}

std::optional<std::string> AppDelegate::activeIslandID() const {
    if (!activeHost_) return std::nullopt;
    return activeHost_->id;
}

}  // namespace WaylarkKit
