#include "WaylarkKit/L2/TabSwipe.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace WaylarkKit {
namespace {

using Phase = ScrollSample::Phase;
constexpr std::optional<TabSwipeDirection> none, next = TabSwipeDirection::next, back = TabSwipeDirection::previous;

struct Step {
    ScrollSample sample;
    std::optional<TabSwipeDirection> fires;
};
using Steps = std::vector<Step>;

ScrollSample s(Phase phase, double dx, double dy = 0, double time = 0) { return {dx, dy, phase, time}; }

// `count` wheel notches 0.1 s apart from `t`; the fourth swipes.
Steps notches(int count, double t, Steps before = {}) {
    for (int i = 0; i < count; ++i) before.push_back({s(Phase::discrete, -10, 0, t + 0.1 * i), i == 3 ? next : none});
    return before;
}

TEST(TabSwipeTest, Gestures) {
    const struct {
        const char* name;
        Steps steps;
    } cases[] = {
        {"horizontal after 7 points, fires once at 40, quiet after; the next gesture starts afresh",
         {{s(Phase::began, -3), none}, {s(Phase::changed, -4), none}, {s(Phase::changed, -10, 1), none},
          {s(Phase::changed, -23), next}, {s(Phase::changed, -30), none}, {s(Phase::momentum, -50), none},
          {s(Phase::ended, -5), none}, {s(Phase::began, 20), none}, {s(Phase::changed, 20), back}}},
        {"one big sample decides and fires", {{s(Phase::began, -45), next}}},
        {"vertical at the decision: never fires",
         {{s(Phase::began, 2, 5), none}, {s(Phase::changed, -100), none}, {s(Phase::changed, -100), none}}},
        {"exactly 1.5 times as horizontal is vertical", {{s(Phase::began, 6, 4), none}, {s(Phase::changed, 60), none}}},
        {"momentum alone moves nothing",
         {{s(Phase::momentum, -80), none}, {s(Phase::began, -20), none}, {s(Phase::changed, -19), none}}},
        {"steady notches fire once; a longer pause starts afresh", notches(4, 1.0, notches(8, 0))},
        {"exactly the gap apart is one gesture",
         {{s(Phase::discrete, -30, 0, 0), none}, {s(Phase::discrete, -10, 0, 0.25), next}}},
        {"past the gap is a new one", {{s(Phase::discrete, -30, 0, 0), none}, {s(Phase::discrete, -10, 0, 0.26), none}}},
    };
    for (const auto& c : cases) {
        TabSwipeRecognizer recognizer;
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            EXPECT_EQ(recognizer.handle(c.steps[i].sample), c.steps[i].fires) << c.name << ", sample " << i;
        }
    }
}

}  // namespace
}  // namespace WaylarkKit
