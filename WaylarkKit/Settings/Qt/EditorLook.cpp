#include "WaylarkKit/Settings/Qt/EditorLook.h"

#include <algorithm>

#include <QFontMetricsF>
#include <QPainterPath>

namespace WaylarkKit::EditorLook {

QColor white(double opacity) { return QColor::fromRgbF(1, 1, 1, static_cast<float>(opacity)); }

QFont font(double size, FontWeight weight, double tracking) {
    QFont f = interFont(size, weight);
    if (tracking != 0) f.setLetterSpacing(QFont::AbsoluteSpacing, tracking);
    return f;
}

double textWidth(const QFont& font, const QString& text) { return QFontMetricsF(font).horizontalAdvance(text); }

void fillCapsule(QPainter& painter, const QRectF& box, const QColor& fill) {
    const double radius = std::min(box.width(), box.height()) / 2;
    fillRounded(painter, box, radius, fill);
}

void fillRounded(QPainter& painter, const QRectF& box, double radius, const QColor& fill) {
    if (fill.alpha() == 0) return;
    QPainterPath path;
    path.addRoundedRect(box, radius, radius);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(path, fill);
    painter.restore();
}

void paintCheckBox(QPainter& painter, const QRectF& box, double size, bool on, const QColor& colour) {
    // The symbol's square is a little smaller than its font size, like the
    // letters beside it; its corners are about a fifth of its side.
    const double side = size * 0.86;
    const QRectF square(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
    const double radius = side * 0.22;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (on) {
        QPainterPath filled;
        filled.addRoundedRect(square, radius, radius);
        QPainterPath check;
        check.moveTo(square.left() + side * 0.26, square.top() + side * 0.52);
        check.lineTo(square.left() + side * 0.43, square.top() + side * 0.69);
        check.lineTo(square.left() + side * 0.75, square.top() + side * 0.32);
        QPainterPathStroker stroker;
        stroker.setWidth(side * 0.13);
        stroker.setCapStyle(Qt::RoundCap);
        stroker.setJoinStyle(Qt::RoundJoin);
        painter.fillPath(filled.subtracted(stroker.createStroke(check)), colour);
    } else {
        const double stroke = std::max(1.0, side * 0.09);
        painter.setPen(QPen(colour, stroke));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(square.adjusted(stroke / 2, stroke / 2, -stroke / 2, -stroke / 2), radius, radius);
    }
    painter.restore();
}

void paintPlay(QPainter& painter, const QRectF& box, double size, const QColor& colour) {
    const double h = size;
    const double w = size * 0.86;
    const QPointF c = box.center();
    QPainterPath triangle;
    triangle.moveTo(c.x() - w / 2, c.y() - h / 2);
    triangle.lineTo(c.x() + w / 2, c.y());
    triangle.lineTo(c.x() - w / 2, c.y() + h / 2);
    triangle.closeSubpath();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // A thin stroke in the fill colour rounds the corners as the symbol does.
    painter.setPen(QPen(colour, size * 0.15, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(colour);
    painter.drawPath(triangle);
    painter.restore();
}

void drawText(QPainter& painter, const QRectF& box, const QFont& font, const QColor& colour, const QString& text,
              Qt::Alignment alignment) {
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(text);
    double x = box.left();
    if (alignment & Qt::AlignRight) x = box.right() - width;
    if (alignment & Qt::AlignHCenter) x = box.center().x() - width / 2;
    const double baseline = box.center().y() + (metrics.ascent() - metrics.descent()) / 2;
    painter.save();
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(QPointF(x, baseline), text);
    painter.restore();
}

}  // namespace WaylarkKit::EditorLook
