// The application as the program composes it, in this process, on an X
// server with a compositor and a tray: the island appears, a right click on
// the tray icon opens the status menu, a left click drops it under the icon
// (screenshot app-running.png) and a right click on the island opens it too
// (app-island-menu.png), a calendar cached two days ago is shown with
// degraded freshness while the network is unreachable, the keyboard
// goes back to a plain window of another program after a click into the
// lot-size tab's field, and SIGTERM still writes a change that waits on its
// debounce; split into two RandR monitors with no built-in panel, one answer
// to the new-display prompt puts an island on each (app-two-displays.png).
// Usage: AppScreens <screenshot folder>

#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QMenu>
#include <QProcess>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>

#include "Base/testing/TemporaryFolder.h"
#include "CalendarKit/Storage/FileCalendarStore.h"
#include "IslandKit/Screen/DisplayIdentity.h"
#include "IslandKit/Window/QtDesktop.h"
#include "IslandKit/Window/QtScheduler.h"
#include "SettingsKit/FileSettingsStore.h"
#include "WaylarkKit/App/InstanceLock.h"
#include "WaylarkKit/App/Qt/AppDelegate.h"
#include "WaylarkKit/App/Qt/DisplayChoiceView.h"
#include "WaylarkKit/Calculator/Qt/CalculatorTabView.h"
#include "WaylarkKit/Qt/QuitOnSignal.h"
#include "WaylarkKit/Style/Qt/Fonts.h"
#include "WaylarkKit/tests/xvfb/App/ComposedApp.h"
#include "WaylarkKit/tests/xvfb/support/XvfbDriving.h"

using namespace WaylarkKit;
using namespace WaylarkKit::Xvfb;
namespace fs = std::filesystem;

namespace {

bool menuHolds(const QMenu& menu, const QString& text) {
    for (const QAction* action : menu.actions()) {
        if (action->text() == text) return true;
    }
    return false;
}

// This week as the feed had it two days ago: releases from three days back to three days ahead.
CalendarKit::CalendarCache cachedWeek(Base::Date now) {
    std::vector<CalendarKit::CalendarEvent> events;
    for (int day = -3; day <= 3; ++day) {
        events.push_back({"cached-" + std::to_string(day + 3), "Cached release " + std::to_string(day + 3), "USD",
                          TradingCore::NewsImpact::high, now + day * 86'400.0 + 3600, std::nullopt, "", ""});
    }
    return {now - 2 * 86'400.0, std::move(events), {}};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: AppScreens <screenshot folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    fs::create_directories(argv[1]);
    Base::Testing::TemporaryFolder home;
    liveIn(home.path());

    const Base::SystemClock clock;
    const CalendarKit::CalendarCache cache = cachedWeek(clock.now());
    check(CalendarKit::FileCalendarStore(CalendarKit::FileCalendarStore::defaultPath()).save(cache).ok(),
          "a calendar cached two days ago is on disk");

    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    loadFonts();
    IslandKit::QtScheduler scheduler;
    QuitOnSignal quitOnSignal;
    auto lock = InstanceLock::acquire(InstanceLock::defaultPath());
    const std::vector<std::string> arguments{"--always-on"};
    const LaunchOptions options = LaunchOptions::fromArguments(arguments);
    AppDelegate delegate(options, std::move(*lock.lock), scheduler, offlineEnvironment(scheduler, options, arguments));
    delegate.applicationDidFinishLaunching();

    check(waitFor(islandsSettled), "the island is on screen");

    // The calendar keeps the cached week when the refresh cannot reach the feed.
    check(waitFor([&] { return delegate.calendar().status().kind == CalendarKit::CalendarServiceStatus::Kind::failed; },
                  15000),
          "the refresh at activation fails without a network");
    check(delegate.calendar().status().message.find("connect") != std::string::npos,
          "the download program ran and could not connect");
    check(delegate.calendar().events() == cache.events, "the cached week is what the island shows");
    check(delegate.timing().evaluation().confidence == TradingCore::DataConfidence::degraded,
          "two days old, the news data reads degraded");

    // The status menu from the tray, as a user opens it.
    StatusItemController& tray = *delegate.statusItem();
    check(waitFor([&] { return tray.trayIcon().geometry().isValid(); }), "the tray host shows the timer icon");
    const QPoint icon = tray.trayIcon().geometry().center();
    QProcess::execute("xdotool", {"mousemove", QString::number(icon.x()), QString::number(icon.y()), "click", "3"});
    check(waitFor([&] { return tray.menu().isVisible(); }), "a right click on the icon opens the menu");
    check(menuHolds(tray.menu(), QString::fromStdString("Orl Trading Waylark " + StatusMenuModel::currentVersion())),
          "the menu names the version");
    check(menuHolds(tray.menu(), "Always on (test mode)"), "the menu holds the status line");
    check(menuHolds(tray.menu(), "Quit"), "the menu ends with Quit");
    tray.menu().close();
    check(waitFor([&] { return !tray.menu().isVisible(); }), "the menu closes");
    // A right click opens it at the pointer, over the icon; a left click
    // drops it under the icon, which stays in view for the screenshot.
    QProcess::execute("xdotool", {"mousemove", QString::number(icon.x()), QString::number(icon.y()), "click", "1"});
    check(waitFor([&] { return tray.menu().isVisible(); }), "a left click on the icon opens the menu");
    check(!tray.menu().geometry().intersects(tray.trayIcon().geometry()), "the menu leaves the icon in view");
    // Taken once the status word is in its short form and the island has settled to it.
    check(waitFor([&] { return !delegate.timing().isStatusLabelFull() && islandsSettled(); }, 10000),
          "the island settles");
    const QRect top(0, 0, QGuiApplication::primaryScreen()->geometry().width(), 260);
    auto grab = [&] {
        return QGuiApplication::primaryScreen()->grabWindow(0, top.x(), top.y(), top.width(), top.height()).toImage();
    };
    QImage shot = grab();
    check(waitFor([&] { return std::exchange(shot, grab()) == shot; }), "the compositor has drawn it");
    shot.save(folder + "/app-running.png");
    tray.menu().close();
    check(waitFor([&] { return !tray.menu().isVisible(); }), "the menu closes");

    // The same menu from a right click on the island, for desktops without a tray.
    const QPoint island =
        IslandKit::QtDesktop::toWindowSystem(delegate.island(delegate.islandIDs().front())->layout().rect).center();
    xdotool({"mousemove", QString::number(island.x()), QString::number(island.y()), "click", "3"});
    check(waitFor([&] { return tray.menu().isVisible(); }), "a right click on the island opens the menu");
    QImage islandMenu = grab();
    check(waitFor([&] { return std::exchange(islandMenu, grab()) == islandMenu; }), "the compositor has drawn it");
    islandMenu.save(folder + "/app-island-menu.png");
    tray.menu().close();
    check(waitFor([&] { return !tray.menu().isVisible(); }), "the menu closes");

    // A plain window of another program has the keyboard. A click into a
    // field of the lot-size tab takes it; leaving the tab gives it back, and
    // so does collapsing the island with a click beside it.
    QProcess plain;
    plain.start("xmessage", {"-name", "waylark-plain", "-geometry", "+100+500", "A plain window"});
    const QString plainWindow = outputOf("xdotool", {"search", "--sync", "--classname", "waylark-plain"});
    xdotool({"windowfocus", "--sync", plainWindow});
    check(!plainWindow.isEmpty() && keyboardAt() == plainWindow, "a plain window has the keyboard");
    const std::function<void()> leaveTab = [&] { delegate.timing().setActiveTab(L2Tab::timeline); };
    const std::function<void()> collapse = [&] { click(QPoint(700, 700)); };
    for (const auto& [giveUp, how] : {std::pair{leaveTab, "leaving the lot-size tab"},
                                      std::pair{collapse, "collapsing the island"}}) {
        CalculatorTabView* tab = openLotSizeTab(delegate);
        if (!tab) break;
        click(centre(*tab, tab->geometry().cards[0].textField));
        check(waitFor([&] { return !keyboardAt().isEmpty() && keyboardAt() != plainWindow; }),
              "a click into its field takes the keyboard");
        giveUp();
        check(waitFor([&] { return keyboardAt() == plainWindow; }), std::string(how) + " gives it back");
    }
    plain.kill();
    plain.waitForFinished();

    // The screen split into two RandR monitors, neither built in and nothing
    // chosen: the island stays on the first and the prompt asks about the
    // second. One click on "Both displays" puts an island on each, and no
    // second question follows.
    QProcess::execute("xrandr", {"--setmonitor", "left", "756/200x982/260+0+0", "screen"});
    QProcess::execute("xrandr", {"--setmonitor", "right", "756/200x982/260+756+0", "none"});
    const std::string right = *IslandKit::DisplayIdentity::stableID(std::nullopt, "right");
    auto prompt = []() -> DisplayChoiceView* {
        for (DisplayChoiceView* view : viewsOf<DisplayChoiceView>()) {
            if (view->isVisible()) return view;
        }
        return nullptr;
    };
    check(waitFor([&] { return prompt() && delegate.islandIDs().size() == 1 && islandsSettled(); }, 10000),
          "the split screen asks about a new display");
    check(prompt() && prompt()->title(DisplayAnswer::alsoHere) == "Both displays" &&
              prompt()->title(DisplayAnswer::onlyHere) == "Only right" && delegate.islandIDs() != std::vector{right},
          "it asks about the monitor without an island");
    if (DisplayChoiceView* card = prompt()) click(centre(*card, card->buttonRect(DisplayAnswer::alsoHere)));
    check(waitFor([&] { return !delegate.timing().isEditorOpen() && delegate.islandIDs().size() == 2; }),
          "one click on \"Both displays\" gives two islands");
    check(!prompt() && delegate.settings().displayChoices().size() == 2, "and no second card");
    check(waitFor(islandsSettled, 10000), "both islands come to rest");
    const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
    auto grabBoth = [&] { return QGuiApplication::primaryScreen()->grabWindow(0, 0, 0, desktop.width(), 120).toImage(); };
    QImage twoDisplays = grabBoth();
    check(waitFor([&] { return std::exchange(twoDisplays, grabBoth()) == twoDisplays; }), "the compositor has drawn them");
    twoDisplays.save(folder + "/app-two-displays.png");
    QProcess::execute("xrandr", {"--delmonitor", "left"});
    QProcess::execute("xrandr", {"--delmonitor", "right"});

    // A change still waiting on its debounce when the session ends the process.
    SettingsKit::FileSettingsStore settingsFile(SettingsKit::FileSettingsStore::defaultPath());
    delegate.settings().zoomOut();
    const int zoomed = delegate.settings().timelineHalfSpanMinutes();
    const auto before = settingsFile.load();
    check(!before || before->timelineHalfSpanMinutes != zoomed, "a change waits on its debounce");
    ::kill(::getpid(), SIGTERM);
    QTimer::singleShot(10000, [] {
        check(false, "SIGTERM ends the run");
        QCoreApplication::exit(1);
    });
    QApplication::exec();
    delegate.applicationWillTerminate();
    const auto saved = settingsFile.load();
    check(saved && saved->timelineHalfSpanMinutes == zoomed, "SIGTERM still writes it");

    return finish();
}
