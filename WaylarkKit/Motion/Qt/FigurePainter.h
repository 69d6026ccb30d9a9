#pragma once

#include <unordered_map>

#include <QBrush>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QRegion>
#include <QTransform>

#include "WaylarkKit/Motion/FigureLook.h"

namespace WaylarkKit {

QPainterPath toPainterPath(const VectorPath& path);
VectorPath fromPainterPath(const QPainterPath& path);
QTransform toQTransform(const Affine& map);

// The widget area to repaint for figure areas that changed: each area mapped
// and grown by a little for anti-aliasing, kept apart so only what moved is
// repainted.
QRegion repaintRegion(const std::vector<IslandKit::Rect>& areas, const QTransform& figureToWidget);

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
               const QRegion& exposed = QRegion());
    void forget() { outlines_.clear(); }

private:
    // A node's outline, for a stroked node the outline of its stroke, and for
    // a node filled with a ramp its brush: all live in node space, so they are
    // made once and only transformed.
    struct Outlines {
        QPainterPath fill;
        QPainterPath stroke;
        QBrush ramp;
    };
    const Outlines& outlinesOf(const FigureNode& node);
    std::unordered_map<const FigureNode*, Outlines> outlines_;
};

}  // namespace WaylarkKit
