#pragma once

// A list offset gliding from one value to another with an ease-in-out curve
// (the cubic Bézier 0.42, 0, 0.58, 1) over a fixed duration, sampled on the
// injected steady clock.
namespace WaylarkKit {

struct ScrollGlide {
    static constexpr double duration = 0.25;

    double from = 0;
    double to = 0;
    double startedAt = 0;  // steady seconds

    double value(double now) const;
    bool isFinished(double now) const { return now - startedAt >= duration; }
};

// Progress 0…1 of the ease-in-out curve at the fraction 0…1 of its time.
double easeInOut(double fraction);

}  // namespace WaylarkKit
