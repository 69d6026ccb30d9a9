#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
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
// Linux announces no launches, so the watcher polls once a second. A poll
// costs what is new: the kernel's count of tasks and its last PID say whether
// anything started or ended at all; only then is /proc listed, and only
// processes not seen before are read. Two kinds of known process are read
// again at every poll: young ones (for their first polls, as a launcher may
// still exec the application into them) and those whose identifiers are
// watched closely (so a watched application that ends as a zombie stops counting).
class ProcessApplicationsWatcher final : public RunningApplicationsWatching {
public:
    static constexpr double pollInterval = 1.0;
    static constexpr double recheckDelay = 0.5;

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
    };

    Process read(int pid) const;
    std::string readSignature() const;
    bool rescan();
    bool reread(int pid);
    // Adds or removes a process's identifiers; true when one appeared or vanished.
    bool count(const Process& process, int delta);
    bool needsRereading(const Process& process) const;

    Base::Scheduler& scheduler_;
    std::set<std::string> watchedClosely_;
    std::filesystem::path procRoot_;
    int loadavg_ = -1;
    uid_t user_;
    bool scanned_ = false;
    std::string signature_;
    std::map<int, Process> processes_;
    std::set<int> rereading_;
    std::map<std::string, int> identifierCounts_;
    Handler handler_;
    Base::TaskHandle timer_;
    Base::TaskHandle followUp_;
};

}  // namespace WaylarkKit
