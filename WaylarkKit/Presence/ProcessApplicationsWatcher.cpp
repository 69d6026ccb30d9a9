#include "WaylarkKit/Presence/ProcessApplicationsWatcher.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>

#include "WaylarkKit/Presence/ProcessIdentity.h"

namespace WaylarkKit {

namespace {

// Polls of a new process during which it is read again.
constexpr int youngPollCount = 2;

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

std::vector<int> listPids(const std::filesystem::path& root) {
    std::vector<int> pids;
    DIR* dir = ::opendir(root.c_str());
    if (!dir) return pids;
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        const char* end = name + std::char_traits<char>::length(name);
        int pid = 0;
        const auto [rest, error] = std::from_chars(name, end, pid);
        if (error == std::errc() && rest == end && pid > 0) pids.push_back(pid);
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
      loadavg_(::open((procRoot_ / "loadavg").c_str(), O_RDONLY | O_CLOEXEC)),
      user_(::geteuid()) {}

ProcessApplicationsWatcher::~ProcessApplicationsWatcher() {
    if (loadavg_ >= 0) ::close(loadavg_);
}

std::set<std::string> ProcessApplicationsWatcher::runningBundleIdentifiers() {
    if (!scanned_) poll();
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
    bool changed = false;
    // Those read for the first time in this poll are not read again in it.
    const std::vector<int> again(rereading_.begin(), rereading_.end());
    // "<running>/<tasks> <last pid>": unchanged means no task started or ended.
    const std::string signature = readSignature();
    if (!scanned_ || signature.empty() || signature != signature_) {
        scanned_ = true;
        signature_ = signature;
        changed = rescan();
    }
    for (const int pid : again) changed |= reread(pid);
    return changed;
}

std::string ProcessApplicationsWatcher::readSignature() const {
    if (loadavg_ < 0) return {};
    char buffer[128];
    const ssize_t n = ::pread(loadavg_, buffer, sizeof buffer, 0);
    if (n <= 0) return {};
    const std::string_view text(buffer, static_cast<std::size_t>(n));
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos) return {};
    // Skip the running count: it changes without any task starting or ending.
    return std::string(text.substr(slash));
}

bool ProcessApplicationsWatcher::rescan() {
    bool changed = false;
    const std::vector<int> listed = listPids(procRoot_);
    auto known = processes_.begin();
    for (const int pid : listed) {
        while (known != processes_.end() && known->first < pid) {
            changed |= count(known->second, -1);
            rereading_.erase(known->first);
            known = processes_.erase(known);
        }
        if (known != processes_.end() && known->first == pid) {
            ++known;
            continue;
        }
        Process process = read(pid);
        changed |= count(process, +1);
        if (needsRereading(process)) rereading_.insert(pid);
        known = std::next(processes_.emplace_hint(known, pid, std::move(process)));
    }
    while (known != processes_.end()) {
        changed |= count(known->second, -1);
        rereading_.erase(known->first);
        known = processes_.erase(known);
    }
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
    if (fresh.startTime == it->second.startTime) fresh.youngPolls = std::max(0, it->second.youngPolls - 1);
    const bool same = fresh.identifiers == it->second.identifiers;
    bool changed = false;
    if (!same) {
        changed |= count(fresh, +1);
        changed |= count(it->second, -1);
    }
    it->second = std::move(fresh);
    if (!needsRereading(it->second)) rereading_.erase(pid);
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
    std::set<std::string> identifiers = ProcessIdentity::fromCgroup(readSmall(folder / "cgroup", 4096));
    // Kernel threads have no executable and stay without identifiers.
    if (const std::string exe = readLink(folder / "exe"); !exe.empty()) {
        identifiers.insert(ProcessIdentity::executableName(exe));
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
