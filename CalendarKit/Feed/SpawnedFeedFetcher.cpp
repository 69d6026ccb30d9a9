#include "CalendarKit/Feed/SpawnedFeedFetcher.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "CalendarKit/Feed/FeedFetchProtocol.h"

namespace CalendarKit {

namespace {

// How often a running download looks at its cancellation flag.
constexpr int cancelCheckMilliseconds = 50;
// Beyond the download's own limits, before it counts as hung.
constexpr double hangSlackSeconds = 15;
constexpr double maxSeconds = 86'400;

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

// The pieces posix_spawn needs, released whatever happens.
struct SpawnSetup {
    posix_spawn_file_actions_t actions{};
    posix_spawnattr_t attributes{};
    bool hasActions = false;
    bool hasAttributes = false;
    bool ready = false;

    explicit SpawnSetup(int output) {
        hasActions = posix_spawn_file_actions_init(&actions) == 0;
        hasAttributes = posix_spawnattr_init(&attributes) == 0;
        if (!hasActions || !hasAttributes) return;
        sigset_t none;
        sigemptyset(&none);
        sigset_t defaults;
        sigemptyset(&defaults);
        for (int signal : {SIGPIPE, SIGINT, SIGTERM, SIGHUP, SIGCHLD}) sigaddset(&defaults, signal);
        ready = posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0) == 0 &&
                posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO) == 0 &&
                posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1) == 0 &&
                posix_spawnattr_setsigmask(&attributes, &none) == 0 &&
                posix_spawnattr_setsigdefault(&attributes, &defaults) == 0 &&
                posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF) == 0;
    }
    ~SpawnSetup() {
        if (hasAttributes) posix_spawnattr_destroy(&attributes);
        if (hasActions) posix_spawn_file_actions_destroy(&actions);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
};

struct Descriptor {
    int fd = -1;
    ~Descriptor() { reset(); }
    void reset() {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
};

int waitFor(pid_t child) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

}  // namespace

SpawnedFeedFetcher::SpawnedFeedFetcher(Base::Scheduler& scheduler, std::filesystem::path program,
                                       FeedFetcherOptions options)
    : program_(std::move(program)),
      options_(std::move(options)),
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

    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) return Base::makeError(systemError("cannot start the download", errno));
    Descriptor input{ends[0]};
    Descriptor output{ends[1]};
    pid_t child = -1;
    {
        SpawnSetup setup(output.fd);
        if (!setup.ready) return Base::makeError("cannot start the download");
        const int error = ::posix_spawn(&child, argv[0], &setup.actions, &setup.attributes, argv.data(), envp.data());
        if (error != 0) return Base::makeError(systemError("cannot start the download", error));
    }
    output.reset();

    const std::size_t limit = maxFeedAnswerSize(options_.maxBytes);
    // The download program keeps its own limits; this only ends one that hangs.
    const double allowed = options_.resourceTimeout < maxSeconds ? options_.resourceTimeout : maxSeconds;
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                              std::chrono::duration<double>(std::max(allowed, 0.0) + hangSlackSeconds));
    std::string answer;
    std::optional<std::string> failure;
    char buffer[65536];
    for (;;) {
        if (cancelled.load()) {
            failure = "cancelled";
            break;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            failure = "the request timed out";
            break;
        }
        pollfd ready{input.fd, POLLIN, 0};
        const int polled = ::poll(&ready, 1, cancelCheckMilliseconds);
        if (polled < 0 && errno != EINTR) {
            failure = systemError("the download failed", errno);
            break;
        }
        if (polled <= 0) continue;
        const ssize_t count = ::read(input.fd, buffer, sizeof buffer);
        if (count < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (count < 0) {
            failure = systemError("the download failed", errno);
            break;
        }
        if (count == 0) break;
        if (static_cast<std::size_t>(count) > limit - answer.size()) {
            failure = "the download program gave a malformed answer";
            break;
        }
        answer.append(buffer, static_cast<std::size_t>(count));
    }
    if (failure) ::kill(child, SIGKILL);
    const int status = waitFor(child);
    if (failure) return Base::makeError(*failure);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return Base::makeError("the download program failed");
    return decodeFeedAnswer(answer, options_.maxBytes);
}

}  // namespace CalendarKit
