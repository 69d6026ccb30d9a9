#include <array>
#include <memory>

#include "Base/testing/NotificationCounter.h"
#include "WaylarkKit/tests/Timing/TimingFixture.h"

namespace WaylarkKit::Testing {
namespace {

using Base::Testing::NotificationCounter;
using TradingCore::DataConfidence;
using TradingCore::StatusBase;

using TimingViewModelTest = TimingTest;

TEST_F(TimingViewModelTest, EvaluatedAtCreationAndTicksOnlyOnceStarted) {
    auto& timing = make();
    EXPECT_EQ(timing.now(), quietMorning());
    EXPECT_EQ(timing.evaluation().base, StatusBase::green);
    EXPECT_EQ(timing.evaluation().windowName, "Opening");
    EXPECT_FALSE(timing.timeline().segments.empty());
    scheduler.advance(3);
    EXPECT_EQ(timing.now(), quietMorning());
}

TEST_F(TimingViewModelTest, StartTwiceKeepsOneTimerAndARestartPlaysTheGreetingAgain) {
    auto& timing = make();
    timing.start();
    timing.start();
    EXPECT_EQ(scheduler.pendingCount(), 1u);
    EXPECT_EQ(timing.greetingStartedAt(), quietMorning());
    EXPECT_TRUE(timing.isGreeting());
    scheduler.advance(5);
    EXPECT_EQ(timing.now(), quietMorning() + 5);
    EXPECT_FALSE(timing.isGreeting());

    timing.stop();
    EXPECT_EQ(scheduler.pendingCount(), 0u);
    scheduler.advance(10);
    EXPECT_EQ(timing.now(), quietMorning() + 5);

    timing.start();
    EXPECT_EQ(scheduler.pendingCount(), 1u);
    EXPECT_EQ(timing.now(), quietMorning() + 15);
    EXPECT_EQ(timing.greetingStartedAt(), quietMorning() + 15);
    EXPECT_EQ(timing.statusChangedAt(), quietMorning() + 15);
    EXPECT_TRUE(timing.isGreeting());
}

TEST_F(TimingViewModelTest, TheCalendarListIsConvertedOnlyWhenItChanged) {
    auto& timing = make(Mode::live, {release("a", quietMorning() + 8000), release("b", quietMorning() + 9000)});
    EXPECT_EQ(timing.liveSource().conversionCount(), 1);
    ASSERT_EQ(timing.liveSource().cachedNews().size(), 2u);
    EXPECT_EQ(timing.evaluation().confidence, DataConfidence::live);

    timing.start();
    scheduler.advance(5);
    EXPECT_EQ(timing.liveSource().conversionCount(), 1);

    refreshCalendar(3);
    EXPECT_EQ(timing.liveSource().conversionCount(), 1);  // not before the next tick
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
    NotificationCounter evaluation([&](auto o) { return timing.observe(Field::evaluation, o); });

    scheduler.advance(0.5);
    settings->setBlackoutMinutes(1, std::nullopt);
    EXPECT_EQ(timing.evaluation().base, StatusBase::green);
    EXPECT_EQ(timing.liveSource().configuration().newsRule.beforeSeconds, 60);
    EXPECT_EQ(evaluation.take(), 1u);
    EXPECT_EQ(timing.statusChangedAt(), quietMorning() + 0.5);
}

TEST_F(TimingViewModelTest, DemoClockRunsFiveTimesFasterOnTheScenario) {
    // The scenario starts at 10:01:00, its first window running to 10:06.
    scheduler.setNow(newYork(3, 10, 10, 0, 30));
    auto& timing = make(Mode::demo);
    timing.start();
    scheduler.advance(10);
    EXPECT_EQ(timing.now(), newYork(3, 10, 10, 0, 30) + 50);
    // The settings hold the New York profile; the scenario's windows count.
    EXPECT_EQ(timing.evaluation().windowName, "Pre-session");
    EXPECT_EQ(timing.evaluation().confidence, DataConfidence::live);

    timing.setSimulatedConfidence(DataConfidence::unknown);
    EXPECT_EQ(timing.evaluation().confidence, DataConfidence::unknown);
    timing.setMode(Mode::live);
    EXPECT_EQ(timing.evaluation().confidence, DataConfidence::unknown);
    EXPECT_EQ(timing.now(), newYork(3, 10, 10, 0, 40));
}

TEST_F(TimingViewModelTest, AnUnchangedSecondNotifiesOnlyNow) {
    auto& timing = make();
    timing.start();
    scheduler.advance(1);
    std::vector<std::unique_ptr<NotificationCounter>> counters;
    for (std::size_t field = 0; field < TimingViewModel::fieldCount; ++field) {
        counters.push_back(std::make_unique<NotificationCounter>(
            [&timing, field](auto o) { return timing.observe(static_cast<Field>(field), o); }));
    }
    scheduler.advance(1);
    for (std::size_t field = 0; field < TimingViewModel::fieldCount; ++field) {
        EXPECT_EQ(counters[field]->take(), field == static_cast<std::size_t>(Field::now) ? 1u : 0u)
            << "field " << field;
    }
}

TEST_F(TimingViewModelTest, TheStatusWordKeepsItsTimeUntilTheWordChanges) {
    scheduler.setNow(newYork(3, 10, 9, 29, 57));
    auto& timing = make();
    timing.start();
    scheduler.advance(2);
    EXPECT_EQ(timing.statusChangedAt(), newYork(3, 10, 9, 29, 57));
    scheduler.advance(1);  // 09:30:00, "Pre-session" becomes "Opening"
    EXPECT_EQ(timing.statusChangedAt(), newYork(3, 10, 9, 30, 0));
    scheduler.advance(4);
    EXPECT_TRUE(timing.isStatusLabelFull());
    scheduler.advance(1);
    EXPECT_FALSE(timing.isStatusLabelFull());
    timing.setEditorOpen(true);
    EXPECT_TRUE(timing.isStatusLabelFull());
}

TEST_F(TimingViewModelTest, TheTimelineFollowsTicksOnlyWhileExpanded) {
    auto& timing = make();
    timing.start();
    const TradingCore::Timeline atCreation = timing.timeline();
    scheduler.advance(30);
    EXPECT_EQ(timing.timeline(), atCreation);

    NotificationCounter timeline([&](auto o) { return timing.observe(Field::timeline, o); });
    timing.setExpanded(true);
    EXPECT_EQ(timeline.take(), 1u);
    EXPECT_EQ(timing.timeline().range.start, quietMorning() + 30 - settings->timelineHalfSpanMinutes() * 60.0);
    scheduler.advance(2);
    EXPECT_EQ(timeline.take(), 2u);

    timing.setExpanded(false);
    const TradingCore::Timeline collapsed = timing.timeline();
    scheduler.advance(5);
    EXPECT_EQ(timing.timeline(), collapsed);
    EXPECT_EQ(timeline.take(), 0u);
}

TEST_F(TimingViewModelTest, AModelThatIsGoneIsNeverCalledBack) {
    make();
    model->start();
    model->celebrateChecklist();
    model.reset();
    EXPECT_EQ(scheduler.pendingCount(), 0u);
    settings->setBlackoutMinutes(2, std::nullopt);  // the settings callback still points at the old model
    scheduler.advance(10);
}

}  // namespace
}  // namespace WaylarkKit::Testing
