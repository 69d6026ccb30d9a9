#include "WaylarkKit/Views/LeftStatus.h"

#include <gtest/gtest.h>

#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Views/ImpactColor.h"
#include "WaylarkKit/tests/Timing/TimingFixture.h"

namespace WaylarkKit {
namespace {

using TradingCore::NewsImpact;
using TradingCore::StatusBase;

TradingCore::Evaluation evaluation(StatusBase base, std::optional<NewsImpact> impact = std::nullopt) {
    TradingCore::Evaluation e;
    e.base = base;
    e.restrictionImpact = impact;
    return e;
}

TEST(LeftStatusTest, StatusColours) {
    EXPECT_EQ(LeftStatus::statusColor(evaluation(StatusBase::green)), Palette::green);
    EXPECT_EQ(LeftStatus::statusColor(evaluation(StatusBase::red, NewsImpact::medium)), ImpactColor::medium);
    EXPECT_EQ(LeftStatus::statusColor(evaluation(StatusBase::red, NewsImpact::high)), ImpactColor::high);
    EXPECT_EQ(LeftStatus::statusColor(evaluation(StatusBase::red)), ImpactColor::high);
    EXPECT_EQ(LeftStatus::statusColor(evaluation(StatusBase::gray)), Palette::white.withOpacity(0.55));
    EXPECT_EQ(LeftStatus::statusColor(evaluation(StatusBase::amber)), Palette::yellow);
}

TEST(LeftStatusTest, Countdown) {
    const Base::Date now(1'773'000'000);
    TradingCore::Evaluation e = evaluation(StatusBase::green);
    e.nextChange = now + 65;
    EXPECT_EQ(LeftStatus::countdownText(e, now), std::nullopt);  // not visible
    e.countdownVisible = true;
    EXPECT_EQ(LeftStatus::countdownText(e, now), "1:05");
    e.nextChange.reset();
    EXPECT_EQ(LeftStatus::countdownText(e, now), std::nullopt);
}

TEST(LeftStatusTest, MascotSideFitsTheIsland) {
    EXPECT_EQ(LeftStatus::mascotSideFor(38), 35);
    EXPECT_EQ(LeftStatus::mascotSideFor(24), 24);
    EXPECT_EQ(LeftStatus::mascotSideFor(0), 12);
}

class LeftStatusModelTest : public Testing::TimingTest {};

TEST_F(LeftStatusModelTest, ReadsTheViewModel) {
    auto& timing = make();  // quiet morning: in the "Opening" window on unknown data
    LeftStatus status = LeftStatus::of(timing, "A", true);
    EXPECT_EQ(status.word, "Opening?");
    EXPECT_EQ(status.mascot, MascotKind::session(false));
    EXPECT_FALSE(status.greeting);
    EXPECT_FALSE(LeftStatus::of(timing, "A", false).mascot.has_value());

    timing.celebrateChecklist();
    EXPECT_EQ(LeftStatus::of(timing, "A", true).mascot, MascotKind::checklistDone());
    timing.setHoverZone(IslandKit::IslandHoverZone::leading(), "A", false);
    EXPECT_TRUE(LeftStatus::of(timing, "A", true).magnified);
    EXPECT_FALSE(LeftStatus::of(timing, "B", true).magnified);

    // While the greeting plays: its first word, and nothing else.
    timing.start();
    status = LeftStatus::of(timing, "A", true);
    EXPECT_TRUE(status.greeting);
    EXPECT_EQ(status.greetingWord, "Welcome");
    EXPECT_EQ(status.word, "");
}

}  // namespace
}  // namespace WaylarkKit
