#include "CalendarKit/Feed/SpawnedFeedFetcher.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Base/SpawnSetup.h"
#include "CalendarKit/Feed/FeedFetchProtocol.h"

namespace CalendarKit {

namespace {

// How often a running download looks at its cancellation flag and whether
// the download program has ended.
constexpr int cancelCheckMilliseconds = 50;
constexpr double maxSeconds = 86'400;
// What one run may add to our standard error: a message or two, never a flood.
constexpr std::size_t forwardedErrorBytes = 8192;

// Only what the transfer itself reads from the environment.
std::vector<std::string> downloadEnvironment() {
    std::vector<std::string> kept;
    for (const char* name : {"https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY", "no_proxy", "NO_PROXY",
                             "SSL_CERT_FILE", "SSL_CERT_DIR"}) {
        if (const char* value = std::getenv(name)) kept.push_back(std::string(name) + "=" + value);
    }
    return kept;
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
    std::vector<char*> result;
    for (auto& text : texts) result.push_back(text.data());
    result.push_back(nullptr);
    return result;
}

std::string systemError(std::string_view what, int error) {
    return std::string(what) + ": " + std::strerror(error);
}

// The download program's setup: no input, its answer and its messages into
// our pipes, nothing else open, and a group of its own.
bool prepare(Base::SpawnSetup& setup, int output, int errors) {
    return setup.ready() && setup.inOwnGroup() &&
           posix_spawn_file_actions_addopen(setup.actions(), STDIN_FILENO, "/dev/null", O_RDONLY, 0) == 0 &&
           posix_spawn_file_actions_adddup2(setup.actions(), output, STDOUT_FILENO) == 0 &&
           posix_spawn_file_actions_adddup2(setup.actions(), errors, STDERR_FILENO) == 0 &&
           posix_spawn_file_actions_addclosefrom_np(setup.actions(), STDERR_FILENO + 1) == 0;
}

struct Descriptor {
    int fd = -1;
    ~Descriptor() { reset(); }
    void reset() {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
};

// A pipe whose write end goes to the download program; we keep the read end.
struct ChildPipe {
    Descriptor ours;
    Descriptor theirs;
    bool ready = false;

    ChildPipe() {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0) return;
        ours.fd = ends[0];
        theirs.fd = ends[1];
        // Only our end: the download program writes as to any output.
        ready = ::fcntl(ours.fd, F_SETFL, O_NONBLOCK) == 0;
    }
};

void writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return;
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

// The download program's answer and its messages, read side by side so that
// neither pipe fills up and stalls it.
class RunOutput {
public:
    RunOutput(Descriptor& answerPipe, Descriptor& messagePipe, std::size_t limit)
        : answerPipe_(answerPipe), messagePipe_(messagePipe), limit_(limit) {}

    // Waits up to `milliseconds` for either pipe or for `end` to become
    // readable, then reads once from each pipe that has something. Pipes that
    // have ended are not waited for.
    void readSome(int milliseconds, int end) {
        pollfd ready[3] = {{answerPipe_.fd, POLLIN, 0}, {messagePipe_.fd, POLLIN, 0}, {end, POLLIN, 0}};
        const int polled = ::poll(ready, 3, milliseconds);
        if (polled < 0 && errno != EINTR) failure_ = systemError("the download failed", errno);
        if (polled <= 0) return;
        if (ready[0].revents != 0) readAnswer();
        if (ready[1].revents != 0) readMessages();
    }

    // What the pipes still hold once the download program has ended; a
    // process it left behind may keep them open, but adds nothing to its run.
    void readRest() {
        while (!failure_ && readAnswer()) {
        }
        while (forwarded_ < forwardedErrorBytes && readMessages()) {
        }
    }

    const std::optional<std::string>& failure() const { return failure_; }
    const std::string& answer() const { return answer_; }

private:
    // One read without waiting: the bytes, or nothing when the pipe is empty
    // for now or has ended (then it is closed).
    std::string_view readOnce(Descriptor& pipe, bool isAnswer) {
        while (pipe.fd >= 0) {
            const ssize_t count = ::read(pipe.fd, buffer_, sizeof buffer_);
            if (count > 0) return {buffer_, static_cast<std::size_t>(count)};
            if (count < 0 && errno == EINTR) continue;
            if (count < 0 && errno == EAGAIN) return {};
            if (count < 0 && isAnswer) failure_ = systemError("the download failed", errno);
            pipe.reset();
        }
        return {};
    }

    bool readAnswer() {
        const std::string_view bytes = readOnce(answerPipe_, true);
        if (bytes.size() > limit_ - answer_.size()) failure_ = "the download program gave a malformed answer";
        if (bytes.empty() || failure_) return false;
        answer_.append(bytes);
        return true;
    }

    // Passes on the start of the messages and drops the rest.
    bool readMessages() {
        const std::string_view bytes = readOnce(messagePipe_, false);
        writeAll(STDERR_FILENO, bytes.substr(0, forwardedErrorBytes - forwarded_));
        forwarded_ += std::min(bytes.size(), forwardedErrorBytes - forwarded_);
        return !bytes.empty();
    }

    Descriptor& answerPipe_;
    Descriptor& messagePipe_;
    std::size_t limit_;
    std::string answer_;
    std::size_t forwarded_ = 0;
    std::optional<std::string> failure_;
    char buffer_[65536];
};

// Whether the child has ended. It stays unreaped, so that neither its id nor
// its process group can pass to another program before the group is ended.
bool hasEnded(pid_t child) {
    siginfo_t info{};
    while (::waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOHANG | WNOWAIT) < 0) {
        if (errno != EINTR) return true;  // already reaped elsewhere
    }
    return info.si_pid == child;
}

int reap(pid_t child) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

}  // namespace

SpawnedFeedFetcher::SpawnedFeedFetcher(Base::Scheduler& scheduler, std::filesystem::path program,
                                       FeedFetcherOptions options, double hangSlack)
    : program_(std::move(program)),
      options_(std::move(options)),
      hangSlack_(hangSlack),
      workers_(scheduler, [this](FeedWeek week, const std::atomic<bool>& cancelled) {
          return fetchNow(week, cancelled);
      }) {}

std::filesystem::path SpawnedFeedFetcher::besideThisProgram() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || self.empty()) return {};
    return self.parent_path() / programName;
}

Base::TaskHandle SpawnedFeedFetcher::fetch(FeedWeek week, Completion completion) {
    return workers_.start(week, std::move(completion));
}

Base::Result<FeedResponse> SpawnedFeedFetcher::fetchNow(FeedWeek week, const std::atomic<bool>& cancelled) const {
    if (!program_.is_absolute()) return Base::makeError("the download program is not found");
    std::vector<std::string> arguments = feedFetchArguments({week, options_});
    arguments.insert(arguments.begin(), program_.string());
    std::vector<std::string> environment = downloadEnvironment();
    auto argv = pointers(arguments);
    auto envp = pointers(environment);

    ChildPipe answerPipe;
    ChildPipe messagePipe;
    if (!answerPipe.ready || !messagePipe.ready) {
        return Base::makeError(systemError("cannot start the download", errno));
    }
    pid_t child = -1;
    {
        Base::SpawnSetup setup;
        if (!prepare(setup, answerPipe.theirs.fd, messagePipe.theirs.fd)) {
            return Base::makeError("cannot start the download");
        }
        const int error = ::posix_spawn(&child, argv[0], setup.actions(), setup.attributes(), argv.data(), envp.data());
        if (error != 0) return Base::makeError(systemError("cannot start the download", error));
    }
    answerPipe.theirs.reset();
    messagePipe.theirs.reset();
    const std::size_t place = running_.add(child);

    // The download program keeps its own limits; this only ends one that hangs.
    const double allowed = options_.resourceTimeout < maxSeconds ? options_.resourceTimeout : maxSeconds;
    const double slack = hangSlack_ < maxSeconds ? hangSlack_ : maxSeconds;
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                              std::chrono::duration<double>(std::max(allowed, 0.0) + std::max(slack, 0.0)));
    // Readable once the download program ends, which wakes the wait below at
    // once; without it the periodic check still sees the end. (The C++
    // declaration of pidfd_open in glibc 2.36 does not link.)
    const Descriptor ended{static_cast<int>(::syscall(SYS_pidfd_open, child, 0))};
    RunOutput output(answerPipe.ours, messagePipe.ours, maxFeedAnswerSize(options_.maxBytes));
    // The run is over when the download program has ended, not when its
    // pipes have: it may close them and hang, or leave them to a child.
    std::optional<std::string> failure;
    for (;;) {
        if (hasEnded(child)) {
            output.readRest();
            break;
        }
        if (cancelled.load()) {
            failure = "cancelled";
            break;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            failure = "the request timed out";
            break;
        }
        output.readSome(cancelCheckMilliseconds, ended.fd);
        if (output.failure()) break;
    }
    if (!failure) failure = output.failure();
    // Ends the download program if it still runs, and whatever it started.
    running_.finish(place, child);
    const int status = reap(child);
    if (failure) return Base::makeError(*failure);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return Base::makeError("the download program failed");
    return decodeFeedAnswer(output.answer(), options_.maxBytes);
}

}  // namespace CalendarKit
