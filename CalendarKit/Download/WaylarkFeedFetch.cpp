// The download program: fetches one weekly feed file and writes the answer to
// standard output, so the program that runs all day never loads the TLS stack.
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>
#include <string_view>
#include <vector>

#include "CalendarKit/Download/FeedFetcher.h"
#include "CalendarKit/Feed/FeedFetchProtocol.h"

namespace {

bool writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const auto request = CalendarKit::parseFeedFetchArguments(arguments);
    if (!request) {
        writeAll(STDERR_FILENO, "WaylarkFeedFetch: " + request.error().message + "\n");
        return 2;
    }
    // The program that started this one ends it to cancel.
    const std::atomic<bool> never{false};
    const auto answer = CalendarKit::FeedFetcher::download(request->options, request->week, never);
    return writeAll(STDOUT_FILENO, CalendarKit::encodeFeedAnswer(answer)) ? 0 : 1;
}
