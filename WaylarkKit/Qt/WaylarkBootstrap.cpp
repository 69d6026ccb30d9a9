#include "WaylarkKit/Qt/WaylarkBootstrap.h"

#include <unistd.h>

#include <string>
#include <vector>

#include <QApplication>

#include "IslandKit/Window/QtScheduler.h"
#include "WaylarkKit/App/InstanceLock.h"
#include "WaylarkKit/App/Qt/AppDelegate.h"
#include "WaylarkKit/App/Qt/SystemEnvironment.h"
#include "WaylarkKit/Launch/OpenRequest.h"
#include "WaylarkKit/Presence/LaunchOptions.h"
#include "WaylarkKit/Qt/QuitOnSignal.h"
#include "WaylarkKit/Launch/SecondLaunch.h"
#include "WaylarkKit/Style/Qt/Fonts.h"

namespace WaylarkKit::WaylarkBootstrap {

int run(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const auto path = InstanceLock::defaultPath();
    auto outcome = InstanceLock::acquire(path);
    using Kind = InstanceLock::Outcome::Kind;
    // The second process shows nothing at all: it never makes an application object.
    if (outcome.kind == Kind::heldElsewhere) return SecondLaunch::run(arguments, OpenRequest::socketPath());
    if (outcome.kind == Kind::failed) {
        // Not another instance: a lock that cannot be had at all says why.
        const std::string line = "Orl Trading Waylark cannot take its instance lock: " + outcome.error + "\n";
        [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, line.data(), line.size());
        return 1;
    }

    // The island's windows, input shapes and pointer tracking are X11's; a
    // Wayland session runs it through XWayland.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication application(argc, argv);
    QGuiApplication::setDesktopFileName("com.orltrading.waylark");
    // No window closing may end the run: the island comes and goes.
    QApplication::setQuitOnLastWindowClosed(false);
    loadFonts();
    IslandKit::QtScheduler scheduler;
    QuitOnSignal quitOnSignal;
    const LaunchOptions options = LaunchOptions::fromArguments(arguments);
    AppDelegate delegate(options, std::move(*outcome.lock), scheduler,
                         SystemEnvironment::make(scheduler, options, arguments));
    delegate.applicationDidFinishLaunching();
    QApplication::exec();
    delegate.applicationWillTerminate();
    return 0;
}

}  // namespace WaylarkKit::WaylarkBootstrap
