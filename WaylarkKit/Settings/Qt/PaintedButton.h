#pragma once

#include <functional>
#include <string>

#include <QWidget>

namespace WaylarkKit {

// A plain button: no bezel, its look painted by its owner, and only its hit
// shape takes clicks (a capsule's corners or a circle's surroundings do not).
// A disabled button takes no clicks at all.
class PaintedButton : public QWidget {
public:
    enum class HitShape { rectangle, capsule, circle };
    using Painter = std::function<void(QPainter&, const QRectF& bounds)>;

    explicit PaintedButton(QWidget* parent = nullptr);

    void setPainter(Painter painter);
    // The same, but repaints only when `look` -- a few words that name what
    // the painter draws -- differs from the look shown now.
    void setPainter(Painter painter, std::string look);
    void setHitShape(HitShape shape) { shape_ = shape; }
    void setOnClick(std::function<void()> onClick) { onClick_ = std::move(onClick); }
    // Whether `point` (in the button's coordinates) lies on its hit shape.
    bool hits(const QPointF& point) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Painter painter_;
    std::string look_;
    HitShape shape_ = HitShape::rectangle;
    std::function<void()> onClick_;
    bool pressed_ = false;
};

}  // namespace WaylarkKit
