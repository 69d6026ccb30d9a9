#pragma once

#include <vector>

#include <QPainterPath>
#include <QRectF>

#include "IslandKit/Geometry/Rect.h"
#include "IslandKit/Shape/IslandShape.h"

namespace IslandKit {

inline QRectF toQRectF(const Rect& r) { return QRectF(r.x, r.y, r.width, r.height); }

QPainterPath toPainterPath(const std::vector<PathElement>& elements);

}  // namespace IslandKit
