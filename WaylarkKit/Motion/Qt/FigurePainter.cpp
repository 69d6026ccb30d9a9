#include "WaylarkKit/Motion/Qt/FigurePainter.h"

#include <cmath>

#include <QLinearGradient>
#include <QPainterPathStroker>
#include <QRadialGradient>

#include "WaylarkKit/Style/Qt/QtColor.h"

namespace WaylarkKit {

QPainterPath toPainterPath(const VectorPath& path) {
    QPainterPath result;
    result.setFillRule(Qt::WindingFill);
    for (const VectorPath::Element& e : path.elements()) {
        const auto p = [&](int i) { return QPointF(e.points[i].x, e.points[i].y); };
        switch (e.verb) {
            case VectorPath::Verb::move: result.moveTo(p(0)); break;
            case VectorPath::Verb::line: result.lineTo(p(0)); break;
            case VectorPath::Verb::quad: result.quadTo(p(0), p(1)); break;
            case VectorPath::Verb::cubic: result.cubicTo(p(0), p(1), p(2)); break;
            case VectorPath::Verb::close: result.closeSubpath(); break;
        }
    }
    return result;
}

VectorPath fromPainterPath(const QPainterPath& path) {
    VectorPath result;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
            case QPainterPath::MoveToElement: result.moveTo({e.x, e.y}); break;
            case QPainterPath::LineToElement: result.lineTo({e.x, e.y}); break;
            case QPainterPath::CurveToElement:
                if (i + 2 < path.elementCount()) {
                    const QPainterPath::Element c2 = path.elementAt(i + 1);
                    const QPainterPath::Element end = path.elementAt(i + 2);
                    result.cubicTo({e.x, e.y}, {c2.x, c2.y}, {end.x, end.y});
                    i += 2;
                }
                break;
            case QPainterPath::CurveToDataElement: break;
        }
    }
    return result;
}

QTransform toQTransform(const Affine& map) { return QTransform(map.a, map.b, map.c, map.d, map.tx, map.ty); }

QRegion repaintRegion(const std::vector<IslandKit::Rect>& areas, const QTransform& figureToWidget) {
    // Every rectangle of a region is a clipped pass for each widget beneath
    // and a transfer of its own to the X server, and the overlapping parts of
    // a figure would split into many thin bands: boxes that meet or nearly
    // meet are repainted as one, boxes far apart stay apart.
    constexpr int nearby = 2;
    std::vector<QRect> boxes;
    boxes.reserve(areas.size());
    for (const IslandKit::Rect& area : areas) {
        const QRectF box = figureToWidget.mapRect(QRectF(area.x, area.y, area.width, area.height));
        QRect merged = box.toAlignedRect().adjusted(-1, -1, 1, 1);
        for (bool grew = true; grew;) {
            grew = false;
            for (auto other = boxes.begin(); other != boxes.end(); ++other) {
                if (!merged.adjusted(-nearby, -nearby, nearby, nearby).intersects(*other)) continue;
                merged |= *other;
                boxes.erase(other);
                grew = true;
                break;
            }
        }
        boxes.push_back(merged);
    }
    QRegion region;
    for (const QRect& box : boxes) region += box;
    return region;
}

namespace {

QBrush gradientBrush(const Gradient& gradient, const IslandKit::Size& size) {
    QGradientStops stops;
    for (std::size_t i = 0; i < gradient.colours.size() && i < gradient.locations.size(); ++i) {
        stops.push_back({gradient.locations[i], toQColor(gradient.colours[i])});
    }
    // Ramps are laid out in unit coordinates of the node's bounds and then
    // stretched onto them, so a radial ramp fills an ellipse.
    if (gradient.kind == Gradient::Kind::linear) {
        QLinearGradient linear(gradient.start.x, gradient.start.y, gradient.end.x, gradient.end.y);
        linear.setStops(stops);
        QBrush brush(linear);
        brush.setTransform(QTransform::fromScale(size.width, size.height));
        return brush;
    }
    const double rx = std::abs(gradient.end.x - gradient.start.x);
    const double ry = std::abs(gradient.end.y - gradient.start.y);
    QRadialGradient radial(QPointF(0, 0), 1);
    radial.setStops(stops);
    QBrush brush(radial);
    brush.setTransform(QTransform::fromScale(rx, ry) * QTransform::fromTranslate(gradient.start.x, gradient.start.y) *
                       QTransform::fromScale(size.width, size.height));
    return brush;
}

}  // namespace

const FigurePainter::Outlines& FigurePainter::outlinesOf(const FigureNode& node) {
    auto found = outlines_.find(&node);
    if (found == outlines_.end()) {
        Outlines made{toPainterPath(node.path()), {}, {}};
        if (node.gradient) made.ramp = gradientBrush(*node.gradient, node.size);
        if (node.stroke && node.lineWidth > 0) {
            // Stroked in node space and then transformed, as a layer's stroke is:
            // a squeezed figure squeezes its lines too.
            QPainterPathStroker stroker;
            stroker.setWidth(node.lineWidth);
            stroker.setCapStyle(Qt::RoundCap);
            stroker.setJoinStyle(Qt::RoundJoin);
            made.stroke = stroker.createStroke(made.fill);
            made.stroke.setFillRule(Qt::WindingFill);
        }
        found = outlines_.emplace(&node, std::move(made)).first;
    }
    return found->second;
}

void FigurePainter::paint(QPainter& painter, const FigureLook& look, const QTransform& figureToPainter,
                          const QRegion& exposed) {
    painter.save();
    const QTransform base = painter.worldTransform();
    const double baseOpacity = painter.opacity();
    painter.setRenderHint(QPainter::Antialiasing);
    for (const DrawItem& item : look.items) {
        if (item.opacity <= 0) continue;
        const FigureNode& node = *item.node;
        const QTransform toPainter = toQTransform(item.transform) * figureToPainter;
        if (!exposed.isEmpty()) {
            const IslandKit::Rect area = coveredArea(item);
            const QRectF box = figureToPainter.mapRect(QRectF(area.x, area.y, area.width, area.height));
            if (!exposed.intersects(box.toAlignedRect())) continue;
        }
        painter.setWorldTransform(toPainter * base);
        painter.setOpacity(baseOpacity * item.opacity);
        const Outlines& outlines = outlinesOf(node);
        if (node.gradient) {
            painter.fillPath(outlines.fill, outlines.ramp);
        } else if (item.fill) {
            painter.fillPath(outlines.fill, toQColor(*item.fill));
        }
        if (item.stroke && !outlines.stroke.isEmpty()) painter.fillPath(outlines.stroke, toQColor(*item.stroke));
    }
    painter.restore();
}

}  // namespace WaylarkKit
