#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "Base/Scheduler.h"
#include "WaylarkKit/Presence/PresenceController.h"

namespace WaylarkKit {

// The user's running processes, read from /proc. A process carries as
// identifiers its snap name, the application id of its systemd unit (for a
// flatpak, its flatpak id) and its executable's base name; ended processes
// (zombies included) and other users' processes carry none.
//
// Linux announces no launches, so the watcher polls once a second, and a poll
// costs what is new besides one read of the command name of each user process
// under watch for less than a minute and of an eighth of the others (and of
// the executable link, for the few not named as their executable). The
// kernel's task count and last PID say whether any task started or ended;
// when one did, only the PIDs handed out since the last poll are probed, and
// only new processes are read. Listing all of /proc is kept for the first
// poll, for a PID range wider than the table, and once a minute to forget
// processes that ended. Known processes are read again while young, when they
// carry a watched identifier (so that a watched application that ends, even
// as a zombie, stops counting at the next poll), and when their command name
// or executable changed: an exec keeps the PID and start time, so a launcher
// that execs the application late is seen only through those, within a second
// while it is new to the watcher and within eight seconds after that; from
// then on it is read on every poll.
class ProcessApplicationsWatcher final : public RunningApplicationsWatching {
public:
    static constexpr double pollInterval = 1.0;
    static constexpr double recheckDelay = 0.5;
    static constexpr int pollsPerListing = 60;

    ProcessApplicationsWatcher(Base::Scheduler& scheduler, std::set<std::string> watchedClosely,
                               std::filesystem::path procRoot = "/proc");
    ~ProcessApplicationsWatcher() override;
    ProcessApplicationsWatcher(const ProcessApplicationsWatcher&) = delete;
    ProcessApplicationsWatcher& operator=(const ProcessApplicationsWatcher&) = delete;

    std::set<std::string> runningBundleIdentifiers() override;
    // Polls every second; when the running identifiers changed, calls the
    // handler at once and again half a second later.
    void startObserving(Handler handler) override;
    void stopObserving() override;

    // One look at the process table; true when the set of running identifiers changed.
    bool poll();

private:
    struct Process {
        std::uint64_t startTime = 0;
        std::vector<std::string> identifiers;
        int youngPolls = 0;
        // Empty for the processes that carry no identifiers whatever they run.
        std::string comm;
        // Where /proc/<pid>/exe points, kept only when the command name is not
        // the executable's name: a script run by its interpreter, a program
        // started through a link of another name. The kernel names a process
        // after the file it execs, so a launcher script named as the program it
        // starts keeps its name through that exec; a process named as its
        // executable that execs a file of the same name keeps its identifiers.
        std::string exe;
        // The poll that first read this process.
        long admittedPoll = 0;
    };
    // The task count and the last PID handed out, from /proc/loadavg.
    struct Counters {
        long tasks = 0;
        long lastPid = 0;
        bool operator==(const Counters&) const = default;
    };

    std::optional<Counters> readCounters() const;
    bool list();
    bool probe(long first, long last);
    bool isProcess(int pid) const;
    // Reads a process not seen before, or seen under the same PID with another start time.
    bool admit(int pid);
    bool forget(std::map<int, Process>::iterator known);
    bool reread(int pid);
    // Reads again the user's processes whose command name or executable changed since they were read.
    bool rereadExeced(const std::vector<int>& skipped);
    Process read(int pid) const;
    // Adds or removes a process's identifiers; true when one appeared or vanished.
    bool count(const Process& process, int delta);
    bool needsRereading(const Process& process) const;

    Base::Scheduler& scheduler_;
    std::set<std::string> watchedClosely_;
    std::filesystem::path procRoot_;
    bool liveProc_;
    int loadavg_ = -1;
    uid_t user_;
    bool listed_ = false;
    int pollsSinceListing_ = 0;
    long polls_ = 0;
    std::optional<Counters> counters_;
    std::map<int, Process> processes_;
    std::set<int> rereading_;
    // PIDs of the last probe that named no process yet: one more look next time.
    std::vector<int> retry_;
    std::map<std::string, int> identifierCounts_;
    Handler handler_;
    Base::TaskHandle timer_;
    Base::TaskHandle followUp_;
};

}  // namespace WaylarkKit
