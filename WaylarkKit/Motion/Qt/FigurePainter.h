#pragma once

#include <unordered_map>

#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QTransform>

#include "WaylarkKit/Motion/FigureLook.h"

namespace WaylarkKit {

QPainterPath toPainterPath(const VectorPath& path);
VectorPath fromPainterPath(const QPainterPath& path);
QTransform toQTransform(const Affine& map);

// Paints sampled figures: the one routine behind every animated view, its
// images in tests and the benchmarks. It draws vectors through the painter's
// own transform, so a device of any pixel ratio gets sharp edges, every frame.
// Keeps each node's path between frames; `forget()` after the figure is rebuilt.
class FigurePainter {
public:
    // `figureToPainter` maps figure units to the painter's coordinates. Items
    // wholly outside `exposed` (painter coordinates; empty means everything)
    // are skipped.
    void paint(QPainter& painter, const FigureLook& look, const QTransform& figureToPainter,
               const QRectF& exposed = QRectF());
    void forget() { paths_.clear(); }

private:
    const QPainterPath& pathOf(const FigureNode& node);
    std::unordered_map<const FigureNode*, QPainterPath> paths_;
};

}  // namespace WaylarkKit
