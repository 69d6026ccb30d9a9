#include <memory>
#include <vector>

#include "Base/testing/NotificationCounter.h"
#include "WaylarkKit/tests/Timing/TimingFixture.h"

namespace WaylarkKit::Testing {
namespace {

using Base::Testing::NotificationCounter;
using TradingCore::DataConfidence;
using TradingCore::StatusBase;

using TimingViewModelTest = TimingTest;

TEST_F(TimingViewModelTest, StartTwiceKeepsOneTimerAndARestartPlaysTheGreetingAgain) {
    auto& timing = make();
    EXPECT_EQ(timing.evaluation().windowName, "Opening");  // evaluated before the first tick
    scheduler.advance(3);
    EXPECT_EQ(timing.now(), quietMorning());
    timing.start();
    timing.start();
    EXPECT_EQ(scheduler.pendingCount(), 1u);
    EXPECT_EQ(timing.greetingStartedAt(), quietMorning() + 3);
    scheduler.advance(5);
    EXPECT_EQ(timing.now(), quietMorning() + 8);
    EXPECT_FALSE(timing.isGreeting());

    timing.stop();
    scheduler.advance(10);
    EXPECT_EQ(timing.now(), quietMorning() + 8);
    timing.start();
    EXPECT_EQ(scheduler.pendingCount(), 1u);
    EXPECT_EQ(timing.greetingStartedAt(), quietMorning() + 18);
    EXPECT_EQ(timing.statusChangedAt(), quietMorning() + 18);
    EXPECT_TRUE(timing.isGreeting());
}

TEST_F(TimingViewModelTest, TheCalendarListIsConvertedOnlyWhenItChanged) {
    auto& timing = make(Mode::live, {release("a", quietMorning() + 8000), release("b", quietMorning() + 9000)});
    EXPECT_EQ(timing.liveSource().conversionCount(), 1);
    EXPECT_EQ(timing.evaluation().confidence, DataConfidence::live);
    timing.start();
    scheduler.advance(5);
    EXPECT_EQ(timing.liveSource().conversionCount(), 1);

    refreshCalendar(3);
    scheduler.advance(1);
    EXPECT_EQ(timing.liveSource().conversionCount(), 2);
    EXPECT_EQ(timing.liveSource().cachedNews().size(), 6u);
    scheduler.advance(5);
    EXPECT_EQ(timing.liveSource().conversionCount(), 2);
}

TEST_F(TimingViewModelTest, ASettingsChangeReevaluatesBeforeTheNextTick) {
    // Two minutes before a high-impact release: inside the default 5-minute blackout.
    auto& timing = make(Mode::live, {release("cpi", quietMorning() + 120)});
    timing.start();
    ASSERT_EQ(timing.evaluation().base, StatusBase::red);
    scheduler.advance(0.5);
    settings->setBlackoutMinutes(1, std::nullopt);
    EXPECT_EQ(timing.evaluation().base, StatusBase::green);
    EXPECT_EQ(timing.statusChangedAt(), quietMorning() + 0.5);
}

TEST_F(TimingViewModelTest, DemoClockRunsFiveTimesFasterOnTheScenario) {
    scheduler.setNow(newYork(3, 10, 10, 0, 30));  // the scenario's first window opens at 10:01
    auto& timing = make(Mode::demo);
    timing.start();
    scheduler.advance(4);
    EXPECT_TRUE(timing.isGreeting());  // 20 demo seconds in: the greeting lasts the same real time
    scheduler.advance(1);
    EXPECT_FALSE(timing.isGreeting());
    scheduler.advance(5);
    EXPECT_EQ(timing.now(), newYork(3, 10, 10, 1, 20));
    EXPECT_EQ(timing.evaluation().windowName, "Pre-session");  // not the settings' profile

    timing.setSimulatedConfidence(DataConfidence::unknown);
    timing.setMode(Mode::live);
    EXPECT_EQ(timing.now(), newYork(3, 10, 10, 0, 40));
    EXPECT_EQ(timing.evaluation().confidence, DataConfidence::unknown);
}

// Collapsed, the timeline stays as it was made; expanded, it follows the ticks.
TEST_F(TimingViewModelTest, AnUnchangedSecondNotifiesOnlyNowAndTheTimelineFollowsOnlyWhileExpanded) {
    auto& timing = make();
    timing.start();
    const TradingCore::Timeline atCreation = timing.timeline();
    scheduler.advance(1);
    std::vector<std::unique_ptr<NotificationCounter>> counters;
    for (std::size_t field = 0; field < TimingViewModel::fieldCount; ++field) {
        counters.push_back(std::make_unique<NotificationCounter>(
            [&timing, field](auto o) { return timing.observe(static_cast<Field>(field), o); }));
    }
    scheduler.advance(1);
    for (std::size_t field = 0; field < TimingViewModel::fieldCount; ++field) {
        EXPECT_EQ(counters[field]->take(), field == static_cast<std::size_t>(Field::now) ? 1u : 0u) << field;
    }
    EXPECT_EQ(timing.timeline(), atCreation);

    auto timeline = counter(Field::timeline);
    timing.setExpanded(true);
    EXPECT_EQ(timing.timeline().range.start, quietMorning() + 2 - settings->timelineHalfSpanMinutes() * 60.0);
    scheduler.advance(2);
    EXPECT_EQ(timeline.take(), 3u);
    timing.setExpanded(false);
    scheduler.advance(5);
    EXPECT_EQ(timeline.take(), 0u);
}

TEST_F(TimingViewModelTest, TheFullStatusWordHoldsFiveSecondsAfterItChanged) {
    scheduler.setNow(newYork(3, 10, 9, 29, 57));
    auto& timing = make();
    timing.start();
    scheduler.advance(2);
    EXPECT_EQ(timing.statusChangedAt(), newYork(3, 10, 9, 29, 57));
    scheduler.advance(5);  // "Opening" since 09:30:00
    EXPECT_EQ(timing.statusChangedAt(), newYork(3, 10, 9, 30, 0));
    EXPECT_TRUE(timing.isStatusLabelFull());
    scheduler.advance(1);
    EXPECT_FALSE(timing.isStatusLabelFull());
    timing.setEditorOpen(true);
    EXPECT_TRUE(timing.isStatusLabelFull());
}

TEST_F(TimingViewModelTest, AModelThatIsGoneIsNeverCalledBack) {
    make();
    model->start();
    model->celebrateChecklist();
    model.reset();
    EXPECT_EQ(scheduler.pendingCount(), 0u);
    settings->setBlackoutMinutes(2, std::nullopt);  // its settings callback outlives it
    scheduler.advance(10);
}

}  // namespace
}  // namespace WaylarkKit::Testing
