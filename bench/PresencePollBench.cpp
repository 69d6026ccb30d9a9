// One poll of the presence watcher on the real /proc with 500 processes
// present and none new, as a share of the one-second poll period. "Idle" is
// the quiet desk; "OtherTaskCameAndWent" lets a thread start and end before
// each poll, so the kernel's counters move and the watcher must list /proc,
// though no process is new.
#include <benchmark/benchmark.h>

#include <dirent.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <thread>
#include <vector>

#include "Base/ManualScheduler.h"
#include "WaylarkKit/Presence/LaunchOptions.h"
#include "WaylarkKit/Presence/PresenceAliases.h"
#include "WaylarkKit/Presence/ProcessApplicationsWatcher.h"

namespace {

constexpr int processesPresent = 500;

int countProcesses() {
    int count = 0;
    DIR* dir = ::opendir("/proc");
    while (const dirent* entry = ::readdir(dir)) count += entry->d_name[0] >= '1' && entry->d_name[0] <= '9';
    ::closedir(dir);
    return count;
}

// Sleeping children that bring the process count up to `processesPresent`.
struct Crowd {
    std::vector<pid_t> children;
    Crowd() {
        std::string program = "/bin/sleep", seconds = "600";
        char* argv[] = {program.data(), seconds.data(), nullptr};
        for (int missing = processesPresent - countProcesses(); missing > 0; --missing) {
            pid_t child = 0;
            if (::posix_spawn(&child, argv[0], nullptr, nullptr, argv, environ) == 0) children.push_back(child);
        }
    }
    ~Crowd() {
        for (const pid_t child : children) ::kill(child, SIGKILL);
        for (const pid_t child : children) ::waitpid(child, nullptr, 0);
    }
};

void run(benchmark::State& state, bool otherTask) {
    Crowd crowd;
    Base::ManualScheduler scheduler;
    const auto triggers = WaylarkKit::LaunchOptions::defaultTriggers();
    WaylarkKit::ProcessApplicationsWatcher watcher(scheduler, WaylarkKit::PresenceAliases::expanded(triggers));
    // Until every process has been read and has grown out of its first
    // minute, whose polls compare every command name.
    for (int i = 0; i < 64; ++i) watcher.poll();
    for (auto _ : state) {
        if (otherTask) {
            state.PauseTiming();
            std::thread([] {}).join();
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(watcher.poll());
    }
    state.counters["processes"] = countProcesses();
    // Seconds per poll over a one-second period: the share of the period.
    state.counters["share_of_period"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void PresencePollIdle(benchmark::State& state) { run(state, false); }
void PresencePollOtherTaskCameAndWent(benchmark::State& state) { run(state, true); }

}  // namespace

BENCHMARK(PresencePollIdle)->UseRealTime();
BENCHMARK(PresencePollOtherTaskCameAndWent)->UseRealTime();
