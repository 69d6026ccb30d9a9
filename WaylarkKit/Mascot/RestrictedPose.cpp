// The restricted pose: a frowning figure in the alarm colour that shakes its
// head, with a pulsing glow behind it and two pulsing exclamation marks.
#include "WaylarkKit/Mascot/Ink.h"
#include "WaylarkKit/Mascot/MascotBuilder.h"

namespace WaylarkKit {

std::vector<FigureNode> MascotBuilder::restricted(bool medium) {
    const Rgba accent = medium ? Ink::orange : Ink::red;

    FigureNode glow;
    glow.size = {124, 116};
    glow.position = {50, 64};
    VectorPath bounds;
    bounds.addRoundedRect({0, 0, 124, 116}, 0, 0);
    glow.setPath(bounds);
    glow.gradient = Gradient{Gradient::Kind::radial,
                             {accent.withOpacity(0.9), accent.withOpacity(0.9), accent.withOpacity(0)},
                             {0, 0.45, 1},
                             {0.5, 0.5},
                             {1, 1}};
    glow.opacity = 0.08;
    animate(glow, {AnimatedProperty::opacity, {0, 1}, {0.08, 0.32}}, 1.4, Ease::easeInOut, 0, true);
    animate(glow, {AnimatedProperty::scale, {0, 1}, {0.92, 1.06}}, 1.4, Ease::easeInOut, 0, true);

    VectorPath brows;
    brows.moveTo({25, 49});
    brows.lineTo({44, 54});
    brows.moveTo({75, 49});
    brows.lineTo({56, 54});
    VectorPath mouth;
    mouth.moveTo({44, 80});
    mouth.lineTo({56, 80});

    std::vector<FigureNode> parts;
    parts.push_back(stem(accent, false));
    for (FigureNode& part : faceBase()) parts.push_back(std::move(part));
    parts.push_back(eyes(false));
    parts.push_back(feature(brows, 3.2));
    parts.push_back(feature(mouth, 3.0));
    FigureNode shaking = body(std::move(parts),
                              {{AnimatedProperty::translationX,
                                {0, 0.45, 0.51, 0.57, 0.63, 0.69, 0.75, 1},
                                {0, 0, -3.5, 3.5, -3.5, 3.5, 0, 0}}},
                              2.2, Ease::easeInOut);

    std::vector<FigureNode> main;
    main.push_back(std::move(glow));
    main.push_back(std::move(shaking));

    std::vector<FigureNode> layers;
    layers.push_back(group(std::move(main), {0.5, 0.5}));
    layers.push_back(alertMark(accent, 1, 0));
    layers.push_back(alertMark(accent, 84, 0.35));
    return layers;
}

FigureNode MascotBuilder::alertMark(Rgba accent, double x, double delay) {
    const VectorPath outline =
        glyphs_.outline(U'!', 34, GlyphWeight::black).transformed(Affine::translation(x, 30));
    FigureNode mark = shape(outline, accent, std::nullopt, 0, 1.0);
    animate(mark, {AnimatedProperty::opacity, {0, 1}, {0.7, 1.0}}, 0.7, Ease::easeInOut, delay, true);
    animate(mark, {AnimatedProperty::scale, {0, 1}, {0.85, 1.25}}, 0.7, Ease::easeInOut, delay, true);
    return mark;
}

}  // namespace WaylarkKit
