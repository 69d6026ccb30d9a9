#pragma once

#include <vector>

#include "IslandKit/Geometry/Rect.h"
#include "WaylarkKit/Motion/Affine.h"

namespace WaylarkKit {

// An outline made of straight and curved segments, free of the toolkit so the
// figures can be built and tested without it; the painter turns it into the
// toolkit's path. Circles, ellipses and rounded corners become cubic curves.
class VectorPath {
public:
    enum class Verb { move, line, quad, cubic, close };
    struct Element {
        Verb verb = Verb::move;
        IslandKit::Point points[3] = {};  // move/line: [0]; quad: control, end; cubic: two controls, end
        bool operator==(const Element&) const = default;
    };

    void moveTo(IslandKit::Point p);
    void lineTo(IslandKit::Point p);
    void quadTo(IslandKit::Point control, IslandKit::Point end);
    void cubicTo(IslandKit::Point control1, IslandKit::Point control2, IslandKit::Point end);
    void close();

    // Closed subpaths of their own.
    void addEllipse(const IslandKit::Rect& box);
    void addRoundedRect(const IslandKit::Rect& box, double cornerWidth, double cornerHeight);
    // A circular arc about `centre`, angles in radians measured in this space
    // (y grows downward, so a growing angle turns towards +y). With
    // `decreasing` the arc runs towards smaller angles. It continues the open
    // subpath with a line to its start, or begins a new one.
    void addArc(IslandKit::Point centre, double radius, double startAngle, double endAngle, bool decreasing);

    bool isEmpty() const { return elements_.empty(); }
    const std::vector<Element>& elements() const { return elements_; }

    // The tightest box around the outline, control points excluded; the zero
    // rectangle at the origin for an empty path.
    IslandKit::Rect bounds() const;
    VectorPath transformed(const Affine& map) const;

    bool operator==(const VectorPath&) const = default;

private:
    std::vector<Element> elements_;
    bool open_ = false;
};

}  // namespace WaylarkKit
