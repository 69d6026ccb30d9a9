#include "WaylarkKit/Launch/SecondLaunch.h"

#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <fstream>
#include <iterator>

#include "Base/RunLoopScheduler.h"
#include "WaylarkKit/Launch/OpenRequest.h"
#include "WaylarkKit/Presence/LaunchOptions.h"
#include "WaylarkKit/Presence/ProcessIdentity.h"

namespace WaylarkKit::SecondLaunch {

namespace {

// Seconds since the kernel started this process; loading the program's
// libraries counts, so the process ends when the user expects it to. Zero
// when unknown.
double processAge() {
    std::ifstream file("/proc/self/stat");
    const std::string stat((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const auto fields = ProcessIdentity::parseStat(stat);
    timespec now{};
    const long ticks = ::sysconf(_SC_CLK_TCK);
    if (!fields || ticks <= 0 || ::clock_gettime(CLOCK_BOOTTIME, &now) != 0) return 0;
    const double started = static_cast<double>(fields->startTime) / static_cast<double>(ticks);
    return std::max(0.0, static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9 - started);
}

}  // namespace

int run(const std::vector<std::string>& arguments, const std::filesystem::path& socket) {
    // The request first: standard error may be a pipe nobody reads, and the
    // user's open must not hang on where the message goes. A first process
    // that cannot be reached has nothing to open; this one ends all the same.
    if (launchedByUser(arguments)) (void)OpenRequest::send(socket);
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, message.data(), message.size());
    Base::RunLoopScheduler loop;
    const auto quit = loop.schedule(std::max(0.0, lingerSeconds - processAge()), [&] { loop.stop(); });
    loop.run();
    return 0;
}

}  // namespace WaylarkKit::SecondLaunch
