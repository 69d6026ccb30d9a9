// The checklist-done pose: a happy figure that crouches, leaps with a full
// turn and hops once more, while confetti bursts from its head and a badge
// with a check mark pops up.
#include "WaylarkKit/Mascot/Ink.h"
#include "WaylarkKit/Mascot/MascotBuilder.h"

namespace WaylarkKit {

namespace {

struct Confetto {
    Rgba colour;
    double dx, dy, spin, delay;
};
constexpr Rgba violet{169, 139, 245, 1};
constexpr Rgba amber{255, 194, 71, 1};
constexpr Rgba coral{255, 138, 107, 1};
constexpr Rgba sky{106, 168, 255, 1};
constexpr Confetto confettiPieces[] = {
    {Ink::green, -44, 10, -200, 0},  {violet, 48, 6, 240, 0.05},     {amber, -30, -24, 160, 0.1},
    {coral, 34, -30, -180, 0.03},    {sky, -54, 34, 300, 0.08},      {Ink::white, 56, 36, -260, 0.12},
    {Ink::green, 2, -40, 200, 0.06}, {amber, -18, 46, -220, 0.1},    {violet, 24, 48, 180, 0.02},
};

}  // namespace

std::vector<FigureNode> MascotBuilder::checklistDone() {
    VectorPath happyEyes;
    happyEyes.moveTo({27, 67});
    happyEyes.quadTo({35, 54}, {43, 67});
    happyEyes.moveTo({57, 67});
    happyEyes.quadTo({65, 54}, {73, 67});
    VectorPath mouth;
    mouth.moveTo({42, 77});
    mouth.quadTo({50, 91}, {58, 77});
    mouth.close();

    std::vector<FigureNode> parts;
    parts.push_back(stem(Ink::green, false));
    for (FigureNode& part : faceBase()) parts.push_back(std::move(part));
    parts.push_back(feature(happyEyes, 3.6));
    parts.push_back(shape(mouth, Ink::eye, std::nullopt, 0, 1.0));
    for (FigureNode& part : cheeks()) parts.push_back(std::move(part));

    const std::vector<double> times{0, 0.08, 0.28, 0.42, 0.52, 0.62, 0.72, 1};
    std::vector<FigureNode> layers;
    layers.push_back(body(std::move(parts),
                          {{AnimatedProperty::translationY, times, {0, 0, -17, 0, -8, 0, 0, 0}},
                           MascotTrack::rotate(times, {0, 0, 360, 360, 360, 360, 360, 360}),
                           {AnimatedProperty::scaleX, times, {1, 1.1, 0.96, 1.1, 0.98, 1.05, 1, 1}},
                           {AnimatedProperty::scaleY, times, {1, 0.9, 1.05, 0.9, 1.03, 0.95, 1, 1}}},
                          3.0, Ease::gentle));
    for (const Confetto& piece : confettiPieces) {
        layers.push_back(confetti(piece.colour, piece.dx, piece.dy, piece.spin, piece.delay));
    }
    layers.push_back(badge());
    return layers;
}

FigureNode MascotBuilder::confetti(Rgba colour, double dx, double dy, double spin, double delay) {
    VectorPath strip;
    strip.addRoundedRect({47, 26, 5, 9}, 1.5, 1.5);
    FigureNode piece = shape(strip, colour, std::nullopt, 0, 0);
    const std::vector<double> burst{0, 0.22, 0.28, 1};
    animate(piece, {AnimatedProperty::opacity, {0, 0.22, 0.28, 0.85, 1}, {0, 0, 1, 1, 0}}, 3.0, Ease::easeOut, delay);
    animate(piece, {AnimatedProperty::scale, burst, {0.3, 0.3, 1.0, 1.0}}, 3.0, Ease::easeOut, delay);
    animate(piece, {AnimatedProperty::translationX, burst, {0, 0, 0, dx}}, 3.0, Ease::easeOut, delay);
    animate(piece, {AnimatedProperty::translationY, burst, {0, 0, 0, dy}}, 3.0, Ease::easeOut, delay);
    animate(piece, MascotTrack::rotate(burst, {0, 0, 0, spin}), 3.0, Ease::easeOut, delay);
    return piece;
}

FigureNode MascotBuilder::badge() {
    VectorPath disc;
    disc.addEllipse({76, 4, 24, 24});
    VectorPath check;
    check.moveTo({82, 16});
    check.lineTo({86.5, 20.5});
    check.lineTo({94.5, 11.5});
    std::vector<FigureNode> parts;
    parts.push_back(shape(disc, Ink::green, std::nullopt, 0, 1.0));
    parts.push_back(shape(check, std::nullopt, Ink::eye, 3.2, 1.0));
    FigureNode badgeGroup = group(std::move(parts), {0.5, 0.5});
    badgeGroup.opacity = 0;
    const std::vector<double> times{0, 0.22, 0.32, 0.4, 0.88, 1};
    animate(badgeGroup, {AnimatedProperty::opacity, times, {0, 0, 1, 1, 1, 0}}, 3.0, Ease::standard);
    animate(badgeGroup, {AnimatedProperty::scale, times, {0.001, 0.001, 1.3, 1.0, 1.0, 0.001}}, 3.0, Ease::standard);
    return badgeGroup;
}

}  // namespace WaylarkKit
