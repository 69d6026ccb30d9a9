#include <gtest/gtest.h>

#include "WaylarkKit/Greeting/GreetingMotion.h"
#include "WaylarkKit/Greeting/GreetingWord.h"
#include "WaylarkKit/Motion/FigureLook.h"

using namespace WaylarkKit;
using Style = GreetingMotion::Style;

TEST(GreetingMotionTest, LetterTimingTable) {
    // "Welcome": 5 s, seven letters.
    const GreetingMotion wave{Style::wave, 5, -14, 7};
    const GreetingMotion shine{Style::shine, 5, 14, 7};
    const struct {
        const GreetingMotion& motion;
        int letter;
        double at;
        GreetingMotion::State state;
    } cases[] = {
        {wave, 0, 0.1, {-14, 0.3, 0, 0}},
        {wave, 0, 0.2, {-7.749319, 0.612534, 0.5, 0}},
        {wave, 0, 0.28, {0.549132, 1.027457, 1, 0}},
        {wave, 0, 2.0, {2.599325, 0.999995, 1, 0}},
        {wave, 0, 4.5, {-1.478750, 0.963031, 0.894375, 0}},
        {wave, 6, 4.75, {-3.5, 0.9125, 0.75, 0}},
        {wave, 0, 5.0, {-14, 0.65, 0, 0}},
        {shine, 0, 1.15, {0.025969, 0.998702, 1, 1}},
        {shine, 6, 1.57, {-0.007026, 1.000351, 1, 1}},
        {shine, 3, 1.0, {-0.176284, 1.008814, 1, 0.006330}},
        {shine, 3, 0.2, {14, 0.3, 0, 0}},  // not entered yet
        {shine, 6, 4.95, {14, 0.65, 0, 0}},  // left, back where it came from
    };
    for (const auto& c : cases) {
        const auto state = c.motion.state(c.letter, c.at);
        EXPECT_NEAR(state.offsetY, c.state.offsetY, 1e-6) << c.letter << " at " << c.at;
        EXPECT_NEAR(state.scale, c.state.scale, 1e-6) << c.letter << " at " << c.at;
        EXPECT_NEAR(state.opacity, c.state.opacity, 1e-6) << c.letter << " at " << c.at;
        EXPECT_NEAR(state.shine, c.state.shine, 1e-6) << c.letter << " at " << c.at;
    }
    // The first letter starts to leave at 4.37 s, the last at 4.55 s; all are gone by 4.95 s.
    EXPECT_EQ(wave.state(0, 4.37).opacity, 1);
    EXPECT_LT(wave.state(0, 4.38).opacity, 1);
    EXPECT_EQ(wave.state(6, 4.55).opacity, 1);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(wave.state(i, 4.95).opacity, 0);
    // One letter leaves at T - 0.45 like the last of many.
    EXPECT_EQ((GreetingMotion{Style::wave, 5, -14, 1}.state(0, 4.55).opacity), 1);
    EXPECT_LT((GreetingMotion{Style::wave, 5, -14, 1}.state(0, 4.56).opacity), 1);
}

TEST(GreetingWordTest, LettersCarryTheSampledMotion) {
    EXPECT_EQ(GreetingWord::stepCount(5.01), 300);
    EXPECT_EQ(GreetingWord::stepCount(0), 2);

    WordLayout layout;
    layout.width = 30;
    layout.height = 20;
    for (const double x : {0.0, 20.0}) {  // "a b": the space takes room but no letter
        WordLayout::Letter letter{x, x + 8.4, {}};
        letter.outline.addRoundedRect({x, 5, 8, 10}, 0, 0);
        layout.letters.push_back(letter);
    }
    const GreetingMotion motion{Style::shine, 5, 14, 2};
    const FigureNode word = GreetingWord::build(layout, Style::shine, 5, false, 50);
    ASSERT_EQ(word.children.size(), 2u);
    const FigureNode& second = word.children[1];
    EXPECT_EQ(second.size, (IslandKit::Size{11, 20}));
    EXPECT_EQ(second.position, (IslandKit::Point{25.5, 10}));
    EXPECT_EQ(second.tracks.size(), 4u);  // rise, scale, opacity and the shine colour
    EXPECT_EQ(second.tracks[0].values.size(), 301u);

    // Between samples the motion is interpolated; upward motion is -y on screen.
    const double at = 1.3;
    const auto expected = motion.state(1, at);
    const DrawItem item = sampleFigure(word, 50 + at).items[1];
    EXPECT_NEAR(item.transform.ty, 10 - expected.offsetY - 10 * expected.scale, 0.05);
    EXPECT_NEAR(item.opacity, expected.opacity, 0.01);
    EXPECT_EQ(item.fill, mix(GreetingWord::baseColor, GreetingWord::shineColor, expected.shine));
    EXPECT_EQ(sampleFigure(word, 80).items[1].opacity, 0);  // gone for good after the greeting

    const FigureNode still = GreetingWord::build(layout, Style::wave, 5, true, 50);
    EXPECT_FALSE(still.animates());
    for (const DrawItem& letter : sampleFigure(still, 50).items) {
        EXPECT_EQ(letter.opacity, 1);
        EXPECT_EQ(letter.fill, GreetingWord::baseColor);
    }
}
