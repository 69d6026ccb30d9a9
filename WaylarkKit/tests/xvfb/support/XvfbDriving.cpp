#include "WaylarkKit/tests/xvfb/support/XvfbDriving.h"

#include <sys/resource.h>

#include <cstdlib>

#include <QDir>
#include <QPainterPath>
#include <QScreen>

#include "WaylarkKit/Style/Qt/Fonts.h"

namespace WaylarkKit::Xvfb {

namespace {
int& onX11(int& argc) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    return argc;
}
}  // namespace

bool waitFor(const std::function<bool()>& done, int ms) { return IslandKitTest::waitFor(done, ms); }

void xdotool(const QStringList& arguments) {
    IslandKitTest::xdotool(arguments);
    wait(250);
}

void click(QPoint global) {
    xdotool({"mousemove", QString::number(global.x()), QString::number(global.y())});
    xdotool({"click", "1"});
}

bool click(QPoint global, const std::function<bool()>& landed) {
    click(global);
    return waitFor(landed, 2000);
}

void type(const QString& text) { xdotool({"type", "--delay", "40", text}); }

QImage grab(const QRect& area) {
    // The compositor draws the last repaint a moment later; there is nothing to wait on.
    wait(300);
    return IslandKitTest::grabScreen(area);
}

QImage grab(const QWidget& window) { return grab(QRect(window.mapToGlobal(QPoint(0, 0)), window.size())); }

QImage screenshot(const QString& path, int settleMs) {
    wait(settleMs);
    run("import", {"-window", "root", path});
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

double cpuOver(double seconds) {
    const auto cpu = [] {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
               static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    };
    const double before = cpu();
    wait(static_cast<int>(seconds * 1000));
    return cpu() - before;
}

Driver::Driver(int& argc, char** argv)
    : folder(argc >= 2 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath()),
      application(onX11(argc), argv) {
    check(loadFonts(), "Inter loaded");
    QDir().mkpath(folder);
}

Painted::Painted(Paint paint, Qt::WindowFlags flags, bool translucent)
    : QWidget(nullptr, Qt::FramelessWindowHint | flags), paint_(std::move(paint)) {
    setAttribute(Qt::WA_TranslucentBackground, translucent);
}

void Painted::cover() {
    setGeometry(QGuiApplication::primaryScreen()->geometry());
    show();
}

void Painted::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint_(painter, rect());
}

Painted::Paint slab(int radius, bool squareTop) {
    return [radius, squareTop](QPainter& painter, const QRect& area) {
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(area).adjusted(0, squareTop ? -radius : 0, 0, 0), radius, radius);
        painter.fillPath(shape, Qt::black);
    };
}

PaintCounter::PaintCounter(QObject* watched) {
    if (watched) watched->installEventFilter(this);
}

bool PaintCounter::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Paint) ++paints;
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize) ++geometry;
    return false;
}

}  // namespace WaylarkKit::Xvfb
