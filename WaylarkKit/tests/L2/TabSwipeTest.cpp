#include "WaylarkKit/L2/TabSwipe.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace WaylarkKit {
namespace {

using Phase = ScrollSample::Phase;
using Direction = TabSwipeDirection;

struct Step {
    ScrollSample sample;
    std::optional<Direction> fires;
};

ScrollSample s(Phase phase, double dx, double dy = 0, double time = 0) { return {dx, dy, phase, time}; }

void play(const std::vector<Step>& steps) {
    TabSwipeRecognizer recognizer;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE("sample " + std::to_string(i));
        EXPECT_EQ(recognizer.handle(steps[i].sample), steps[i].fires);
    }
}

TEST(TabSwipeTest, TrackpadGestures) {
    // Decided horizontal after 7 points, fires once at 40, then stays quiet.
    play({{s(Phase::began, -3), {}},
          {s(Phase::changed, -4), {}},
          {s(Phase::changed, -10, 1), {}},
          {s(Phase::changed, -23), Direction::next},
          {s(Phase::changed, -30), {}},
          {s(Phase::momentum, -50), {}},
          {s(Phase::ended, -5), {}},
          // The next gesture starts afresh; rightward travel goes back.
          {s(Phase::began, 20), {}},
          {s(Phase::changed, 20), Direction::previous}});
    // One big sample decides and fires at once.
    play({{s(Phase::began, -45), Direction::next}});
    // Mostly vertical at the decision: never fires, however far it goes sideways.
    play({{s(Phase::began, 2, 5), {}}, {s(Phase::changed, -100), {}}, {s(Phase::changed, -100), {}}});
    // Exactly 1.5 times as horizontal counts as vertical.
    play({{s(Phase::began, 6, 4), {}}, {s(Phase::changed, 60), {}}});
    // Momentum alone moves nothing.
    play({{s(Phase::momentum, -80), {}}, {s(Phase::began, -20), {}}, {s(Phase::changed, -19), {}}});
}

TEST(TabSwipeTest, WheelSteps) {
    std::vector<Step> steps;
    double t = 0;
    // Steps 0.1 s apart: the fourth fires, the steady stream after it does not.
    for (int i = 0; i < 8; ++i, t += 0.1) steps.push_back({s(Phase::discrete, -10, 0, t), i == 3 ? std::optional(Direction::next) : std::nullopt});
    // A pause longer than the gap starts a new gesture.
    t += 0.2;
    for (int i = 0; i < 4; ++i, t += 0.1) steps.push_back({s(Phase::discrete, -10, 0, t), i == 3 ? std::optional(Direction::next) : std::nullopt});
    play(steps);
    // Exactly the gap apart stays one gesture: the sums carry on.
    play({{s(Phase::discrete, -30, 0, 0), {}}, {s(Phase::discrete, -10, 0, 0.25), Direction::next}});
    play({{s(Phase::discrete, -30, 0, 0), {}}, {s(Phase::discrete, -10, 0, 0.26), {}}});
}

}  // namespace
}  // namespace WaylarkKit
