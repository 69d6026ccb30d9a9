#include <numbers>
#include <utility>

#include <gtest/gtest.h>

#include "WaylarkKit/Motion/FigureLook.h"

using namespace WaylarkKit;
using IslandKit::Rect;

namespace {

void expectRect(const Rect& actual, const Rect& expected, double tolerance = 1e-6) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.width, expected.width, tolerance);
    EXPECT_NEAR(actual.height, expected.height, tolerance);
}

}  // namespace

TEST(VectorPathTest, BoundsFollowTheCurveNotItsControlPoints) {
    VectorPath brow;
    brow.moveTo({58, 47});
    brow.quadTo({66, 41}, {74, 46});
    expectRect(brow.bounds(), {58, 47 - 36.0 / 11, 16, 36.0 / 11});  // the curve peaks at 43.7; the control sits at 41

    VectorPath drop;  // a half circle below (55, 90) of radius 3.8, drawn towards smaller angles
    drop.moveTo({51.2, 90});
    drop.addArc({55, 90}, 3.8, std::numbers::pi, 0, true);
    expectRect(drop.bounds(), {51.2, 90, 7.6, 3.8}, 1e-3);

    VectorPath ellipse;
    ellipse.addEllipse({57, 49, 34, 34});
    expectRect(ellipse.bounds(), {57, 49, 34, 34});
    expectRect(VectorPath().bounds(), {0, 0, 0, 0});
}

TEST(FigureNodeTest, SamplingPlacesNodesAboutTheirAnchorsAndMultipliesOpacity) {
    FigureNode child;
    child.size = {10, 4};
    child.position = {5, 2};
    VectorPath box;
    box.addRoundedRect({0, 0, 10, 4}, 0, 0);
    child.setPath(box);
    child.fill = Rgba{255, 0, 0, 1};
    child.opacity = 0.5;

    FigureNode parent;
    parent.size = {10, 4};
    parent.anchor = {0.5, 1.0};  // turns about its bottom centre, (5, 4) in its own space
    parent.position = {100, 50};
    parent.children.push_back(child);
    KeyframeTrack turn;
    turn.property = AnimatedProperty::rotation;
    turn.times = {0, 1};
    turn.values = {0, 2 * std::numbers::pi};
    turn.duration = 2;
    parent.tracks.push_back(turn);
    KeyframeTrack fade = turn;
    fade.property = AnimatedProperty::opacity;
    fade.values = {1, 0.4};
    parent.tracks.push_back(fade);

    const FigureLook still = sampleFigure(parent, 0);
    ASSERT_EQ(still.items.size(), 1u);  // the parent draws nothing of its own
    expectRect(coveredArea(still.items[0]), {95, 46, 10, 4});
    EXPECT_DOUBLE_EQ(still.items[0].opacity, 0.5);

    const FigureLook turned = sampleFigure(parent, 1);  // half a turn about the pivot (100, 50)
    expectRect(coveredArea(turned.items[0]), {95, 50, 10, 4});
    EXPECT_NEAR(turned.items[0].opacity, 0.5 * 0.7, 1e-9);
}

TEST(FigureLookTest, OnlyVisibleChangesAreRepaintedAndSlowDriftAddsUp) {
    FigureNode dot;
    dot.size = {4, 4};
    VectorPath disc;
    disc.addEllipse({0, 0, 4, 4});
    dot.setPath(disc);
    dot.fill = Rgba{255, 255, 255, 1};
    FigureNode root;
    root.anchor = {0, 0};
    root.children.push_back(dot);

    FigureLook shown = sampleFigure(root, 0);
    const auto moved = [&](double dx, double opacity = 1) {
        root.children[0].position.x = dx;
        root.children[0].opacity = opacity;
        return sampleFigure(root, 0);
    };
    // Two device pixels per unit: a quarter pixel is 0.125 units.
    EXPECT_TRUE(takeVisibleChanges(shown, moved(0.1), 2).empty());
    EXPECT_TRUE(takeVisibleChanges(shown, moved(0, 0.999), 2).empty());  // less than one step of 255
    const auto drift = takeVisibleChanges(shown, moved(0.2), 2);  // 0.1 then 0.2: now visible against 0
    ASSERT_EQ(drift.size(), 2u);
    expectRect(drift[0], {-2, -2, 4, 4});  // the old place and the new one
    expectRect(drift[1], {-1.8, -2, 4, 4});
    EXPECT_TRUE(takeVisibleChanges(shown, moved(0.3), 2).empty());
    shown = moved(0, 0);
    EXPECT_TRUE(takeVisibleChanges(shown, moved(8, 0), 2).empty());  // invisible either way
    EXPECT_EQ(takeVisibleChanges(shown, moved(8, 0.5), 2).size(), 1u);  // only the new place shows
}

TEST(FigureNodeTest, SampledPlacesMatchTheNodesOwnTransformAndReusedLooksHoldOnlyTheLatest) {
    FigureNode leaf;
    leaf.size = {6, 3};
    leaf.anchor = {0.25, 0.75};
    leaf.position = {4, -7};
    leaf.rotation = 0.6;
    leaf.scaleX = 1.5;
    leaf.scaleY = 0.5;
    leaf.translationX = 2;
    VectorPath box;
    box.addRoundedRect({0, 0, 6, 3}, 0, 0);
    leaf.setPath(box);
    leaf.fill = Rgba{0, 0, 255, 1};
    FigureNode still = leaf;  // never turns
    still.rotation = 0;
    FigureNode root;
    root.anchor = {0, 0};
    root.position = {10, 20};
    root.scaleX = 2;
    root.children = {leaf, still};

    FigureLook look;
    sampleFigure(root, 0, look);
    ASSERT_EQ(look.items.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const Affine expected = root.toParent() * root.children[i].toParent();
        const Affine& actual = look.items[i].transform;
        for (const auto& [got, want] : {std::pair{actual.a, expected.a}, {actual.b, expected.b}, {actual.c, expected.c},
                                        {actual.d, expected.d}, {actual.tx, expected.tx}, {actual.ty, expected.ty}}) {
            EXPECT_DOUBLE_EQ(got, want) << "item " << i;
        }
    }

    root.children.pop_back();  // a figure rebuilt smaller samples into the same look
    sampleFigure(root, 0, look);
    ASSERT_EQ(look.items.size(), 1u);
    EXPECT_EQ(look.items[0].node, &root.children[0]);
}
