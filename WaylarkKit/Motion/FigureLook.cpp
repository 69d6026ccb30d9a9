#include "WaylarkKit/Motion/FigureLook.h"

#include <algorithm>
#include <cmath>

namespace WaylarkKit {

using IslandKit::Point;
using IslandKit::Rect;

namespace {

void collect(const FigureNode& node, const Affine& parent, double parentOpacity, double time,
             std::vector<DrawItem>& items) {
    double tx = node.translationX, ty = node.translationY, rotation = node.rotation;
    double sx = node.scaleX, sy = node.scaleY, opacity = node.opacity, tintMix = 0;
    for (const KeyframeTrack& track : node.tracks) {
        const std::optional<double> value = track.sample(time);
        if (!value) continue;
        switch (track.property) {
            case AnimatedProperty::opacity: opacity = *value; break;
            case AnimatedProperty::translationX: tx = *value; break;
            case AnimatedProperty::translationY: ty = *value; break;
            case AnimatedProperty::scale: sx = sy = *value; break;
            case AnimatedProperty::scaleX: sx = *value; break;
            case AnimatedProperty::scaleY: sy = *value; break;
            case AnimatedProperty::rotation: rotation = *value; break;
            case AnimatedProperty::tintMix: tintMix = *value; break;
        }
    }
    const Affine local = Affine::translation(node.position.x + tx, node.position.y + ty) * Affine::rotation(rotation) *
                         Affine::scaling(sx, sy) *
                         Affine::translation(-node.anchor.x * node.size.width, -node.anchor.y * node.size.height);
    const Affine transform = parent * local;
    const double shown = parentOpacity * std::clamp(opacity, 0.0, 1.0);
    if (node.draws()) {
        std::optional<Rgba> fill = shownFill(node, time);
        if (fill && tintMix != 0) fill = mix(*fill, node.mixColour, std::clamp(tintMix, 0.0, 1.0));
        items.push_back({&node, transform, shown, fill, shownStroke(node, time)});
    }
    for (const FigureNode& child : node.children) collect(child, transform, shown, time, items);
}

int step(double opacity) { return static_cast<int>(std::lround(std::clamp(opacity, 0.0, 1.0) * 255)); }

bool sameColour(const std::optional<Rgba>& a, const std::optional<Rgba>& b) {
    if (a.has_value() != b.has_value()) return false;
    if (!a) return true;
    return a->red == b->red && a->green == b->green && a->blue == b->blue && step(a->opacity) == step(b->opacity);
}

double largestShift(const DrawItem& a, const DrawItem& b) {
    const Rect& box = a.node->pathBounds();
    const Point corners[] = {{box.minX(), box.minY()}, {box.maxX(), box.minY()}, {box.minX(), box.maxY()},
                             {box.maxX(), box.maxY()}};
    double largest = 0;
    for (const Point& corner : corners) {
        const Point p = a.transform.map(corner), q = b.transform.map(corner);
        largest = std::max(largest, std::hypot(p.x - q.x, p.y - q.y));
    }
    return largest;
}

bool looksDifferent(const DrawItem& a, const DrawItem& b, double devicePixelsPerUnit) {
    const bool aShows = step(a.opacity) > 0, bShows = step(b.opacity) > 0;
    if (!aShows && !bShows) return false;
    return a.node != b.node || step(a.opacity) != step(b.opacity) || !sameColour(a.fill, b.fill) ||
           !sameColour(a.stroke, b.stroke) || largestShift(a, b) * devicePixelsPerUnit >= 0.25;
}

}  // namespace

FigureLook sampleFigure(const FigureNode& root, double time) {
    FigureLook look;
    collect(root, Affine{}, 1, time, look.items);
    return look;
}

Rect coveredArea(const DrawItem& item) {
    const double half = item.node->stroke ? item.node->lineWidth / 2 : 0;
    return item.transform.mapBounds(item.node->pathBounds().outset(half, half));
}

std::vector<Rect> takeVisibleChanges(FigureLook& shown, const FigureLook& current, double devicePixelsPerUnit) {
    std::vector<Rect> areas;
    const auto add = [&areas](const DrawItem& item) {
        if (step(item.opacity) > 0) areas.push_back(coveredArea(item));
    };
    if (shown.items.size() != current.items.size()) {
        for (const DrawItem& item : shown.items) add(item);
        for (const DrawItem& item : current.items) add(item);
        shown = current;
        return areas;
    }
    for (std::size_t i = 0; i < shown.items.size(); ++i) {
        if (!looksDifferent(shown.items[i], current.items[i], devicePixelsPerUnit)) continue;
        add(shown.items[i]);
        add(current.items[i]);
        shown.items[i] = current.items[i];
    }
    return areas;
}

}  // namespace WaylarkKit
