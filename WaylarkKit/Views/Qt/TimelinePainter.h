#pragma once

#include <QPainter>
#include <QRectF>

#include "WaylarkKit/Views/TimelineCanvas.h"

namespace WaylarkKit {

// Draws the placed timeline bar with the painter's origin at the canvas's
// top-left corner: pieces, hatched macro pieces, the dimmed past, rails,
// ticks and hour labels, selection edges, news markers, the now line and time.
void paintTimelineCanvas(QPainter& painter, const TimelineCanvas& canvas);

// The look of a macro piece over `frame`: faint orange, orange stripes rising
// at 45°, outlined orange, or white when `selected`; all clipped to the
// piece's rounded shape.
void paintHatchedOverlay(QPainter& painter, const QRectF& frame, bool selected);

}  // namespace WaylarkKit
