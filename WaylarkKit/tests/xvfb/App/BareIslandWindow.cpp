// The yardstick of the running app's cost: a bare translucent Qt window of the
// compact island's size at the top of the screen that repaints once a second,
// as the island's countdown does, and nothing else.

#include <QScreen>
#include <QTime>
#include <QTimer>

#include "WaylarkKit/tests/xvfb/support/XvfbDriving.h"

namespace {

void paintBare(QPainter& painter, const QRect& area) {
    WaylarkKit::Xvfb::slab(12, true)(painter, area);
    painter.setPen(Qt::white);
    painter.drawText(area, Qt::AlignCenter, QTime::currentTime().toString("HH:mm:ss"));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    WaylarkKit::Xvfb::Painted bare(paintBare, WaylarkKit::Xvfb::floating, true);
    bare.resize(300, 32);
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &bare, [&bare] { bare.update(); });
    tick.start(1000);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    bare.move(screen.center().x() - bare.width() / 2, 0);
    bare.show();
    return QApplication::exec();
}
