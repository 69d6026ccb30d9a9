#include "Base/EpochText.h"

#include <gtest/gtest.h>

TEST(EpochTextTest, ShortestRoundTripAlwaysWithAFraction) {
    EXPECT_EQ(Base::epochText(1772000000.0), "1772000000.0");
    EXPECT_EQ(Base::epochText(1772000000.5), "1772000000.5");
    EXPECT_EQ(Base::epochText(0.0), "0.0");
    EXPECT_EQ(Base::epochText(-1.25), "-1.25");
    EXPECT_EQ(Base::epochText(1e20), "100000000000000000000.0");
    EXPECT_EQ(Base::epochText(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(Base::epochText(1772000000.123), "1772000000.123");
}
