#include "WaylarkKit/Motion/VectorPath.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace WaylarkKit {

using IslandKit::Point;
using IslandKit::Rect;

namespace {

// Control-point distance of a cubic quarter circle of radius 1.
constexpr double kappa = 0.5522847498307936;

struct Extent {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    bool any = false;

    void add(Point p) {
        if (!any) {
            minX = maxX = p.x;
            minY = maxY = p.y;
            any = true;
            return;
        }
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
};

Point quadAt(Point p0, Point p1, Point p2, double t) {
    const double u = 1 - t;
    return {u * u * p0.x + 2 * u * t * p1.x + t * t * p2.x, u * u * p0.y + 2 * u * t * p1.y + t * t * p2.y};
}

Point cubicAt(Point p0, Point p1, Point p2, Point p3, double t) {
    const double u = 1 - t;
    const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    return {a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y};
}

// Parameters in (0, 1) where one coordinate of a cubic has zero slope.
template <typename Add>
void cubicTurns(double p0, double p1, double p2, double p3, Add add) {
    const double a = -p0 + 3 * p1 - 3 * p2 + p3;
    const double b = 2 * (p0 - 2 * p1 + p2);
    const double c = p1 - p0;
    const auto inside = [&](double t) {
        if (t > 0 && t < 1) add(t);
    };
    if (std::abs(a) < 1e-12) {
        if (std::abs(b) > 1e-12) inside(-c / b);
        return;
    }
    const double discriminant = b * b - 4 * a * c;
    if (discriminant < 0) return;
    const double root = std::sqrt(discriminant);
    inside((-b + root) / (2 * a));
    inside((-b - root) / (2 * a));
}

}  // namespace

void VectorPath::moveTo(Point p) {
    elements_.push_back({Verb::move, {p, {}, {}}});
    open_ = true;
}

void VectorPath::lineTo(Point p) {
    if (!open_) moveTo(p);
    elements_.push_back({Verb::line, {p, {}, {}}});
}

void VectorPath::quadTo(Point control, Point end) {
    if (!open_) moveTo(control);
    elements_.push_back({Verb::quad, {control, end, {}}});
}

void VectorPath::cubicTo(Point control1, Point control2, Point end) {
    if (!open_) moveTo(control1);
    elements_.push_back({Verb::cubic, {control1, control2, end}});
}

void VectorPath::close() {
    if (!open_) return;
    elements_.push_back({Verb::close, {}});
    open_ = false;
}

void VectorPath::addEllipse(const Rect& box) {
    const double rx = box.width / 2, ry = box.height / 2;
    const double cx = box.x + rx, cy = box.y + ry;
    const double kx = rx * kappa, ky = ry * kappa;
    moveTo({cx + rx, cy});
    cubicTo({cx + rx, cy + ky}, {cx + kx, cy + ry}, {cx, cy + ry});
    cubicTo({cx - kx, cy + ry}, {cx - rx, cy + ky}, {cx - rx, cy});
    cubicTo({cx - rx, cy - ky}, {cx - kx, cy - ry}, {cx, cy - ry});
    cubicTo({cx + kx, cy - ry}, {cx + rx, cy - ky}, {cx + rx, cy});
    close();
}

void VectorPath::addRoundedRect(const Rect& box, double cornerWidth, double cornerHeight) {
    const double rx = std::clamp(cornerWidth, 0.0, box.width / 2);
    const double ry = std::clamp(cornerHeight, 0.0, box.height / 2);
    const double x0 = box.minX(), x1 = box.maxX(), y0 = box.minY(), y1 = box.maxY();
    const double kx = rx * kappa, ky = ry * kappa;
    moveTo({x0 + rx, y0});
    lineTo({x1 - rx, y0});
    cubicTo({x1 - rx + kx, y0}, {x1, y0 + ry - ky}, {x1, y0 + ry});
    lineTo({x1, y1 - ry});
    cubicTo({x1, y1 - ry + ky}, {x1 - rx + kx, y1}, {x1 - rx, y1});
    lineTo({x0 + rx, y1});
    cubicTo({x0 + rx - kx, y1}, {x0, y1 - ry + ky}, {x0, y1 - ry});
    lineTo({x0, y0 + ry});
    cubicTo({x0, y0 + ry - ky}, {x0 + rx - kx, y0}, {x0 + rx, y0});
    close();
}

void VectorPath::addArc(Point centre, double radius, double startAngle, double endAngle, bool decreasing) {
    constexpr double turn = 2 * std::numbers::pi;
    double sweep = endAngle - startAngle;
    if (decreasing) {
        while (sweep > 0) sweep -= turn;
    } else {
        while (sweep < 0) sweep += turn;
    }
    const auto at = [&](double angle) {
        return Point{centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)};
    };
    if (open_) {
        lineTo(at(startAngle));
    } else {
        moveTo(at(startAngle));
    }
    const int pieces = std::max(1, static_cast<int>(std::ceil(std::abs(sweep) / (std::numbers::pi / 2) - 1e-9)));
    const double step = sweep / pieces;
    const double k = 4.0 / 3.0 * std::tan(step / 4) * radius;
    for (int i = 0; i < pieces; ++i) {
        const double a0 = startAngle + step * i, a1 = a0 + step;
        const Point p0 = at(a0), p3 = at(a1);
        cubicTo({p0.x - k * std::sin(a0), p0.y + k * std::cos(a0)}, {p3.x + k * std::sin(a1), p3.y - k * std::cos(a1)},
                p3);
    }
}

Rect VectorPath::bounds() const {
    Extent extent;
    Point current{}, start{};
    for (const Element& e : elements_) {
        switch (e.verb) {
            case Verb::move:
                current = start = e.points[0];
                extent.add(current);
                break;
            case Verb::line:
                current = e.points[0];
                extent.add(current);
                break;
            case Verb::quad: {
                const Point p0 = current, p1 = e.points[0], p2 = e.points[1];
                for (int axis = 0; axis < 2; ++axis) {
                    const double a = axis == 0 ? p0.x : p0.y, b = axis == 0 ? p1.x : p1.y, c = axis == 0 ? p2.x : p2.y;
                    const double denominator = a - 2 * b + c;
                    if (std::abs(denominator) > 1e-12) {
                        const double t = (a - b) / denominator;
                        if (t > 0 && t < 1) extent.add(quadAt(p0, p1, p2, t));
                    }
                }
                current = p2;
                extent.add(current);
                break;
            }
            case Verb::cubic: {
                const Point p0 = current, p1 = e.points[0], p2 = e.points[1], p3 = e.points[2];
                const auto add = [&](double t) { extent.add(cubicAt(p0, p1, p2, p3, t)); };
                cubicTurns(p0.x, p1.x, p2.x, p3.x, add);
                cubicTurns(p0.y, p1.y, p2.y, p3.y, add);
                current = p3;
                extent.add(current);
                break;
            }
            case Verb::close: current = start; break;
        }
    }
    if (!extent.any) return {};
    return {extent.minX, extent.minY, extent.maxX - extent.minX, extent.maxY - extent.minY};
}

VectorPath VectorPath::transformed(const Affine& map) const {
    VectorPath result = *this;
    for (Element& e : result.elements_) {
        for (Point& p : e.points) p = map.map(p);
    }
    return result;
}

}  // namespace WaylarkKit
