#include "WaylarkKit/Settings/Qt/EditorLook.h"

#include <algorithm>

#include <QFontMetricsF>
#include <QPainterPath>

#include "WaylarkKit/Style/Qt/Symbols.h"

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
    // The symbol's square is a little smaller than its font size, like the letters beside it.
    const double side = size * 0.86;
    paintSymbol(painter, on ? Symbol::checkmarkSquareFill : Symbol::square,
                QRectF(box.center().x() - side / 2, box.center().y() - side / 2, side, side), colour,
                on ? side * 0.13 : std::max(1.0, side * 0.09));
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
