#include "WaylarkKit/Motion/ReduceMotion.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <string>

#include "Base/FileSystem.h"
#include "Base/SpawnSetup.h"

extern char** environ;

namespace WaylarkKit {

namespace DesktopMotion {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

// What `gsettings get` prints, read with a deadline: a desktop whose settings
// daemon hangs must not freeze the view that asked.
std::optional<std::string> gsettingsOutput() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return std::nullopt;
    char tool[] = "gsettings", get[] = "get", schema[] = "org.gnome.desktop.interface", key[] = "enable-animations";
    char* argv[] = {tool, get, schema, key, nullptr};
    pid_t child = 0;
    int spawned = -1;
    {
        Base::SpawnSetup setup;
        if (setup.ready() && posix_spawn_file_actions_adddup2(setup.actions(), fds[1], STDOUT_FILENO) == 0 &&
            posix_spawn_file_actions_addopen(setup.actions(), STDERR_FILENO, "/dev/null", O_WRONLY, 0) == 0) {
            spawned = posix_spawnp(&child, tool, setup.actions(), setup.attributes(), argv, environ);
        }
    }
    close(fds[1]);
    if (spawned != 0) {
        close(fds[0]);
        return std::nullopt;
    }
    std::string output;
    std::array<char, 64> buffer{};
    pollfd readable{fds[0], POLLIN, 0};
    bool finished = false;
    while (output.size() < 256) {
        const int ready = poll(&readable, 1, 1000);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) break;
        const ssize_t got = read(fds[0], buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            finished = got == 0;
            break;
        }
        output.append(buffer.data(), static_cast<std::size_t>(got));
    }
    close(fds[0]);
    if (!finished) kill(child, SIGKILL);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!finished || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return output;
}

}  // namespace

std::optional<bool> parseGnomeEnableAnimations(std::string_view gsettingsOutput) {
    const std::string_view value = trimmed(gsettingsOutput);
    if (value == "true") return true;
    if (value == "false") return false;
    return std::nullopt;
}

std::optional<double> parseKdeAnimationFactor(std::string_view kdeglobals) {
    bool inKde = false;
    std::optional<double> factor;
    while (!kdeglobals.empty()) {
        const auto end = kdeglobals.find('\n');
        const std::string_view line = trimmed(kdeglobals.substr(0, end));
        kdeglobals = end == std::string_view::npos ? std::string_view{} : kdeglobals.substr(end + 1);
        if (line.starts_with('[')) {
            inKde = line == "[KDE]";
            continue;
        }
        if (!inKde) continue;
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        std::string_view key = trimmed(line.substr(0, equals));
        // A locked entry is written AnimationDurationFactor[$i]=...
        if (const auto bracket = key.find('['); bracket != std::string_view::npos) key = key.substr(0, bracket);
        if (key != "AnimationDurationFactor") continue;
        const std::string_view text = trimmed(line.substr(equals + 1));
        double value = 0;
        const auto [rest, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error == std::errc() && rest == text.data() + text.size() && value >= 0) factor = value;
    }
    return factor;
}

bool prefersReducedMotion(std::optional<bool> gnomeEnableAnimations, std::optional<double> kdeAnimationFactor) {
    return (gnomeEnableAnimations && !*gnomeEnableAnimations) || (kdeAnimationFactor && *kdeAnimationFactor == 0);
}

std::filesystem::path kdeGlobalsPath() {
    const auto config = Base::FileSystem::configFolder();
    return config ? *config / "kdeglobals" : std::filesystem::path();
}

std::optional<bool> readGnomeEnableAnimations() {
    const auto output = gsettingsOutput();
    return output ? parseGnomeEnableAnimations(*output) : std::nullopt;
}

std::optional<double> readKdeAnimationFactor() {
    const auto path = kdeGlobalsPath();
    if (path.empty()) return std::nullopt;
    const auto file = Base::FileSystem::readCapped(path, 1 << 20);
    if (file.outcome != Base::FileSystem::CappedRead::Outcome::read) return std::nullopt;
    return parseKdeAnimationFactor(file.bytes);
}

}  // namespace DesktopMotion

ReduceMotionFlag fixedReduceMotion(bool reduce) {
    return [reduce] { return reduce; };
}

}  // namespace WaylarkKit
