#pragma once

// Test support for the crash tests of the file stores: a child process saves
// in a loop and is killed with SIGKILL at a random moment, again and again.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <functional>
#include <random>

namespace Base::Testing {

// Each round forks a child that calls `save(0)`, `save(1)`, ... until it is
// killed; the kill lands a random 0 to `maxDelayMicroseconds` after the first
// save has completed, so it can fall anywhere inside a later one. The parent
// then calls `check(round)`. `save` returns false on failure, which ends the
// child and fails the test. The rounds stop at the first fatal failure.
inline void killSavesAtRandomMoments(int rounds, long maxDelayMicroseconds,
                                     const std::function<bool(unsigned)>& save,
                                     const std::function<void(int)>& check) {
    std::mt19937 random(20261206);
    std::uniform_int_distribution<long> delay(0, maxDelayMicroseconds);
    for (int round = 0; round < rounds; ++round) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            if (!save(0)) ::_exit(3);
            if (::write(ready[1], "r", 1) != 1) ::_exit(4);
            for (unsigned n = 1;; ++n) {
                if (!save(n)) ::_exit(3);
            }
        }
        ::close(ready[1]);
        char signal = 0;
        ASSERT_EQ(::read(ready[0], &signal, 1), 1) << "the child could not save";
        ::close(ready[0]);
        const timespec pause{0, delay(random) * 1000};
        ::nanosleep(&pause, nullptr);
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child stopped on its own: " << WEXITSTATUS(status);
        check(round);
        if (::testing::Test::HasFatalFailure()) return;
    }
}

}  // namespace Base::Testing
