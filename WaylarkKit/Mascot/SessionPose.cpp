// The session pose: a breathing figure that glances about with one brow
// raised, sweeps a magnifying glass across its face, while question marks pop
// up around it in turn.
#include <numbers>

#include "WaylarkKit/Mascot/Ink.h"
#include "WaylarkKit/Mascot/MascotBuilder.h"
#include "WaylarkKit/Mascot/MascotTintLayer.h"

namespace WaylarkKit {

namespace {

struct QuestionMark {
    double x, y, size, degrees, delay;
};
constexpr QuestionMark questionMarks[] = {
    {2, 28, 26, -14, 0},
    {80, 24, 30, 14, 1.07},
    {88, 56, 20, 10, 2.13},
};

}  // namespace

std::vector<FigureNode> MascotBuilder::session(bool verified, std::optional<TradingCore::IntervalColor> tint) {
    const Rgba accent = sessionAccent(tint);

    VectorPath brow;
    brow.moveTo({58, 47});
    brow.quadTo({66, 41}, {74, 46});
    VectorPath mouth;
    mouth.moveTo({43, 80});
    mouth.quadTo({51, 86}, {58, 77});

    std::vector<FigureNode> parts;
    parts.push_back(stem(accent, !verified));
    for (FigureNode& part : faceBase()) parts.push_back(std::move(part));
    parts.push_back(eyes(true));
    parts.push_back(feature(brow, 3));
    parts.push_back(feature(mouth, 3));

    std::vector<FigureNode> layers;
    layers.push_back(body(std::move(parts),
                          {{AnimatedProperty::scaleX, {0, 0.5, 1}, {1, 1.03, 1}},
                           {AnimatedProperty::scaleY, {0, 0.5, 1}, {1, 0.97, 1}}},
                          5, Ease::easeInOut));

    for (const QuestionMark& row : questionMarks) {
        FigureNode mark = shape(glyphs_.outline(U'?', row.size, GlyphWeight::heavy), accent, std::nullopt, 0, 0);
        mark.name = tintMarkName;
        const std::vector<double> times{0, 0.18, 0.5, 0.78, 1};
        animate(mark, {AnimatedProperty::opacity, times, {0, 1, 1, 0, 0}}, 3.2, Ease::easeOut, row.delay);
        animate(mark, {AnimatedProperty::translationY, times, {8, 0, -3, -14, 0}}, 3.2, Ease::easeOut, row.delay);
        animate(mark, {AnimatedProperty::scale, times, {0.4, 1.15, 1, 0.9, 1}}, 3.2, Ease::easeOut, row.delay);
        FigureNode container;
        container.size = {1, 1};
        container.anchor = {0, 0};
        container.position = {row.x, row.y};
        container.rotation = row.degrees * std::numbers::pi / 180;
        container.children.push_back(std::move(mark));
        layers.push_back(std::move(container));
    }

    layers.push_back(lupa(accent));
    return layers;
}

FigureNode MascotBuilder::lupa(Rgba accent) {
    VectorPath handle;
    handle.moveTo({84, 78});
    handle.lineTo({96, 94});
    VectorPath circle;
    circle.addEllipse({57, 49, 34, 34});
    VectorPath glint;
    glint.moveTo({63, 62});
    glint.quadTo({66, 54}, {74, 53});

    std::vector<FigureNode> parts;
    parts.push_back(shape(handle, std::nullopt, Ink::eye, 9));
    parts.push_back(shape(handle, std::nullopt, Ink::handle, 5.2));
    parts.push_back(shape(circle, accent.withOpacity(0.2), Ink::eye, 8.5));
    parts.back().name = tintLensName;
    parts.push_back(shape(circle, std::nullopt, Ink::handle, 4.8));
    parts.push_back(shape(glint, std::nullopt, Ink::white, 3, 0.9));

    // The glass turns about its own centre.
    const IslandKit::Rect united = unitedFrame(parts);
    FigureNode magnifier =
        group(std::move(parts), {(74 - united.x) / united.width, (66 - united.y) / united.height});
    const std::vector<double> times{0, 0.06, 0.25, 0.44, 0.56, 0.75, 0.94, 1};
    animate(magnifier, {AnimatedProperty::translationX, times, {12, 12, -22, -56, -56, -22, 12, 12}}, 8,
            Ease::easeInOut);
    animate(magnifier, {AnimatedProperty::translationY, times, {-2, -2, -8, -2, -2, -8, -2, -2}}, 8, Ease::easeInOut);
    animate(magnifier, MascotTrack::rotate(times, {8, 8, -1, -10, -10, -1, 8, 8}), 8, Ease::easeInOut);
    return magnifier;
}

}  // namespace WaylarkKit
