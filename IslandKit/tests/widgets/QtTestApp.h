#pragma once

#include <chrono>
#include <functional>

#include <QApplication>
#include <QElapsedTimer>

namespace IslandKitTest {

// One application object for the whole test program (offscreen platform).
inline QApplication& app() {
    static int argc = 1;
    static char name[] = "IslandKitWidgetTests";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = new QApplication(argc, argv);
    return *instance;
}

// Runs the real event loop until `done` holds or the timeout passes.
inline bool processUntil(const std::function<bool()>& done, int timeoutMs = 2000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs) return false;
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
    }
    return true;
}

}  // namespace IslandKitTest
