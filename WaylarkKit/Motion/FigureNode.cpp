#include "WaylarkKit/Motion/FigureNode.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace WaylarkKit {

namespace {

std::optional<Rgba> faded(const std::optional<Rgba>& colour, const std::optional<ColourFade>& fade, double time) {
    if (!colour || !fade || !(fade->duration > 0)) return colour;
    const double progress = (time - fade->begin) / fade->duration;
    if (progress >= 1) return colour;
    return mix(fade->from, *colour, std::max(progress, 0.0));
}

}  // namespace

Rgba mix(const Rgba& from, const Rgba& to, double amount) {
    const auto channel = [amount](std::uint8_t a, std::uint8_t b) {
        return static_cast<std::uint8_t>(std::lround(std::clamp(a + (b - a) * amount, 0.0, 255.0)));
    };
    return Rgba{channel(from.red, to.red), channel(from.green, to.green), channel(from.blue, to.blue),
                from.opacity + (to.opacity - from.opacity) * amount};
}

Affine FigureNode::toParent() const {
    return Affine::translation(position.x + translationX, position.y + translationY) * Affine::rotation(rotation) *
           Affine::scaling(scaleX, scaleY) * Affine::translation(-anchor.x * size.width, -anchor.y * size.height);
}

IslandKit::Rect FigureNode::frame() const { return toParent().mapBounds({0, 0, size.width, size.height}); }

bool FigureNode::animates() const {
    return !tracks.empty() || std::any_of(children.begin(), children.end(), [](const auto& c) { return c.animates(); });
}

double FigureNode::settlesAt() const {
    double latest = -std::numeric_limits<double>::infinity();
    for (const auto& track : tracks) latest = std::max(latest, track.settlesAt());
    if (fillFade) latest = std::max(latest, fillFade->begin + fillFade->duration);
    if (strokeFade) latest = std::max(latest, strokeFade->begin + strokeFade->duration);
    for (const auto& child : children) latest = std::max(latest, child.settlesAt());
    return latest;
}

double FigureNode::shortestMoveAt(double time) const {
    double shortest = std::numeric_limits<double>::infinity();
    for (const auto& track : tracks) shortest = std::min(shortest, track.moveSecondsAt(time));
    for (const auto& child : children) shortest = std::min(shortest, child.shortestMoveAt(time));
    return shortest;
}

void FigureNode::recolourFill(Rgba colour, double now, double fadeSeconds) {
    if (fadeSeconds > 0 && fill) {
        fillFade = ColourFade{*shownFill(*this, now), now, fadeSeconds};
    } else {
        fillFade.reset();
    }
    fill = colour;
}

void FigureNode::recolourStroke(Rgba colour, double now, double fadeSeconds) {
    if (fadeSeconds > 0 && stroke) {
        strokeFade = ColourFade{*shownStroke(*this, now), now, fadeSeconds};
    } else {
        strokeFade.reset();
    }
    stroke = colour;
}

std::optional<Rgba> shownFill(const FigureNode& node, double time) { return faded(node.fill, node.fillFade, time); }

std::optional<Rgba> shownStroke(const FigureNode& node, double time) {
    return faded(node.stroke, node.strokeFade, time);
}

}  // namespace WaylarkKit
