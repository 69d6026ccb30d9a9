#include "WaylarkKit/Qt/QuitOnSignal.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>

#include <QCoreApplication>
#include <QSocketNotifier>

namespace WaylarkKit {

namespace {

// A signal handler may only write to a pipe; the event loop reads the other end.
int wakePipe[2] = {-1, -1};
constexpr int handledSignals[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakePipe[1], &byte, 1);
}

}  // namespace

QuitOnSignal::QuitOnSignal() {
    if (::pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(wakePipe[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [] {
        char bytes[16];
        while (::read(wakePipe[0], bytes, sizeof bytes) > 0) {
        }
        QCoreApplication::quit();
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : handledSignals) ::sigaction(signal, &action, nullptr);
}

QuitOnSignal::~QuitOnSignal() {
    if (!notifier_) return;
    for (const int signal : handledSignals) std::signal(signal, SIG_DFL);
    notifier_.reset();
    ::close(wakePipe[0]);
    ::close(wakePipe[1]);
    wakePipe[0] = wakePipe[1] = -1;
}

}  // namespace WaylarkKit
