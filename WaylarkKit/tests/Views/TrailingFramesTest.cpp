#include <gtest/gtest.h>

#include "Base/testing/NotificationCounter.h"
#include "WaylarkKit/tests/Timing/TimingFixture.h"

namespace WaylarkKit {
namespace {

class TrailingFramesTest : public Testing::TimingTest {};

TEST_F(TrailingFramesTest, OnlyTheKeysShownNowStay) {
    auto& timing = make();
    timing.setTrailingFrame({10, 0, 20, 14}, "lot-size-button");
    timing.setTrailingFrame({40, 0, 50, 14}, "news:old");
    timing.setTrailingFrame({100, 0, 20, 32}, "checklist");
    Base::Testing::NotificationCounter changes([&](auto o) { return timing.observe(Testing::TimingTest::Field::trailingFrames, o); });
    timing.retainTrailingFrames({"lot-size-button", "checklist"});
    EXPECT_EQ(timing.trailingFrames().size(), 2u);
    EXPECT_FALSE(timing.trailingFrames().count("news:old"));
    timing.retainTrailingFrames({"lot-size-button", "checklist", "act:new"});
    EXPECT_EQ(changes.take(), 1u);
}

}  // namespace
}  // namespace WaylarkKit
