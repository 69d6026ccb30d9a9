#include <gtest/gtest.h>

#include "IslandKit/Shape/IslandShape.h"
#include "IslandKit/View/LayoutInterpolation.h"
#include "IslandKit/View/Spring.h"

using namespace IslandKit;
using K = PathElement::Kind;

TEST(IslandShapeTest, EffectiveRadii) {
    struct Case {
        Size size;
        double top;
        double bottom;
    };
    const Case cases[] = {{{494, 32}, 6, 12}, {{20, 32}, 5, 5}, {{494, 8}, 4, 4}, {{0, 0}, 0, 0}};
    const IslandShape shape{6, 12};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size.width << "x" << c.size.height);
        EXPECT_EQ(shape.effectiveRadii(c.size), std::make_pair(c.top, c.bottom));
    }
    // A negative wanted radius is not raised to zero.
    EXPECT_EQ((IslandShape{-2, -3}.effectiveRadii({100, 40})), std::make_pair(-2.0, -3.0));
}

TEST(IslandShapeTest, OutlinePoints) {
    const auto path = IslandShape{6, 12}.path({0, 0, 494, 32});
    const std::vector<PathElement> expected{
        {K::move, {0, 0}, {}},
        {K::quad, {6, 6}, {6, 0}},
        {K::line, {6, 20}, {}},
        {K::quad, {18, 32}, {6, 32}},
        {K::line, {476, 32}, {}},
        {K::quad, {488, 20}, {488, 32}},
        {K::line, {488, 6}, {}},
        {K::quad, {494, 0}, {488, 0}},
        {K::close, {}, {}},
    };
    EXPECT_EQ(path, expected);

    // Offsets follow the rectangle's origin; a zero rectangle collapses to one point.
    EXPECT_EQ((IslandShape{6, 12}.path({10, 5, 494, 32})[2].to), (Point{16, 25}));
    for (const auto& e : IslandShape{6, 12}.path({3, 4, 0, 0})) EXPECT_TRUE(e.kind == K::close || (e.to == Point{3, 4}));
}

TEST(IslandShapeTest, RadiiAndRectanglesMoveTogetherOnOneSpring) {
    IslandLayout from;
    from.rect = {0, 0, 100, 30};
    from.topCornerRadius = 6;
    from.bottomCornerRadius = 12;
    IslandLayout to = from;
    to.rect = {0, -100, 200, 130};
    to.topCornerRadius = 10;
    to.bottomCornerRadius = 20;
    const IslandLayout half = interpolate(from, to, 0.5);
    EXPECT_EQ(half.rect, (Rect{0, -50, 150, 80}));
    EXPECT_EQ(std::make_pair(half.topCornerRadius, half.bottomCornerRadius), std::make_pair(8.0, 16.0));
    EXPECT_EQ(interpolate(from, to, 1), to);

    // The island's spring starts at 0, overshoots a little and settles at 1 within a second.
    const Spring spring = islandSpring();
    const double settle = spring.settlingTime();
    EXPECT_EQ(spring.progress(0), 0);
    EXPECT_LT(settle, 1.0);
    EXPECT_NEAR(spring.progress(settle), 1, 0.001);
    double peak = 0;
    for (double t = 0; t < settle; t += 0.005) peak = std::max(peak, spring.progress(t));
    EXPECT_GT(peak, 1.0);
    EXPECT_LT(peak, 1.05);
}
