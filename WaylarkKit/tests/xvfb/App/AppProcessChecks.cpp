// The program itself on an X server with a compositor and a tray, started
// and ended the way a user and a session do: the island appears, "Quit" in
// the tray menu saves and ends the run, and with the screen split into two
// RandR monitors there are two islands (screenshot app-two-displays.png).

#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "Base/testing/TemporaryFolder.h"
#include "IslandKit/Screen/DisplayIdentity.h"
#include "SettingsKit/FileSettingsStore.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

std::string run(const std::string& command) {
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        ::pclose(pipe);
    }
    return out;
}

struct Window {
    int x = 0, y = 0, width = 0, height = 0;
};

// The program's windows on screen now.
std::vector<Window> visibleWindows() {
    std::vector<Window> windows;
    std::istringstream ids(run("xdotool search --onlyvisible --class WaylarkApp 2>/dev/null"));
    for (std::string id; ids >> id;) {
        std::istringstream shell(run("xdotool getwindowgeometry --shell " + id + " 2>/dev/null"));
        Window window;
        for (std::string line; std::getline(shell, line);) {
            const auto equals = line.find('=');
            if (equals == std::string::npos) continue;
            const std::string key = line.substr(0, equals);
            const int value = std::atoi(line.c_str() + equals + 1);
            if (key == "X") window.x = value;
            if (key == "Y") window.y = value;
            if (key == "WIDTH") window.width = value;
            if (key == "HEIGHT") window.height = value;
        }
        windows.push_back(window);
    }
    return windows;
}

// An island's canvas is 420 points tall; the tray icon is a small square; anything else is the menu.
std::vector<Window> islands() {
    std::vector<Window> found;
    for (const Window& w : visibleWindows()) {
        if (w.height == 420) found.push_back(w);
    }
    return found;
}
std::optional<Window> trayIcon() {
    for (const Window& w : visibleWindows()) {
        if (w.width <= 64 && w.height <= 64) return w;
    }
    return std::nullopt;
}
bool menuIsOpen() {
    for (const Window& w : visibleWindows()) {
        if (w.height != 420 && w.width > 64) return true;
    }
    return false;
}

bool waitFor(const std::function<bool()>& done, double seconds = 20) {
    const auto end = Clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
        if (Clock::now() > end) return false;
        ::usleep(20'000);
    }
    return true;
}

// One run of the program in this process's environment.
class App {
public:
    explicit App(std::vector<std::string> arguments, const std::string& program = WAYLARK_APP_PATH) {
        arguments.insert(arguments.begin(), program);
        std::vector<char*> argv;
        for (auto& argument : arguments) argv.push_back(argument.data());
        argv.push_back(nullptr);
        started = Clock::now();
        EXPECT_EQ(::posix_spawn(&pid_, argv[0], nullptr, nullptr, argv.data(), environ), 0);
        ended_ = static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0));
    }
    ~App() {
        if (!waitForExit(0)) {
            ::kill(pid_, SIGKILL);
            waitForExit(30);
        }
        ::close(ended_);
    }
    void signal(int number) const { ::kill(pid_, number); }
    bool waitForExit(double seconds) {
        if (status_ >= 0) return true;
        pollfd end{ended_, POLLIN, 0};
        if (::poll(&end, 1, static_cast<int>(seconds * 1000)) != 1) return false;
        ::waitpid(pid_, &status_, 0);
        return true;
    }
    int exitStatus() const { return WIFEXITED(status_) ? WEXITSTATUS(status_) : -1; }

    Clock::time_point started;

private:
    pid_t pid_ = -1;
    int ended_ = -1, status_ = -1;
};

// Private data, config and runtime folders for the programs a test starts.
struct Session {
    Base::Testing::TemporaryFolder folder;
    fs::path data = folder.path() / "data";
    fs::path settings, checklists;
    Session() {
        const fs::path runtime = folder.path() / "run";
        fs::create_directory(runtime);
        fs::permissions(runtime, fs::perms::owner_all);
        ::setenv("XDG_DATA_HOME", data.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (folder.path() / "config").c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        settings = SettingsKit::FileSettingsStore::defaultPath();
        checklists = data / "OrlTradingWaylark" / "Checklists" / "checklists.json";
    }
};

// Opens the tray icon's menu with a right click.
void openTrayMenu() {
    ASSERT_TRUE(waitFor([] { return trayIcon().has_value(); }));
    const Window icon = *trayIcon();
    run("xdotool mousemove " + std::to_string(icon.x + icon.width / 2) + " " + std::to_string(icon.y + icon.height / 2) +
        " click 3");
    ASSERT_TRUE(waitFor(menuIsOpen));
}

// The top of the screen, once the islands have settled: the black they cover
// stays the same over three looks (their words, countdowns and mascot move on).
void screenshot(const std::string& name, int height) {
    const std::string area = "import -window root -crop 1512x" + std::to_string(height) + "+0+0 +repage ";
    const std::string extent = area + "-fill white +opaque black -format %@ info:";
    std::string current = run(extent);
    int same = 0;
    EXPECT_TRUE(waitFor([&] { return (std::exchange(current, run(extent)) == current ? ++same : same = 0) >= 2; }, 10));
    fs::create_directories(WAYLARK_SCREENSHOTS);
    run(area + WAYLARK_SCREENSHOTS "/" + name);
}

}  // namespace

TEST(AppProcessChecks, AnIslandAppearsAndQuitFromTheTrayMenuSavesAndEnds) {
    Session session;
    App app({"--always-on", "--demo"});
    ASSERT_TRUE(waitFor([] { return islands().size() == 1; }));
    const double seconds = std::chrono::duration<double>(Clock::now() - app.started).count();
    std::printf("first island on screen after %.2f s\n", seconds);
    EXPECT_LE(seconds, 3.0);
    EXPECT_EQ(islands().front().y, 0);
    EXPECT_FALSE(fs::exists(session.settings));

    openTrayMenu();
    // "Quit" is the last row.
    run("xdotool key Up Return");
    ASSERT_TRUE(app.waitForExit(20));
    EXPECT_EQ(app.exitStatus(), 0);
    EXPECT_TRUE(fs::exists(session.settings));
    EXPECT_TRUE(fs::exists(session.checklists));
}

TEST(AppProcessChecks, TwoMonitorsGetTwoIslandsAndSigtermEndsCleanly) {
    Session session;
    run("xrandr --setmonitor left 756/200x982/260+0+0 screen && xrandr --setmonitor right 756/200x982/260+756+0 none");
    struct Restore {
        ~Restore() { run("xrandr --delmonitor left; xrandr --delmonitor right"); }
    } restore;
    // Both monitors chosen already, so no prompt covers the screenshot.
    SettingsKit::AppSettings settings;
    for (const char* monitor : {"left", "right"}) {
        settings.displays.choices[*IslandKit::DisplayIdentity::stableID(std::nullopt, monitor)] = true;
    }
    ASSERT_TRUE(SettingsKit::FileSettingsStore(session.settings).save(settings));

    App app({"--always-on", "--demo"});
    ASSERT_TRUE(waitFor([] { return islands().size() == 2; }));
    const auto shown = islands();
    EXPECT_NE(shown[0].x / 756, shown[1].x / 756);
    screenshot("app-two-displays.png", 120);

    app.signal(SIGTERM);
    ASSERT_TRUE(app.waitForExit(20));
    EXPECT_EQ(app.exitStatus(), 0);
    EXPECT_TRUE(fs::exists(session.checklists));
}

TEST(AppProcessChecks, AnInstalledProgramStartsAtLoginWhenAsked) {
    Session session;
    const fs::path prefix = session.folder.path() / "prefix";
    ASSERT_EQ(std::system((std::string(WAYLARK_INSTALL_COMMAND) + " --prefix " + prefix.string() + " >/dev/null").c_str()), 0);
    const std::string launcher = Base::Testing::readBytes(prefix / "share/applications/com.orltrading.waylark.desktop");
    EXPECT_NE(launcher.find("Exec=\"" + (prefix / "bin/WaylarkApp").string() + "\" --from-launcher\n"), std::string::npos);
    EXPECT_TRUE(fs::exists(prefix / "share/icons/hicolor/scalable/apps/com.orltrading.waylark.svg"));

    App app({"--always-on"}, (prefix / "bin/WaylarkApp").string());
    ASSERT_TRUE(waitFor([] { return islands().size() == 1; }));
    openTrayMenu();
    // The first row that takes a click is "Start at login".
    run("xdotool key Down Return");
    const fs::path entry = session.folder.path() / "config/autostart/com.orltrading.waylark.desktop";
    ASSERT_TRUE(waitFor([&] { return fs::exists(entry); }));
    EXPECT_NE(Base::Testing::readBytes(entry).find("Exec=" + (prefix / "bin/WaylarkApp").string() + " --from-autostart\n"),
              std::string::npos);
    app.signal(SIGTERM);
    ASSERT_TRUE(app.waitForExit(20));
    EXPECT_EQ(app.exitStatus(), 0);
}
