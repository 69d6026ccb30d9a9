#include "WaylarkKit/Qt/WaylarkBootstrap.h"

#include <unistd.h>

#include <string>
#include <vector>

#include <QApplication>

#include "IslandKit/Window/QtScheduler.h"
#include "WaylarkKit/App/InstanceLock.h"
#include "WaylarkKit/AppDelegate.h"
#include "WaylarkKit/OpenRequest.h"
#include "WaylarkKit/Presence/LaunchOptions.h"
#include "WaylarkKit/Qt/QuitOnSignal.h"
#include "WaylarkKit/SecondLaunch.h"

namespace WaylarkKit::WaylarkBootstrap {

int run(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const auto path = InstanceLock::defaultPath();
    auto outcome = InstanceLock::acquire(path);
    using Kind = InstanceLock::Outcome::Kind;
    if (outcome.kind == Kind::heldElsewhere) return SecondLaunch::run(arguments, OpenRequest::socketPath());
    if (outcome.kind == Kind::failed) {
        // Not another instance: a lock that cannot be had at all says why.
        const std::string line = "Orl Trading Waylark cannot take its instance lock: " + outcome.error + "\n";
        [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, line.data(), line.size());
        return 1;
    }

    QApplication application(argc, argv);
    // No window closing may end the run: the island comes and goes.
    QApplication::setQuitOnLastWindowClosed(false);
    IslandKit::QtScheduler scheduler;
    QuitOnSignal quitOnSignal;
    AppDelegate delegate(LaunchOptions::fromArguments(arguments), std::move(*outcome.lock), scheduler,
                         launchedByUser(arguments));
    delegate.applicationDidFinishLaunching();
    QApplication::exec();
    delegate.applicationWillTerminate();
    return 0;
}

}  // namespace WaylarkKit::WaylarkBootstrap
