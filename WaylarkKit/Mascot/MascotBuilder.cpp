#include "WaylarkKit/Mascot/MascotBuilder.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "WaylarkKit/Mascot/Ink.h"
#include "WaylarkKit/Mascot/MascotTintLayer.h"

namespace WaylarkKit {

using IslandKit::Point;
using IslandKit::Rect;

FigureNode MascotBuilder::shape(const VectorPath& path, std::optional<Rgba> fill, std::optional<Rgba> stroke,
                                double lineWidth, double opacity) {
    const Rect box = path.bounds();
    FigureNode node;
    node.setPath(path.transformed(Affine::translation(-box.x, -box.y)));
    node.fill = fill;
    node.stroke = stroke;
    node.lineWidth = lineWidth;
    node.size = {box.width, box.height};
    node.position = {box.midX(), box.midY()};
    node.opacity = opacity;
    return node;
}

Rect MascotBuilder::unitedFrame(const std::vector<FigureNode>& nodes) {
    if (nodes.empty()) return {};
    Rect united = nodes.front().frame();
    for (const FigureNode& node : nodes) {
        const Rect frame = node.frame();
        const double minX = std::min(united.minX(), frame.minX()), minY = std::min(united.minY(), frame.minY());
        united = {minX, minY, std::max(united.maxX(), frame.maxX()) - minX, std::max(united.maxY(), frame.maxY()) - minY};
    }
    return united;
}

FigureNode MascotBuilder::group(std::vector<FigureNode> nodes, Point anchor) {
    const Rect united = unitedFrame(nodes);
    FigureNode container;
    container.size = {united.width, united.height};
    container.anchor = anchor;
    container.position = {united.x + united.width * anchor.x, united.y + united.height * anchor.y};
    for (FigureNode& node : nodes) {
        node.position.x -= united.x;
        node.position.y -= united.y;
    }
    container.children = std::move(nodes);
    return container;
}

void MascotBuilder::animate(FigureNode& node, const MascotTrack& track, double duration, Ease ease, double delay,
                            bool autoreverses) const {
    if (!animated_) return;
    KeyframeTrack timed;
    timed.property = track.property;
    timed.times = track.times;
    timed.values = track.values;
    timed.duration = duration;
    timed.ease = ease;
    timed.begin = start_ + delay;
    timed.repeatCount = loops_;
    timed.autoreverses = autoreverses;
    node.tracks.push_back(std::move(timed));
}

FigureNode MascotBuilder::body(std::vector<FigureNode> parts, const std::vector<MascotTrack>& tracks, double duration,
                               Ease ease) {
    if (form_.slim != 1.0) {
        FigureNode squeezed = group(std::move(parts), {0.5, 0.5});
        squeezed.scaleX = form_.slim;
        parts.clear();
        parts.push_back(std::move(squeezed));
    }
    FigureNode outer = group(std::move(parts), {0.5, 1.0});
    for (const MascotTrack& track : tracks) animate(outer, track, duration, ease);
    return outer;
}

FigureNode MascotBuilder::stem(Rgba accent, bool hollow) {
    VectorPath outline;
    outline.addRoundedRect(form_.stem, form_.stemRadius, form_.stemRadius);
    std::vector<FigureNode> parts;
    if (hollow) {
        parts.push_back(shape(outline, std::nullopt, accent, 1.8));
    } else {
        parts.push_back(shape(outline, accent, std::nullopt, 0));
        VectorPath streak;
        streak.addRoundedRect(form_.highlight, form_.highlightRadius, form_.highlightRadius);
        parts.push_back(shape(streak, Ink::white, std::nullopt, 0, 0.55));
    }
    parts.front().name = tintStemName;
    FigureNode stemGroup = group(std::move(parts), {0.5, 1.0});
    animate(stemGroup, MascotTrack::rotate({0, 0.5, 1}, {-5, 5, -5}), 3.6, Ease::easeInOut);
    return stemGroup;
}

std::vector<FigureNode> MascotBuilder::faceBase() {
    FigureNode plate;
    plate.size = form_.face.size();
    plate.position = {form_.face.midX(), form_.face.midY()};
    VectorPath mask;
    mask.addRoundedRect({0, 0, plate.size.width, plate.size.height}, form_.faceCorner.width, form_.faceCorner.height);
    plate.setPath(mask);
    plate.gradient = Gradient{Gradient::Kind::linear,
                              {Ink::white, Rgba{241, 243, 248, 1}, Rgba{223, 228, 238, 1}},
                              {0, 0.65, 1},
                              {0, 0},
                              {1, 1}};

    VectorPath ellipse;
    ellipse.addEllipse({form_.gloss.x - 11, form_.gloss.y - 5.5, 22, 11});
    const Affine turn = Affine::translation(form_.gloss.x, form_.gloss.y) *
                        Affine::rotation(-28 * std::numbers::pi / 180) *
                        Affine::translation(-form_.gloss.x, -form_.gloss.y);
    std::vector<FigureNode> result;
    result.push_back(std::move(plate));
    result.push_back(shape(ellipse.transformed(turn), Ink::white, std::nullopt, 0, 0.9));
    return result;
}

FigureNode MascotBuilder::eye(double x) {
    VectorPath pupil;
    pupil.addEllipse({x - 7.5, 52, 15, 20});
    VectorPath glint;
    glint.addEllipse({x + 2.6 - 2.4, 58.2 - 2.4, 4.8, 4.8});
    std::vector<FigureNode> parts;
    parts.push_back(shape(pupil, Ink::eye, std::nullopt, 0));
    parts.push_back(shape(glint, Ink::white, std::nullopt, 0));
    return group(std::move(parts), {0.5, 0.5});
}

FigureNode MascotBuilder::eyes(bool scan) {
    std::vector<FigureNode> pair;
    pair.push_back(eye(35));
    pair.push_back(eye(65));
    FigureNode pairGroup = group(std::move(pair), {0.5, 0.5});
    animate(pairGroup, {AnimatedProperty::scaleY, {0, 0.93, 0.965, 1}, {1, 1, 0.08, 1}}, 4.4, Ease::standard);
    std::vector<FigureNode> inner;
    inner.push_back(std::move(pairGroup));
    FigureNode wrapped = group(std::move(inner), {0.5, 0.5});
    if (!scan) return wrapped;
    animate(wrapped, {AnimatedProperty::translationX, {0, 0.06, 0.44, 0.56, 0.94, 1}, {5, 5, -5, -5, 5, 5}}, 8,
            Ease::easeInOut);
    std::vector<FigureNode> outer;
    outer.push_back(std::move(wrapped));
    return group(std::move(outer), {0.5, 0.5});
}

std::vector<FigureNode> MascotBuilder::cheeks() {
    std::vector<FigureNode> result;
    for (const double x : {19.0, 69.0}) {
        VectorPath blush;
        blush.addEllipse({x, 72.6, 12, 6.8});
        result.push_back(shape(blush, Ink::cheek, std::nullopt, 0));
    }
    return result;
}

FigureNode MascotBuilder::feature(const VectorPath& path, double width) {
    return shape(path, std::nullopt, Ink::eye, width);
}

}  // namespace WaylarkKit
