#include "WaylarkKit/Qt/WaylarkBootstrap.h"

#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>

#include "Base/FileSystem.h"
#include "IslandKit/Window/QtScheduler.h"
#include "WaylarkKit/App/InstanceLock.h"
#include "WaylarkKit/App/Qt/AppDelegate.h"
#include "WaylarkKit/App/Qt/SystemEnvironment.h"
#include "WaylarkKit/Launch/ConnectionVariables.h"
#include "WaylarkKit/Launch/OpenRequest.h"
#include "WaylarkKit/Launch/SecondLaunch.h"
#include "WaylarkKit/Launch/StandardStreams.h"
#include "WaylarkKit/Presence/LaunchOptions.h"
#include "WaylarkKit/Qt/PlatformStartGuard.h"
#include "WaylarkKit/Qt/QuitOnSignal.h"
#include "WaylarkKit/Qt/WorkBeforeExit.h"
#include "WaylarkKit/Qt/X11DisplayCheck.h"
#include "WaylarkKit/Style/Qt/Fonts.h"

namespace WaylarkKit::WaylarkBootstrap {

namespace {

// Whether Qt's GTK platform theme is among the plugins it would find.
bool gtkThemeInstalled() {
    QStringList folders = qEnvironmentVariable("QT_PLUGIN_PATH").split(u':', Qt::SkipEmptyParts);
    folders.append(QLibraryInfo::path(QLibraryInfo::PluginsPath));
    return std::ranges::any_of(folders, [](const QString& folder) {
        return !QDir(folder + QStringLiteral("/platformthemes")).entryList({QStringLiteral("*gtk*")}, QDir::Files).isEmpty();
    });
}

int fail(const std::string& line) {
    const std::string text = line + "\n";
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, text.data(), text.size());
    return 1;
}

}  // namespace

int run(int argc, char** argv) {
    fillClosedStandardStreams();
    // A closed standard error (a terminal gone, a pipe read by nobody) must
    // not end the run, nor a second start before it has asked to open.
    std::signal(SIGPIPE, SIG_IGN);
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (Base::FileSystem::applicationSupportFolder().empty()) {
        return fail("Orl Trading Waylark needs a home folder: HOME is not set and the password database has no "
                    "entry for this user");
    }
    const auto path = InstanceLock::defaultPath();
    auto outcome = InstanceLock::acquire(path);
    using Kind = InstanceLock::Outcome::Kind;
    // The second process shows nothing at all: it never makes an application object.
    if (outcome.kind == Kind::heldElsewhere) return SecondLaunch::run(arguments, OpenRequest::socketPath());
    // Not another instance: a lock that cannot be had at all says why.
    if (outcome.kind == Kind::failed) {
        return fail("Orl Trading Waylark cannot take its instance lock: " + outcome.error);
    }

    // The island's windows, input shapes and pointer tracking are X11's; a
    // Wayland session runs it through XWayland.
    std::optional<X11DisplayCheck> display(std::in_place);
    if (display->missing()) return fail(*display->missing());
    std::optional<ConnectionVariables> connection(std::in_place);
    // Qt is told to use X11 whatever the session asks of its programs.
    connection->set("QT_QPA_PLATFORM", "xcb");
    // Repainted areas go to the X server over the socket, and Qt's own event
    // loop runs instead of GLib's where no GTK theme needs it.
    connection->setUnlessChosen("QT_XCB_NO_MITSHM", "1");
    if (!ConnectionVariables::glibLoopNeeded(qEnvironmentVariable("QT_QPA_PLATFORMTHEME").toStdString(),
                                             qEnvironmentVariable("XDG_CURRENT_DESKTOP").toStdString(),
                                             gtkThemeInstalled())) {
        connection->setUnlessChosen("QT_NO_GLIB", "1");
    }
    std::optional<PlatformStartGuard> guard(std::in_place, display->refused());
    QApplication application(argc, argv);
    guard.reset();
    display.reset();
    connection.reset();
    QGuiApplication::setDesktopFileName("com.orltrading.waylark");
    // No window closing may end the run: the island comes and goes.
    QApplication::setQuitOnLastWindowClosed(false);
    loadFonts();
    IslandKit::QtScheduler scheduler;
    QuitOnSignal quitOnSignal;
    const LaunchOptions options = LaunchOptions::fromArguments(arguments);
    AppDelegate delegate(options, std::move(*outcome.lock), scheduler,
                         SystemEnvironment::make(scheduler, options, arguments));
    // A lost X server ends the process from inside Qt. It still ends the
    // downloads, saves, and removes the socket by its path: the listener's own
    // end waits for its thread, and only the lock holder ever makes a socket there.
    const WorkBeforeExit lostDisplay([&delegate, socket = OpenRequest::socketPath()] {
        delegate.endDownloadsBeforeExit();
        delegate.saveBeforeExit();
        ::unlink(socket.c_str());
    });
    delegate.applicationDidFinishLaunching();
    QApplication::exec();
    delegate.applicationWillTerminate();
    return 0;
}

}  // namespace WaylarkKit::WaylarkBootstrap
