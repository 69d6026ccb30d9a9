#include "WaylarkKit/Checklist/Qt/ClickTargets.h"

#include <utility>

#include <QMouseEvent>

namespace WaylarkKit {

void ClickTargets::add(const QPainterPath& shape, std::function<void()> action) {
    targets_.push_back({shape, std::move(action)});
    pressed_.reset();
}

void ClickTargets::add(const QRectF& rect, std::function<void()> action) {
    QPainterPath shape;
    shape.addRect(rect);
    add(shape, std::move(action));
}

std::optional<std::size_t> ClickTargets::find(const QPointF& point) const {
    // Later shapes lie on top.
    for (std::size_t i = targets_.size(); i-- > 0;) {
        if (targets_[i].shape.contains(point)) return i;
    }
    return std::nullopt;
}

bool ClickTargets::press(const QPointF& point) {
    pressed_ = find(point);
    return pressed_.has_value();
}

void ClickTargets::release(const QPointF& point) {
    const std::optional<std::size_t> pressed = std::exchange(pressed_, std::nullopt);
    if (!pressed || find(point) != pressed) return;
    // The action may rebuild the targets, so it runs from a copy.
    const std::function<void()> action = targets_[*pressed].action;
    if (action) action();
}

void ClickableWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !targets_.press(event->position())) event->ignore();
}

void ClickableWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) targets_.release(event->position());
}

}  // namespace WaylarkKit
