#include "WaylarkKit/Presence/ProcessApplicationsWatcher.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <utility>

#include "WaylarkKit/Presence/ProcessIdentity.h"

namespace WaylarkKit {

namespace {

// Polls of a new process during which it is read again.
constexpr int youngPollCount = 2;
// Below this many new PIDs probing always wins.
constexpr long minProbeSpan = 64;
// A process's command name is compared on every poll for its first minute
// under watch (a launcher most often execs early), then on every eighth: the
// comparison is one file read per process, and that would be most of an idle
// poll's cost. The executable link is compared too where the command name is
// not the executable's: reading it on every process would add half as much again.
constexpr long recentPolls = 60;
constexpr long nameCheckSlices = 8;

std::string readSmall(const std::filesystem::path& path, std::size_t limit) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {};
    std::string bytes(limit, '\0');
    std::size_t size = 0;
    while (size < limit) {
        const ssize_t n = ::read(fd, bytes.data() + size, limit - size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        size += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.resize(size);
    return bytes;
}

std::string readLink(const std::filesystem::path& path) {
    char buffer[4096];
    const ssize_t n = ::readlink(path.c_str(), buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

template <class T>
bool parseNumber(std::string_view text, T& value) {
    const auto [rest, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && rest == text.data() + text.size();
}

std::vector<int> listPids(const std::filesystem::path& root) {
    std::vector<int> pids;
    DIR* dir = ::opendir(root.c_str());
    if (!dir) return pids;
    while (const dirent* entry = ::readdir(dir)) {
        int pid = 0;
        if (parseNumber(std::string_view(entry->d_name), pid) && pid > 0) pids.push_back(pid);
    }
    ::closedir(dir);
    std::sort(pids.begin(), pids.end());
    return pids;
}

}  // namespace

ProcessApplicationsWatcher::ProcessApplicationsWatcher(Base::Scheduler& scheduler, std::set<std::string> watchedClosely,
                                                       std::filesystem::path procRoot)
    : scheduler_(scheduler),
      watchedClosely_(std::move(watchedClosely)),
      procRoot_(std::move(procRoot)),
      liveProc_(procRoot_ == "/proc"),
      loadavg_(::open((procRoot_ / "loadavg").c_str(), O_RDONLY | O_CLOEXEC)),
      user_(::geteuid()) {}

ProcessApplicationsWatcher::~ProcessApplicationsWatcher() {
    if (loadavg_ >= 0) ::close(loadavg_);
}

std::set<std::string> ProcessApplicationsWatcher::runningBundleIdentifiers() {
    if (!listed_) poll();
    std::set<std::string> running;
    for (const auto& [identifier, processes] : identifierCounts_) running.insert(running.end(), identifier);
    return running;
}

void ProcessApplicationsWatcher::startObserving(Handler handler) {
    stopObserving();
    handler_ = std::move(handler);
    timer_ = scheduler_.repeat(pollInterval, [this] {
        if (!poll() || !handler_) return;
        // The second look stands in for the one a launch notification would
        // get later; one pending at a time, as polls come a whole second apart.
        followUp_ = scheduler_.schedule(recheckDelay, [handler = handler_] { handler(); });
        handler_();
    });
}

void ProcessApplicationsWatcher::stopObserving() {
    timer_.cancel();
    handler_ = nullptr;
}

bool ProcessApplicationsWatcher::poll() {
    ++polls_;
    // Those read for the first time in this poll are not read again in it.
    const std::vector<int> again(rereading_.begin(), rereading_.end());
    const std::optional<Counters> counters = readCounters();
    bool changed = false;
    if (!listed_ || !counters || !counters_) {
        changed = list();
    } else if (*counters != *counters_) {
        // A range that wrapped past the largest PID, or one wider than the
        // table (probing a PID costs about what listing one does), is listed.
        const long span = counters->lastPid - counters_->lastPid;
        const bool wide = span < 0 || span > std::max(minProbeSpan, static_cast<long>(processes_.size()));
        const bool due = ++pollsSinceListing_ >= pollsPerListing;
        changed = due || wide ? list() : probe(counters_->lastPid + 1, counters->lastPid);
    }
    counters_ = counters;
    for (const int pid : again) changed |= reread(pid);
    changed |= rereadExeced(again);
    return changed;
}

std::optional<ProcessApplicationsWatcher::Counters> ProcessApplicationsWatcher::readCounters() const {
    if (loadavg_ < 0) return std::nullopt;
    char buffer[128];
    const ssize_t n = ::pread(loadavg_, buffer, sizeof buffer, 0);
    if (n <= 0) return std::nullopt;
    // "<load> <load> <load> <running>/<tasks> <last pid>"
    std::string_view text(buffer, static_cast<std::size_t>(n));
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos) return std::nullopt;
    text.remove_prefix(slash + 1);
    const std::size_t space = text.find(' ');
    const std::size_t end = text.find_first_of(" \n", space + 1);
    Counters counters;
    if (space == std::string_view::npos || !parseNumber(text.substr(0, space), counters.tasks) ||
        !parseNumber(text.substr(space + 1, end - space - 1), counters.lastPid)) {
        return std::nullopt;
    }
    return counters;
}

bool ProcessApplicationsWatcher::list() {
    listed_ = true;
    pollsSinceListing_ = 0;
    retry_.clear();
    bool changed = false;
    const std::vector<int> listed = listPids(procRoot_);
    auto known = processes_.begin();
    for (const int pid : listed) {
        while (known != processes_.end() && known->first < pid) changed |= forget(known++);
        if (known != processes_.end() && known->first == pid) {
            ++known;
        } else {
            changed |= admit(pid);
        }
    }
    while (known != processes_.end()) changed |= forget(known++);
    return changed;
}

bool ProcessApplicationsWatcher::probe(long first, long last) {
    bool changed = false;
    std::vector<int> candidates = std::exchange(retry_, {});
    for (long pid = first; pid <= last; ++pid) candidates.push_back(static_cast<int>(pid));
    for (const int pid : candidates) {
        if (isProcess(pid)) {
            changed |= admit(pid);
        } else if (pid >= first) {
            // A thread, a process that already ended, or one whose PID is
            // handed out but that the kernel does not show yet.
            retry_.push_back(pid);
        }
    }
    return changed;
}

bool ProcessApplicationsWatcher::isProcess(int pid) const {
    if (liveProc_) {
        // Signal 0 to a thread group named by its own PID: it reaches a
        // process (or is refused for another user's), never a lone thread.
        return ::syscall(SYS_tgkill, pid, pid, 0) == 0 || errno != ESRCH;
    }
    // A process table laid out by hand has no hidden threads.
    return ::access((procRoot_ / std::to_string(pid)).c_str(), F_OK) == 0;
}

bool ProcessApplicationsWatcher::admit(int pid) {
    Process process = read(pid);
    const auto known = processes_.find(pid);
    bool changed = false;
    if (known != processes_.end()) {
        if (known->second.startTime == process.startTime) return false;
        changed |= forget(known);
    }
    process.admittedPoll = polls_;
    changed |= count(process, +1);
    if (needsRereading(process)) rereading_.insert(pid);
    processes_.emplace(pid, std::move(process));
    return changed;
}

bool ProcessApplicationsWatcher::forget(std::map<int, Process>::iterator known) {
    const bool changed = count(known->second, -1);
    rereading_.erase(known->first);
    processes_.erase(known);
    return changed;
}

bool ProcessApplicationsWatcher::reread(int pid) {
    const auto it = processes_.find(pid);
    if (it == processes_.end()) {
        rereading_.erase(pid);
        return false;
    }
    Process fresh = read(pid);
    // The same PID with another start time is another process: it starts young.
    if (fresh.startTime == it->second.startTime) {
        fresh.youngPolls = std::max(0, it->second.youngPolls - 1);
        fresh.admittedPoll = it->second.admittedPoll;
    } else {
        fresh.admittedPoll = polls_;
    }
    bool changed = false;
    if (fresh.identifiers != it->second.identifiers) {
        // Added before removed, so an identifier that stays never seems to go.
        changed |= count(fresh, +1);
        changed |= count(it->second, -1);
    }
    it->second = std::move(fresh);
    // A process that became the watched program through a late exec is read
    // on every poll from now on, like one found running it.
    if (needsRereading(it->second)) {
        rereading_.insert(pid);
    } else {
        rereading_.erase(pid);
    }
    return changed;
}

bool ProcessApplicationsWatcher::rereadExeced(const std::vector<int>& skipped) {
    std::vector<int> execed;
    for (const auto& [pid, process] : processes_) {
        if (process.comm.empty() || std::binary_search(skipped.begin(), skipped.end(), pid)) continue;
        const bool recent = polls_ - process.admittedPoll < recentPolls;
        if (!recent && (pid + polls_) % nameCheckSlices != 0) continue;
        const std::filesystem::path folder = procRoot_ / std::to_string(pid);
        if (readSmall(folder / "comm", 64) != process.comm ||
            (!process.exe.empty() && readLink(folder / "exe") != process.exe)) {
            execed.push_back(pid);
        }
    }
    bool changed = false;
    for (const int pid : execed) changed |= reread(pid);
    return changed;
}

ProcessApplicationsWatcher::Process ProcessApplicationsWatcher::read(int pid) const {
    Process process;
    const std::filesystem::path folder = procRoot_ / std::to_string(pid);
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || info.st_uid != user_) return process;
    const auto stat = ProcessIdentity::parseStat(readSmall(folder / "stat", 1024));
    if (!stat) return process;
    process.startTime = stat->startTime;
    process.youngPolls = youngPollCount;
    if (ProcessIdentity::hasEnded(stat->state)) return process;
    process.comm = readSmall(folder / "comm", 64);
    std::set<std::string> identifiers = ProcessIdentity::fromCgroup(readSmall(folder / "cgroup", 4096));
    // Kernel threads have no executable and stay without identifiers.
    if (std::string exe = readLink(folder / "exe"); !exe.empty()) {
        std::string name = ProcessIdentity::executableName(exe);
        if (!ProcessIdentity::isNamedAfter(process.comm, name)) process.exe = std::move(exe);
        identifiers.insert(std::move(name));
    }
    identifiers.erase(std::string());
    process.identifiers.assign(identifiers.begin(), identifiers.end());
    return process;
}

bool ProcessApplicationsWatcher::count(const Process& process, int delta) {
    bool changed = false;
    for (const std::string& identifier : process.identifiers) {
        const int n = identifierCounts_[identifier] += delta;
        if (n == 0) identifierCounts_.erase(identifier);
        changed |= (delta > 0 && n == 1) || n == 0;
    }
    return changed;
}

bool ProcessApplicationsWatcher::needsRereading(const Process& process) const {
    return process.youngPolls > 0 ||
           std::any_of(process.identifiers.begin(), process.identifiers.end(),
                       [&](const std::string& identifier) { return watchedClosely_.contains(identifier); });
}

}  // namespace WaylarkKit
