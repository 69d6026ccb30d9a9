#include "WaylarkKit/Qt/WorkBeforeExit.h"

#include <cstdlib>
#include <thread>
#include <utility>

namespace WaylarkKit {

namespace {

std::function<void()> pending;
std::thread::id mainThread;

extern "C" void runPending() {
    // Another thread's exit finds the main thread's objects in use.
    if (!pending || std::this_thread::get_id() != mainThread) return;
    std::exchange(pending, nullptr)();
}

}  // namespace

WorkBeforeExit::WorkBeforeExit(std::function<void()> work) {
    static const bool registered = std::atexit(runPending) == 0;
    (void)registered;
    mainThread = std::this_thread::get_id();
    pending = std::move(work);
}

WorkBeforeExit::~WorkBeforeExit() { pending = nullptr; }

}  // namespace WaylarkKit
