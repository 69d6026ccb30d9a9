#include "WaylarkKit/Settings/Qt/PaintedButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace WaylarkKit {

PaintedButton::PaintedButton(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
}

void PaintedButton::setPainter(Painter painter) {
    painter_ = std::move(painter);
    look_.clear();
    update();
}

void PaintedButton::setPainter(Painter painter, std::string look) {
    if (painter_ && look == look_) return;
    painter_ = std::move(painter);
    look_ = std::move(look);
    update();
}

bool PaintedButton::hits(const QPointF& point) const {
    const QRectF bounds(rect());
    if (!bounds.contains(point)) return false;
    QPainterPath shape;
    switch (shape_) {
        case HitShape::rectangle:
            return true;
        case HitShape::capsule: {
            const double radius = std::min(bounds.width(), bounds.height()) / 2;
            shape.addRoundedRect(bounds, radius, radius);
            break;
        }
        case HitShape::circle:
            shape.addEllipse(bounds);
            break;
    }
    return shape.contains(point);
}

void PaintedButton::paintEvent(QPaintEvent*) {
    if (!painter_) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter_(painter, QRectF(rect()));
}

void PaintedButton::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton && hits(event->position());
    event->setAccepted(pressed_);
}

void PaintedButton::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton && hits(event->position());
    pressed_ = false;
    // The action may replace or drop this button; nothing of it is touched after.
    if (click && onClick_) {
        auto action = onClick_;
        action();
    }
}

}  // namespace WaylarkKit
