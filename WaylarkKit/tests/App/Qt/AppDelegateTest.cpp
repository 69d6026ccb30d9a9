#include <gtest/gtest.h>

#include <QTest>

#include "Base/testing/NotificationCounter.h"
#include "Base/testing/TemporaryFolder.h"
#include "CalendarKit/tests/service/ScriptedFetcher.h"
#include "WaylarkKit/App/Qt/AppDelegate.h"
#include "WaylarkKit/App/Qt/DisplayChoiceView.h"
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

struct Launch {
    std::vector<std::string> arguments;
    bool byUser = false;
    bool installed = false;
};

class AppDelegateTest : public ::testing::Test {
protected:

    AppDelegate& make(const Launch& launch = {}, std::vector<DisplayInfo> connected = {builtIn}) {
        app();
        delegate.reset();
        AppEnvironment environment;
        environment.settingsStore = settingsStore;
        environment.checklistStore = checklistStore;
        environment.feedFetcher = fetcher;
        environment.calendarStore = std::make_shared<CalendarKit::Testing::MemoryStore>();
        auto fakeDisplays = std::make_unique<FakeDisplays>(journal);
        fakeDisplays->displays = std::move(connected);
        displays = fakeDisplays.get();
        environment.displays = std::move(fakeDisplays);
        environment.makeIslandWindow = [this](IslandKit::IslandModel&, std::function<void()> onMenuRequest) {
            menuRequest = std::move(onMenuRequest);
            return std::make_unique<FakeIslandWindow>(journal);
        };
        environment.makeOverlayCard = [this](IslandKit::IslandView content, IslandKit::Size size) {
            return std::make_unique<FakeCard>(std::move(content), size, scheduler, journal, cards);
        };
        environment.makeApplicationsWatcher = [this](const std::set<std::string>&) {
            auto watcher = std::make_unique<FakeApplications>();
            applications = watcher.get();
            return watcher;
        };
        environment.listenForOpenRequests = [this](std::function<void()> onRequest) {
            openRequest = std::move(onRequest);
            return Base::Subscription([this] { openRequest = nullptr; });
        };
        auto fakeWake = std::make_unique<FakeWake>(journal);
        wake = fakeWake.get();
        environment.wake = std::move(fakeWake);
        auto login = std::make_unique<FakeLoginItem>();
        loginItem = login.get();
        environment.loginItem = std::move(login);
        environment.copyText = [](const std::string&) {};
        environment.quit = [this] { journal.push_back("quit"); };
        environment.views.leading = [](TimingViewModel&, const std::string&, bool) { return IslandKit::IslandView(); };
        environment.views.trailing = [](TimingViewModel&, ChecklistKit::ChecklistModel&, const std::string&) {
            return IslandKit::IslandView();
        };
        environment.views.expanded = [](const PanelParts&) { return IslandKit::IslandView(); };
        environment.views.tabSwipe = [this](std::function<bool()>, std::function<void(TabSwipeDirection)>) {
            return std::make_unique<FakeSwipe>(journal, [this] { return delegate->timing().isRunning(); });
        };
        environment.launchedByUser = launch.byUser;
        environment.runsInstalled = launch.installed;
        auto lock = InstanceLock::acquire(folder.path() / "instance.lock");
        delegate = std::make_unique<AppDelegate>(LaunchOptions::fromArguments(launch.arguments), std::move(*lock.lock),
                                                 scheduler, std::move(environment));
        delegate->applicationDidFinishLaunching();
        return *delegate;
    }

    std::vector<std::string> take() { return std::exchange(journal, {}); }
    // The newest card of that width.
    FakeCard* card(double width) const {
        for (auto it = cards.rbegin(); it != cards.rend(); ++it) {
            if ((*it)->size.width == width) return *it;
        }
        return nullptr;
    }
    std::set<std::string> islands() const {
        const auto ids = delegate->islandIDs();
        return {ids.begin(), ids.end()};
    }
    // Presses a button of the new-display prompt shown now.
    void answer(DisplayAnswer choice) {
        FakeCard* prompt = card(AppDelegate::displayChoiceCard.width);
        ASSERT_TRUE(prompt && prompt->isPresented());
        std::unique_ptr<QWidget> content(prompt->content(nullptr));
        auto* view = dynamic_cast<DisplayChoiceView*>(content.get());
        ASSERT_TRUE(view);
        view->resize(480, 190);
        QTest::mouseClick(view, Qt::LeftButton, {}, view->buttonRect(choice).center().toPoint());
        scheduler.advance(0.2);
    }

    Base::ManualScheduler scheduler{Testing::newYork(3, 10, 10, 20)};
    Journal journal;
    Base::Testing::TemporaryFolder folder;
    std::shared_ptr<JournaledSettingsStore> settingsStore = std::make_shared<JournaledSettingsStore>(journal);
    std::shared_ptr<JournaledChecklistStore> checklistStore = std::make_shared<JournaledChecklistStore>(journal);
    std::shared_ptr<CalendarKit::Testing::ScriptedFetcher> fetcher =
        std::make_shared<CalendarKit::Testing::ScriptedFetcher>(scheduler);
    std::vector<FakeCard*> cards;
    FakeDisplays* displays = nullptr;
    FakeApplications* applications = nullptr;
    FakeWake* wake = nullptr;
    FakeLoginItem* loginItem = nullptr;
    std::function<void()> openRequest;
    std::function<void()> menuRequest;
    std::unique_ptr<AppDelegate> delegate;
};

}  // namespace

TEST_F(AppDelegateTest, HowItStartsDependsOnTheLaunch) {
    const struct {
        Launch launch;
        bool active, presence, openRequests, statusItem, demo;
        ActivationPolicy policy;
        std::string status;
    } cases[] = {
        {{{"--from-autostart"}}, false, true, true, true, false, ActivationPolicy::accessory, "Waiting for TradingView"},
        {{{"--always-on"}}, true, false, false, true, false, ActivationPolicy::accessory, "Always on (test mode)"},
        {{{"--demo"}}, true, false, false, true, true, ActivationPolicy::accessory, "Always on (test mode)"},
        {{{"--showreel"}}, true, false, false, false, true, ActivationPolicy::accessory, "Always on (test mode)"},
        {{{}, true, true}, true, true, true, true, false, ActivationPolicy::regular, "Open (started manually)"},
        // By hand from a build folder: open, but nothing is installed to show in a launcher.
        {{{}, true, false}, true, true, true, true, false, ActivationPolicy::accessory, "Open (started manually)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.launch.arguments));
        AppDelegate& app = make(c.launch);
        EXPECT_EQ(app.isActive(), c.active);
        EXPECT_EQ(app.presence() != nullptr, c.presence);
        EXPECT_EQ(static_cast<bool>(openRequest), c.openRequests);
        EXPECT_EQ(app.statusItem() != nullptr, c.statusItem);
        EXPECT_EQ(app.timing().mode() == TimingViewModel::Mode::demo, c.demo);
        EXPECT_EQ(app.timing().isPresentation(), c.launch.arguments == std::vector<std::string>{"--showreel"});
        EXPECT_EQ(app.activationPolicy(), c.policy);
        EXPECT_EQ(app.statusText(), c.status);
    }
}

TEST_F(AppDelegateTest, ActivationAndDeactivationRunInTheirOrder) {
    AppDelegate& app = make({{"--from-autostart"}});
    ASSERT_FALSE(app.isActive());
    take();
    applications->set(tradingView);
    EXPECT_EQ(take(), (Journal{"show A", "swipe on, tick on", "watch wakes", "observe displays"}));
    EXPECT_EQ(app.statusText(), "Active: TradingView is running");
    // A second activation changes nothing.
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
    EXPECT_FALSE(app.isActive());
    EXPECT_FALSE(app.timing().isExpanded());
    EXPECT_TRUE(app.islandIDs().empty());
    // The pending saves were the flushed ones; the timing editor's card tidies up as it fades.
    scheduler.advance(1);
    EXPECT_EQ(take(), Journal{"settings saved"});
    EXPECT_EQ(app.statusText(), "Waiting for TradingView");
}

TEST_F(AppDelegateTest, QuittingSavesTheChecklistsFirstThenTheSettings) {
    AppDelegate& app = make({{"--always-on"}});
    app.settings().zoomOut();
    const auto id = app.checklist().createTemplate("Morning");
    take();
    app.applicationWillTerminate();
    EXPECT_EQ(take(), (Journal{"checklists saved", "settings saved"}));
    EXPECT_EQ(checklistStore->load()->activeTemplateID, id);
    EXPECT_EQ(settingsStore->load()->timelineHalfSpanMinutes, app.settings().timelineHalfSpanMinutes());
}

TEST_F(AppDelegateTest, AManualOpeningOutlastsTheChartingApplication) {
    AppDelegate& app = make({{"--from-autostart"}}, {});
    // No display: it stays inactive until the next chance.
    openRequest();
    EXPECT_FALSE(app.isActive());
    displays->displays = {builtIn};
    openRequest();
    EXPECT_TRUE(app.isActive());
    EXPECT_TRUE(app.openedManually());
    applications->set(tradingView);
    applications->set({});
    EXPECT_TRUE(app.isActive());
    EXPECT_EQ(app.statusText(), "Open (started manually)");
}

TEST_F(AppDelegateTest, TheCalendarRefreshesAtActivationHourlyAndAfterAWake) {
    AppDelegate& app = make({{"--from-autostart"}});
    auto fetches = [&] { return fetcher->fetchCount[CalendarKit::FeedWeek::thisWeek]; };
    applications->set(tradingView);
    scheduler.runPending();
    EXPECT_EQ(fetches(), 1);
    scheduler.advance(3599);
    EXPECT_EQ(fetches(), 1);
    scheduler.advance(1);
    EXPECT_EQ(fetches(), 2);
    // A wake soon after the last attempt fetches nothing: the calendar spaces its refreshes.
    wake->wake();
    scheduler.runPending();
    EXPECT_EQ(fetches(), 2);
    scheduler.advance(700);
    wake->wake();
    scheduler.runPending();
    EXPECT_EQ(fetches(), 3);

    applications->set({});
    scheduler.advance(2 * 3600);
    EXPECT_EQ(fetches(), 3);
    applications->set(tradingView);
    scheduler.runPending();
    EXPECT_EQ(fetches(), 4);
    EXPECT_TRUE(app.isActive());
}

TEST_F(AppDelegateTest, EachCompletionCelebratesOnceAcrossActivations) {
    AppDelegate& app = make({{"--from-autostart"}});
    auto& checklist = app.checklist();
    const auto list = *checklist.createTemplate("Morning");
    const auto plan = *checklist.addItem(list, "Plan");
    const auto levels = *checklist.addItem(list, "Levels");
    checklist.toggle(plan);
    int celebrations = 0;
    const auto counting = app.timing().observe(TimingViewModel::Field::isCelebratingChecklist, [&] {
        if (app.timing().isCelebratingChecklist()) ++celebrations;
    });
    for (int cycle = 1; cycle <= 3; ++cycle) {
        applications->set(tradingView);
        checklist.toggle(levels);
        scheduler.runPending();
        EXPECT_EQ(celebrations, cycle);
        EXPECT_TRUE(app.timing().isCelebratingChecklist());
        applications->set({});
        EXPECT_FALSE(app.timing().isCelebratingChecklist());
        // Changes while inactive celebrate nothing, now or after the next activation.
        checklist.toggle(levels);
        checklist.toggle(levels);
        checklist.toggle(levels);
        scheduler.runPending();
        EXPECT_EQ(celebrations, cycle);
    }
}

TEST_F(AppDelegateTest, TabsOpenFromEveryEntryPoint) {
    AppDelegate& app = make({{"--always-on"}});
    TimingViewModel& timing = app.timing();
    IslandKit::IslandModel& island = *app.island("A");
    scheduler.advance(6);  // past the greeting, which takes no hover
    const int pulses = timing.pulseTrigger();

    // The status and activity views ask for a tab.
    timing.onOpenTab()(L2Tab::weekly);
    EXPECT_EQ(island.state(), IslandState::expanded);
    EXPECT_EQ(timing.effectiveTab(), L2Tab::weekly);
    EXPECT_EQ(app.activeIslandID(), "A");
    EXPECT_EQ(timing.expandedIsland(), "A");
    EXPECT_TRUE(timing.isExpanded());
    scheduler.advance(0.3);
    EXPECT_EQ(timing.pulseTrigger(), pulses + 2);  // the tab change, then the expansion's pulse
    // The tab already shown closes the island, which goes back to the timeline.
    timing.onOpenTab()(L2Tab::weekly);
    EXPECT_EQ(island.state(), IslandState::compact);
    EXPECT_EQ(timing.effectiveTab(), L2Tab::timeline);
    EXPECT_EQ(timing.expandedIsland(), "");
    // An open island switches tab and stays open.
    island.expand();
    timing.onOpenTab()(L2Tab::weekly);
    EXPECT_EQ(island.state(), IslandState::expanded);
    EXPECT_EQ(timing.effectiveTab(), L2Tab::weekly);
    island.collapse();

    // The weekly focus opens the weekly tab.
    timing.openWeekly("news-1");
    EXPECT_EQ(timing.effectiveTab(), L2Tab::weekly);
    EXPECT_EQ(island.state(), IslandState::expanded);
    island.collapse();

    // A click on the island opens the tab of the item under the pointer.
    island.setSlots({60, 120});
    timing.setTrailingFrame({0, 0, 20, 24}, TimingViewModel::lotSizeFrameKey);
    timing.setTrailingFrame({90, 0, 20, 24}, TimingViewModel::checklistFrameKey);
    const auto layout = island.layout();
    auto over = [&](double x) {
        return IslandKit::Point{layout.rect.minX() + layout.trailingSlot.minX() + x, layout.rect.maxY() - 10};
    };
    const struct {
        std::optional<IslandKit::Point> pointer;
        L2Tab tab;
    } clicks[] = {{over(10), L2Tab::calculator}, {over(100), L2Tab::checklist}, {std::nullopt, L2Tab::timeline}};
    for (const auto& click : clicks) {
        island.pointerMoved()(click.pointer);
        island.toggle();
        EXPECT_EQ(timing.effectiveTab(), click.tab);
        EXPECT_FALSE(timing.hoveredTarget());
        island.toggle();
    }
}

TEST_F(AppDelegateTest, OneIslandExpandsAtATimeAndFollowsItsDisplay) {
    AppDelegate& app = make({{"--always-on"}}, {builtIn, dell});
    answer(DisplayAnswer::alsoHere);
    ASSERT_EQ(islands(), (std::set<std::string>{"A", "B"}));
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

    // B's display goes: its island goes with it, and the panel state is reset.
    take();
    displays->set({builtIn});
    scheduler.runPending();
    EXPECT_EQ(take(), (Journal{"hide B", "update A"}));
    EXPECT_EQ(islands(), std::set<std::string>{"A"});
    EXPECT_FALSE(app.activeIslandID());
    EXPECT_FALSE(app.timing().isExpanded());
    EXPECT_EQ(app.timing().effectiveTab(), L2Tab::timeline);
}

TEST_F(AppDelegateTest, TheEditorFlagHoldsWhileAnyCardIsUp) {
    AppDelegate& app = make({{"--always-on"}});
    TimingViewModel& timing = app.timing();
    app.island("A")->expand();
    take();
    timing.onOpenTimingEditor()();
    FakeCard* timingCard = cards.back();
    timing.onOpenGreetingEditor()();
    FakeCard* greetingCard = cards.back();
    EXPECT_EQ(take(), (Journal{"present 640 on A", "present 520 on A"}));
    EXPECT_EQ(app.island("A")->state(), IslandState::compact);
    EXPECT_TRUE(timing.isEditorOpen());

    // Two cards up, one goes: the other still holds the flag.
    greetingCard->dismiss();
    scheduler.advance(0.2);
    EXPECT_TRUE(timing.isEditorOpen());
    EXPECT_EQ(app.presentedCardCount(), 1u);
    timingCard->dismiss();
    scheduler.advance(0.2);
    EXPECT_FALSE(timing.isEditorOpen());
    // Each card tidied up and saved at once as it went.
    EXPECT_EQ(take(), (Journal{"dismiss 520", "settings saved", "dismiss 640", "settings saved"}));

    // A card taken back during its fade stays counted; asking for a shown one changes nothing.
    timing.onOpenTimingEditor()();
    timingCard->dismiss();
    timing.onOpenTimingEditor()();
    timing.onOpenTimingEditor()();
    scheduler.advance(0.2);
    EXPECT_TRUE(timing.isEditorOpen());
    EXPECT_EQ(app.presentedCardCount(), 1u);
    EXPECT_EQ(cards.size(), 2u);
}

TEST_F(AppDelegateTest, EditorsOpenOnTheIslandInUse) {
    AppDelegate& app = make({{"--always-on"}}, {dell, builtIn});
    answer(DisplayAnswer::alsoHere);
    app.island("B")->expand();
    take();
    app.calculator().openInstrumentEditor();
    EXPECT_EQ(take(), (Journal{"release keyboard B", "present 680 on B"}));
    EXPECT_EQ(app.island("B")->state(), IslandState::compact);

    // With no island in use, the built-in display.
    app.checklistUI().openEditor(EditorRequest::create());
    EXPECT_EQ(take(), Journal{"present 640 on A"});
    ASSERT_TRUE(app.checklist().activeTemplate());
    EXPECT_EQ(app.checklist().activeTemplate()->name, "New checklist");
    EXPECT_TRUE(app.editorModel().focusName());
    cards.back()->dismiss();
    scheduler.advance(0.2);
    EXPECT_EQ(take(), (Journal{"dismiss 640", "checklists saved"}));

    // The hold that resets the checklist clears its ticks.
    const auto list = app.checklist().activeTemplate()->id;
    const auto item = *app.checklist().addItem(list, "Plan");
    app.checklist().toggle(item);
    auto& hold = app.checklistUI().resetHold();
    hold.begin(hold.now(), false);
    hold.update(hold.now() + hold.duration() + 0.01);
    EXPECT_FALSE(app.checklist().isChecked(item));
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
        settingsStore = std::make_shared<JournaledSettingsStore>(journal);
        AppDelegate& app = make({{"--always-on"}}, {builtIn, dell});
        FakeCard* prompt = cards.back();
        EXPECT_EQ(prompt->size.width, AppDelegate::displayChoiceCard.width);
        EXPECT_EQ(prompt->screen.displayID, "A");
        EXPECT_TRUE(app.timing().isEditorOpen());
        if (c.answer) {
            answer(*c.answer);
        } else {
            prompt->dismiss();
            scheduler.advance(0.2);
        }
        EXPECT_EQ(islands(), c.islands);
        EXPECT_EQ(app.settings().displayChoices(), c.stored);
        EXPECT_FALSE(app.timing().isEditorOpen());
        displays->set({builtIn, dell});
        scheduler.runPending();
        EXPECT_EQ(cards.size(), 1u);
    }
}

TEST_F(AppDelegateTest, DisplaysConnectedTogetherAreAskedAboutInTurn) {
    AppDelegate& app = make({{"--always-on"}});
    // No prompt while an editor is up; the next change asks.
    app.timing().onOpenTimingEditor()();
    displays->set({builtIn, dell, lg});
    scheduler.runPending();
    EXPECT_EQ(cards.size(), 1u);
    cards.back()->dismiss();
    scheduler.advance(0.2);
    displays->set({builtIn, dell, lg});
    scheduler.runPending();

    std::vector<std::string> asked;
    for (int i = 0; i < 2; ++i) {
        FakeCard* prompt = cards.back();
        std::unique_ptr<QWidget> content(prompt->content(nullptr));
        const auto& view = dynamic_cast<DisplayChoiceView&>(*content);
        asked.push_back(view.title(DisplayAnswer::alsoHere));
        answer(DisplayAnswer::alsoHere);
    }
    EXPECT_EQ(asked, (std::vector<std::string>{"Also on DELL U2720Q", "Also on LG UltraFine"}));
    EXPECT_EQ(islands(), (std::set<std::string>{"A", "B", "C"}));
    EXPECT_FALSE(app.timing().isEditorOpen());
}

TEST_F(AppDelegateTest, TheMenuOffersTheDisplaysAndKeepsTheLastOne) {
    AppDelegate& app = make({{"--always-on"}});
    EXPECT_TRUE(app.displayMenuRows().empty());
    displays->set({builtIn, dell});
    scheduler.runPending();
    cards.back()->dismiss();
    scheduler.advance(0.2);
    using Row = StatusMenuModel::DisplayRow;
    EXPECT_EQ(app.displayMenuRows(), (std::vector<Row>{{"A", "MacBook display", true, false}, {"B", "DELL U2720Q", false, true}}));

    take();
    app.toggleDisplay("A");
    EXPECT_EQ(take(), Journal{});
    app.toggleDisplay("B");
    EXPECT_EQ(take(), (Journal{"settings saved", "update A", "show B"}));
    app.toggleDisplay("A");
    EXPECT_EQ(islands(), std::set<std::string>{"B"});
    EXPECT_EQ(app.displayMenuRows(), (std::vector<Row>{{"A", "MacBook display", false, true}, {"B", "DELL U2720Q", true, false}}));

    // The island's right click opens the same menu; its Quit ends the run.
    ASSERT_TRUE(menuRequest);
    app.statusItem()->quit();
    EXPECT_EQ(take().back(), "quit");
}

TEST_F(AppDelegateTest, SwipesNeedAnOpenIslandUnderThePointerAndNothingElseOpen) {
    AppDelegate& app = make({{"--always-on"}});
    IslandKit::IslandModel& island = *app.island("A");
    EXPECT_FALSE(app.canSwipeTabs());
    island.expand();
    const IslandKit::Rect rect = island.layout().rect;
    displays->pointerAt = {rect.minX() + 5, rect.minY() + 5};
    EXPECT_TRUE(app.canSwipeTabs());
    const std::function<void(bool)> blockers[] = {
        [&](bool on) { app.timing().setEditorOpen(on); },
        [&](bool on) { app.timing().setWeeklyMenuOpen(on); },
        [&](bool on) { app.checklistUI().setDropdownOpen(on); },
        [&](bool on) { app.checklistUI().setOpenChoiceItemID(on ? std::optional(Base::Uuid()) : std::nullopt); },
        [&](bool on) { displays->pointerAt = on ? IslandKit::Point{rect.maxX() + 5, rect.minY()} : IslandKit::Point{rect.minX() + 5, rect.minY() + 5}; },
    };
    for (const auto& block : blockers) {
        block(true);
        EXPECT_FALSE(app.canSwipeTabs());
        block(false);
        EXPECT_TRUE(app.canSwipeTabs());
    }
}
