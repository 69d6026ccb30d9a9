#pragma once

// One run of a built program in this process's environment, with its standard
// error captured, for the tests that start the real program.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

namespace WaylarkKitTest {

class ProgramRun {
public:
    // Without `standardError`, the program starts with that descriptor closed.
    ProgramRun(const std::string& program, std::vector<std::string> arguments, bool standardError = true) {
        arguments.insert(arguments.begin(), program);
        std::vector<char*> argv;
        for (auto& argument : arguments) argv.push_back(argument.data());
        argv.push_back(nullptr);
        int err[2];
        EXPECT_EQ(::pipe2(err, O_CLOEXEC), 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        if (standardError) {
            posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
        } else {
            posix_spawn_file_actions_addclose(&actions, STDERR_FILENO);
        }
        started = std::chrono::steady_clock::now();
        EXPECT_EQ(::posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        ::close(err[1]);
        stderr_ = err[0];
        ended_ = static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0));
    }
    // A program still running is asked to end first: one killed outright
    // cleans nothing up (an X server leaves its socket behind). Only one that
    // does not end in time is killed.
    ~ProgramRun() {
        if (!waitForExit(0)) {
            signal(SIGTERM);
            if (!waitForExit(10)) {
                signal(SIGKILL);
                waitForExit(30);
            }
        }
        ::close(stderr_);
        ::close(ended_);
    }
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // Through the process's own handle, so a number the system has handed
    // on after the end never reaches another process.
    void signal(int number) const { ::syscall(SYS_pidfd_send_signal, ended_, number, nullptr, 0); }
    pid_t pid() const { return pid_; }
    // False when the process still runs after `seconds`.
    bool waitForExit(double seconds) {
        if (status_ >= 0) return true;
        pollfd end{ended_, POLLIN, 0};
        if (::poll(&end, 1, static_cast<int>(seconds * 1000)) != 1) return false;
        seconds_ = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        ::waitpid(pid_, &status_, 0);
        char buffer[4096];
        for (ssize_t n; (n = ::read(stderr_, buffer, sizeof buffer)) > 0;)
            errors.append(buffer, static_cast<std::size_t>(n));
        return true;
    }
    int exitStatus() const { return WIFEXITED(status_) ? WEXITSTATUS(status_) : -1; }
    // From the start to the end of the process.
    double seconds() const { return seconds_; }

    std::string errors;
    std::chrono::steady_clock::time_point started;

private:
    pid_t pid_ = -1;
    int stderr_ = -1, ended_ = -1, status_ = -1;
    double seconds_ = 0;
};

}  // namespace WaylarkKitTest
