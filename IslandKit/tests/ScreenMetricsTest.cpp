#include <gtest/gtest.h>

#include <vector>

#include "Base/Uuid.h"
#include "IslandKit/Screen/DisplayIdentity.h"
#include "IslandKit/Screen/ScreenFacts.h"

using namespace IslandKit;

namespace {

ScreenFacts facts(double top, std::optional<double> left, std::optional<double> right, double visibleTop = 982,
                  double thickness = 24) {
    ScreenFacts f;
    f.frame = {0, 0, 1512, 982};
    f.visibleFrame = {0, 0, 1512, visibleTop};
    f.safeAreaTop = top;
    if (left) f.auxiliaryTopLeftArea = Rect{0, 950, *left, 32};
    if (right) f.auxiliaryTopRightArea = Rect{1512 - *right, 950, *right, 32};
    f.statusBarThickness = thickness;
    return f;
}

}  // namespace

TEST(ScreenMetricsTest, FactsBecomeMetrics) {
    struct Case {
        const char* name;
        ScreenFacts in;
        std::optional<Size> notch;
        double menuBar;
        std::optional<double> left;
        std::optional<double> right;
    };
    const Case cases[] = {
        {"notched", facts(32, 650, 662), Size{200, 32}, 32, 650, 662},
        {"one area missing", facts(32, 650, std::nullopt), std::nullopt, 32, {}, {}},
        {"areas leave no notch", facts(32, 756, 756), std::nullopt, 32, {}, {}},
        {"no notch, visible frame lower than thickness", facts(0, {}, {}, 957), std::nullopt, 25, {}, {}},
        {"no notch, visible frame at the top", facts(0, {}, {}, 982), std::nullopt, 24, {}, {}},
        {"areas without a top inset count for nothing", facts(0, 650, 662, 960), std::nullopt, 24, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ScreenMetrics m = metricsFromFacts(c.in);
        EXPECT_EQ(m.notchSize, c.notch);
        EXPECT_EQ(m.menuBarHeight, c.menuBar);
        EXPECT_EQ(m.leftAreaWidth, c.left);
        EXPECT_EQ(m.rightAreaWidth, c.right);
    }
    EXPECT_EQ(metricsFromFacts(facts(32, 650, 662)).notchRect(), (Rect{656, 950, 200, 32}));
    EXPECT_EQ(ScreenMetrics{}.notchRect(), std::nullopt);
}

TEST(DisplayIdentityTest, ReadsEdidAndRejectsBadBlocks) {
    // Header, then "DEL" (4, 5, 12 -> 0b0'00100'00101'01100 = 0x10AC), model and serial little-endian.
    std::vector<std::uint8_t> edid{0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00,
                                   0x10, 0xAC, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12};
    edid.resize(128);
    EXPECT_EQ(DisplayIdentity::parseEdid(edid), (EdidIdentity{"DEL", 0x1234, 0x12345678}));

    // Too short, a bad header, letter 0 (not a letter).
    std::vector<std::vector<std::uint8_t>> bad(3, edid);
    bad[0].resize(127);
    bad[1][0] = 1;
    bad[2][8] = 0x00;
    for (const auto& block : bad) EXPECT_EQ(DisplayIdentity::parseEdid(block), std::nullopt);
}

TEST(DisplayIdentityTest, StableIdsFollowTheMonitorNotThePortAndBuiltInConnectors) {
    const EdidIdentity monitor{"DEL", 1, 2};
    const auto onHdmi = DisplayIdentity::stableID(monitor, "HDMI-1");
    const auto onDp = DisplayIdentity::stableID(monitor, "DP-2");
    ASSERT_TRUE(onHdmi);
    EXPECT_EQ(onHdmi, onDp);
    EXPECT_TRUE(Base::Uuid::fromText(*onHdmi));
    EXPECT_NE(onHdmi, DisplayIdentity::stableID(EdidIdentity{"DEL", 1, 3}, "HDMI-1"));
    // Without an EDID the connector names the display.
    EXPECT_NE(DisplayIdentity::stableID(std::nullopt, "HDMI-1"), DisplayIdentity::stableID(std::nullopt, "DP-2"));
    EXPECT_EQ(DisplayIdentity::stableID(std::nullopt, "HDMI-1"), DisplayIdentity::stableID(std::nullopt, "HDMI-1"));
    EXPECT_EQ(DisplayIdentity::stableID(std::nullopt, ""), std::nullopt);

    for (const char* name : {"eDP-1", "eDP1", "LVDS-1", "DSI-1", "edp-2"}) EXPECT_TRUE(DisplayIdentity::isBuiltInConnector(name)) << name;
    for (const char* name : {"HDMI-1", "DP-1", "screen", "", "VGA-1"}) EXPECT_FALSE(DisplayIdentity::isBuiltInConnector(name)) << name;
}
