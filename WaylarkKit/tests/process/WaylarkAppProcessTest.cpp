#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <sstream>

#include "Base/FileSystem.h"
#include "Base/ManualScheduler.h"
#include "Base/testing/EnvironmentVariable.h"
#include "Base/testing/Processes.h"
#include "Base/testing/TemporaryFolder.h"
#include "ChecklistKit/ChecklistJson.h"
#include "ChecklistKit/FileChecklistStore.h"
#include "Base/testing/Waiting.h"
#include "CalendarKit/Feed/SpawnedFeedFetcher.h"
#include "SettingsKit/FileSettingsStore.h"
#include "WaylarkKit/App/InstanceLock.h"
#include "WaylarkKit/Launch/OpenRequest.h"
#include "WaylarkKit/Launch/OpenRequestListener.h"
#include "WaylarkKit/Launch/SecondLaunch.h"
#include "WaylarkKit/tests/support/ProgramRun.h"

using namespace WaylarkKit;
using Base::Testing::EnvironmentVariable;
using Base::Testing::hasEnded;
using Base::Testing::waitUntil;
namespace fs = std::filesystem;

namespace {

// One run of the program, in this process's environment, with its standard error captured.
struct App : WaylarkKitTest::ProgramRun {
    explicit App(std::vector<std::string> arguments, bool standardError = true)
        : ProgramRun(WAYLARK_APP_PATH, std::move(arguments), standardError) {}
};

// Private data and runtime folders for this test and the programs it starts.
struct Session {
    Base::Testing::TemporaryFolder folder;
    fs::path data = folder.path() / "data", lock = data / "OrlTradingWaylark" / "instance.lock";
    Session() {
        const fs::path runtime = folder.path() / "run";
        fs::create_directory(runtime);
        fs::permissions(runtime, fs::perms::owner_all);
        ::setenv("XDG_DATA_HOME", data.c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        // Qt's X11 start-up trips the strict string checks inside
        // libxkbcommon, and the libraries' caches live for the run.
        ::setenv("ASAN_OPTIONS", "detect_leaks=1:abort_on_error=1:strict_string_checks=0", 1);
        ::setenv("LSAN_OPTIONS", "suppressions=" WAYLARK_LEAK_SUPPRESSIONS, 1);
    }
};

// A display number that no X server on this machine uses, for a program
// that must fail to reach one; nothing when all of a wide range are taken,
// as dead servers of other runs may leave their files behind.
std::optional<std::string> unusedDisplay() {
    for (int n = 150; n < 10000; ++n) {
        if (!fs::exists("/tmp/.X11-unix/X" + std::to_string(n)) && !fs::exists("/tmp/.X" + std::to_string(n) + "-lock"))
            return ":" + std::to_string(n);
    }
    return std::nullopt;
}

// What an X server writes on the pipe it was handed once it listens: the
// display number it picked, and a newline. Both ends are closed after.
std::string displayToldOn(const int (&pipe)[2]) {
    ::close(pipe[1]);
    std::string number;
    char c = 0;
    pollfd readable{pipe[0], POLLIN, 0};
    while (::poll(&readable, 1, 20'000) == 1 && ::read(pipe[0], &c, 1) == 1 && c != '\n') number += c;
    ::close(pipe[0]);
    EXPECT_FALSE(number.empty()) << "the X server told no display";
    return ":" + number;
}

// An X server of the test's own with no client at all, as xvfb-run starts
// one: it resets whenever its last client leaves. It picks the first free
// display itself, so no search of ours can race another server's start, and
// it is asked to end, so that it takes its socket with it.
struct BareXServer {
    int told[2] = {-1, -1};
    // The write end stays open across the server's exec.
    bool piped = ::pipe2(told, O_CLOEXEC) == 0 && ::fcntl(told[1], F_SETFD, 0) == 0;
    WaylarkKitTest::ProgramRun server{
        "/usr/bin/Xvfb", {"-displayfd", std::to_string(told[1]), "-nolisten", "tcp", "-screen", "0", "1280x800x24"}};
    std::string display = displayToldOn(told);
    EnvironmentVariable to{"DISPLAY", display.c_str()};
    BareXServer() { EXPECT_TRUE(piped); }
    ~BareXServer() {
        if (!server.waitForExit(0)) server.signal(SIGTERM);
        EXPECT_TRUE(server.waitForExit(20));
        EXPECT_FALSE(fs::exists("/tmp/.X11-unix/X" + display.substr(1))) << "the server left its socket behind";
    }
};

// Whether the program has come up: its socket is made after it connected to
// the display. False as soon as it ended instead.
bool started(App& app) {
    return waitUntil([&] { return fs::exists(OpenRequest::socketPath()) || app.waitForExit(0); }) &&
           !app.waitForExit(0);
}

// Whether the program shows a window on the X server DISPLAY names, rather
// than on a platform that draws nowhere.
bool windowOnDisplay(const App& app) {
    return waitUntil(
        [&] { return !Base::Testing::commandOutput("xdotool search --pid " + std::to_string(app.pid())).empty(); });
}

// The values the helper variables of the program's own X11 connection have
// in an `env` listing; the ones not set are absent.
std::map<std::string, std::string> connectionVariablesIn(const std::string& listing) {
    const std::set<std::string> names = {"QT_QPA_PLATFORM", "QT_XCB_NO_MITSHM", "QT_NO_GLIB"};
    std::map<std::string, std::string> found;
    std::istringstream lines(listing);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos && names.contains(line.substr(0, equals)))
            found[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return found;
}

// This test standing in for the first process: it holds the lock and counts open requests.
struct FirstProcess {
    InstanceLock::Outcome lock;
    Base::ManualScheduler scheduler;
    int requests = 0;
    Base::Result<std::unique_ptr<OpenRequestListener>> listener;
    explicit FirstProcess(const Session& session)
        : lock(InstanceLock::acquire(session.lock)),
          listener(OpenRequestListener::start(scheduler, OpenRequest::socketPath(), [this] { ++requests; })) {}
    bool ready() const { return lock.lock && listener; }
    bool received(int count) {
        return waitUntil([&] {
            scheduler.runPending();
            return requests == count;
        });
    }
};

// An HTTPS proxy on loopback that lets connections in and never answers: a
// download through it runs until its own limits, half a minute on, end it.
struct SilentProxy {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    std::string address;
    SilentProxy() {
        sockaddr_in at{};
        at.sin_family = AF_INET;
        EXPECT_EQ(::inet_pton(AF_INET, "127.0.0.1", &at.sin_addr), 1);
        socklen_t size = sizeof at;
        EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&at), size), 0);
        EXPECT_EQ(::listen(fd, 8), 0);
        EXPECT_EQ(::getsockname(fd, reinterpret_cast<sockaddr*>(&at), &size), 0);
        address = "http://127.0.0.1:" + std::to_string(ntohs(at.sin_port));
    }
    ~SilentProxy() { ::close(fd); }
    SilentProxy(const SilentProxy&) = delete;
    SilentProxy& operator=(const SilentProxy&) = delete;
};

// The download program the app runs now, the one installed beside it; 0
// while there is none. Until its exec a child still shows the app's own executable.
pid_t runningDownload(const App& app) {
    std::error_code error;
    const fs::path program = fs::canonical(
        fs::path(WAYLARK_APP_PATH).parent_path() / CalendarKit::SpawnedFeedFetcher::programName, error);
    if (error) return 0;
    for (fs::directory_iterator entry("/proc", error), end; !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        const pid_t pid = std::stoi(name);
        const auto process = Base::Testing::processEntry(pid);
        std::error_code unreadable;
        if (process && process->parent == app.pid() && fs::read_symlink(entry->path() / "exe", unreadable) == program)
            return pid;
    }
    return 0;
}

// A document as the program wrote it, decoded without the stores' repair.
template <class T>
Base::Result<T> saved(const fs::path& file, Base::Result<T> (*decode)(const Base::Json&)) {
    const auto json = Base::Json::parse(Base::Testing::readBytes(file));
    if (!json) return json.error();
    return decode(*json);
}

}  // namespace

TEST(WaylarkAppProcessTest, FirstHoldsTheLockSecondSaysSoAndEndsFirstQuitsCleanly) {
    Session session;
    BareXServer x;
    App first({"--from-autostart"});
    // The socket comes after the lock: once it is there, the lock is held.
    ASSERT_TRUE(started(first)) << first.errors;
    EXPECT_EQ(Base::FileSystem::permissions(session.lock.parent_path()), 0700);
    EXPECT_EQ(Base::FileSystem::permissions(session.lock), 0600);

    App second({"--from-autostart"});
    ASSERT_TRUE(second.waitForExit(10));
    EXPECT_EQ(second.exitStatus(), 0);
    EXPECT_EQ(second.errors, SecondLaunch::message);
    EXPECT_GE(second.seconds(), 0.25);
    EXPECT_LE(second.seconds(), 0.6);

    first.signal(SIGTERM);
    ASSERT_TRUE(first.waitForExit(20));
    EXPECT_EQ(first.exitStatus(), 0) << first.errors;
    EXPECT_FALSE(fs::exists(OpenRequest::socketPath()));
    EXPECT_EQ(fs::file_size(session.lock), 0u);
    EXPECT_EQ(InstanceLock::acquire(session.lock).kind, InstanceLock::Outcome::Kind::acquired);
}

TEST(WaylarkAppProcessTest, ASecondStartAsksToOpenOnlyWhenTheUserStartedIt) {
    const struct {
        std::vector<std::string> arguments;
        int requests;
    } cases[] = {{{"--from-launcher"}, 1}, {{}, 1}, {{"--from-autostart"}, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        Session session;
        FirstProcess first(session);
        ASSERT_TRUE(first.ready());

        App second(c.arguments);
        ASSERT_TRUE(second.waitForExit(10));
        EXPECT_EQ(second.exitStatus(), 0);
        // A request of our own, sent after the program ended, comes after any of its own.
        ASSERT_TRUE(OpenRequest::send(OpenRequest::socketPath()));
        EXPECT_TRUE(first.received(c.requests + 1));
    }
}

TEST(WaylarkAppProcessTest, ALockThatCannotBeMadeIsAnErrorNotASecondInstance) {
    Session session;
    Base::Testing::writeBytes(session.data, "a file where the data folder should be");
    App app({});
    ASSERT_TRUE(app.waitForExit(20));
    EXPECT_EQ(app.exitStatus(), 1);
    EXPECT_EQ(app.errors, "Orl Trading Waylark cannot take its instance lock: " + session.data.string() +
                              " exists and is not a folder\n");
}

TEST(WaylarkAppProcessTest, WithoutAnXDisplayItSaysWhatIsMissingAndEnds) {
    Session session;
    const EnvironmentVariable platform("QT_QPA_PLATFORM", nullptr);
    const std::optional<std::string> free = unusedDisplay();
    ASSERT_TRUE(free) << "every display looked at is taken";
    const std::string unreachable = *free;
    const struct {
        const char* display;
        const char* wayland;
        std::string line;
    } cases[] = {
        {nullptr, nullptr, "DISPLAY is not set"},
        // A Wayland session without XWayland.
        {nullptr, "wayland-0", "DISPLAY is not set"},
        {unreachable.c_str(), nullptr, "cannot open display " + unreachable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const EnvironmentVariable display("DISPLAY", c.display), wayland("WAYLAND_DISPLAY", c.wayland);
        App app({"--always-on"});
        ASSERT_TRUE(app.waitForExit(20));
        EXPECT_EQ(app.exitStatus(), 1);
        EXPECT_EQ(app.errors, "Orl Trading Waylark needs an X11 display: " + c.line + "\n");
        EXPECT_FALSE(fs::exists(OpenRequest::socketPath()));
    }
}

TEST(WaylarkAppProcessTest, ASecondStartWhoseStandardErrorIsClosedStillAsksToOpen) {
    Session session;
    FirstProcess first(session);
    ASSERT_TRUE(first.ready());

    // Standard error is a pipe whose reader has gone, as under `| true`.
    int pipe[2];
    ASSERT_EQ(::pipe2(pipe, O_CLOEXEC), 0);
    ::close(pipe[0]);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe[1], STDERR_FILENO);
    std::string program = WAYLARK_APP_PATH;
    char* argv[] = {program.data(), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(::posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipe[1]);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    EXPECT_TRUE(first.received(1));
}

TEST(WaylarkAppProcessTest, ALostXServerStillSavesTidySettingsAndRemovesTheSocket) {
    Session session;
    BareXServer x;
    const fs::path settingsPath = SettingsKit::FileSettingsStore::defaultPath(),
                   checklists = ChecklistKit::FileChecklistStore::defaultURL();
    // Windows out of start order, as an editor's debounced save leaves them:
    // only the end of the run puts them in order, and tells the views so.
    // Every text the settings keep is beyond ASCII, as the save's text rules
    // then need more than byte counting.
    SettingsKit::AppSettings settings;
    settings.greeting = {true, "Bună dimineața,", "Ștefan"};
    auto& windows = settings.profiles.front().windows;
    ASSERT_GE(windows.size(), 2u);
    windows[0].name = "Închidere";
    windows[1].name = "Cafe\u0301 și 📈";
    const auto inOrder = windows;
    std::reverse(windows.begin(), windows.end());
    settings.customIntervals.push_back(
        {Base::Uuid::random(), "Știri 📰", {8, 0}, {8, 30}, TradingCore::workDays(), TradingCore::IntervalColor::cyan});
    ASSERT_TRUE(SettingsKit::FileSettingsStore(settingsPath).save(settings));
    // A checklist as a hand edit leaves it: only a save writes its name trimmed.
    const ChecklistKit::ChecklistItem items[] = {{Base::Uuid::random(), "Verific știrile €", {}},
                                                 {Base::Uuid::random(), "Cafe\u0301 ☕ 👍🏽", {"Da", "Nu știu"}}};
    const ChecklistKit::ChecklistState checklist({{Base::Uuid::random(), " Pregătire\t", {items[0], items[1]}}},
                                                 std::nullopt, {}, {});
    Base::Testing::writeBytes(checklists, *ChecklistKit::toJson(checklist).dump());
    // The calendar's refresh at activation hangs on a proxy that never answers.
    const SilentProxy proxy;
    const EnvironmentVariable https("https_proxy", proxy.address.c_str()), httpsUpper("HTTPS_PROXY", nullptr),
        all("all_proxy", nullptr), allUpper("ALL_PROXY", nullptr), none("no_proxy", nullptr),
        noneUpper("NO_PROXY", nullptr);
    // Started by hand: it listens for open requests and shows the island at once.
    App app({});
    ASSERT_TRUE(started(app)) << app.errors;
    pid_t download = 0;
    ASSERT_TRUE(waitUntil([&] { return (download = runningDownload(app)) != 0; })) << "no download started";

    x.server.signal(SIGTERM);
    ASSERT_TRUE(app.waitForExit(20));
    // Ended with the program, not when its own limits give up on the proxy.
    EXPECT_TRUE(waitUntil([&] { return hasEnded(download); }, std::chrono::seconds(5)))
        << "the download program outlived the program that started it";
    if (!hasEnded(download)) ::kill(-download, SIGKILL);
    EXPECT_EQ(app.exitStatus(), 1) << app.errors;
    EXPECT_NE(app.errors.find("The X11 connection broke"), std::string::npos) << app.errors;
    const auto savedSettings = saved(settingsPath, SettingsKit::appSettingsFromJson);
    ASSERT_TRUE(savedSettings) << savedSettings.error().message;
    EXPECT_EQ(savedSettings->profiles.front().windows, inOrder);
    // Byte for byte: the greeting's own comparison would let another normal form pass.
    EXPECT_EQ(savedSettings->greeting.leading, settings.greeting.leading);
    EXPECT_EQ(savedSettings->greeting.name, settings.greeting.name);
    EXPECT_EQ(savedSettings->customIntervals, settings.customIntervals);
    const auto savedChecklists = saved(checklists, ChecklistKit::fromJson<ChecklistKit::ChecklistState>);
    ASSERT_TRUE(savedChecklists) << savedChecklists.error().message;
    ASSERT_EQ(savedChecklists->templates.size(), 1u);
    EXPECT_EQ(savedChecklists->templates[0].name, "Pregătire");
    EXPECT_EQ(savedChecklists->templates[0].items, checklist.templates[0].items);
    EXPECT_FALSE(fs::exists(OpenRequest::socketPath()));
}

TEST(WaylarkAppProcessTest, ABareServerAndAnyPlatformChoiceStartEveryTimeWithoutAnAbort) {
    Session session;
    BareXServer x;
    // Wayland desktops ask Qt for Wayland; the program needs X11 whatever they say.
    const char* platforms[] = {nullptr, "wayland", "bogus", "wayland;xcb", "offscreen"};
    // The server resets after every run, as the last client leaves.
    for (int run = 0; run < 30; ++run) {
        const char* platform = platforms[run % std::size(platforms)];
        SCOPED_TRACE(testing::Message() << "run " << run << ", platform " << (platform ? platform : "unset"));
        const EnvironmentVariable chosen("QT_QPA_PLATFORM", platform);
        App app({});
        ASSERT_TRUE(started(app)) << app.exitStatus() << " " << app.errors;
        ASSERT_TRUE(windowOnDisplay(app));
        app.signal(SIGTERM);
        ASSERT_TRUE(app.waitForExit(20));
        EXPECT_EQ(app.exitStatus(), 0) << app.errors;
    }
}

TEST(WaylarkAppProcessTest, ProgramsItStartsInheritTheUsersPlatformAndNoneOfItsConnectionVariables) {
    BareXServer x;
    // gsettings, asked about the desktop's animations at every start, stands
    // in for all the programs started later: it writes down what it inherited.
    Base::Testing::TemporaryFolder tools;
    const fs::path seen = tools.path() / "seen", standIn = tools.path() / "gsettings";
    Base::Testing::writeBytes(standIn, "#!/bin/sh\nenv > '" + seen.string() + ".part' && mv '" + seen.string() +
                                            ".part' '" + seen.string() + "'\necho true\n");
    fs::permissions(standIn, fs::perms::owner_all);
    const EnvironmentVariable path("PATH", (tools.path().string() + ":" + std::getenv("PATH")).c_str());
    // A desktop on which Qt never needs GLib's loop: the program sets all three for itself.
    const EnvironmentVariable desktop("XDG_CURRENT_DESKTOP", "KDE"), theme("QT_QPA_PLATFORMTHEME", nullptr),
        mitshm("QT_XCB_NO_MITSHM", nullptr), glib("QT_NO_GLIB", nullptr);
    const struct {
        const char* platform;
        std::map<std::string, std::string> inherited;
    } cases[] = {{"wayland", {{"QT_QPA_PLATFORM", "wayland"}}}, {nullptr, {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.platform ? c.platform : "unset");
        Session session;
        fs::remove(seen);
        const EnvironmentVariable chosen("QT_QPA_PLATFORM", c.platform);
        App app({});
        ASSERT_TRUE(started(app)) << app.errors;
        ASSERT_TRUE(waitUntil([&] { return fs::exists(seen); })) << "gsettings never ran";
        EXPECT_EQ(connectionVariablesIn(Base::Testing::readBytes(seen)), c.inherited);
        app.signal(SIGTERM);
        ASSERT_TRUE(app.waitForExit(20));
        EXPECT_EQ(app.exitStatus(), 0) << app.errors;
    }
}

TEST(WaylarkAppProcessTest, StartedWithStandardErrorClosedItWritesNoLineIntoItsOwnFiles) {
    Session session;
    BareXServer x;
    // A file where the checklists' folder goes: their save fails, which is told on standard error.
    const fs::path blocked = ChecklistKit::FileChecklistStore::defaultURL().parent_path();
    Base::Testing::writeBytes(blocked, "in the way");
    App app({}, false);
    ASSERT_TRUE(started(app));
    app.signal(SIGTERM);
    ASSERT_TRUE(app.waitForExit(20));
    EXPECT_EQ(app.exitStatus(), 0);
    EXPECT_EQ(Base::Testing::readBytes(session.lock), "");
    EXPECT_EQ(Base::Testing::readBytes(blocked), "in the way");
    EXPECT_TRUE(fs::exists(SettingsKit::FileSettingsStore::defaultPath()));
}

TEST(WaylarkAppProcessTest, AUserWithoutAHomeIsToldSoAndNothingIsWritten) {
    // A user the password database does not know, which only root can become.
    constexpr int stranger = 54321;
    if (::geteuid() != 0 || ::getpwuid(stranger) != nullptr) GTEST_SKIP() << "needs root and an unknown user id";
    Session session;
    const EnvironmentVariable home("HOME", nullptr), data("XDG_DATA_HOME", nullptr);
    const std::string id = std::to_string(stranger);
    WaylarkKitTest::ProgramRun app("/usr/bin/setpriv",
                                   {"--reuid=" + id, "--regid=" + id, "--clear-groups", WAYLARK_APP_PATH});
    ASSERT_TRUE(app.waitForExit(20));
    EXPECT_EQ(app.exitStatus(), 1);
    EXPECT_EQ(app.errors, "Orl Trading Waylark needs a home folder: HOME is not set and the password database has no "
                          "entry for this user\n");
}
