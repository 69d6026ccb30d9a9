#include "WaylarkKit/Views/Qt/TimelinePainter.h"

#include <algorithm>
#include <cmath>
#include <map>

#include <QFontMetricsF>
#include <QImage>
#include <QPainterPath>

#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Style/Qt/Fonts.h"
#include "WaylarkKit/Style/Qt/QtColor.h"
#include "WaylarkKit/Style/Qt/TextDrawing.h"
#include "WaylarkKit/Views/Qt/TimelineSymbols.h"
#include "WaylarkKit/Views/TimelineTabLook.h"

namespace WaylarkKit {

namespace {

QRectF toQRect(const IslandKit::Rect& rect) { return {rect.x, rect.y, rect.width, rect.height}; }

// The rectangle moved to whole device pixels, by less than half of one. Its
// straight edges then need no blending, which keeps each fill of the bar
// small enough to be done at once rather than spread over worker threads.
QRectF onPixels(const QPainter& painter, const QRectF& rect) {
    const QTransform& toDevice = painter.deviceTransform();
    if (toDevice.type() > QTransform::TxScale) return rect;
    const QRectF device = toDevice.mapRect(rect);
    const QRectF snapped(QPointF(std::round(device.left()), std::round(device.top())),
                         QPointF(std::round(device.right()), std::round(device.bottom())));
    return toDevice.inverted().mapRect(snapped);
}

QPainterPath roundedPath(const QRectF& rect, double radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QPainterPath capsule(const QRectF& rect) {
    const double radius = std::min(rect.width(), rect.height()) / 2;
    return roundedPath(rect, radius);
}

// A border drawn inside the shape's edge, as a stroke of the inset shape.
void strokeInside(QPainter& painter, const QRectF& rect, double radius, const QColor& colour, double lineWidth) {
    const double inset = lineWidth / 2;
    const QRectF inner = rect.adjusted(inset, inset, -inset, -inset);
    if (inner.width() <= 0 || inner.height() <= 0) return;
    painter.strokePath(roundedPath(inner, std::max(radius - inset, 0.0)), QPen(colour, lineWidth));
}

double lineHeight(const QFont& font) {
    const QFontMetricsF metrics(font);
    return metrics.ascent() + metrics.descent();
}

// The hatching as one repeating tile of the fill and its stripes: the stripes
// rise at 45°, so a square as wide as their spacing repeats them exactly, and
// filling with it costs a fraction of stroking every stripe of a long macro.
// Anchored at the painter's origin, a stripe passes through that corner.
QBrush hatchBrush(double ratio) {
    using namespace TimelineTabLook;
    static std::map<int, QImage> tiles;
    const int pixels = std::max(1, static_cast<int>(std::lround(Hatch::stripeSpacing * ratio)));
    auto tile = tiles.find(pixels);
    if (tile == tiles.end()) {
        QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
        image.fill(toQColor(Palette::orange.withOpacity(Hatch::fillOpacity)));
        QPainter tilePainter(&image);
        tilePainter.setRenderHint(QPainter::Antialiasing, true);
        tilePainter.scale(pixels / Hatch::stripeSpacing, pixels / Hatch::stripeSpacing);
        QPainterPath stripes;
        // The stripe through this corner and its neighbours, which the tile's edges cut.
        for (double c : {0.0, Hatch::stripeSpacing, 2 * Hatch::stripeSpacing}) {
            stripes.moveTo(c + Hatch::stripeWidth, -Hatch::stripeWidth);
            stripes.lineTo(-Hatch::stripeWidth, c + Hatch::stripeWidth);
        }
        tilePainter.strokePath(stripes, QPen(toQColor(Palette::orange.withOpacity(Hatch::stripeOpacity)),
                                             Hatch::stripeWidth, Qt::SolidLine, Qt::FlatCap));
        tilePainter.end();
        tile = tiles.emplace(pixels, std::move(image)).first;
    }
    QBrush brush(tile->second);
    brush.setTransform(QTransform::fromScale(Hatch::stripeSpacing / pixels, Hatch::stripeSpacing / pixels));
    return brush;
}

void paintPieces(QPainter& painter, const TimelineCanvas& canvas) {
    for (const TimelineCanvas::Piece& piece : canvas.pieces) {
        const QRectF rect = onPixels(painter, toQRect(piece.frame));
        if (rect.width() <= 0) continue;
        painter.fillPath(roundedPath(rect, 3), toQColor(piece.fill));
        if (piece.selected) strokeInside(painter, rect, 3, Qt::white, 1.5);
    }
    for (const TimelineCanvas::MacroPiece& piece : canvas.macroPieces) {
        paintHatchedOverlay(painter, onPixels(painter, toQRect(piece.frame)), piece.selected);
    }
    painter.fillRect(onPixels(painter, toQRect(canvas.pastDim)), toQColor(Palette::black.withOpacity(0.35)));
}

void paintRails(QPainter& painter, const TimelineCanvas& canvas) {
    for (const TimelineCanvas::Rail& rail : canvas.rails) {
        // The darkened past and the selection's border lie inside the rail's
        // capsule by their shape, so nothing needs clipping to it.
        const QRectF rect = toQRect(rail.frame);
        painter.fillPath(capsule(rect), toQColor(rail.color));
        if (rail.past > 0) {
            painter.fillPath(capsule(QRectF(rect.x(), rect.y(), rail.past, rect.height())),
                             toQColor(Palette::black.withOpacity(0.45)));
        }
        if (rail.selected) strokeInside(painter, rect, rect.height() / 2, Qt::white, 1);
    }
}

void paintTicks(QPainter& painter, const TimelineCanvas& canvas) {
    const QFont font = interFont(11, FontWeight::medium);
    const double height = lineHeight(font);
    for (const TimelineCanvas::Tick& tick : canvas.ticks) {
        painter.fillRect(toQRect(tick.mark), toQColor(Palette::white.withOpacity(tick.labeled ? 0.4 : 0.22)));
        if (!tick.label) continue;
        painter.setPen(toQColor(Palette::white.withOpacity(0.62)));
        MonoDigits::drawIn(painter, QRectF(tick.x - 22, 84, 44, height), Qt::AlignHCenter, font,
                           QString::fromStdString(*tick.label));
    }
}

void paintEdges(QPainter& painter, const TimelineCanvas& canvas) {
    if (canvas.edges.empty()) return;
    const QColor colour = toQColor(canvas.edgeColor);
    const QFont font = interFont(10, FontWeight::semibold);
    const double height = lineHeight(font);
    for (const TimelineCanvas::Edge& edge : canvas.edges) {
        const double x = edge.label.x;
        if (edge.label.isBeyond) {
            // A chevron pointing right, past the bar's end.
            paintTimelineSymbol(painter, Symbol::chevronRight, QPointF(x - 4.5, 79), 7, colour, symbolStroke(7, 1));
        } else {
            painter.fillRect(QRectF(x - 0.75, 76, 1.5, 6), colour);
        }
        painter.setPen(colour);
        MonoDigits::drawIn(painter, QRectF(edge.center - 20, 85, 40, height), Qt::AlignHCenter, font,
                           QString::fromStdString(edge.label.text));
    }
}

void paintMarkers(QPainter& painter, const TimelineCanvas& canvas) {
    const QFont font = interFont(9, FontWeight::semibold);
    const double labelHeight = lineHeight(font);
    constexpr double symbolHeight = 6;
    constexpr double spacing = 1;
    for (const TimelineCanvas::Marker& marker : canvas.markers) {
        const QRectF frame = toQRect(marker.frame);
        const QColor colour = toQColor(marker.color);
        const double top = frame.top() + (frame.height() - (labelHeight + spacing + symbolHeight)) / 2;
        const QString label = elided(QString::fromStdString(marker.label), font, frame.width());
        painter.setFont(font);
        painter.setPen(colour);
        painter.drawText(QRectF(frame.left(), top, frame.width(), labelHeight), Qt::AlignHCenter | Qt::AlignVCenter,
                         label);
        const double symbolTop = top + labelHeight + spacing;
        if (marker.isHoliday) {
            paintTimelineSymbol(painter, Symbol::calendar, QPointF(marker.x, symbolTop + 3), 7, colour,
                                symbolStroke(7, 0.5));
        } else {
            paintTimelineSymbol(painter, Symbol::triangleDownFill, QPointF(marker.x, symbolTop + 3), 7, colour, 0);
        }
    }
}

}  // namespace

void paintHatchedOverlay(QPainter& painter, const QRectF& frame, bool selected) {
    using namespace TimelineTabLook;
    if (frame.width() <= 0 || frame.height() <= 0) return;
    painter.save();
    painter.translate(frame.topLeft());
    const QRectF shape(0, 0, frame.width(), frame.height());
    painter.fillPath(roundedPath(shape, Hatch::cornerRadius), hatchBrush(painter.device()->devicePixelRatioF()));
    // The outline is stroked on the shape's edge and clipped to it, so only its inner half shows.
    const Hatch::Outline outline = Hatch::outline(selected);
    strokeInside(painter, shape, Hatch::cornerRadius, toQColor(outline.color), outline.lineWidth / 2);
    painter.restore();
}

void paintTimelineCanvas(QPainter& painter, const TimelineCanvas& canvas) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    paintPieces(painter, canvas);
    paintRails(painter, canvas);
    paintTicks(painter, canvas);
    paintEdges(painter, canvas);
    paintMarkers(painter, canvas);

    const QRectF line = toQRect(canvas.nowLine);
    painter.fillPath(capsule(line), Qt::white);
    const QFont nowFont = interFont(13, FontWeight::semibold);
    painter.setPen(toQColor(Palette::white.withOpacity(0.95)));
    MonoDigits::drawIn(painter, QRectF(canvas.nowX - 40, 13, 80, 14), Qt::AlignHCenter, nowFont,
                       QString::fromStdString(canvas.nowText));
    painter.restore();
}

}  // namespace WaylarkKit
