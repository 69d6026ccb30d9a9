#pragma once

#include <QColor>
#include <QPainter>
#include <QPointF>

#include "WaylarkKit/Style/Qt/Symbols.h"

namespace WaylarkKit {

// A shared symbol `side` points square, centred on `centre`. The tab repaints every second with the same few symbols, so each
// outline is built once and reused rather than stroked and simplified anew.
void paintTimelineSymbol(QPainter& painter, Symbol symbol, QPointF centre, double side, const QColor& colour,
                         double strokeWidth);

}  // namespace WaylarkKit
