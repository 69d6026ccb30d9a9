#pragma once

#include <functional>
#include <optional>
#include <vector>

#include <QPainterPath>
#include <QPointF>
#include <QWidget>

namespace WaylarkKit {

// The plain buttons of one painted widget: each a shape that takes the click
// and an action. A click is a press and a release on the same shape, as a
// button's; a press outside every shape is left to the widget below.
class ClickTargets {
public:
    void clear() { targets_.clear(); }
    void add(const QPainterPath& shape, std::function<void()> action);
    void add(const QRectF& rect, std::function<void()> action);

    // True when a shape took the press.
    bool press(const QPointF& point);
    // Runs the pressed shape's action when the release lands on it too.
    void release(const QPointF& point);

private:
    std::optional<std::size_t> find(const QPointF& point) const;

    struct Target {
        QPainterPath shape;
        std::function<void()> action;
    };
    std::vector<Target> targets_;
    std::optional<std::size_t> pressed_;
};

// A painted widget whose controls are click targets; a press on none of them
// goes on to the widget below.
class ClickableWidget : public QWidget {
public:
    using QWidget::QWidget;

protected:
    ClickTargets& targets() { return targets_; }
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    ClickTargets targets_;
};

}  // namespace WaylarkKit
