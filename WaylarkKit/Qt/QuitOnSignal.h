#pragma once

#include <memory>

class QSocketNotifier;

namespace WaylarkKit {

// Ends the application's event loop cleanly when the session asks the
// process to stop (SIGTERM, SIGINT, SIGHUP), so that the delegate's
// termination step runs. One per process, while the application runs.
class QuitOnSignal {
public:
    QuitOnSignal();
    ~QuitOnSignal();
    QuitOnSignal(const QuitOnSignal&) = delete;
    QuitOnSignal& operator=(const QuitOnSignal&) = delete;

private:
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace WaylarkKit
