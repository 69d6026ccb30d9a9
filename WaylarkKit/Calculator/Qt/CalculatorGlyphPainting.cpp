#include "WaylarkKit/Calculator/Qt/CalculatorGlyphPainting.h"

#include <QPainterPath>
#include <QPainterPathStroker>

#include "WaylarkKit/Calculator/CalculatorGlyph.h"

namespace WaylarkKit {

namespace {

QRectF toRect(const IslandKit::Rect& r) { return QRectF(r.x, r.y, r.width, r.height); }

// The glyph's outlines with its top-left at (0, 0), made once: the glyph sits
// beside countdowns whose every tick repaints it, and stroking its frame anew
// each time cost more than filling it.
struct Outlines {
    QPainterPath frame;
    QPainterPath filled;
};

const Outlines& outlines() {
    static const Outlines made = [] {
        const CalculatorGlyph glyph = CalculatorGlyph::shape();
        Outlines o;
        QPainterPath body;
        body.addRoundedRect(toRect(glyph.body), CalculatorGlyph::bodyRadius, CalculatorGlyph::bodyRadius);
        QPainterPathStroker stroker;
        stroker.setWidth(CalculatorGlyph::bodyLineWidth);
        o.frame = stroker.createStroke(body);
        o.filled.addRoundedRect(toRect(glyph.display), CalculatorGlyph::displayRadius, CalculatorGlyph::displayRadius);
        for (const auto& key : glyph.keys) o.filled.addRect(toRect(key));
        return o;
    }();
    return made;
}

}  // namespace

void paintCalculatorGlyph(QPainter& painter, QPointF origin, const QColor& colour) {
    const Outlines& glyph = outlines();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(origin);
    painter.fillPath(glyph.frame, colour);
    painter.fillPath(glyph.filled, colour);
    painter.restore();
}

}  // namespace WaylarkKit
