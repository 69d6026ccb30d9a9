#pragma once

#include <memory>
#include <vector>

#include <QRectF>

class QPainter;
class QScreen;
class QWidget;

namespace WaylarkKit {

// The calm background of the showreel: an opaque, borderless window over a
// whole screen, under the island, painted with the wallpaper gradient. Clicks
// pass through it. The application makes one at start-up and shows it only
// when the showreel starts, before the islands exist, so they stack above it.
class ShowreelBackdrop {
public:
    ShowreelBackdrop();
    ~ShowreelBackdrop();
    ShowreelBackdrop(const ShowreelBackdrop&) = delete;
    ShowreelBackdrop& operator=(const ShowreelBackdrop&) = delete;

    // Opens one more panel over `screen` and parks the pointer two points
    // inside its bottom-right corner. Every call adds a panel; none is ever
    // hidden or closed.
    void show(QScreen* screen);

    // In the order shown.
    const std::vector<std::unique_ptr<QWidget>>& panels() const { return panels_; }

private:
    std::vector<std::unique_ptr<QWidget>> panels_;
};

// The wallpaper: burnt orange at the top, plum halfway, deep violet at the bottom.
void paintWallpaper(QPainter& painter, const QRectF& rect);

}  // namespace WaylarkKit
