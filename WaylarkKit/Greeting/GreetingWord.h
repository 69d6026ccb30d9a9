#pragma once

#include <vector>

#include "WaylarkKit/Greeting/GreetingMotion.h"
#include "WaylarkKit/Motion/FigureNode.h"
#include "WaylarkKit/Style/Rgba.h"

namespace WaylarkKit {

// A word laid out on one line: its measured size and, for each character that
// is not whitespace, where the line places it (x0 to x1) and its outline in
// word space (y grows downward from the word's top).
struct WordLayout {
    struct Letter {
        double x0 = 0;
        double x1 = 0;
        VectorPath outline;
    };
    double width = 0;
    double height = 0;
    std::vector<Letter> letters;
};

namespace GreetingWord {

inline constexpr Rgba baseColor{255, 255, 255, 1};
inline constexpr Rgba shineColor{255, 204, 97, 1};  // a warm gold

// Samples per letter track minus one: 60 a second of greeting, at least 2.
int stepCount(double total);

// The word's figure: one node per letter, in reading order, each spanning the
// word's height from x0 and turning and scaling about its centre. Animated,
// each letter carries the motion sampled 60 times a second from `start` and
// holds its last sample afterwards; with `reduceMotion` the letters stand
// still, white and opaque.
FigureNode build(const WordLayout& layout, GreetingMotion::Style style, double total, bool reduceMotion,
                 double start);

}  // namespace GreetingWord
}  // namespace WaylarkKit
