#include "WaylarkKit/Style/Qt/Symbols.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <QPainterPathStroker>

namespace WaylarkKit {

namespace {

void segment(QPainterPath& path, QPointF from, QPointF to) {
    path.moveTo(from);
    path.lineTo(to);
}

// A polyline through `points`.
void polyline(QPainterPath& path, std::initializer_list<QPointF> points) {
    path.moveTo(*points.begin());
    for (auto p = points.begin() + 1; p != points.end(); ++p) path.lineTo(*p);
}

// A plus whose arms run from `from` to `to` across the unit square's centre.
void cross(QPainterPath& path, double from, double to) {
    segment(path, {0.5, from}, {0.5, to});
    segment(path, {from, 0.5}, {to, 0.5});
}

// Outlines are drawn on a unit square (y down), scaled into the box and stroked.
QPainterPath unitOutline(Symbol symbol) {
    QPainterPath path;
    switch (symbol) {
        case Symbol::timer: {
            path.addEllipse(QPointF(0.5, 0.56), 0.36, 0.36);
            segment(path, {0.5, 0.08}, {0.5, 0.2});
            segment(path, {0.4, 0.08}, {0.6, 0.08});
            // The hand points a little past the top, as a running timer's does.
            const double angle = -std::numbers::pi / 2 + std::numbers::pi / 5;
            segment(path, {0.5, 0.56}, {0.5 + 0.22 * std::cos(angle), 0.56 + 0.22 * std::sin(angle)});
            break;
        }
        case Symbol::pencil:
            polyline(path, {{0.16, 0.84}, {0.22, 0.62}, {0.68, 0.16}, {0.84, 0.32}, {0.38, 0.78}});
            path.closeSubpath();
            segment(path, {0.58, 0.26}, {0.74, 0.42});
            break;
        case Symbol::chevronDown:
            polyline(path, {{0.18, 0.36}, {0.5, 0.68}, {0.82, 0.36}});
            break;
        case Symbol::chevronUp:
            polyline(path, {{0.82, 0.64}, {0.5, 0.32}, {0.18, 0.64}});
            break;
        case Symbol::chevronRight:
            polyline(path, {{0.36, 0.82}, {0.68, 0.5}, {0.36, 0.18}});
            break;
        case Symbol::checkmark:
            polyline(path, {{0.16, 0.52}, {0.4, 0.76}, {0.86, 0.24}});
            break;
        case Symbol::plus:
            cross(path, 0.16, 0.84);
            break;
        case Symbol::plusCircleFill:
            cross(path, 0.28, 0.72);
            break;
        case Symbol::xmark:
            segment(path, {0.2, 0.2}, {0.8, 0.8});
            segment(path, {0.8, 0.2}, {0.2, 0.8});
            break;
        case Symbol::minus:
            segment(path, {0.16, 0.5}, {0.84, 0.5});
            break;
        case Symbol::listBullet:
            for (double y : {0.24, 0.5, 0.76}) segment(path, {0.36, y}, {0.88, y});
            break;
        case Symbol::calendar:
            path.addRoundedRect(QRectF(0.1, 0.18, 0.8, 0.7), 0.12, 0.12);
            segment(path, {0.1, 0.38}, {0.9, 0.38});
            segment(path, {0.32, 0.1}, {0.32, 0.26});
            segment(path, {0.68, 0.1}, {0.68, 0.26});
            break;
        case Symbol::arrowLeftRight:
            // Upper arrow pointing left, lower arrow pointing right.
            segment(path, {0.9, 0.3}, {0.1, 0.3});
            polyline(path, {{0.3, 0.1}, {0.1, 0.3}, {0.3, 0.5}});
            segment(path, {0.1, 0.7}, {0.9, 0.7});
            polyline(path, {{0.7, 0.5}, {0.9, 0.7}, {0.7, 0.9}});
            break;
        case Symbol::play:
            polyline(path, {{0.07, 0}, {0.93, 0.5}, {0.07, 1}});
            path.closeSubpath();
            break;
        case Symbol::triangleDownFill:
            polyline(path, {{0, 0.5 / 7}, {1, 0.5 / 7}, {0.5, 6.5 / 7}});
            path.closeSubpath();
            break;
        case Symbol::exclamationCircleFill:
        case Symbol::square:
        case Symbol::checkmarkSquareFill:
            break;
    }
    return path;
}

// The square of side min(width, height) centred in `box`.
QRectF fitted(const QRectF& box) {
    const double side = std::min(box.width(), box.height());
    return QRectF(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
}

QPainterPath stroke(const QPainterPath& outline, double width) {
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(outline);
}

QPainterPath roundedSquare(const QRectF& square, double radius) {
    QPainterPath path;
    path.addRoundedRect(square, radius, radius);
    return path;
}

}  // namespace

QPainterPath symbolPath(Symbol symbol, const QRectF& box, double strokeWidth) {
    const QRectF s = fitted(box);
    const double side = s.width();
    const QTransform transform = QTransform::fromTranslate(s.left(), s.top()).scale(side, side);
    const QPainterPath outline = transform.map(unitOutline(symbol));
    switch (symbol) {
        case Symbol::plusCircleFill: {
            // A filled disc with the plus cut out of it.
            QPainterPath circle;
            circle.addEllipse(s.center(), side * 0.46, side * 0.46);
            return circle.subtracted(stroke(outline, strokeWidth));
        }
        case Symbol::exclamationCircleFill: {
            QPainterPath disc;
            disc.addEllipse(s.center(), side * 0.48, side * 0.48);
            const double barWidth = side * 0.13;
            QPainterPath mark = roundedSquare(
                QRectF(s.center().x() - barWidth / 2, s.top() + side * 0.2, barWidth, side * 0.38), barWidth / 2);
            mark.addEllipse(QPointF(s.center().x(), s.top() + side * 0.74), side * 0.08, side * 0.08);
            return disc.subtracted(mark);
        }
        case Symbol::triangleDownFill:
            return outline;
        case Symbol::play:
            // The stroke rounds the triangle's corners.
            return stroke(outline, strokeWidth).united(outline).simplified();
        case Symbol::square: {
            const double half = strokeWidth / 2;
            return stroke(roundedSquare(s.adjusted(half, half, -half, -half), side * 0.22), strokeWidth);
        }
        case Symbol::checkmarkSquareFill: {
            const QRectF inner = s.adjusted(side * 0.18, side * 0.18, -side * 0.18, -side * 0.18);
            return roundedSquare(s, side * 0.22).subtracted(symbolPath(Symbol::checkmark, inner, strokeWidth));
        }
        default:
            break;
    }
    QPainterPath stroked = stroke(outline, strokeWidth);
    if (symbol == Symbol::listBullet) {
        for (double y : {0.24, 0.5, 0.76}) {
            QPainterPath dot;
            dot.addEllipse(transform.map(QPointF(0.16, y)), side * 0.07, side * 0.07);
            stroked = stroked.united(dot);
        }
    }
    return stroked.simplified();
}

void paintSymbol(QPainter& painter, Symbol symbol, const QRectF& box, const QColor& colour, double strokeWidth) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillPath(symbolPath(symbol, box, strokeWidth), colour);
    painter.restore();
}

double symbolStroke(double pointSize, double boldness) {
    return pointSize * (0.08 + 0.06 * std::clamp(boldness, 0.0, 1.0));
}

}  // namespace WaylarkKit
