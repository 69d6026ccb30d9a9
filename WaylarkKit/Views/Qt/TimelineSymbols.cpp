#include "WaylarkKit/Views/Qt/TimelineSymbols.h"

#include <map>
#include <tuple>

#include <QPainterPath>

namespace WaylarkKit {

void paintTimelineSymbol(QPainter& painter, Symbol symbol, QPointF centre, double side, const QColor& colour,
                         double strokeWidth) {
    // Main thread only, as all painting is.
    static std::map<std::tuple<Symbol, double, double>, QPainterPath> outlines;
    const auto key = std::make_tuple(symbol, side, strokeWidth);
    auto found = outlines.find(key);
    if (found == outlines.end()) {
        found = outlines.emplace(key, symbolPath(symbol, QRectF(-side / 2, -side / 2, side, side), strokeWidth)).first;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(centre);
    painter.fillPath(found->second, colour);
    painter.restore();
}

}  // namespace WaylarkKit
