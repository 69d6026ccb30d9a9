#include "WaylarkKit/App/Qt/SystemWakeMonitor.h"

#include <QDBusConnection>

namespace WaylarkKit {

namespace {

const QString service = QStringLiteral("org.freedesktop.login1");
const QString path = QStringLiteral("/org/freedesktop/login1");
const QString interface = QStringLiteral("org.freedesktop.login1.Manager");
const QString signal = QStringLiteral("PrepareForSleep");

}  // namespace

SystemWakeMonitor::SystemWakeMonitor(Base::Scheduler& scheduler, std::function<double()> suspendedSeconds)
    : scheduler_(scheduler), suspendClock_(scheduler, std::move(suspendedSeconds)) {}

SystemWakeMonitor::~SystemWakeMonitor() { stop(); }

void SystemWakeMonitor::start(std::function<void()> onWake) {
    stop();
    onWake_ = std::move(onWake);
    QDBusConnection bus = QDBusConnection::systemBus();
    listening_ = bus.isConnected() && bus.connect(service, path, interface, signal, this, SLOT(prepareForSleep(bool)));
    // A bus that connects says nothing of whether logind is on it.
    suspendClock_.start([this] { report(); });
}

void SystemWakeMonitor::stop() {
    if (listening_) {
        QDBusConnection::systemBus().disconnect(service, path, interface, signal, this, SLOT(prepareForSleep(bool)));
        listening_ = false;
    }
    suspendClock_.stop();
    onWake_ = nullptr;
}

void SystemWakeMonitor::prepareForSleep(bool sleeping) {
    if (!sleeping) report();
}

void SystemWakeMonitor::report() {
    const double now = scheduler_.steadyNow();
    if (!onWake_ || (lastReport_ && now - *lastReport_ < foldSeconds)) return;
    lastReport_ = now;
    onWake_();
}

}  // namespace WaylarkKit
