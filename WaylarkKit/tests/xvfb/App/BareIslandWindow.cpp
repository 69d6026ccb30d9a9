// The yardstick of the running app's cost: a bare translucent Qt window of the
// compact island's size at the top of the screen that repaints once a second,
// as the island's countdown does, and nothing else.

#include <QScreen>
#include <QTime>
#include <QTimer>

#include "WaylarkKit/tests/xvfb/support/XvfbDriving.h"

namespace {

class Bare final : public WaylarkKit::Xvfb::Slab {
public:
    Bare() : Slab(12, true) {
        resize(300, 32);
        connect(&timer_, &QTimer::timeout, this, [this] { update(); });
        timer_.start(1000);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        Slab::paintEvent(event);
        QPainter painter(this);
        painter.setPen(Qt::white);
        painter.drawText(rect(), Qt::AlignCenter, QTime::currentTime().toString("HH:mm:ss"));
    }

private:
    QTimer timer_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    Bare bare;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    bare.move(screen.center().x() - bare.width() / 2, 0);
    bare.show();
    return QApplication::exec();
}
