#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "WaylarkKit/Motion/KeyframeTrack.h"

using namespace WaylarkKit;

TEST(TimingCurveTest, CurvesMatchTheirCubicBeziers) {
    // Reference values solved independently to six places.
    const struct {
        Ease curve;
        double at25, at50, at75;
    } cases[] = {
        {Ease::linear, 0.25, 0.5, 0.75},
        {Ease::standard, 0.408511, 0.802403, 0.960459},
        {Ease::easeIn, 0.093465, 0.315357, 0.621862},
        {Ease::easeOut, 0.378138, 0.684643, 0.906535},
        {Ease::easeInOut, 0.129162, 0.5, 0.870838},
        {Ease::gentle, 0.331165, 0.767354, 0.954043},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(eased(c.curve, 0.25), c.at25, 1e-6);
        EXPECT_NEAR(eased(c.curve, 0.5), c.at50, 1e-6);
        EXPECT_NEAR(eased(c.curve, 0.75), c.at75, 1e-6);
        EXPECT_EQ(eased(c.curve, 0), 0);
        EXPECT_EQ(eased(c.curve, 1), 1);
        EXPECT_EQ(eased(c.curve, 1.5), 1);
    }
}

namespace {

KeyframeTrack track(std::vector<double> times, std::vector<double> values, Ease ease, double duration = 2,
                    double begin = 10) {
    KeyframeTrack result;
    result.property = AnimatedProperty::translationX;
    result.times = std::move(times);
    result.values = std::move(values);
    result.ease = ease;
    result.duration = duration;
    result.begin = begin;
    return result;
}

}  // namespace

TEST(KeyframeTrackTest, SamplesKeysAndEasesEachSegmentOnItsOwn) {
    const KeyframeTrack blink = track({0, 0.5, 1}, {0, 10, 4}, Ease::easeIn);
    const struct {
        double time;
        double value;
    } cases[] = {
        {5, 0},                           // before the first cycle: the first value
        {10, 0},                          // key 0
        {10.5, 10 * 0.315357},            // halfway through segment 0, eased
        {11, 10},                         // key 0.5
        {11.5, 10 - 6 * 0.315357},        // halfway through segment 1, the curve starts again
        {12, 0},                          // the cycle restarts
        {12.5 + 2 * 1000, 10 * 0.315357}  // forever
    };
    for (const auto& c : cases) EXPECT_NEAR(*blink.sample(c.time), c.value, 1e-5) << c.time;
}

TEST(KeyframeTrackTest, RepeatsAutoreversesAndEnds) {
    KeyframeTrack pulse = track({0, 1}, {0.7, 1.0}, Ease::linear, 0.7, 0);
    pulse.autoreverses = true;
    EXPECT_NEAR(*pulse.sample(0.35), 0.85, 1e-9);
    EXPECT_NEAR(*pulse.sample(0.7), 1.0, 1e-9);
    EXPECT_NEAR(*pulse.sample(1.05), 0.85, 1e-9);  // on its way back
    EXPECT_NEAR(*pulse.sample(1.4), 0.7, 1e-9);

    KeyframeTrack twice = track({0, 1}, {0, 1}, Ease::linear, 3, 0);
    twice.repeatCount = 2;
    EXPECT_NEAR(*twice.sample(4.5), 0.5, 1e-9);
    EXPECT_EQ(twice.settlesAt(), 6);
    EXPECT_FALSE(twice.sample(6.0).has_value());  // removed: the node shows its own value again
    twice.holdsAfterEnd = true;
    EXPECT_EQ(*twice.sample(60), 1);

    EXPECT_EQ(track({0}, {3}, Ease::easeOut).sample(11), 3);  // one value holds
    EXPECT_FALSE(track({}, {}, Ease::linear).sample(11).has_value());
    EXPECT_EQ(*track({0, 1, 2}, {0, 8}, Ease::linear).sample(11), 4);  // extra key times are ignored
    EXPECT_TRUE(std::isinf(track({0, 1}, {0, 1}, Ease::linear).settlesAt()));
}

// A segment's length in seconds while its values differ; a hold, the time
// before the first cycle and after the last are no move. Played backwards,
// the segments keep their lengths.
TEST(KeyframeTrackTest, MoveSecondsAreTheSegmentUnderWay) {
    const double still = std::numeric_limits<double>::infinity();
    KeyframeTrack track{AnimatedProperty::translationX, {0, 0.5, 0.6, 1}, {0, 0, 4, 0}, 2, Ease::linear, 10, 2};
    EXPECT_EQ(track.moveSecondsAt(9), still);
    EXPECT_EQ(track.moveSecondsAt(10.5), still);
    EXPECT_NEAR(track.moveSecondsAt(11.1), 0.2, 1e-9);
    EXPECT_NEAR(track.moveSecondsAt(11.5), 0.8, 1e-9);
    EXPECT_NEAR(track.moveSecondsAt(13.1), 0.2, 1e-9);
    EXPECT_EQ(track.moveSecondsAt(14.5), still);
    track.autoreverses = true;
    EXPECT_NEAR(track.moveSecondsAt(12 + 2 - 1.1), 0.2, 1e-9);
    EXPECT_EQ(track.moveSecondsAt(12 + 2 - 0.5), still);
}
