// Other processes as /proc tells them, for the tests that check what a
// program left running: those processes are not the test's own children, so
// waiting on them is not possible.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

#include "Base/testing/TemporaryFolder.h"

namespace Base::Testing {

struct ProcessEntry {
    char state = '?';  // 'Z' once it has ended and waits to be reaped
    pid_t parent = 0;
};

// Nothing once the process is gone.
inline std::optional<ProcessEntry> processEntry(pid_t pid) {
    const std::string stat = readBytes("/proc/" + std::to_string(pid) + "/stat");
    // The name in parentheses may hold spaces and parentheses of its own.
    const auto nameEnd = stat.rfind(") ");
    if (nameEnd == std::string::npos || stat.size() < nameEnd + 4) return std::nullopt;
    ProcessEntry entry;
    entry.state = stat[nameEnd + 2];
    try {
        entry.parent = static_cast<pid_t>(std::stol(stat.substr(nameEnd + 4)));
    } catch (...) {
        return std::nullopt;
    }
    return entry;
}

// Gone, or dead and only not yet reaped by whoever inherited it.
inline bool hasEnded(pid_t pid) {
    const auto entry = processEntry(pid);
    return !entry || entry->state == 'Z';
}

}  // namespace Base::Testing
