#pragma once

#include <functional>

#include <QImage>
#include <QPointer>
#include <QWidget>

#include "IslandKit/Geometry/Rect.h"
#include "IslandKit/Model/IslandView.h"

class QGraphicsOpacityEffect;

namespace IslandKit {

// Fills an overlay panel: the screen's snapshot, blurred and dimmed, with the
// card centred on it. Everything is painted, fades included, so it needs no
// compositor. A tap on the backdrop (pressed and released there) calls
// `onDismiss`; clicks on the card (its margin included) stay with the card.
class OverlayRootView final : public QWidget {
public:
    static constexpr double cardPadding = 20;
    static constexpr double cardCornerRadius = 18;
    static constexpr double dimOpacity = 0.35;
    static constexpr double cardOpacity = 0.88;

    OverlayRootView(const IslandView& content, Size cardSize, QImage snapshot, std::function<void()> onDismiss,
                    QWidget* parent = nullptr);

    // How far the card has faded in, 0 to 1.
    void setFade(double fade);
    double fade() const { return fade_; }
    const QImage& snapshot() const { return snapshot_; }
    QRect cardRect() const;
    QWidget* card() const { return card_; }
    QWidget* contentView() const { return content_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool onBackdrop(QPointF position) const;

    Size cardSize_;
    QImage snapshot_;
    QImage blurred_;
    std::function<void()> onDismiss_;
    double fade_ = 0;
    bool backdropPressed_ = false;
    QWidget* card_;
    QGraphicsOpacityEffect* cardEffect_;
    QPointer<QWidget> content_;
};

}  // namespace IslandKit
