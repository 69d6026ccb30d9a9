#include "CalendarKit/Feed/RunningDownloads.h"

#include <signal.h>

#include <thread>

namespace CalendarKit {

namespace {

// Whatever the download program started, and the program itself too: one
// that moved to another process group is missed by the first kill.
void killWithGroup(pid_t child) {
    ::kill(-child, SIGKILL);
    ::kill(child, SIGKILL);
}

}  // namespace

std::size_t RunningDownloads::add(pid_t child) {
    std::size_t place = 0;
    for (pid_t free = 0; place < capacity && !children_[place].compare_exchange_strong(free, child); free = 0) {
        ++place;
    }
    // Either this sees the end begun, or the end sees the child.
    if (ending_.load()) killWithGroup(child);
    return place;
}

void RunningDownloads::finish(std::size_t place, pid_t child) {
    killWithGroup(child);
    if (place >= capacity) return;
    for (pid_t noted = child; !children_[place].compare_exchange_weak(noted, 0); noted = child) {
        std::this_thread::yield();
    }
}

void RunningDownloads::endAll() noexcept {
    ending_.store(true);
    for (auto& noted : children_) {
        pid_t child = noted.load();
        if (child > 0 && noted.compare_exchange_strong(child, signalling)) {
            killWithGroup(child);
            noted.store(child);
        }
    }
}

}  // namespace CalendarKit
