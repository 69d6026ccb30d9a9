#include "WaylarkKit/Showreel/Qt/ShowreelBackdrop.h"

#include <QColor>
#include <QCursor>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QWidget>

#include "IslandKit/Window/X11.h"

namespace WaylarkKit {
namespace {

class WallpaperPanel final : public QWidget {
public:
    WallpaperPanel()
        : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                               Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_ShowWithoutActivating);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        paintWallpaper(painter, rect());
    }
};

}  // namespace

ShowreelBackdrop::ShowreelBackdrop() = default;
ShowreelBackdrop::~ShowreelBackdrop() = default;

void paintWallpaper(QPainter& painter, const QRectF& rect) {
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0, QColor::fromRgbF(0.83f, 0.41f, 0.16f));
    gradient.setColorAt(0.5, QColor::fromRgbF(0.55f, 0.24f, 0.42f));
    gradient.setColorAt(1, QColor::fromRgbF(0.17f, 0.11f, 0.26f));
    painter.fillRect(rect, gradient);
}

void ShowreelBackdrop::show(QScreen* screen) {
    if (!screen) return;
    const QRect frame = screen->geometry();
    auto panel = std::make_unique<WallpaperPanel>();
    panel->setScreen(screen);
    panel->setGeometry(frame);
    panel->show();
    panel->raise();
    // An empty input shape: every click reaches whatever lies below.
    IslandKit::X11::setInputShape(panel.get(), {});
    panels_.push_back(std::move(panel));
    QCursor::setPos(screen, frame.x() + frame.width() - 2, frame.y() + frame.height() - 2);
}

}  // namespace WaylarkKit
