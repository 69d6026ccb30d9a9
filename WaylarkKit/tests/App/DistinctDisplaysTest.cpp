#include <gtest/gtest.h>

#include "IslandKit/Screen/DisplayIdentity.h"
#include "WaylarkKit/App/DistinctDisplays.h"

using namespace WaylarkKit;

TEST(DistinctDisplaysTest, IdenticalMonitorsGetTheirConnectorsInTheirIdentifiers) {
    std::vector<DisplayInfo> displays{{"X", "Laptop", true}, {"D", "DELL P2419H", false}, {"D", "DELL P2419H", false}};
    makeDistinct(displays, {"eDP-1", "DP-1", "DP-2"});
    EXPECT_EQ(displays[0], (DisplayInfo{"X", "Laptop", true}));
    EXPECT_EQ(displays[1].sharedID, "D");
    EXPECT_EQ(displays[2].sharedID, "D");
    EXPECT_NE(displays[1].id, displays[2].id);
    EXPECT_NE(displays[1].id, "D");
    // The same monitor on the same connector keeps its identifier from one reading to the next.
    EXPECT_EQ(displays[1].id, IslandKit::DisplayIdentity::onConnector("D", "DP-1"));
    EXPECT_NE(IslandKit::DisplayIdentity::onConnector("D", "DP-1"), IslandKit::DisplayIdentity::onConnector("E", "DP-1"));
}
