#include "WaylarkKit/Greeting/GreetingWord.h"

#include <algorithm>
#include <cmath>

namespace WaylarkKit::GreetingWord {

int stepCount(double total) {
    const double steps = std::trunc(total * 60);
    return std::isfinite(steps) ? static_cast<int>(std::clamp(steps, 2.0, 1e6)) : 2;
}

FigureNode build(const WordLayout& layout, GreetingMotion::Style style, double total, bool reduceMotion,
                 double start) {
    const int letterCount = static_cast<int>(layout.letters.size());
    const GreetingMotion motion{style, total, style == GreetingMotion::Style::wave ? -14.0 : 14.0, letterCount};
    const int steps = stepCount(total);

    FigureNode word;
    word.size = {layout.width, layout.height};
    word.anchor = {0, 0};
    for (int index = 0; index < letterCount; ++index) {
        const WordLayout::Letter& source = layout.letters[static_cast<std::size_t>(index)];
        FigureNode letter;
        letter.size = {std::ceil(source.x1 - source.x0) + 2, layout.height};
        letter.position = {source.x0 + letter.size.width / 2, layout.height / 2};
        letter.setPath(source.outline.transformed(Affine::translation(-source.x0, 0)));
        letter.fill = baseColor;
        letter.mixColour = shineColor;
        if (!reduceMotion) {
            std::vector<double> times, rise, scale, opacity, shine;
            for (int j = 0; j <= steps; ++j) {
                const double fraction = static_cast<double>(j) / steps;
                const GreetingMotion::State state = motion.state(index, total * fraction);
                times.push_back(fraction);
                // The motion counts upward; the figure's y grows downward.
                rise.push_back(-state.offsetY);
                scale.push_back(state.scale);
                opacity.push_back(state.opacity);
                shine.push_back(state.shine);
            }
            const auto track = [&](AnimatedProperty property, std::vector<double> values) {
                KeyframeTrack sampled;
                sampled.property = property;
                sampled.times = times;
                sampled.values = std::move(values);
                sampled.duration = total;
                sampled.begin = start;
                sampled.repeatCount = 1;
                sampled.holdsAfterEnd = true;
                letter.tracks.push_back(std::move(sampled));
            };
            track(AnimatedProperty::translationY, std::move(rise));
            track(AnimatedProperty::scale, std::move(scale));
            track(AnimatedProperty::opacity, std::move(opacity));
            if (style == GreetingMotion::Style::shine) track(AnimatedProperty::tintMix, std::move(shine));
            letter.opacity = 0;
        }
        word.children.push_back(std::move(letter));
    }
    return word;
}

}  // namespace WaylarkKit::GreetingWord
