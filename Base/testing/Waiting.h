// Waiting on real processes and X servers, without the toolkit: the process
// tests of the program have no event loop of their own.
#pragma once

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

namespace Base::Testing {

// Checks `done` after each `step` until it holds or `limit` has passed. The
// limit is reached only when the condition never comes, so it is generous.
inline bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit,
                      const std::function<void()>& step) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        step();
    }
    return true;
}

// The same with this thread asleep between the checks.
inline bool waitUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    return waitUntil(done, limit, [] { ::usleep(10'000); });
}

// What a shell command prints on its standard output.
inline std::string commandOutput(const std::string& command) {
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        ::pclose(pipe);
    }
    return out;
}

}  // namespace Base::Testing
