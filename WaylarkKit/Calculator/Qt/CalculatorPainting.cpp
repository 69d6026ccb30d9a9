#include "WaylarkKit/Calculator/Qt/CalculatorPainting.h"

#include <QFontMetricsF>
#include <QPainterPath>

#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Style/Qt/QtColor.h"

namespace WaylarkKit::CalculatorPainting {

QColor white(double opacity) { return toQColor(Palette::white.withOpacity(opacity)); }

QColor colour(const Rgba& rgba, double opacity) { return toQColor(rgba.withOpacity(rgba.opacity * opacity)); }

QFont font(double size, FontWeight weight, double tracking) {
    QFont result = interFont(size, weight);
    if (tracking != 0) result.setLetterSpacing(QFont::AbsoluteSpacing, tracking);
    return result;
}

double textWidth(const QFont& font, const QString& text) { return QFontMetricsF(font).horizontalAdvance(text); }

double lineHeight(const QFont& font) { return QFontMetricsF(font).height(); }

double wrappedHeight(const QFont& font, const QString& text, double width) {
    return QFontMetricsF(font).boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, text).height();
}

void fillCapsule(QPainter& painter, const QRectF& rect, const QColor& fill) {
    fillRounded(painter, rect, rect.height() / 2, fill);
}

void fillRounded(QPainter& painter, const QRectF& rect, double radius, const QColor& fill) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillPath(path, fill);
    painter.restore();
}

void drawLine(QPainter& painter, const QRectF& rect, const QFont& font, const QColor& colour, const QString& text,
              Qt::Alignment horizontal) {
    painter.save();
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(rect, static_cast<int>(horizontal | Qt::AlignVCenter | Qt::TextSingleLine), text);
    painter.restore();
}

void drawWrapped(QPainter& painter, const QRectF& rect, const QFont& font, const QColor& colour, const QString& text) {
    painter.save();
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    painter.restore();
}

}  // namespace WaylarkKit::CalculatorPainting
