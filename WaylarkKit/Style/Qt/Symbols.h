#pragma once

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>

namespace WaylarkKit {

// The symbols the views name, drawn in code so they look the same everywhere.
enum class Symbol {
    timer,
    pencil,
    chevronDown,
    checkmark,
    plus,
    plusCircleFill,
    xmark,
    minus,
    listBullet,
    calendar,
    chevronUp,
    chevronRight,
    // The news marker's triangle, seven wide and six tall.
    triangleDownFill,
    play,
    exclamationCircleFill,
    arrowLeftRight,
    // The empty and ticked boxes of switches and menus; the empty one's
    // outline stays inside the square.
    square,
    checkmarkSquareFill,
};

// The symbol as a path to fill, fitted into the square centred in `box` and
// stroked `strokeWidth` wide (round caps and joins). Filled symbols ignore
// it, except that it rounds the corners of "play" and is the width of the
// check cut out of a ticked box.
QPainterPath symbolPath(Symbol symbol, const QRectF& box, double strokeWidth);

void paintSymbol(QPainter& painter, Symbol symbol, const QRectF& box, const QColor& colour, double strokeWidth);

// Stroke width that matches text of `pointSize` at a weight between
// regular (0) and bold (1).
double symbolStroke(double pointSize, double boldness = 0.5);

}  // namespace WaylarkKit
