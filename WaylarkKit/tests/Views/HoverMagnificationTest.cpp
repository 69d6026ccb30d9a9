#include <gtest/gtest.h>

#include "Base/ManualScheduler.h"
#include "WaylarkKit/Views/HoverMagnification.h"

namespace WaylarkKit {
namespace {

TEST(HoverMagnificationTest, HoverGrowsAndShrinksThenAsksForNothing) {
    Base::ManualScheduler scheduler;
    int changes = 0;
    HoverMagnification magnify(scheduler, [&] { ++changes; });
    magnify.setHovered(false);
    EXPECT_FALSE(magnify.isAnimating());
    magnify.setHovered(true);
    scheduler.advance(0.05);
    EXPECT_GT(magnify.scale(), 1.0);
    EXPECT_LT(magnify.scale(), 1.1);
    // Leaving half-way turns back from where it stands.
    const double halfWay = magnify.scale();
    magnify.setHovered(false);
    scheduler.advance(0.02);
    EXPECT_LT(magnify.scale(), halfWay);
    scheduler.advance(0.2);
    EXPECT_EQ(magnify.scale(), 1.0);
    EXPECT_FALSE(magnify.isAnimating());
    EXPECT_EQ(scheduler.pendingCount(), 0u);
    EXPECT_GT(changes, 3);
}

}  // namespace
}  // namespace WaylarkKit
