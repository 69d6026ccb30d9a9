#include <gtest/gtest.h>

#include <QTest>

#include "Base/ManualScheduler.h"
#include "Base/testing/TemporaryFolder.h"
#include "CalendarKit/tests/service/MemoryStore.h"
#include "CalendarKit/tests/service/ScriptedFetcher.h"
#include "WaylarkKit/App/Qt/AppDelegate.h"
#include "WaylarkKit/App/Qt/DisplayChoiceView.h"
#include "WaylarkKit/L2/Qt/L2PanelView.h"
#include "WaylarkKit/Views/Qt/CenterMascotView.h"
#include "WaylarkKit/Views/Qt/LeftStatusView.h"
#include "WaylarkKit/Views/Qt/RightActivitiesView.h"
#include "WaylarkKit/tests/App/Qt/AppFakes.h"
#include "WaylarkKit/tests/Timing/TimingFixture.h"
#include "WaylarkKit/tests/support/WidgetTesting.h"

using namespace WaylarkKit;
using namespace WaylarkKitTest;
using IslandKit::IslandState;

namespace {

const DisplayInfo builtIn{"A", "Built-in Retina Display", true};
const DisplayInfo dell{"B", "DELL U2720Q", false};
const DisplayInfo lg{"C", "LG UltraFine", false};
const std::set<std::string> tradingView{"com.tradingview.tradingviewapp.desktop"};
const std::vector<std::string> autostart{"--from-autostart"}, alwaysOn{"--always-on"};

class AppDelegateTest : public ::testing::Test {
protected:
    AppDelegate& make(const std::vector<std::string>& arguments, std::vector<DisplayInfo> connected = {builtIn},
                      bool byUser = false, bool installed = false) {
        app();
        delegate.reset();
        AppEnvironment env;
        env.settingsStore = settingsStore;
        env.checklistStore = checklistStore;
        env.feedFetcher = fetcher;
        env.calendarStore = std::make_shared<CalendarKit::Testing::MemoryStore>();
        displays = new FakeDisplays(journal);
        displays->displays = std::move(connected);
        env.displays.reset(displays);
        env.makeIslandWindow = [this](auto&, auto) { return std::make_unique<FakeIslandWindow>(journal); };
        env.makeOverlayCard = [this](IslandKit::IslandView content, IslandKit::Size size) {
            return std::make_unique<FakeCard>(std::move(content), size, scheduler, journal, cards);
        };
        env.makeApplicationsWatcher = [this](auto&) {
            return std::unique_ptr<FakeApplications>(applications = new FakeApplications);
        };
        env.listenForOpenRequests = [this](std::function<void()> onRequest) {
            return openRequest = std::move(onRequest), Base::Subscription([this] { openRequest = nullptr; });
        };
        env.wake.reset(wake = new FakeWake(journal));
        env.loginItem = std::make_unique<FakeLoginItem>();
        env.quit = [this] { journal.push_back("quit"); };
        env.returnKeyboard = [this] { journal.push_back("return keyboard"); };
        env.returnKeyboardAtExit = [this] { journal.push_back("return keyboard at exit"); };
        env.showShowreelBackdrop = [this] { journal.push_back("show backdrop"); };
        // The real views, made only when a test asks; the swipe only notes its turns.
        env.views = AppViews::standard(scheduler, fixedReduceMotion(true));
        env.views.tabSwipe = [this](auto, auto) {
            return std::make_unique<FakeSwipe>(journal, [this] { return delegate->timing().isRunning(); });
        };
        env.launchedByUser = byUser;
        env.runsInstalled = installed;
        auto lock = InstanceLock::acquire(folder.path() / "instance.lock");
        delegate = std::make_unique<AppDelegate>(LaunchOptions::fromArguments(arguments), std::move(*lock.lock),
                                                 scheduler, std::move(env));
        delegate->applicationDidFinishLaunching();
        return *delegate;
    }

    Journal take() { return std::exchange(journal, {}); }
    std::set<std::string> islands() const {
        const auto ids = delegate->islandIDs();
        return {ids.begin(), ids.end()};
    }
    // Clicks an answer of the new-display prompt on show, and lets its card fade.
    void answer(DisplayAnswer choice) {
        ASSERT_TRUE(!cards.empty() && cards.back()->isPresented());
        std::unique_ptr<QWidget> content(cards.back()->content(nullptr));
        auto& view = dynamic_cast<DisplayChoiceView&>(*content);
        view.resize(480, 190);
        QTest::mouseClick(&view, Qt::LeftButton, {}, view.buttonRect(choice).center().toPoint());
        scheduler.advance(0.2);
    }

    Base::ManualScheduler scheduler{Testing::newYork(3, 10, 10, 20)};
    Journal journal;
    Base::Testing::TemporaryFolder folder;
    std::shared_ptr<JournaledSettingsStore> settingsStore =
        std::make_shared<JournaledSettingsStore>(journal, "settings");
    std::shared_ptr<JournaledChecklistStore> checklistStore =
        std::make_shared<JournaledChecklistStore>(journal, "checklists");
    std::shared_ptr<CalendarKit::Testing::ScriptedFetcher> fetcher =
        std::make_shared<CalendarKit::Testing::ScriptedFetcher>(scheduler);
    std::vector<FakeCard*> cards;
    FakeDisplays* displays = nullptr;
    FakeApplications* applications = nullptr;
    FakeWake* wake = nullptr;
    std::function<void()> openRequest;
    std::unique_ptr<AppDelegate> delegate;
};

}  // namespace

TEST_F(AppDelegateTest, HowItStartsDependsOnTheLaunch) {
    using P = ActivationPolicy;
    const struct {
        std::vector<std::string> arguments;
        bool byUser, installed, active, watches, statusItem, demo;
        P policy;
        std::string status;
    } cases[] = {
        {autostart, false, true, false, true, true, false, P::accessory, "Waiting for TradingView"},
        {alwaysOn, false, false, true, false, true, false, P::accessory, "Always on (test mode)"},
        {{"--demo"}, false, false, true, false, true, true, P::accessory, "Always on (test mode)"},
        {{"--showreel"}, true, true, true, false, false, true, P::accessory, "Always on (test mode)"},
        {{}, true, true, true, true, true, false, P::regular, "Open (started manually)"},
        // By hand from a build folder: open, and nothing installed to show in a launcher.
        {{}, true, false, true, true, true, false, P::accessory, "Open (started manually)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        AppDelegate& app = make(c.arguments, {builtIn}, c.byUser, c.installed);
        EXPECT_EQ(app.isActive(), c.active);
        EXPECT_EQ(app.presence() != nullptr, c.watches);
        EXPECT_EQ(static_cast<bool>(openRequest), c.watches);
        EXPECT_EQ(app.statusItem() != nullptr, c.statusItem);
        EXPECT_EQ(app.timing().mode() == TimingViewModel::Mode::demo, c.demo);
        EXPECT_EQ(app.timing().isPresentation(), !c.statusItem);
        EXPECT_EQ(app.activationPolicy(), c.policy);
        EXPECT_EQ(app.statusText(), c.status);
    }
}

TEST_F(AppDelegateTest, TheIslandShowsTheRealViews) {
    AppDelegate& app = make(alwaysOn);
    scheduler.advance(6);  // past the greeting
    IslandKit::IslandModel& island = *app.island("A");
    // No notch here: the mascot sits in the virtual one, not beside the status word.
    std::unique_ptr<QWidget> leading(island.leading()(nullptr));
    auto* status = dynamic_cast<LeftStatusView*>(leading.get());
    ASSERT_TRUE(status);
    EXPECT_EQ(status->status().word, "Open?");
    EXPECT_FALSE(status->mascotView());
    const std::unique_ptr<QWidget> center(island.center()(nullptr)), trailing(island.trailing()(nullptr)),
        expanded(island.expanded()(nullptr));
    EXPECT_TRUE(dynamic_cast<CenterMascotView*>(center.get()));
    EXPECT_TRUE(dynamic_cast<RightActivitiesView*>(trailing.get()));
    EXPECT_TRUE(dynamic_cast<L2PanelView*>(expanded.get()));
}

TEST_F(AppDelegateTest, TheShowreelSeedsAndPlaysOnTheIslandsAboveItsBackdrop) {
    AppDelegate& app = make({"--showreel", "--name", "Alex"});
    const Journal started = take();
    const auto backdrop = std::ranges::find(started, "show backdrop");
    EXPECT_LT(backdrop, std::ranges::find(started, "show A"));
    EXPECT_EQ(app.settings().greeting().name, "Alex");
    EXPECT_EQ(app.checklist().activeTemplate()->name, "Pre-trade");
    // At 158.5 s the reel opens the panel on the timeline, at 211.4 s it closes it.
    scheduler.advance(160);
    EXPECT_EQ(app.activeIslandID(), "A");
    EXPECT_EQ(app.timing().effectiveTab(), L2Tab::timeline);
    scheduler.advance(52);
    EXPECT_FALSE(app.activeIslandID());
    EXPECT_TRUE(app.checklist().progress()->isComplete());
}

TEST_F(AppDelegateTest, ActivationAndDeactivationRunInTheirOrder) {
    AppDelegate& app = make(autostart);
    take();
    applications->set(tradingView);
    EXPECT_EQ(take(), (Journal{"show A", "swipe on, tick on", "watch wakes", "observe displays"}));
    EXPECT_EQ(app.statusText(), "Active: TradingView is running");
    applications->set({"com.tradingview.tradingviewapp.desktop", "org.other"});
    EXPECT_EQ(take(), Journal{});

    app.island("A")->expand();
    app.timing().onOpenTimingEditor()();
    app.settings().zoomOut();
    app.checklist().createTemplate("Morning");
    take();
    applications->set({});
    EXPECT_EQ(take(), (Journal{"unobserve displays", "hide A", "dismiss 640", "checklists saved", "settings saved",
                               "swipe off, tick off", "stop watching wakes"}));
    EXPECT_FALSE(app.timing().isExpanded());
    EXPECT_TRUE(app.islandIDs().empty());
    // Nothing was left pending; the timing editor's card tidies up as it fades.
    scheduler.advance(1);
    EXPECT_EQ(take(), Journal{"settings saved"});
    EXPECT_EQ(app.statusText(), "Waiting for TradingView");

    // Quitting gives the keyboard back, then saves the checklists, then the
    // settings, active or not.
    app.settings().zoomOut();
    app.applicationWillTerminate();
    EXPECT_EQ(take(), (Journal{"return keyboard at exit", "checklists saved", "settings saved"}));
    EXPECT_EQ(settingsStore->load()->timelineHalfSpanMinutes, app.settings().timelineHalfSpanMinutes());
    // Termination also runs when the X server goes and no destructor follows: the listener goes with it.
    EXPECT_FALSE(openRequest);
}

// Changes that cannot be saved would be lost at the end of the run; the
// status line says so for as long as the saves fail.
TEST_F(AppDelegateTest, TheStatusLineTellsOfSavesThatFail) {
    AppDelegate& app = make(alwaysOn);
    settingsStore->failing = checklistStore->failing = true;
    app.settings().zoomOut();
    app.checklist().createTemplate("Morning");
    EXPECT_EQ(app.statusText(), "Always on (test mode)") << "nothing was saved yet";
    scheduler.advance(0.4);
    EXPECT_EQ(app.statusText(), "Settings could not be saved");
    settingsStore->failing = false;
    app.settings().zoomOut();
    scheduler.advance(0.4);
    EXPECT_EQ(app.statusText(), "Checklists could not be saved");
    checklistStore->failing = false;
    app.checklist().flush();
    EXPECT_EQ(app.statusText(), "Always on (test mode)");
}

TEST_F(AppDelegateTest, AManualOpeningNeedsADisplayAndOutlastsTheChartingApplication) {
    AppDelegate& app = make(autostart, {});
    openRequest();
    EXPECT_FALSE(app.isActive());
    displays->displays = {builtIn};
    openRequest();
    applications->set(tradingView);
    applications->set({});
    EXPECT_TRUE(app.isActive());
    EXPECT_EQ(app.statusText(), "Open (started manually)");
}

TEST_F(AppDelegateTest, TheCalendarRefreshesAtActivationHourlyAndAfterAWake) {
    make(autostart);
    auto fetches = [&] {
        scheduler.runPending();
        return fetcher->fetchCount[CalendarKit::FeedWeek::thisWeek];
    };
    applications->set(tradingView);
    EXPECT_EQ(fetches(), 1);
    scheduler.advance(3599);
    EXPECT_EQ(fetches(), 1);
    scheduler.advance(1);
    EXPECT_EQ(fetches(), 2);
    // A wake soon after the last attempt fetches nothing: the calendar spaces its refreshes.
    wake->onWake();
    EXPECT_EQ(fetches(), 2);
    scheduler.advance(700);
    wake->onWake();
    EXPECT_EQ(fetches(), 3);
    applications->set({});
    scheduler.advance(2 * 3600);
    EXPECT_EQ(fetches(), 3);
    applications->set(tradingView);
    EXPECT_EQ(fetches(), 4);
}

TEST_F(AppDelegateTest, ACompletionCelebratesOnlyWhileActive) {
    AppDelegate& app = make(autostart);
    auto& checklist = app.checklist();
    const auto levels = *checklist.addItem(*checklist.createTemplate("Morning"), "Levels");
    auto toggled = [&](int times) {
        for (int i = 0; i < times; ++i) checklist.toggle(levels);
        scheduler.runPending();
        return app.timing().isCelebratingChecklist();
    };
    EXPECT_FALSE(toggled(1));
    applications->set(tradingView);
    EXPECT_FALSE(toggled(1));
    EXPECT_TRUE(toggled(1));
    applications->set({});
    EXPECT_FALSE(app.timing().isCelebratingChecklist());
    // Changes while inactive are never checked, then or after the next activation.
    EXPECT_FALSE(toggled(2));
    applications->set(tradingView);
    EXPECT_FALSE(toggled(0));
}

TEST_F(AppDelegateTest, TabsOpenFromEveryEntryPoint) {
    AppDelegate& app = make(alwaysOn);
    TimingViewModel& timing = app.timing();
    IslandKit::IslandModel& island = *app.island("A");
    scheduler.advance(6);  // past the greeting, which takes no hover
    const int pulses = timing.pulseTrigger();

    // The status and activity views ask for a tab: it opens, switches, or closes when on show.
    timing.onOpenTab()(L2Tab::weekly);
    EXPECT_EQ(island.state(), IslandState::expanded);
    EXPECT_EQ(timing.effectiveTab(), L2Tab::weekly);
    EXPECT_EQ(timing.expandedIsland(), "A");
    scheduler.advance(0.3);
    EXPECT_EQ(timing.pulseTrigger(), pulses + 2);  // the tab change, then the expansion's pulse
    timing.onOpenTab()(L2Tab::weekly);
    EXPECT_EQ(island.state(), IslandState::compact);
    EXPECT_EQ(timing.effectiveTab(), L2Tab::timeline);
    EXPECT_EQ(timing.expandedIsland(), "");
    island.expand();
    timing.onOpenTab()(L2Tab::checklist);
    EXPECT_EQ(island.state(), IslandState::expanded);
    EXPECT_EQ(timing.effectiveTab(), L2Tab::checklist);
    island.collapse();

    // A click on the island opens the tab of the compact item under the pointer.
    island.setSlots({60, 120});
    timing.setTrailingFrame({0, 0, 20, 24}, TimingViewModel::lotSizeFrameKey);
    timing.setTrailingFrame({90, 0, 20, 24}, TimingViewModel::checklistFrameKey);
    const auto layout = island.layout();
    auto over = [&](double x) {
        return IslandKit::Point{layout.rect.minX() + layout.trailingSlot.minX() + x, layout.rect.maxY() - 10};
    };
    const std::pair<std::optional<IslandKit::Point>, L2Tab> clicks[] = {
        {over(10), L2Tab::calculator}, {over(100), L2Tab::checklist}, {std::nullopt, L2Tab::timeline}};
    for (const auto& [pointer, tab] : clicks) {
        island.pointerMoved()(pointer);
        island.toggle();
        EXPECT_EQ(timing.effectiveTab(), tab);
        island.toggle();
    }
}

TEST_F(AppDelegateTest, OneIslandIsExpandedAtATimeAndGoesWithItsDisplay) {
    AppDelegate& app = make(alwaysOn, {builtIn, dell});
    answer(DisplayAnswer::alsoHere);
    app.island("A")->expand();
    app.timing().setActiveTab(L2Tab::weekly);
    app.island("B")->expand();
    EXPECT_EQ(app.island("A")->state(), IslandState::compact);
    EXPECT_EQ(app.activeIslandID(), "B");
    EXPECT_EQ(app.timing().effectiveTab(), L2Tab::weekly);
    // The pointer leaving A does not clear the hover B owns.
    app.timing().setHoverZone(IslandKit::IslandHoverZone::leading(), "B", true);
    app.island("A")->pointerMoved()(std::nullopt);
    EXPECT_EQ(app.timing().hoverIsland(), "B");

    take();
    displays->set({builtIn});
    scheduler.runPending();
    EXPECT_EQ(take(), (Journal{"hide B", "update A"}));
    EXPECT_FALSE(app.activeIslandID());
    EXPECT_FALSE(app.timing().isExpanded());
    EXPECT_EQ(app.timing().effectiveTab(), L2Tab::timeline);
}

TEST_F(AppDelegateTest, TheEditorFlagHoldsWhileAnyCardIsUp) {
    AppDelegate& app = make(alwaysOn);
    TimingViewModel& timing = app.timing();
    app.island("A")->expand();
    take();
    timing.onOpenTimingEditor()();
    FakeCard* timingCard = cards.back();
    timing.onOpenGreetingEditor()();
    EXPECT_EQ(take(), (Journal{"present 640 on A", "present 520 on A"}));
    EXPECT_EQ(app.island("A")->state(), IslandState::compact);

    // Two cards up, one goes: the other still holds the flag.
    cards.back()->dismiss();
    scheduler.advance(0.2);
    EXPECT_TRUE(timing.isEditorOpen());
    timingCard->dismiss();
    scheduler.advance(0.2);
    EXPECT_FALSE(timing.isEditorOpen());
    // Each card tidied up and saved at once as it went.
    EXPECT_EQ(take(), (Journal{"dismiss 520", "settings saved", "dismiss 640", "settings saved"}));

    // A card taken back during its fade stays counted; asking for a shown one makes no other.
    timing.onOpenTimingEditor()();
    timingCard->dismiss();
    timing.onOpenTimingEditor()();
    timing.onOpenTimingEditor()();
    scheduler.advance(0.2);
    EXPECT_TRUE(timing.isEditorOpen());
    EXPECT_EQ(cards.size(), 2u);
}

TEST_F(AppDelegateTest, EditorsOpenOnTheIslandInUse) {
    AppDelegate& app = make(alwaysOn, {dell, builtIn});
    answer(DisplayAnswer::alsoHere);
    app.island("B")->expand();
    take();
    app.calculator().openInstrumentEditor();
    EXPECT_EQ(take(), (Journal{"release keyboard B", "present 680 on B"}));
    EXPECT_EQ(app.island("B")->state(), IslandState::compact);

    // With no island in use, on the built-in display.
    app.checklistUI().openEditor(EditorRequest::create());
    EXPECT_EQ(take(), Journal{"present 640 on A"});
    EXPECT_EQ(app.checklist().activeTemplate()->name, "New checklist");
    EXPECT_TRUE(app.editorModel().focusName());
    cards.back()->dismiss();
    scheduler.advance(0.2);
    EXPECT_EQ(take(), (Journal{"dismiss 640", "checklists saved"}));

    // The hold that resets the checklist clears its ticks.
    const auto item = *app.checklist().addItem(app.checklist().activeTemplate()->id, "Plan");
    app.checklist().toggle(item);
    auto& hold = app.checklistUI().resetHold();
    hold.begin(hold.now(), false);
    hold.update(hold.now() + hold.duration() + 0.01);
    EXPECT_FALSE(app.checklist().isChecked(item));
}

TEST_F(AppDelegateTest, AnIslandThatGaveUpTheKeyboardHandsItBack) {
    AppDelegate& app = make(alwaysOn);
    take();
    const auto released = app.island("A")->onKeyboardReleased();
    ASSERT_TRUE(released);
    released();
    EXPECT_EQ(take(), Journal{"return keyboard"});
}

TEST_F(AppDelegateTest, TheNewDisplayPromptStoresEveryAnswer) {
    const struct {
        std::optional<DisplayAnswer> answer;
        std::set<std::string> islands;
        DisplayChoices stored;
    } cases[] = {
        {DisplayAnswer::alsoHere, {"A", "B"}, {{"B", true}}},
        {DisplayAnswer::onlyHere, {"B"}, {{"A", false}, {"B", true}}},
        {DisplayAnswer::notHere, {"A"}, {{"B", false}}},
        // Clicked away: nothing stored, no island, and not asked again in this run.
        {std::nullopt, {"A"}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer ? static_cast<int>(*c.answer) : -1);
        settingsStore = std::make_shared<JournaledSettingsStore>(journal, "settings");
        AppDelegate& app = make(alwaysOn, {builtIn, dell});
        EXPECT_EQ(cards.back()->size.height, AppDelegate::displayChoiceCard.height);
        EXPECT_EQ(cards.back()->screen.displayID, "A");
        EXPECT_TRUE(app.timing().isEditorOpen());
        c.answer ? answer(*c.answer) : (cards.back()->dismiss(), scheduler.advance(0.2));
        EXPECT_EQ(islands(), c.islands);
        EXPECT_EQ(app.settings().displayChoices(), c.stored);
        EXPECT_FALSE(app.timing().isEditorOpen());
        displays->set({builtIn, dell});
        scheduler.runPending();
        EXPECT_EQ(cards.size(), 1u);
    }
}

TEST_F(AppDelegateTest, DisplaysConnectedTogetherAreAskedAboutInTurn) {
    AppDelegate& app = make(alwaysOn);
    // No prompt while an editor is up; the next change asks.
    app.timing().onOpenTimingEditor()();
    displays->set({builtIn, dell, lg});
    scheduler.runPending();
    EXPECT_EQ(cards.size(), 1u);
    cards.back()->dismiss();
    scheduler.advance(0.2);
    displays->set({builtIn, dell, lg});
    scheduler.runPending();
    answer(DisplayAnswer::alsoHere);
    answer(DisplayAnswer::alsoHere);
    EXPECT_EQ(islands(), (std::set<std::string>{"A", "B", "C"}));
}

TEST_F(AppDelegateTest, WithoutABuiltInDisplayBothDisplaysMeansBoth) {
    // The first display has the island for want of a choice; the prompt asks about the other.
    AppDelegate& app = make(alwaysOn, {dell, lg});
    EXPECT_EQ(islands(), std::set<std::string>{"B"});
    ASSERT_EQ(cards.size(), 1u);
    answer(DisplayAnswer::alsoHere);
    EXPECT_EQ(islands(), (std::set<std::string>{"B", "C"}));
    EXPECT_EQ(app.settings().displayChoices(), (DisplayChoices{{"B", true}, {"C", true}}));
    EXPECT_EQ(cards.size(), 1u);

    // Ticking the other display in the menu adds an island rather than moving it.
    settingsStore = std::make_shared<JournaledSettingsStore>(journal, "settings");
    make(alwaysOn, {dell, lg});
    cards.back()->dismiss();
    scheduler.advance(0.2);
    delegate->toggleDisplay("C");
    EXPECT_EQ(islands(), (std::set<std::string>{"B", "C"}));
    EXPECT_EQ(delegate->settings().displayChoices(), (DisplayChoices{{"B", true}, {"C", true}}));
}

TEST_F(AppDelegateTest, TheMenuOffersTheDisplaysAndKeepsTheLastOne) {
    AppDelegate& app = make(alwaysOn);
    EXPECT_TRUE(app.displayMenuRows().empty());
    displays->set({builtIn, dell});
    scheduler.runPending();
    cards.back()->dismiss();
    using Rows = std::vector<StatusMenuModel::DisplayRow>;
    EXPECT_EQ(app.displayMenuRows(), (Rows{{"A", "Built-in display", true, false}, {"B", "DELL U2720Q", false, true}}));
    take();
    app.toggleDisplay("A");
    EXPECT_EQ(take(), Journal{});
    app.toggleDisplay("B");
    EXPECT_EQ(take(), (Journal{"settings saved", "update A", "show B"}));
    app.toggleDisplay("A");
    EXPECT_EQ(app.displayMenuRows(), (Rows{{"A", "Built-in display", false, true}, {"B", "DELL U2720Q", true, false}}));
    app.statusItem()->quit();
    EXPECT_EQ(take().back(), "quit");
}

TEST_F(AppDelegateTest, SwipesNeedAnOpenIslandUnderThePointerAndNothingElseOpen) {
    AppDelegate& app = make(alwaysOn);
    EXPECT_FALSE(app.canSwipeTabs());
    app.island("A")->expand();
    const IslandKit::Rect rect = app.island("A")->layout().rect;
    const IslandKit::Point inside{rect.minX() + 5, rect.minY() + 5}, outside{rect.maxX() + 5, rect.minY()};
    displays->pointerAt = inside;
    EXPECT_TRUE(app.canSwipeTabs());
    const std::function<void(bool)> blockers[] = {
        [&](bool on) { app.timing().setEditorOpen(on); },
        [&](bool on) { app.timing().setWeeklyMenuOpen(on); },
        [&](bool on) { app.checklistUI().setDropdownOpen(on); },
        [&](bool on) { app.checklistUI().setOpenChoiceItemID(on ? std::optional(Base::Uuid()) : std::nullopt); },
        [&](bool on) { displays->pointerAt = on ? outside : inside; },
    };
    for (const auto& block : blockers) {
        block(true);
        EXPECT_FALSE(app.canSwipeTabs());
        block(false);
        EXPECT_TRUE(app.canSwipeTabs());
    }
}
