#pragma once

#include <functional>

#include <QString>
#include <QWidget>

#include "IslandKit/Shape/IslandShape.h"

namespace IslandKit {

// The black island itself: fills the island's outline, writes the virtual
// notch's label, clips what it holds to the outline and takes taps only
// inside it.
class IslandSurface final : public QWidget {
public:
    explicit IslandSurface(QWidget* parent = nullptr);

    void setShape(const IslandShape& shape);
    // The label drawn in the virtual notch; an empty text draws nothing.
    void setNotchLabel(const QString& text, const QRectF& rect);
    void setOnTap(std::function<void(QPointF)> onTap) { onTap_ = std::move(onTap); }

    QPainterPath outline() const;
    const QString& notchLabel() const { return label_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void updateMask();

    IslandShape shape_;
    QString label_;
    QRectF labelRect_;
    bool pressed_ = false;
    std::function<void(QPointF)> onTap_;
};

}  // namespace IslandKit
