#pragma once

#include <QColor>
#include <QPainter>
#include <QPointF>

namespace WaylarkKit {

// The calculator icon on its 13 by 14 canvas with its top-left corner at
// `origin`, every part in `colour`.
void paintCalculatorGlyph(QPainter& painter, QPointF origin, const QColor& colour);

}  // namespace WaylarkKit
