#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace WaylarkKit::ProcessIdentity {

// The fields of /proc/<pid>/stat that tell whether a process still runs and
// which process a PID names.
struct StatFields {
    char state = '?';
    std::uint64_t startTime = 0;  // clock ticks after boot
    bool operator==(const StatFields&) const = default;
};

std::optional<StatFields> parseStat(std::string_view stat);

// Ended but not yet reaped ('Z') or already dead ('X'): such a process does not run.
bool hasEnded(char state);

// The application identifiers that the process's control group names: the
// snap name of a "snap.<name>.<app>…" unit, and the application id of an
// "app-[<launcher>-]<id>-<n>.scope" or "app-[<launcher>-]<id>[@<n>].service"
// unit (for "app-flatpak-…" that id is the flatpak application id).
std::set<std::string> fromCgroup(std::string_view cgroup);

// The base name of the executable that /proc/<pid>/exe points to.
std::string executableName(std::string_view exeLink);

// Whether the command name, as /proc/<pid>/comm gives it, is what the kernel
// keeps of the executable's name: its first 15 bytes.
bool isNamedAfter(std::string_view comm, std::string_view executableName);

}  // namespace WaylarkKit::ProcessIdentity
