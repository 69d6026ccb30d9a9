#pragma once

namespace IslandKit {

// A damped spring that carries a value from 0 to 1, parameterised the way
// the island's motion is described: the response (period of the undamped
// oscillation, seconds) and the damping fraction (1 is critical damping).
class Spring {
public:
    Spring(double response, double dampingFraction);

    // Progress at `t` seconds after the start, 0 at t = 0, settling at 1.
    double progress(double t) const;
    // Seconds after which the progress stays within `tolerance` of 1.
    double settlingTime(double tolerance = 0.001) const;

private:
    double omega_;
    double zeta_;
};

// The island's one spring: response 0.38 s, damping fraction 0.82.
Spring islandSpring();

}  // namespace IslandKit
