#pragma once

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>

// The two symbols only the calculator draws, in the manner of the shared
// symbol set: a filled disc with an exclamation mark cut out, and a pair of
// opposed arrows for a mode switch.
namespace WaylarkKit::CalculatorSymbols {

QPainterPath exclamationCircleFill(const QRectF& box);
QPainterPath arrowLeftRight(const QRectF& box, double strokeWidth);

void paint(QPainter& painter, const QPainterPath& path, const QColor& colour);

}  // namespace WaylarkKit::CalculatorSymbols
