#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "Base/testing/NotificationCounter.h"
#include "WaylarkKit/tests/Showreel/ShowreelFixture.h"

namespace WaylarkKit::Testing {
namespace {

using Base::Testing::NotificationCounter;

const std::string clip3 =
    "CLIP 3  custom session: Session, then the pink \"Kill zone\" starts at +12 s and tints the mascot (scene 3)";
const std::string clip7 =
    "CLIP 7  the last items are scrolled into view and ticked; checklist complete, the mascot celebrates (6 s) "
    "(scene 6)";
const std::string clip8 = "CLIP 8  Lot size calculator: 5 contracts at 0.5% risk, then 1% risk makes it 10 (scene 7)";
const std::string done = "DONE  press Ctrl+C in the terminal to quit";

// The script's own lines of a run in which both timeline clicks happen.
const std::vector<Line> fullScript = {
    {0.0, "CLIP 1  greeting: the island appears over a sleeping mascot (scene 2)"},
    {6.5, "CLIP 1  the island rests as Out"},
    {9.5, "CLIP 2  status: Out with a 9 s countdown, then Session starts (scene 3)"},
    {31.5, clip3},
    {56.5, "CLIP 4  news High: CPI countdown, then the red blackout, then ended (scene 4)"},
    {106.5, "CLIP 5  news Medium: PPI countdown, then the orange blackout, then ended (scene 4)"},
    {156.5, "CLIP 6  L2 tour, 09:41 on a day with a spread-out schedule (scene 5)"},
    {158.5, "CLIP 6a  L2 opens on Timeline"},
    {162.0, "CLIP 6a  Timeline zooms out (± 30 min → ± 1 h)"},
    {165.5, "CLIP 6a  click on the macro"},
    {169.8, "CLIP 6a  click on the news marker"},
    {174.1, "CLIP 6b  two-finger swipe to Weekly (already on CAD with High + Medium)"},
    {177.9, "CLIP 6b  the currency menu opens"},
    {181.7, "CLIP 6b  the impact menu opens"},
    {185.9, "CLIP 6c  swipe to Checklist"},
    {188.5, "CLIP 6c  the item with options opens; the list scrolls to show them"},
    {193.1, clip7},
    {204.1, clip8},
    {211.4, "CLIP 8  L2 closes"},
    {213.9, "CLIP 9  extra take of the greeting"},
    {220.4, done},
};

// What the island shows, each with the moment it starts to show it; the
// logger sees it at the next tick of the timing model and its own next poll.
const std::vector<Line> fullStates = {
    {0.0, "Out · greeting"},
    {5.0, "Out"},
    {18.5, "Session (Opening)"},
    {43.5, "Session (Opening) · custom \"Kill zone\" [pink]"},
    {56.5, "Session (Opening) · news countdown \"CPI\""},
    {74.5, "Restricted High"},
    {92.5, "Session (Opening)"},
    {106.5, "Session (Opening) · news countdown \"PPI\""},
    {124.5, "Restricted Medium"},
    {142.5, "Session (Opening)"},
    {158.5, "Session (Opening) · L2: timeline"},
    {174.1, "Session (Opening) · L2: weekly"},
    {185.9, "Session (Opening) · L2: checklist"},
    {195.9, "Session (Opening) · checklist celebration · L2: checklist"},
    {201.9, "Session (Opening) · L2: checklist"},
    {204.1, "Session (Opening) · L2: calculator"},
    {211.4, "Session (Opening)"},
    {213.9, "Session (Opening) · greeting"},
    {218.9, "Session (Opening)"},
};

bool isState(const Line& line) { return line.text.rfind("state   ", 0) == 0; }

std::vector<Line> scriptLines(const std::vector<Line>& log) {
    std::vector<Line> result;
    for (const auto& line : log) {
        if (!isState(line)) result.push_back(line);
    }
    return result;
}

// Every script line shifted by `offset` from `from` on, to a tenth as logged.
std::vector<Line> shifted(std::vector<Line> lines, double from, double offset) {
    for (auto& line : lines) {
        if (line.at >= from) line.at = std::round((line.at + offset) * 10) / 10;
    }
    return lines;
}

TEST_F(ShowreelTest, TheWholeScriptLogsOnTimeAndActsOnEveryModel) {
    using F = TimingViewModel::Field;
    const auto counter = [&](F field) {
        return NotificationCounter([this, field](auto o) { return timing->observe(field, o); });
    };
    NotificationCounter selection = counter(F::selection), weeklyMenu = counter(F::isWeeklyMenuOpen),
                        impactMenu = counter(F::isWeeklyImpactMenuOpen),
                        celebration = counter(F::isCelebratingChecklist);
    NotificationCounter choiceOpen([&](auto o) { return checklistUI->observeOpenChoiceItemID(o); });
    const int greetingRun = timing->greetingRun();
    play().start();
    scheduler.advance(240);

    // Started twice, played once; the first state line follows the first clip's line.
    const std::vector<Line> log = parsed();
    EXPECT_EQ(scriptLines(log), fullScript);
    EXPECT_TRUE(isState(log.at(1)));
    std::vector<Line> states;
    for (const auto& line : log) {
        if (isState(line)) states.push_back({line.at, line.text.substr(8)});
    }
    ASSERT_EQ(states.size(), fullStates.size());
    for (std::size_t i = 0; i < states.size(); ++i) {
        EXPECT_EQ(states[i].text, fullStates[i].text);
        // At most a tick of the timing model and a poll late.
        EXPECT_GE(states[i].at, fullStates[i].at - 0.05) << states[i].text;
        EXPECT_LE(states[i].at, fullStates[i].at + 1.25) << states[i].text;
    }

    // Clip 6a: zoomed out; the macro and the marker each selected, then cleared.
    EXPECT_EQ(settings->timelineHalfSpanMinutes(), 60);
    EXPECT_EQ(selection.take(), 4u);
    EXPECT_FALSE(timing->selection());
    // Clip 6b: each menu opened, then closed.
    EXPECT_EQ(weeklyMenu.take(), 2u);
    EXPECT_EQ(impactMenu.take(), 2u);
    EXPECT_FALSE(timing->isAnyMenuOpen());
    // Clips 6c and 7: the question's options opened, answered and closed; the
    // last two items scrolled to and ticked, completing the checklist.
    EXPECT_EQ(choiceOpen.take(), 2u);
    const auto items = checklist->activeItems();
    ASSERT_EQ(items.size(), 9u);
    EXPECT_EQ(checklist->choice(items[6].id), "Below");
    EXPECT_EQ(checklistUI->scrollTick(), 2);
    EXPECT_EQ(checklistUI->scrollTarget(), items[8].id);
    EXPECT_EQ(checklist->progress(), (ChecklistKit::ChecklistProgress{9, 9}));
    EXPECT_EQ(celebration.take(), 2u);
    // Clip 8: 1 % risk; the panel closed.
    EXPECT_EQ(settings->calculator().riskPercent, Base::Decimal(1));
    EXPECT_TRUE(timing->expandedIsland().empty());
    // Clip 9: the greeting once more, over the tour's day.
    EXPECT_EQ(timing->greetingRun(), greetingRun + 1);
    EXPECT_EQ(timing->demoSource().scenario().configuration.profile.name, "Showreel tour");

    // After the closing line nothing more is logged.
    EXPECT_TRUE(director->hasFinished());
    timing->previewGreeting();
    scheduler.advance(60);
    EXPECT_EQ(lines.size(), log.size());
}

TEST_F(ShowreelTest, ReducedSeedOnlyWaitsInClipSeven) {
    play(ShowreelDirector::Seed{Base::Uuid::random(), {}});
    scheduler.advance(240);
    // The two scroll-and-tick pairs take 4.2 s.
    EXPECT_EQ(scriptLines(parsed()), shifted(fullScript, 204, -4.2));
    EXPECT_EQ(checklistUI->scrollTick(), 0);
}

// On a weekend the live timeline holds no macro and the calendar no release,
// and without an island the tour never refreshes it: neither click happens.
class ShowreelWithoutIslandTest : public ShowreelTest {
protected:
    void SetUp() override {
        scheduler.setNow(newYork(3, 14, 10, 20));
        ShowreelTest::SetUp();
    }
};

TEST_F(ShowreelWithoutIslandTest, NoTimelineClicksMoveLaterStepsEarlier) {
    NotificationCounter selection([&](auto o) { return timing->observe(TimingViewModel::Field::selection, o); });
    play(std::nullopt, false);
    scheduler.advance(240);
    auto expected = shifted(fullScript, 165, -8.6);
    expected.erase(expected.begin() + 9, expected.begin() + 11);  // the two clicks
    EXPECT_EQ(scriptLines(parsed()), expected);
    EXPECT_EQ(expected.back().at, 211.8);
    EXPECT_EQ(selection.take(), 0u);
}

}  // namespace
}  // namespace WaylarkKit::Testing
