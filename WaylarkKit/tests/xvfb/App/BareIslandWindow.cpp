// The yardstick of the running app's steady cost: a bare translucent Qt window
// of the compact island's size at the top of the screen, holding a 44x36
// figure that breathes at 6 frames a second, as the island's mascot does, and
// nothing else. Like the island it repaints only the figure's rectangle.

#include <cmath>

#include <QElapsedTimer>
#include <QScreen>
#include <QTimer>

#include "WaylarkKit/tests/xvfb/support/XvfbDriving.h"

namespace {

const QRect figure(20, 0, 44, 36);
QElapsedTimer since;

void paintBare(QPainter& painter, const QRect& area) {
    WaylarkKit::Xvfb::slab(12, true)(painter, area);
    painter.setRenderHint(QPainter::Antialiasing);
    const double breath = 0.92 + 0.08 * std::sin(since.elapsed() / 1000.0 * 2 * M_PI / 3);
    const QPointF centre = QRectF(figure).center();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(80, 200, 120));
    painter.drawEllipse(centre, figure.width() / 2.0 * breath, figure.height() / 2.0 * breath);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    since.start();
    WaylarkKit::Xvfb::Painted bare(paintBare, WaylarkKit::Xvfb::floating, true);
    bare.resize(300, 36);
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &bare, [&bare] { bare.update(figure); });
    tick.start(1000 / 6);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    bare.move(screen.center().x() - bare.width() / 2, 0);
    bare.show();
    return QApplication::exec();
}
