#include "WaylarkKit/Showreel/ShowreelDirector.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "WaylarkKit/Showreel/ShowreelScenarios.h"

namespace WaylarkKit {
namespace {

// The platform scheduler lets a timer of a second or more fire late or early
// by up to 5 %, and one of 20 s or more by up to half a second; over the
// reel's 221 s that would move the later clips by seconds. Waits made of naps
// this short run on precise timers.
constexpr double longestNap = 0.5;
// What is left of a wait below this counts as waited; sums of naps are not exact.
constexpr double waitTolerance = 1e-6;
constexpr double pollInterval = 0.2;

}  // namespace

ShowreelDirector::ShowreelDirector(ShowreelStage stage, Seed seed, Base::Scheduler& scheduler, LogLine log)
    : stage_(std::move(stage)), seed_(std::move(seed)), scheduler_(scheduler), log_(std::move(log)) {}

ShowreelDirector::~ShowreelDirector() = default;

std::string ShowreelDirector::line(double elapsedSeconds, const std::string& message) {
    char prefix[64];
    std::snprintf(prefix, sizeof prefix, "[t=%6.1fs] ", elapsedSeconds);
    return prefix + message;
}

void ShowreelDirector::writeToStandardOutput(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void ShowreelDirector::start() {
    if (started_) return;
    started_ = true;
    // As a task of its own: the caller finishes setting up before the first clip.
    scriptTask_ = scheduler_.post([this] { run(); });
}

double ShowreelDirector::elapsed() const { return scheduler_.steadyNow() - t0_; }

void ShowreelDirector::say(const std::string& message) const {
    if (log_) log_(line(elapsed(), message));
}

void ShowreelDirector::run() {
    t0_ = scheduler_.steadyNow();
    // Posted, it first polls when the script first waits, so the first state
    // line already shows the first clip's scenario.
    loggerTask_ = scheduler_.post([this] { pollState(); });
    steps_ = script(ShowreelScenarios::monday(scheduler_.now()));
    playFrom(0);
}

void ShowreelDirector::playFrom(std::size_t index) {
    for (; index < steps_.size(); ++index) {
        const Step& step = steps_[index];
        if (step.when && !step.when()) continue;
        if (!step.say.empty()) say(step.say);
        if (step.act) step.act();
        if (step.wait > 0) {
            sleepUntil(scheduler_.steadyNow() + step.wait, index + 1);
            return;
        }
    }
    loggerTask_.cancel();
    finished_ = true;
}

void ShowreelDirector::sleepUntil(double deadline, std::size_t next) {
    const double remaining = deadline - scheduler_.steadyNow();
    if (remaining <= waitTolerance) {
        playFrom(next);
        return;
    }
    scriptTask_ =
        scheduler_.schedule(std::min(remaining, longestNap), [this, deadline, next] { sleepUntil(deadline, next); });
}

void ShowreelDirector::pollState() {
    std::string state = describeState();
    if (state != lastState_) {
        say("state   " + state);
        lastState_ = std::move(state);
    }
    loggerTask_ = scheduler_.schedule(pollInterval, [this] { pollState(); });
}

std::string ShowreelDirector::describeState() const {
    const TimingViewModel& timing = stage_.timing;
    const std::optional<L2Tab> panel =
        timing.expandedIsland().empty() ? std::nullopt : std::optional<L2Tab>(timing.effectiveTab());
    return describe(timing.evaluation(), timing.isCelebratingChecklist(), timing.isGreeting(), panel);
}

}  // namespace WaylarkKit
