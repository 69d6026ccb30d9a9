#include "IslandKit/tests/support/WindowDriving.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <QEventLoop>
#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QTimer>

#include "Base/testing/Waiting.h"

namespace IslandKitTest {

using Base::Testing::waitUntil;

namespace {
int failures = 0;
}  // namespace

void check(bool ok, const std::string& what) {
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
    std::fflush(stdout);
    if (!ok) ++failures;
}

int finish() {
    std::printf("%s\n", failures == 0 ? "all checks passed" : "some checks failed");
    return failures == 0 ? 0 : 1;
}

void wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool waitFor(const std::function<bool()>& done, int ms) {
    return waitUntil(done, std::chrono::milliseconds(ms), [] { wait(15); });
}

void run(const QString& program, const QStringList& arguments) {
    if (QProcess::execute(program, arguments) != 0) check(false, (program + " " + arguments.join(' ')).toStdString());
}

void xdotool(const QStringList& arguments) { run("xdotool", arguments); }

QImage grabScreen(const QRect& area) {
    QScreen* screen = QGuiApplication::primaryScreen();
    const QPixmap pixels = area.isEmpty() ? screen->grabWindow(0)
                                          : screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    return pixels.toImage().convertToFormat(QImage::Format_RGB32);
}

bool near(const QColor& a, const QColor& b, int fuzz) {
    return std::abs(a.red() - b.red()) <= fuzz && std::abs(a.green() - b.green()) <= fuzz &&
           std::abs(a.blue() - b.blue()) <= fuzz;
}

}  // namespace IslandKitTest
