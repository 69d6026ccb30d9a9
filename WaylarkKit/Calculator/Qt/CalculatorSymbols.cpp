#include "WaylarkKit/Calculator/Qt/CalculatorSymbols.h"

#include <algorithm>

#include <QPainterPathStroker>

namespace WaylarkKit::CalculatorSymbols {

namespace {

// The square of side min(width, height) centred in `box`.
QRectF square(const QRectF& box) {
    const double side = std::min(box.width(), box.height());
    return QRectF(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
}

}  // namespace

QPainterPath exclamationCircleFill(const QRectF& box) {
    const QRectF s = square(box);
    const double side = s.width();
    QPainterPath disc;
    disc.addEllipse(s.center(), side * 0.48, side * 0.48);
    QPainterPath mark;
    const double barWidth = side * 0.13;
    mark.addRoundedRect(QRectF(s.center().x() - barWidth / 2, s.top() + side * 0.2, barWidth, side * 0.38),
                        barWidth / 2, barWidth / 2);
    mark.addEllipse(QPointF(s.center().x(), s.top() + side * 0.74), side * 0.08, side * 0.08);
    return disc.subtracted(mark);
}

QPainterPath arrowLeftRight(const QRectF& box, double strokeWidth) {
    const QRectF s = square(box);
    const auto at = [&](double x, double y) { return QPointF(s.left() + x * s.width(), s.top() + y * s.height()); };
    QPainterPath outline;
    // Upper arrow pointing left, lower arrow pointing right.
    outline.moveTo(at(0.9, 0.3));
    outline.lineTo(at(0.1, 0.3));
    outline.moveTo(at(0.3, 0.1));
    outline.lineTo(at(0.1, 0.3));
    outline.lineTo(at(0.3, 0.5));
    outline.moveTo(at(0.1, 0.7));
    outline.lineTo(at(0.9, 0.7));
    outline.moveTo(at(0.7, 0.5));
    outline.lineTo(at(0.9, 0.7));
    outline.lineTo(at(0.7, 0.9));
    QPainterPathStroker stroker;
    stroker.setWidth(strokeWidth);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(outline).simplified();
}

void paint(QPainter& painter, const QPainterPath& path, const QColor& colour) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillPath(path, colour);
    painter.restore();
}

}  // namespace WaylarkKit::CalculatorSymbols
