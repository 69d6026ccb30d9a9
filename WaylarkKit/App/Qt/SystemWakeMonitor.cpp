#include "WaylarkKit/App/Qt/SystemWakeMonitor.h"

#include <QDBusConnection>

namespace WaylarkKit {

namespace {

const QString service = QStringLiteral("org.freedesktop.login1");
const QString path = QStringLiteral("/org/freedesktop/login1");
const QString interface = QStringLiteral("org.freedesktop.login1.Manager");
const QString signal = QStringLiteral("PrepareForSleep");

}  // namespace

SystemWakeMonitor::SystemWakeMonitor(Base::Scheduler& scheduler) : fallback_(scheduler) {}

SystemWakeMonitor::~SystemWakeMonitor() { stop(); }

void SystemWakeMonitor::start(std::function<void()> onWake) {
    stop();
    onWake_ = std::move(onWake);
    QDBusConnection bus = QDBusConnection::systemBus();
    listening_ = bus.isConnected() && bus.connect(service, path, interface, signal, this, SLOT(prepareForSleep(bool)));
    if (!listening_) fallback_.start(onWake_);
}

void SystemWakeMonitor::stop() {
    if (listening_) {
        QDBusConnection::systemBus().disconnect(service, path, interface, signal, this, SLOT(prepareForSleep(bool)));
        listening_ = false;
    }
    fallback_.stop();
    onWake_ = nullptr;
}

void SystemWakeMonitor::prepareForSleep(bool sleeping) {
    if (!sleeping && onWake_) onWake_();
}

}  // namespace WaylarkKit
