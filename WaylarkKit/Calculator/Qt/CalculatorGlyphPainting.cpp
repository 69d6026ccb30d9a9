#include "WaylarkKit/Calculator/Qt/CalculatorGlyphPainting.h"

#include <QPainterPath>
#include <QPen>

#include "WaylarkKit/Calculator/CalculatorGlyph.h"

namespace WaylarkKit {

namespace {

QRectF toRect(const IslandKit::Rect& r, QPointF origin) {
    return QRectF(origin.x() + r.x, origin.y() + r.y, r.width, r.height);
}

}  // namespace

void paintCalculatorGlyph(QPainter& painter, QPointF origin, const QColor& colour) {
    const CalculatorGlyph glyph = CalculatorGlyph::shape();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath body;
    body.addRoundedRect(toRect(glyph.body, origin), CalculatorGlyph::bodyRadius, CalculatorGlyph::bodyRadius);
    painter.strokePath(body, QPen(colour, CalculatorGlyph::bodyLineWidth));
    QPainterPath filled;
    filled.addRoundedRect(toRect(glyph.display, origin), CalculatorGlyph::displayRadius,
                          CalculatorGlyph::displayRadius);
    for (const auto& key : glyph.keys) filled.addRect(toRect(key, origin));
    painter.fillPath(filled, colour);
    painter.restore();
}

}  // namespace WaylarkKit
