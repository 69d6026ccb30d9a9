#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "Base/testing/NotificationCounter.h"
#include "WaylarkKit/tests/Timing/TimingFixture.h"

namespace WaylarkKit::Testing {
namespace {

using Base::Testing::NotificationCounter;
using IslandKit::IslandHoverZone;
using IslandKit::Rect;
using TradingCore::DataConfidence;
using HoverTarget = TimingViewModel::HoverTarget;

class TimingOperationsTest : public TimingTest {
protected:
    NotificationCounter counter(Field field) {
        return NotificationCounter([this, field](auto o) { return model->observe(field, o); });
    }
    const TradingCore::Activity& firstOfKind(TradingCore::ActivityKind kind) {
        for (const auto& activity : model->evaluation().activities) {
            if (activity.kind == kind) return activity;
        }
        throw std::logic_error("no such activity");
    }
};

TEST_F(TimingOperationsTest, SwipesFollowTheOrderAndShakePastTheEnds) {
    using enum L2Tab;
    using enum TabSwipeDirection;
    const struct {
        L2Tab from;
        TabSwipeDirection direction;
        L2Tab to;
        bool shakes;
    } rows[] = {
        {timeline, next, weekly, false},       {timeline, previous, timeline, true},
        {weekly, next, checklist, false},      {weekly, previous, timeline, false},
        {checklist, next, checklist, true},    {checklist, previous, weekly, false},
        {calculator, next, checklist, false},  {calculator, previous, weekly, false},
    };
    auto& timing = make();
    for (const auto& row : rows) {
        timing.setActiveTab(row.from);
        auto pulse = counter(Field::pulseTrigger);
        auto shake = counter(Field::shakeTrigger);
        const int pulses = timing.pulseTrigger();
        timing.swipeTab(row.direction);
        EXPECT_EQ(timing.activeTab(), row.to);
        EXPECT_EQ(shake.take(), row.shakes ? 1u : 0u);
        EXPECT_EQ(timing.pulseTrigger() - pulses, row.shakes ? 0 : 1);
        EXPECT_EQ(pulse.take(), row.shakes ? 0u : 1u);
        if (row.shakes) {
            EXPECT_EQ(timing.shakeDirection(), row.direction);
        }
    }

    timing.setActiveTab(checklist);
    auto pulse = counter(Field::pulseTrigger);
    auto direction = counter(Field::shakeDirection);
    timing.setActiveTab(checklist);
    timing.swipeTab(next);
    timing.swipeTab(next);
    EXPECT_EQ(pulse.take(), 0u);
    EXPECT_EQ(direction.take(), 0u);  // already "next" from the table's last shake
    EXPECT_EQ(timing.shakeTrigger(), 4);
}

TEST_F(TimingOperationsTest, TheLotSizeTabIsAvailableOnlyWhileOpen) {
    auto& timing = make();
    EXPECT_EQ(timing.availableTabs(), (std::vector<L2Tab>{L2Tab::weekly, L2Tab::checklist}));
    timing.setActiveTab(L2Tab::calculator);
    EXPECT_EQ(timing.availableTabs(), (std::vector<L2Tab>{L2Tab::weekly, L2Tab::calculator, L2Tab::checklist}));
    EXPECT_EQ(timing.effectiveTab(), L2Tab::calculator);
}

TEST_F(TimingOperationsTest, AnchorsUnderTheCompactItems) {
    auto& timing = make(Mode::live, {release("cpi", quietMorning() + 600)});
    for (auto tab : {L2Tab::timeline, L2Tab::weekly, L2Tab::calculator, L2Tab::checklist}) {
        EXPECT_EQ(timing.anchorFrame(tab), std::nullopt);
    }
    const Rect checklist{300, 4, 20, 24};
    timing.setTrailingFrame(checklist, "checklist");
    EXPECT_EQ(timing.anchorFrame(L2Tab::weekly), (Rect{254, 4, 40, 24}));
    EXPECT_EQ(timing.anchorFrame(L2Tab::calculator), (Rect{260, 4, 34, 24}));
    EXPECT_EQ(timing.anchorFrame(L2Tab::checklist), checklist);
    EXPECT_EQ(timing.anchorFrame(L2Tab::timeline), std::nullopt);

    // Frames of other activities or unknown keys do not count for the weekly tab.
    const auto& news = firstOfKind(TradingCore::ActivityKind::news);
    timing.setTrailingFrame({500, 0, 10, 10}, "act:" + news.id);
    timing.setTrailingFrame({100, 6, 40, 20}, TimingViewModel::frameKey(news));
    EXPECT_EQ(timing.anchorFrame(L2Tab::weekly), (Rect{100, 6, 40, 20}));
}

TEST_F(TimingOperationsTest, FramesIgnoreMovesBelowHalfAPoint) {
    auto& timing = make();
    auto frames = counter(Field::trailingFrames);
    timing.setTrailingFrame({100, 0, 40, 20}, "checklist");
    EXPECT_EQ(frames.take(), 1u);
    timing.setTrailingFrame({100.4, 3, 40.3, 26}, "checklist");
    EXPECT_EQ(frames.take(), 0u);
    EXPECT_EQ(timing.trailingFrames().at("checklist"), (Rect{100, 0, 40, 20}));
    timing.setTrailingFrame({100.5, 3, 40, 26}, "checklist");
    EXPECT_EQ(frames.take(), 1u);
    EXPECT_EQ(timing.trailingFrames().at("checklist"), (Rect{100.5, 3, 40, 26}));
    timing.setTrailingFrame({100.5, 3, 40, 26}, "lot-size-button");
    EXPECT_EQ(frames.take(), 1u);

    TradingCore::Activity activity;
    activity.id = "x";
    for (auto [kind, key] : {std::pair{TradingCore::ActivityKind::news, "news:x"},
                             std::pair{TradingCore::ActivityKind::macro, "act:x"},
                             std::pair{TradingCore::ActivityKind::custom, "act:x"}}) {
        activity.kind = kind;
        EXPECT_EQ(TimingViewModel::frameKey(activity), key);
    }
}

TEST_F(TimingOperationsTest, HoverTargetsWithTheirSlacks) {
    auto& timing = make(Mode::live, {release("cpi", quietMorning() + 600)});
    const std::string news = firstOfKind(TradingCore::ActivityKind::news).id;
    timing.setTrailingFrame({100, 0, 40, 20}, TimingViewModel::frameKey(firstOfKind(TradingCore::ActivityKind::news)));
    timing.setTrailingFrame({200, 0, 20, 20}, "lot-size-button");
    timing.setTrailingFrame({300, 0, 20, 20}, "checklist");

    const struct {
        std::optional<IslandHoverZone> zone;
        std::optional<HoverTarget> target;
    } rows[] = {
        {IslandHoverZone::leading(), HoverTarget::status()},
        {IslandHoverZone::trailing(188), HoverTarget::calculator()},
        {IslandHoverZone::trailing(225), HoverTarget::calculator()},
        {IslandHoverZone::trailing(226), std::nullopt},
        {IslandHoverZone::trailing(96), HoverTarget::activity(news)},
        {IslandHoverZone::trailing(90), std::nullopt},  // 10 points left of the activity
        {IslandHoverZone::trailing(144), HoverTarget::activity(news)},
        {IslandHoverZone::trailing(290), HoverTarget::checklist()},  // 10 points left of the indicator
        {IslandHoverZone::trailing(332), HoverTarget::checklist()},
        {IslandHoverZone::trailing(333), std::nullopt},
        {std::nullopt, std::nullopt},
    };
    for (const auto& row : rows) {
        timing.setHoverZone(row.zone, "left", false);
        EXPECT_EQ(timing.hoveredTarget(), row.target) << (row.zone ? row.zone->x : -1);
        EXPECT_EQ(timing.hoverIsland(), row.target ? "left" : "");
    }

    auto hovered = counter(Field::hoveredTarget);
    auto island = counter(Field::hoverIsland);
    timing.setHoverZone(IslandHoverZone::leading(), "left", false);
    timing.setHoverZone(IslandHoverZone::leading(), "left", false);
    EXPECT_TRUE(timing.isHovered(HoverTarget::status(), "left"));
    EXPECT_FALSE(timing.isHovered(HoverTarget::status(), "right"));
    EXPECT_EQ(hovered.take(), 1u);
    EXPECT_EQ(island.take(), 1u);

    timing.setExpanded(true);
    EXPECT_EQ(timing.hoveredTarget(), std::nullopt);
    EXPECT_EQ(hovered.take(), 1u);
    timing.setHoverZone(IslandHoverZone::leading(), "left", false);
    EXPECT_EQ(timing.hoveredTarget(), std::nullopt);
    EXPECT_EQ(timing.hoverIsland(), "");
    timing.setHoverZone(IslandHoverZone::leading(), "left", true);
    EXPECT_EQ(timing.hoveredTarget(), HoverTarget::status());
}

TEST_F(TimingOperationsTest, NoHoverWhileTheGreetingPlays) {
    auto& timing = make();
    timing.start();
    ASSERT_TRUE(timing.isGreeting());
    timing.setHoverZone(IslandHoverZone::leading(), "left", false);
    EXPECT_EQ(timing.hoveredTarget(), std::nullopt);
    EXPECT_EQ(timing.hoverIsland(), "");
    scheduler.advance(5);
    timing.setHoverZone(IslandHoverZone::leading(), "left", false);
    EXPECT_EQ(timing.hoveredTarget(), HoverTarget::status());
}

TEST_F(TimingOperationsTest, GreetingRunsAndPreviews) {
    auto& timing = make();
    timing.start();
    scheduler.advance(4);
    EXPECT_TRUE(timing.isGreeting());
    timing.setExpanded(true);  // expanding ends it
    EXPECT_FALSE(timing.isGreeting());
    EXPECT_EQ(timing.greetingStartedAt(), std::nullopt);

    // A preview plays while expanded, with an editor open and when switched off.
    settings->setGreetingEnabled(false);
    timing.setEditorOpen(true);
    auto runs = counter(Field::greetingRun);
    timing.previewGreeting();
    EXPECT_EQ(runs.take(), 1u);
    EXPECT_EQ(timing.greetingPreviewStartedAt(), timing.now());
    EXPECT_TRUE(timing.isGreeting());
    scheduler.advance(4);
    EXPECT_TRUE(timing.isGreeting());
    scheduler.advance(1);
    EXPECT_FALSE(timing.isGreeting());

    // Nothing to say, nothing played.
    timing.previewGreeting();
    settings->setGreetingLeading("  ");
    settings->setGreetingName("");
    EXPECT_FALSE(timing.isGreeting());
    EXPECT_EQ(timing.greetingRun(), 2);
}

TEST_F(TimingOperationsTest, DemoGreetingLastsTheSameRealTime) {
    auto& timing = make(Mode::demo);
    timing.start();
    scheduler.advance(4);
    EXPECT_TRUE(timing.isGreeting());  // 20 demo seconds in
    scheduler.advance(1);
    EXPECT_FALSE(timing.isGreeting());
}

TEST_F(TimingOperationsTest, SelectionToggles) {
    auto& timing = make();
    auto selection = counter(Field::selection);
    const auto marker = TimelineSelection::marker("CPI@1");
    timing.toggleSelection(marker);
    EXPECT_EQ(timing.selection(), marker);
    timing.toggleSelection(TimelineSelection::macro("CPI@1"));  // same text, another kind
    EXPECT_EQ(timing.selection(), TimelineSelection::macro("CPI@1"));
    timing.toggleSelection(TimelineSelection::macro("CPI@1"));
    EXPECT_EQ(timing.selection(), std::nullopt);
    EXPECT_EQ(selection.take(), 3u);
    // Segments are one selection per origin.
    timing.toggleSelection(TimelineSelection::segment(Base::Date(100)));
    timing.toggleSelection(TimelineSelection::segment(Base::Date(100)));
    EXPECT_EQ(timing.selection(), std::nullopt);
}

TEST_F(TimingOperationsTest, OpenWeeklyFocusesThenAsksForTheTab) {
    auto& timing = make();
    std::vector<L2Tab> opened;
    timing.setOnOpenTab([&](L2Tab tab) { opened.push_back(tab); });

    timing.openWeekly("news:CPI@1");  // collapsed: open the tab
    EXPECT_EQ(opened.size(), 1u);
    timing.setExpanded(true);
    timing.setActiveTab(L2Tab::weekly);
    timing.openWeekly("news:PPI@2");  // another item on the open tab: only the focus
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_EQ(timing.weeklyFocusID(), "news:PPI@2");
    timing.openWeekly("news:PPI@2");  // the same item again: the delegate closes the tab
    EXPECT_EQ(opened, (std::vector<L2Tab>{L2Tab::weekly, L2Tab::weekly}));

    timing.setWeeklyMenuOpen(true);
    timing.setProfileMenuOpen(true);
    EXPECT_TRUE(timing.isAnyMenuOpen());
    auto focus = counter(Field::weeklyFocusID);
    auto impactMenu = counter(Field::isWeeklyImpactMenuOpen);
    timing.clearWeeklyFocus();
    EXPECT_EQ(timing.weeklyFocusID(), std::nullopt);
    EXPECT_FALSE(timing.isAnyMenuOpen());
    EXPECT_EQ(focus.take(), 1u);
    EXPECT_EQ(impactMenu.take(), 0u);

    timing.setOnOpenTab(nullptr);
    timing.openWeekly("news:CPI@1");  // an unset callback is skipped
}

TEST_F(TimingOperationsTest, ConfidenceCycleOfTheDemoControls) {
    auto& timing = make(Mode::live, {release("cpi", quietMorning() + 7200)});
    ASSERT_EQ(timing.evaluation().confidence, DataConfidence::live);
    const std::optional<DataConfidence> expected[] = {DataConfidence::degraded, DataConfidence::unknown,
                                                      std::nullopt, DataConfidence::degraded};
    for (const auto& confidence : expected) {
        timing.cycleSimulatedConfidence();
        EXPECT_EQ(timing.simulatedConfidence(), confidence);
        EXPECT_EQ(timing.evaluation().confidence, confidence.value_or(DataConfidence::live));
    }
    timing.setSimulatedConfidence(DataConfidence::live);
    timing.cycleSimulatedConfidence();
    EXPECT_EQ(timing.simulatedConfidence(), std::nullopt);
}

TEST_F(TimingOperationsTest, ToggleModeAndRestartStartTheDemoClockAfresh) {
    auto& timing = make();
    scheduler.advance(100);
    auto mode = counter(Field::mode);
    timing.toggleMode();
    EXPECT_EQ(timing.mode(), Mode::demo);
    EXPECT_EQ(mode.take(), 1u);
    EXPECT_EQ(timing.now(), quietMorning() + 100);
    const auto firstIDs = timing.demoSource().scenario().configuration.customs.front().id;

    scheduler.advance(2);
    timing.restartDemo();
    EXPECT_EQ(timing.mode(), Mode::demo);
    EXPECT_EQ(timing.now(), quietMorning() + 102);
    EXPECT_NE(timing.demoSource().scenario().configuration.customs.front().id, firstIDs);

    timing.toggleMode();
    EXPECT_EQ(timing.mode(), Mode::live);
    EXPECT_EQ(timing.evaluation().windowName, "Opening");
    timing.setMode(Mode::live);
    EXPECT_EQ(mode.take(), 1u);
}

TEST_F(TimingOperationsTest, PlayScenarioStartsTheDemoClockWhereAsked) {
    auto& timing = make();
    timing.previewGreeting();
    const Base::Date start = newYork(3, 10, 14, 59, 0);
    const DemoScenario scenario = DemoScenario::make(start - 30);  // the scenario's day begins at 14:59
    timing.playScenario(scenario, start, 10, true);
    EXPECT_EQ(timing.mode(), Mode::demo);
    EXPECT_EQ(timing.now(), start);
    EXPECT_EQ(timing.demoSource().scenario(), scenario);
    EXPECT_EQ(timing.greetingStartedAt(), start);
    EXPECT_EQ(timing.greetingPreviewStartedAt(), std::nullopt);
    EXPECT_EQ(timing.evaluation().windowName, "Pre-session");

    timing.start();
    scheduler.advance(2);
    EXPECT_EQ(timing.now(), start + 20);

    timing.playScenario(scenario, start, 1, false);
    EXPECT_EQ(timing.greetingStartedAt(), std::nullopt);
    EXPECT_EQ(timing.now(), start);
}

TEST_F(TimingOperationsTest, CelebrationsDoNotPileUp) {
    auto& timing = make();
    auto celebrating = counter(Field::isCelebratingChecklist);
    timing.celebrateChecklist();
    scheduler.advance(4);
    timing.celebrateChecklist();
    EXPECT_EQ(scheduler.pendingCount(), 1u);
    scheduler.advance(5.5);
    EXPECT_TRUE(timing.isCelebratingChecklist());
    scheduler.advance(0.5);
    EXPECT_FALSE(timing.isCelebratingChecklist());
    EXPECT_EQ(celebrating.take(), 2u);

    timing.celebrateChecklist();
    timing.stopCelebrating();
    EXPECT_FALSE(timing.isCelebratingChecklist());
    EXPECT_EQ(scheduler.pendingCount(), 0u);
    timing.stopCelebrating();
    EXPECT_EQ(celebrating.take(), 2u);
}

TEST_F(TimingOperationsTest, UpcomingRestrictedEventsFollowTheSettingsRule) {
    using TradingCore::NewsImpact;
    auto& timing = make(Mode::live, {release("past", quietMorning() - 60), release("now", quietMorning()),
                                     release("eur", quietMorning() + 60, "EUR"),
                                     release("medium", quietMorning() + 120, "USD", NewsImpact::medium),
                                     release("later", quietMorning() + 180), release("last", quietMorning() + 240)});
    const auto ids = [](const std::vector<CalendarKit::CalendarEvent>& events) {
        std::vector<std::string> out;
        for (const auto& e : events) out.push_back(e.id);
        return out;
    };
    EXPECT_EQ(ids(timing.upcomingRestrictedEvents(2)), (std::vector<std::string>{"now", "later"}));
    EXPECT_EQ(ids(timing.upcomingRestrictedEvents(0)), std::vector<std::string>{});
    settings->setBlackoutIncludesMedium(true);
    EXPECT_EQ(ids(timing.upcomingRestrictedEvents(9)), (std::vector<std::string>{"now", "medium", "later", "last"}));
}

}  // namespace
}  // namespace WaylarkKit::Testing
