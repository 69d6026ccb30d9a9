#pragma once

#include <sys/types.h>

#include <array>
#include <atomic>
#include <cstddef>

namespace CalendarKit {

// The download programs running now, so that a thread that must not wait can
// still end them: the exit of a process whose display went away runs inside
// exit() on the main thread, while a worker may be blocked reaping its child.
// Every id sits in an atomic, and a run takes its child's id back before it
// reaps the child, so no id is signalled once it could name another process.
class RunningDownloads {
public:
    static constexpr std::size_t capacity = 8;

    // Notes a child that was just started (unreaped) and returns its place,
    // `capacity` when every place is taken and the child goes unnoted. Once
    // `endAll` has run, the child is killed at once.
    std::size_t add(pid_t child);
    // Kills the child (ended or not, still unreaped) with its process group,
    // and takes its id back, for the caller to reap it next. Waits only while
    // `endAll` is signalling it.
    void finish(std::size_t place, pid_t child);
    // Kills every noted child and its process group, and any child noted
    // later. Only atomics and kill(2): no lock, no wait, no allocation.
    void endAll() noexcept;

private:
    static constexpr pid_t signalling = -1;
    static_assert(std::atomic<pid_t>::is_always_lock_free);

    std::array<std::atomic<pid_t>, capacity> children_{};
    std::atomic<bool> ending_{false};
};

}  // namespace CalendarKit
