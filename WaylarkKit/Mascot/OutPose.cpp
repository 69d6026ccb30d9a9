// The out pose: a gray sleeper that breathes and rocks, with sleep letters
// rising at its upper right and a drop of drool that falls into a puddle.
#include "WaylarkKit/Mascot/Ink.h"
#include "WaylarkKit/Mascot/MascotBuilder.h"

namespace WaylarkKit {

namespace {

struct SleepLetter {
    char32_t letter;
    double x, y, size, delay;
};
constexpr SleepLetter sleepLetters[] = {
    {U'Z', 74, 26, 24, 0},
    {U'z', 84, 14, 18, 0.85},
    {U'z', 92, 4, 13, 1.7},
};

}  // namespace

std::vector<FigureNode> MascotBuilder::out() {
    VectorPath closedEyes;
    closedEyes.moveTo({27, 62});
    closedEyes.quadTo({35, 70}, {43, 62});
    closedEyes.moveTo({57, 62});
    closedEyes.quadTo({65, 70}, {73, 62});
    VectorPath mouth;
    mouth.moveTo({46, 80});
    mouth.quadTo({50, 83}, {54, 80});

    std::vector<FigureNode> parts;
    parts.push_back(stem(Ink::gray, false));
    for (FigureNode& part : faceBase()) parts.push_back(std::move(part));
    parts.push_back(feature(closedEyes, 3.4));
    parts.push_back(feature(mouth, 2.6));
    for (FigureNode& part : cheeks()) parts.push_back(std::move(part));

    std::vector<FigureNode> layers;
    layers.push_back(body(std::move(parts),
                          {{AnimatedProperty::scaleX, {0, 0.5, 1}, {1.03, 1.0, 1.03}},
                           {AnimatedProperty::scaleY, {0, 0.5, 1}, {0.97, 1.0, 0.97}},
                           MascotTrack::rotate({0, 0.5, 1}, {-2, 2, -2})},
                          5.0, Ease::easeInOut));
    for (FigureNode& letter : zzz()) layers.push_back(std::move(letter));
    for (FigureNode& part : drool()) layers.push_back(std::move(part));
    return layers;
}

std::vector<FigureNode> MascotBuilder::zzz() {
    std::vector<FigureNode> letters;
    for (const SleepLetter& row : sleepLetters) {
        const VectorPath outline =
            glyphs_.outline(row.letter, row.size, GlyphWeight::heavy).transformed(Affine::translation(row.x, row.y));
        FigureNode letter = shape(outline, Ink::sleepZ, std::nullopt, 0, 0);
        animate(letter, {AnimatedProperty::opacity, {0, 0.2, 0.75, 1}, {0, 1, 1, 0}}, 2.6, Ease::easeOut, row.delay);
        animate(letter, {AnimatedProperty::translationX, {0, 1}, {-4, 10}}, 2.6, Ease::easeOut, row.delay);
        animate(letter, {AnimatedProperty::translationY, {0, 1}, {8, -24}}, 2.6, Ease::easeOut, row.delay);
        animate(letter, {AnimatedProperty::scale, {0, 1}, {0.6, 1.15}}, 2.6, Ease::easeOut, row.delay);
        letters.push_back(std::move(letter));
    }
    return letters;
}

std::vector<FigureNode> MascotBuilder::drool() {
    VectorPath dropPath;
    dropPath.moveTo({55, 82});
    dropPath.cubicTo({52.4, 85.4}, {51.2, 88}, {51.2, 90});
    dropPath.addArc({55, 90}, 3.8, std::numbers::pi, 0, true);
    dropPath.cubicTo({58.8, 88}, {57.6, 85.4}, {55, 82});
    dropPath.close();
    VectorPath shine;
    shine.addEllipse({52.7, 87.4, 2.0, 3.2});

    std::vector<FigureNode> dropParts;
    dropParts.push_back(shape(dropPath, Ink::drop, Ink::dropEdge, 1.0));
    dropParts.push_back(shape(shine, Ink::white, std::nullopt, 0, 0.85));
    FigureNode dropGroup = group(std::move(dropParts), {0.5, 0.0});
    dropGroup.opacity = 0;

    VectorPath ring;
    ring.addEllipse({49, 116, 12, 4});
    std::vector<FigureNode> puddleParts;
    puddleParts.push_back(shape(ring, std::nullopt, Ink::drop, 1.6));
    for (const IslandKit::Rect& dot : {IslandKit::Rect{46.6, 113.6, 2.8, 2.8}, IslandKit::Rect{60.6, 112.6, 2.8, 2.8},
                                       IslandKit::Rect{53.4, 109.4, 3.2, 3.2}}) {
        VectorPath splash;
        splash.addEllipse(dot);
        puddleParts.push_back(shape(splash, Ink::drop, std::nullopt, 0));
    }
    FigureNode puddle = group(std::move(puddleParts), {0.5, 0.5});
    puddle.opacity = 0;

    const std::vector<double> fall{0, 0.26, 0.4, 0.5, 0.58, 0.74, 0.76, 1};
    animate(dropGroup, {AnimatedProperty::opacity, fall, {0, 0, 1, 1, 1, 1, 0, 0}}, 7.0, Ease::easeIn);
    animate(dropGroup, {AnimatedProperty::translationY, fall, {0, 0, 0, 1, 7, 30, 34, 34}}, 7.0, Ease::easeIn);
    animate(dropGroup, {AnimatedProperty::scaleX, fall, {0.001, 0.001, 1.0, 1.15, 1.0, 0.85, 0.5, 0.5}}, 7.0,
            Ease::easeIn);
    animate(dropGroup, {AnimatedProperty::scaleY, fall, {0.001, 0.001, 1.0, 1.4, 1.25, 1.35, 0.5, 0.5}}, 7.0,
            Ease::easeIn);
    const std::vector<double> splash{0, 0.73, 0.76, 0.9, 1};
    animate(puddle, {AnimatedProperty::opacity, splash, {0, 0, 1, 0, 0}}, 7.0, Ease::easeOut);
    animate(puddle, {AnimatedProperty::scale, splash, {0.3, 0.3, 1.0, 1.9, 1.9}}, 7.0, Ease::easeOut);

    std::vector<FigureNode> result;
    result.push_back(std::move(dropGroup));
    result.push_back(std::move(puddle));
    return result;
}

}  // namespace WaylarkKit
