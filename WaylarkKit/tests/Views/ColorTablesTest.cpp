#include <gtest/gtest.h>

#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Views/ImpactColor.h"
#include "WaylarkKit/Views/IntervalColorDisplay.h"

namespace WaylarkKit {
namespace {

using TradingCore::IntervalColor;

TEST(ColorTablesTest, IntervalColorsAreTheDesignedFractions) {
    const struct {
        IntervalColor color;
        Rgba rgba;
    } rows[] = {
        {IntervalColor::cyan, rgb(0x40D9FF)},   {IntervalColor::blue, rgb(0x6194FF)},
        {IntervalColor::pink, rgb(0xFF73BF)},   {IntervalColor::yellow, rgb(0xFFDB4D)},
        {IntervalColor::teal, rgb(0x4DE0BF)},   {IntervalColor::white, Palette::white},
    };
    for (const auto& row : rows) EXPECT_EQ(displayColor(row.color), row.rgba) << static_cast<int>(row.color);
}

TEST(ColorTablesTest, ImpactColorsAreTheStandardRedAndOrange) {
    EXPECT_EQ(ImpactColor::high, Palette::red);
    EXPECT_EQ(ImpactColor::medium, Palette::orange);
}

}  // namespace
}  // namespace WaylarkKit
