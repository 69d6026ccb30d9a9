#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "WaylarkKit/tests/Timing/TimingFixture.h"

namespace WaylarkKit::Testing {
namespace {

using IslandKit::IslandHoverZone;
using IslandKit::Rect;
using TradingCore::DataConfidence;
using HoverTarget = TimingViewModel::HoverTarget;

class TimingOperationsTest : public TimingTest {
protected:
    // A model whose evaluation lists one coming release, ten minutes ahead.
    TimingViewModel& makeWithNews() { return make(Mode::live, {release("cpi", quietMorning() + 600)}); }
    const TradingCore::Activity& news() const { return model->evaluation().activities.at(0); }
};

TEST_F(TimingOperationsTest, SwipesFollowTheOrderAndShakePastTheEnds) {
    using enum L2Tab;
    using enum TabSwipeDirection;
    const struct {
        L2Tab from;
        TabSwipeDirection direction;
        L2Tab to;  // the same tab: a shake
    } rows[] = {
        {timeline, next, weekly},     {timeline, previous, timeline}, {weekly, next, checklist},
        {weekly, previous, timeline}, {checklist, previous, weekly},  {calculator, next, checklist},
        {calculator, previous, weekly}, {checklist, next, checklist},
    };
    auto& timing = make();
    for (const auto& row : rows) {
        timing.setActiveTab(row.from);
        auto pulse = counter(Field::pulseTrigger);
        auto shake = counter(Field::shakeTrigger);
        timing.swipeTab(row.direction);
        EXPECT_EQ(timing.activeTab(), row.to);
        EXPECT_EQ(pulse.take(), row.from == row.to ? 0u : 1u);
        EXPECT_EQ(shake.take(), row.from == row.to ? 1u : 0u);
        if (row.from == row.to) {
            EXPECT_EQ(timing.shakeDirection(), row.direction);
        }
    }
    auto direction = counter(Field::shakeDirection);
    timing.swipeTab(next);
    EXPECT_EQ(direction.take(), 0u);
    EXPECT_EQ(timing.shakeTrigger(), 3);
    EXPECT_EQ(timing.availableTabs(), (std::vector<L2Tab>{weekly, checklist}));
    timing.setActiveTab(calculator);
    EXPECT_EQ(timing.availableTabs(), (std::vector<L2Tab>{weekly, calculator, checklist}));
}

TEST_F(TimingOperationsTest, AnchorsUnderTheCompactItemsWhoseFramesIgnoreMovesBelowHalfAPoint) {
    auto& timing = makeWithNews();
    EXPECT_EQ(timing.anchorFrame(L2Tab::weekly), std::nullopt);
    EXPECT_EQ(timing.anchorFrame(L2Tab::calculator), std::nullopt);
    timing.setTrailingFrame({300, 4, 20, 24}, "checklist");
    EXPECT_EQ(timing.anchorFrame(L2Tab::weekly), (Rect{254, 4, 40, 24}));
    EXPECT_EQ(timing.anchorFrame(L2Tab::calculator), (Rect{260, 4, 34, 24}));
    EXPECT_EQ(timing.anchorFrame(L2Tab::checklist), (Rect{300, 4, 20, 24}));
    EXPECT_EQ(timing.anchorFrame(L2Tab::timeline), std::nullopt);
    timing.setTrailingFrame({500, 0, 10, 10}, "act:" + news().id);  // not a news key
    timing.setTrailingFrame({100, 6, 40, 20}, TimingViewModel::frameKey(news()));
    EXPECT_EQ(timing.anchorFrame(L2Tab::weekly), (Rect{100, 6, 40, 20}));

    auto frames = counter(Field::trailingFrames);
    timing.setTrailingFrame({100, 0, 40, 20}, "checklist");
    timing.setTrailingFrame({100.4, 3, 40.3, 26}, "checklist");
    EXPECT_EQ(frames.take(), 1u);
    timing.setTrailingFrame({100.5, 3, 40, 26}, "checklist");
    EXPECT_EQ(frames.take(), 1u);
    EXPECT_EQ(timing.trailingFrames().at("checklist"), (Rect{100.5, 3, 40, 26}));
}

TEST_F(TimingOperationsTest, HoverTargetsWithTheirSlacks) {
    auto& timing = makeWithNews();
    timing.setTrailingFrame({100, 0, 40, 20}, TimingViewModel::frameKey(news()));
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
        {IslandHoverZone::trailing(96), HoverTarget::activity(news().id)},  // 4 points left of it
        {IslandHoverZone::trailing(95), std::nullopt},                      // 5 points left of it
        {IslandHoverZone::trailing(144), HoverTarget::activity(news().id)},
        {IslandHoverZone::trailing(290), HoverTarget::checklist()},  // 10 points left of the indicator
        {IslandHoverZone::trailing(333), std::nullopt},
        {std::nullopt, std::nullopt},
    };
    for (const auto& row : rows) {
        timing.setHoverZone(row.zone, "left", false);
        EXPECT_EQ(timing.hoveredTarget(), row.target) << (row.zone ? row.zone->x : -1);
        EXPECT_EQ(timing.hoverIsland(), row.target ? "left" : "");
    }
    auto hovered = counter(Field::hoveredTarget);
    timing.setHoverZone(IslandHoverZone::leading(), "left", false);
    timing.setHoverZone(IslandHoverZone::leading(), "left", false);
    EXPECT_FALSE(timing.isHovered(HoverTarget::status(), "right"));
    timing.setExpanded(true);
    EXPECT_EQ(hovered.take(), 2u);
    timing.setHoverZone(IslandHoverZone::leading(), "left", true);
    EXPECT_TRUE(timing.isHovered(HoverTarget::status(), "left"));
}

TEST_F(TimingOperationsTest, GreetingRunsAndPreviews) {
    auto& timing = make();
    timing.start();
    timing.setHoverZone(IslandHoverZone::leading(), "left", false);
    EXPECT_EQ(timing.hoveredTarget(), std::nullopt);  // no hover while it plays
    scheduler.advance(4);
    timing.setExpanded(true);
    EXPECT_FALSE(timing.isGreeting());

    // A preview plays while expanded, with an editor open and switched off.
    settings->setGreetingEnabled(false);
    timing.setEditorOpen(true);
    auto runs = counter(Field::greetingRun);
    timing.previewGreeting();
    EXPECT_EQ(runs.take(), 1u);
    scheduler.advance(4);
    EXPECT_TRUE(timing.isGreeting());
    scheduler.advance(1);
    EXPECT_FALSE(timing.isGreeting());
    timing.previewGreeting();
    settings->setGreetingLeading(" ");
    settings->setGreetingName("");
    EXPECT_FALSE(timing.isGreeting());  // nothing to say
}

TEST_F(TimingOperationsTest, SelectionTogglesAndOpenWeeklyFocusesThenAsksForTheTab) {
    auto& timing = make();
    auto selection = counter(Field::selection);
    timing.toggleSelection(TimelineSelection::marker("CPI@1"));
    timing.toggleSelection(TimelineSelection::macro("CPI@1"));  // same text, another kind
    timing.toggleSelection(TimelineSelection::macro("CPI@1"));
    EXPECT_EQ(timing.selection(), std::nullopt);
    EXPECT_EQ(selection.take(), 3u);

    int opened = 0;
    timing.setOnOpenTab([&](L2Tab tab) { opened += tab == L2Tab::weekly; });
    timing.openWeekly("news:CPI@1");  // collapsed
    timing.setExpanded(true);
    timing.setActiveTab(L2Tab::weekly);
    timing.openWeekly("news:PPI@2");  // another item on the open tab: only the focus moves
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(timing.weeklyFocusID(), "news:PPI@2");
    timing.openWeekly("news:PPI@2");  // the same item again: the delegate closes the tab
    EXPECT_EQ(opened, 2);

    timing.setProfileMenuOpen(true);
    EXPECT_TRUE(timing.isAnyMenuOpen());
    timing.clearWeeklyFocus();
    EXPECT_EQ(timing.weeklyFocusID(), std::nullopt);
    EXPECT_FALSE(timing.isAnyMenuOpen());
}

TEST_F(TimingOperationsTest, TheDemoControlsCycleTheConfidenceAndStartTheDemoClockAfresh) {
    auto& timing = makeWithNews();
    for (const auto confidence : {DataConfidence::degraded, DataConfidence::unknown, DataConfidence::live}) {
        timing.cycleSimulatedConfidence();
        EXPECT_EQ(timing.evaluation().confidence, confidence);
    }
    EXPECT_EQ(timing.simulatedConfidence(), std::nullopt);
    timing.setSimulatedConfidence(DataConfidence::live);
    timing.cycleSimulatedConfidence();
    EXPECT_EQ(timing.simulatedConfidence(), std::nullopt);

    // Toggling the mode and restarting start the demo clock afresh.
    scheduler.advance(100);
    timing.toggleMode();
    EXPECT_EQ(timing.now(), quietMorning() + 100);
    const Base::Uuid first = timing.demoSource().scenario().configuration.customs[0].id;
    scheduler.advance(2);
    timing.restartDemo();
    EXPECT_EQ(timing.now(), quietMorning() + 102);
    EXPECT_NE(timing.demoSource().scenario().configuration.customs[0].id, first);

    auto mode = counter(Field::mode);
    timing.toggleMode();
    timing.setMode(Mode::live);
    EXPECT_EQ(mode.take(), 1u);
    EXPECT_EQ(timing.evaluation().windowName, "Opening");
}

TEST_F(TimingOperationsTest, PlayScenarioStartsTheDemoClockWhereAsked) {
    auto& timing = make();
    timing.previewGreeting();
    const Base::Date start = newYork(3, 10, 14, 59, 0);
    const DemoScenario scenario = DemoScenario::make(start - 30);  // its first window opens at 14:59
    timing.playScenario(scenario, start, 10, true);
    EXPECT_EQ(timing.evaluation().windowName, "Pre-session");
    EXPECT_EQ(timing.greetingStartedAt(), start);
    EXPECT_EQ(timing.greetingPreviewStartedAt(), std::nullopt);
    timing.start();
    scheduler.advance(2);
    EXPECT_EQ(timing.now(), start + 20);
    timing.playScenario(scenario, start, 1, false);
    EXPECT_EQ(timing.now(), start);
    EXPECT_EQ(timing.greetingStartedAt(), std::nullopt);
    timing.playScenario(scenario, start, std::nan(""), false);  // the ordinary speed instead
    scheduler.advance(1);
    EXPECT_EQ(timing.now(), start + 5);
}

TEST_F(TimingOperationsTest, CelebrationsDoNotPileUp) {
    auto& timing = make();
    auto celebrating = counter(Field::isCelebratingChecklist);
    timing.celebrateChecklist();
    scheduler.advance(4);
    timing.celebrateChecklist();
    scheduler.advance(5.5);
    EXPECT_TRUE(timing.isCelebratingChecklist());
    scheduler.advance(0.5);
    EXPECT_FALSE(timing.isCelebratingChecklist());
    EXPECT_EQ(celebrating.take(), 2u);
    timing.celebrateChecklist();
    timing.stopCelebrating();
    EXPECT_FALSE(timing.isCelebratingChecklist());
    EXPECT_EQ(scheduler.pendingCount(), 0u);
}

TEST_F(TimingOperationsTest, UpcomingRestrictedEventsFollowTheSettingsRule) {
    auto& timing = make(Mode::live, {release("past", quietMorning() - 60), release("now", quietMorning()),
                                     release("eur", quietMorning() + 60, "EUR"),
                                     release("medium", quietMorning() + 120, "USD", TradingCore::NewsImpact::medium),
                                     release("later", quietMorning() + 180)});
    const auto ids = [&](std::size_t limit) {
        std::string out;
        for (const auto& e : timing.upcomingRestrictedEvents(limit)) out += e.id + " ";
        return out;
    };
    EXPECT_EQ(ids(1), "now ");
    settings->setBlackoutIncludesMedium(true);
    EXPECT_EQ(ids(9), "now medium later ");
}

}  // namespace
}  // namespace WaylarkKit::Testing
