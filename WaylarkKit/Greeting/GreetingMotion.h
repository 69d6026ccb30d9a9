#pragma once

namespace WaylarkKit {

// The choreography of one greeting word, as a pure function of time: each
// letter springs in one after the other, then bobs in a travelling wave or is
// swept by one golden shine, and leaves one after the other just before the
// greeting ends. Holds no clock and draws nothing.
struct GreetingMotion {
    enum class Style { wave, shine };

    // One letter's look: vertical offset from its rest place (points, positive
    // upward), uniform scale about its centre, opacity, and the weight of the
    // shine colour mixed into its base colour.
    struct State {
        double offsetY = 0;
        double scale = 1;
        double opacity = 1;
        double shine = 0;
    };

    Style style = Style::wave;
    double total = 5;         // seconds; every letter has left 0.05 s before it ends
    double enterOffset = 0;   // where letters come from and go back to (points)
    int letterCount = 0;      // letters that move: the word's non-space characters

    // Letter `letter` (0-based among the moving letters) at `at` seconds since
    // the greeting started. Any index and any time may be asked.
    State state(int letter, double at) const;
};

}  // namespace WaylarkKit
