#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "WaylarkKit/tests/Showreel/ShowreelFixture.h"

namespace WaylarkKit::Testing {
namespace {

bool isState(const Line& line) { return line.text.rfind("state   ", 0) == 0; }

// The lines of a log that are (or are not) state lines.
std::vector<Line> only(const std::vector<Line>& log, bool states) {
    std::vector<Line> result;
    for (const auto& line : log) {
        if (isState(line) == states) result.push_back(line);
    }
    return result;
}

std::vector<Line> scriptLines(const std::vector<Line>& log) { return only(log, false); }

// A run in which both timeline clicks happen: the script's own lines on time,
// and what the island shows, each with the moment it starts to show it (the
// logger sees it at the next tick of the timing model and its own next poll).
const std::vector<Line>& fullLog() {
    static const std::vector<Line> log = [] {
        std::ifstream file(WAYLARK_SOURCE_DIR "/WaylarkKit/tests/data/showreel-log.tsv");
        std::vector<Line> lines;
        for (std::string line; std::getline(file, line);) {
            const std::size_t tab = line.find('\t');
            lines.push_back({std::stod(line.substr(0, tab)), line.substr(tab + 1)});
        }
        return lines;
    }();
    return log;
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
    auto selection = counter(F::selection), weeklyMenu = counter(F::isWeeklyMenuOpen),
         impactMenu = counter(F::isWeeklyImpactMenuOpen), celebration = counter(F::isCelebratingChecklist);
    Base::Testing::NotificationCounter choiceOpen([&](auto o) { return checklistUI->observeOpenChoiceItemID(o); });
    const int greetingRun = timing->greetingRun();
    play().start();
    scheduler.advance(240);

    // Started twice, played once; the first state line follows the first clip's line.
    const std::vector<Line> log = parsed();
    EXPECT_EQ(scriptLines(log), scriptLines(fullLog()));
    EXPECT_TRUE(isState(log.at(1)));
    const std::vector<Line> states = only(log, true), expectedStates = only(fullLog(), true);
    ASSERT_EQ(states.size(), expectedStates.size());
    for (std::size_t i = 0; i < states.size(); ++i) {
        EXPECT_EQ(states[i].text, expectedStates[i].text);
        // At most a tick of the timing model and a poll late.
        EXPECT_GE(states[i].at, expectedStates[i].at - 0.05) << states[i].text;
        EXPECT_LE(states[i].at, expectedStates[i].at + 1.25) << states[i].text;
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
    EXPECT_EQ(scriptLines(parsed()), shifted(scriptLines(fullLog()), 204, -4.2));
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
    auto selection = counter(TimingViewModel::Field::selection);
    play(std::nullopt, false);
    scheduler.advance(240);
    auto expected = shifted(scriptLines(fullLog()), 165, -8.6);
    expected.erase(expected.begin() + 9, expected.begin() + 11);  // the two clicks
    EXPECT_EQ(scriptLines(parsed()), expected);
    EXPECT_EQ(expected.back().at, 211.8);
    EXPECT_EQ(selection.take(), 0u);
}

}  // namespace
}  // namespace WaylarkKit::Testing
