#include "WaylarkKit/Style/Qt/Symbols.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <QPainterPathStroker>

namespace WaylarkKit {

namespace {

// Outlines are drawn on a unit square (y down) and scaled into the box.
QPainterPath unitOutline(Symbol symbol) {
    QPainterPath path;
    switch (symbol) {
        case Symbol::timer: {
            path.addEllipse(QPointF(0.5, 0.56), 0.36, 0.36);
            path.moveTo(0.5, 0.08);
            path.lineTo(0.5, 0.2);
            path.moveTo(0.4, 0.08);
            path.lineTo(0.6, 0.08);
            // The hand points a little past the top, as a running timer's does.
            const double angle = -std::numbers::pi / 2 + std::numbers::pi / 5;
            path.moveTo(0.5, 0.56);
            path.lineTo(0.5 + 0.22 * std::cos(angle), 0.56 + 0.22 * std::sin(angle));
            break;
        }
        case Symbol::pencil:
            path.moveTo(0.16, 0.84);
            path.lineTo(0.22, 0.62);
            path.lineTo(0.68, 0.16);
            path.lineTo(0.84, 0.32);
            path.lineTo(0.38, 0.78);
            path.closeSubpath();
            path.moveTo(0.58, 0.26);
            path.lineTo(0.74, 0.42);
            break;
        case Symbol::chevronDown:
            path.moveTo(0.18, 0.36);
            path.lineTo(0.5, 0.68);
            path.lineTo(0.82, 0.36);
            break;
        case Symbol::checkmark:
            path.moveTo(0.16, 0.52);
            path.lineTo(0.4, 0.76);
            path.lineTo(0.86, 0.24);
            break;
        case Symbol::plus:
            path.moveTo(0.5, 0.16);
            path.lineTo(0.5, 0.84);
            path.moveTo(0.16, 0.5);
            path.lineTo(0.84, 0.5);
            break;
        case Symbol::plusCircleFill:
            path.moveTo(0.5, 0.28);
            path.lineTo(0.5, 0.72);
            path.moveTo(0.28, 0.5);
            path.lineTo(0.72, 0.5);
            break;
        case Symbol::xmark:
            path.moveTo(0.2, 0.2);
            path.lineTo(0.8, 0.8);
            path.moveTo(0.8, 0.2);
            path.lineTo(0.2, 0.8);
            break;
        case Symbol::minus:
            path.moveTo(0.16, 0.5);
            path.lineTo(0.84, 0.5);
            break;
        case Symbol::listBullet:
            for (double y : {0.24, 0.5, 0.76}) {
                path.moveTo(0.36, y);
                path.lineTo(0.88, y);
            }
            break;
        case Symbol::calendar:
            path.addRoundedRect(QRectF(0.1, 0.18, 0.8, 0.7), 0.12, 0.12);
            path.moveTo(0.1, 0.38);
            path.lineTo(0.9, 0.38);
            path.moveTo(0.32, 0.1);
            path.lineTo(0.32, 0.26);
            path.moveTo(0.68, 0.1);
            path.lineTo(0.68, 0.26);
            break;
    }
    return path;
}

QTransform unitToBox(const QRectF& box) {
    const double side = std::min(box.width(), box.height());
    const QPointF origin(box.center().x() - side / 2, box.center().y() - side / 2);
    return QTransform::fromTranslate(origin.x(), origin.y()).scale(side, side);
}

}  // namespace

QPainterPath symbolPath(Symbol symbol, const QRectF& box, double strokeWidth) {
    const QTransform transform = unitToBox(box);
    const QPainterPath outline = transform.map(unitOutline(symbol));
    QPainterPathStroker stroker;
    stroker.setWidth(strokeWidth);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    QPainterPath stroked = stroker.createStroke(outline);

    if (symbol == Symbol::plusCircleFill) {
        // A filled disc with the plus cut out of it.
        QPainterPath circle;
        const double side = std::min(box.width(), box.height());
        circle.addEllipse(box.center(), side * 0.46, side * 0.46);
        return circle.subtracted(stroked);
    }
    if (symbol == Symbol::listBullet) {
        const double side = std::min(box.width(), box.height());
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

QPixmap symbolPixmap(Symbol symbol, int pixels, const QColor& colour) {
    QPixmap pixmap(pixels, pixels);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const double inset = pixels * 0.06;
    paintSymbol(painter, symbol, QRectF(inset, inset, pixels - 2 * inset, pixels - 2 * inset), colour,
                symbolStroke(pixels, 0.7));
    return pixmap;
}

}  // namespace WaylarkKit
