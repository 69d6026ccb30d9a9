#include "IslandKit/View/IslandSurface.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

#include "IslandKit/View/QtGeometry.h"

namespace IslandKit {

IslandSurface::IslandSurface(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_NoSystemBackground);
}

void IslandSurface::setShape(const IslandShape& shape) {
    if (shape == shape_) return;
    shape_ = shape;
    updateMask();
    update();
}

void IslandSurface::setNotchLabel(const QString& text, const QRectF& rect) {
    if (text == label_ && rect == labelRect_) return;
    label_ = text;
    labelRect_ = rect;
    update();
}

QPainterPath IslandSurface::outline() const {
    return toPainterPath(shape_.path(Rect{0, 0, static_cast<double>(width()), static_cast<double>(height())}));
}

void IslandSurface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(outline(), Qt::black);
    if (!label_.isEmpty()) {
        QFont font = painter.font();
        font.setPixelSize(11);
        font.setWeight(QFont::DemiBold);
        painter.setFont(font);
        painter.setPen(QColor::fromRgbF(1, 1, 1, 0.85f));
        const QString shown = painter.fontMetrics().elidedText(label_, Qt::ElideRight, labelRect_.toRect().width());
        painter.drawText(labelRect_, Qt::AlignCenter | Qt::TextSingleLine, shown);
    }
}

void IslandSurface::resizeEvent(QResizeEvent*) { updateMask(); }

// The mask both clips the slot views to the outline and keeps taps on the
// transparent corners from counting.
void IslandSurface::updateMask() {
    const QPolygon polygon = outline().toFillPolygon().toPolygon();
    if (polygon.isEmpty()) {
        setMask(QRegion(0, 0, 1, 1));
        return;
    }
    setMask(QRegion(polygon));
}

void IslandSurface::mousePressEvent(QMouseEvent* event) {
    pressed_ = outline().contains(event->position());
    event->accept();
}

void IslandSurface::mouseReleaseEvent(QMouseEvent* event) {
    const bool tapped = pressed_ && outline().contains(event->position());
    pressed_ = false;
    event->accept();
    if (tapped && onTap_) onTap_(event->position());
}

}  // namespace IslandKit
