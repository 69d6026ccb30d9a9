#pragma once

#include <functional>

namespace WaylarkKit {

// Qt ends the process with exit(1) from inside the event loop when the X
// server goes away: the stack never unwinds, so neither the delegate's
// termination step nor the destructors that remove the socket file run.
// While one of these lives, an exit called on the main thread runs `work`
// first. One at a time, made and dropped on the main thread.
class WorkBeforeExit {
public:
    explicit WorkBeforeExit(std::function<void()> work);
    ~WorkBeforeExit();
    WorkBeforeExit(const WorkBeforeExit&) = delete;
    WorkBeforeExit& operator=(const WorkBeforeExit&) = delete;
};

}  // namespace WaylarkKit
