// The status menu opened with one click while the island holds the keyboard
// or rests, under the window manager run-app-with-window-manager.sh --tray
// started (or none), with the program's icon docked in a real tray. A is the
// window that had the keyboard before the island took it (the chart) and
// logs the keys it gets. Each row leaves the keyboard on A or puts it into the
// lot-size tab's balance, opens the menu with one click (on the tray icon,
// left or right, or a right click on the resting island's status words or on
// an activity's text), closes it one way and types ten keys, which must all
// reach A. Last, "Quit" from the tray's menu ends the run while the balance
// has the keyboard, and keys typed after reach A.
// Usage: TrayKeyboardChecks [screenshot folder] (WAYLARK_WINDOW_MANAGER_PID
// names the window manager's process, 0 where none runs)

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QProcess>
#include <QSystemTrayIcon>
#include <QTimer>

#include "Base/Calendar.h"
#include "Base/testing/TemporaryFolder.h"
#include "IslandKit/Window/QtScheduler.h"
#include "TradingCore/Model/MarketTimeZone.h"
#include "WaylarkKit/App/InstanceLock.h"
#include "WaylarkKit/App/Qt/AppDelegate.h"
#include "WaylarkKit/App/Qt/StatusItemController.h"
#include "WaylarkKit/Calculator/Qt/CalculatorTabView.h"
#include "WaylarkKit/Style/Qt/Fonts.h"
#include "WaylarkKit/TextField/Qt/EditableText.h"
#include "WaylarkKit/Views/Qt/LeftStatusView.h"
#include "WaylarkKit/Views/Qt/RightActivitiesView.h"
#include "WaylarkKit/tests/xvfb/App/ComposedApp.h"
#include "WaylarkKit/tests/xvfb/App/KeyboardWitnesses.h"
#include "WaylarkKit/tests/xvfb/support/XvfbDriving.h"

using namespace WaylarkKit;
using namespace WaylarkKit::Xvfb;
using IslandKit::IslandState;

namespace {

void clickAt(QPoint point, int button) {
    xdotool({"mousemove", QString::number(point.x()), QString::number(point.y()), "click", QString::number(button)});
}

}  // namespace

int main(int argc, char** argv) {
    Base::Testing::TemporaryFolder home;
    liveIn(home.path());
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    loadFonts();
    const QString shots = argc >= 2 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (!shots.isEmpty()) QDir().mkpath(shots);
    const pid_t manager = static_cast<pid_t>(qEnvironmentVariableIntValue("WAYLARK_WINDOW_MANAGER_PID"));
    check((manager > 0) == !outputOf("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("not found"),
          manager > 0 ? "a window manager runs" : "no window manager runs");
    check(waitFor(QSystemTrayIcon::isSystemTrayAvailable), "a tray holds the screen");

    IslandKit::QtScheduler scheduler;
    auto lock = InstanceLock::acquire(InstanceLock::defaultPath());
    const std::vector<std::string> arguments{"--always-on"};
    const LaunchOptions options = LaunchOptions::fromArguments(arguments);
    std::optional<AppDelegate> running(std::in_place, options, std::move(*lock.lock), scheduler,
                                       offlineEnvironment(scheduler, options, arguments));
    AppDelegate& delegate = *running;
    // A custom time running now, every day, gives the island an activity's text to click.
    const Base::DateComponents clock =
        Base::Calendar(TradingCore::MarketTimeZone::newYork()).components(Base::Date::now());
    const int minute = clock.hour * 60 + clock.minute;
    const auto wallClock = [](int at) { return TradingCore::WallClockTime((at + 1440) / 60 % 24, (at + 1440) % 60); };
    SettingsKit::SettingsModel& settings = delegate.settings();
    if (const auto id = settings.addCustomInterval()) {
        settings.setCustomTimes(*id, wallClock(minute - 60), wallClock(minute + 120));
        for (const auto day : {TradingCore::Weekday::saturday, TradingCore::Weekday::sunday}) {
            settings.toggleCustomWeekday(*id, day);
        }
    }
    delegate.applicationDidFinishLaunching();
    check(waitFor(islandsSettled), "the island is on screen");
    IslandKit::IslandModel& island = *delegate.island(delegate.islandIDs().front());
    StatusItemController& item = *delegate.statusItem();
    QMenu& menu = item.menu();
    QSystemTrayIcon& icon = item.trayIcon();
    check(waitFor([&] { return !icon.geometry().isEmpty(); }),
          "the icon docks in the tray");

    const QString logs = QString::fromStdString(home.path().string());
    const KeyWindow a("waylark-a", 100, logs);
    check(!a.id.isEmpty(), "a window that logs keys is on screen");
    // The greeting plays in the island's slots first; the rows want the status and the activities.
    check(waitFor([&] {
              const auto activities = viewsOf<RightActivitiesView>();
              return !activities.empty() && !activities.front()->isGreeting() && islandsSettled();
          }, 20000),
          "the greeting has ended");

    const QString keys = "2468013579";
    const auto intoBalance = [&] {
        CalculatorTabView* tab = openLotSizeTab(delegate);
        if (!tab) return false;
        EditableText* balance = tab->textField(CalculatorModel::Field::balance);
        click(balance->mapToGlobal(balance->rect().center()));
        check(waitFor([&] { return balance->hasFocus() && keyboardAt() != a.id; }),
              "a click into the balance takes the keyboard");
        xdotool({"key", "ctrl+a"});
        type("725");
        return waitFor([&] { return balance->text() == "725"; });
    };
    const auto statusWords = [] {
        const auto views = viewsOf<LeftStatusView>();
        return views.empty() ? QPoint() : views.front()->mapToGlobal(views.front()->rowRect().center().toPoint());
    };
    const auto activityText = [] {
        for (RightActivitiesView* view : viewsOf<RightActivitiesView>()) {
            for (const auto& shown : view->items()) {
                if (shown.kind == RightActivitiesView::Item::Kind::activity) {
                    return view->mapToGlobal(shown.rect.center().toPoint());
                }
            }
        }
        return QPoint();
    };
    const auto escape = [] { xdotool({"key", "Escape"}); };
    // Below the island, beside A: the root window.
    const auto clickDesktop = [] { clickAt(QPoint(700, 930), 1); };

    const struct Row {
        const char* how;
        bool balance;
        std::function<QPoint()> where;
        int button;
        const char* closedBy;
        std::function<void()> close;
    } rows[] = {
        {"a left click on the tray icon", true, [&] { return icon.geometry().center(); }, 1, "Escape", escape},
        {"a left click on the tray icon", true, [&] { return icon.geometry().center(); }, 1, "a click on the desktop",
         clickDesktop},
        {"a right click on the tray icon", true, [&] { return icon.geometry().center(); }, 3, "Escape", escape},
        {"a right click on the tray icon", true, [&] { return icon.geometry().center(); }, 3,
         "a click on the desktop", clickDesktop},
        {"a right click on the island's status words", false, statusWords, 3, "Escape", escape},
        {"a right click on an activity's text", false, activityText, 3, "a click on the desktop", clickDesktop},
    };
    bool screenshotTaken = false;
    for (const Row& row : rows) {
        const std::string during = std::string(row.how) + (row.balance ? " while the balance has the keyboard" : "") +
                                   ", closed by " + row.closedBy + ": ";
        island.collapse();
        check(waitFor([&] { return island.state() == IslandState::compact && islandsSettled() && !menu.isVisible(); }),
              "the island rests collapsed, and no menu is open");
        a.click();
        // Without a window manager a click moves no keyboard.
        if (manager <= 0) xdotool({"windowfocus", "--sync", a.id});
        check(waitFor([&] { return keyboardAt() == a.id; }), "A has the keyboard");
        if (row.balance && !intoBalance()) {
            check(false, during + "the balance took no keyboard");
            continue;
        }
        const QPoint target = row.where();
        if (target.isNull()) {
            check(false, during + "nothing to click");
            continue;
        }
        clickAt(target, row.button);
        check(waitFor([&] { return menu.isVisible(); }), during + "the first click opens the menu");
        // Whatever the click sets off in the island has run once it has come to rest.
        waitFor([&] { return islandsSettled() && !menu.isVisible(); }, 1000);
        check(menu.isVisible() && !grab(menu.geometry()).isNull(), during + "the menu stays open");
        if (!shots.isEmpty() && !screenshotTaken && menu.isVisible()) {
            screenshotTaken = true;
            screenshot(shots + "/tray-menu-over-island.png");
        }
        const QString typedBefore = a.typed();
        row.close();
        check(waitFor([&] { return !menu.isVisible(); }), during + "the menu closes");
        check(waitFor([&] { return keyboardAt() == a.id; }), during + "A has the keyboard (" + keyboardAt().toStdString() + ")");
        if (manager > 0) {
            check(waitFor([&] { return activeWindow() == a.id; }), during + "the window manager calls A active");
        }
        IslandKitTest::xdotool({"type", "--delay", "0", keys});
        waitFor([&] { return a.typed().size() >= typedBefore.size() + keys.size(); }, 2000);
        const QString got = a.typed().mid(typedBefore.size());
        int reached = 0;
        for (const QChar key : got) reached += keys.contains(key) ? 1 : 0;
        std::printf("     %d of %d keys reached A after %s\n", reached, static_cast<int>(keys.size()),
                    during.substr(0, during.size() - 2).c_str());
        check(got == keys, during + "every key reaches A (it got \"" + got.toStdString() + "\")");
    }

    // "Quit" from the tray's menu while the balance has the keyboard: the run
    // ends as the program's own does, and the keyboard is on A once the
    // windows have gone.
    island.collapse();
    check(waitFor([&] { return island.state() == IslandState::compact && islandsSettled() && !menu.isVisible(); }),
          "the island rests collapsed before Quit");
    a.click();
    if (manager <= 0) xdotool({"windowfocus", "--sync", a.id});
    check(waitFor([&] { return keyboardAt() == a.id; }) && intoBalance(), "the balance has the keyboard before Quit");
    clickAt(icon.geometry().center(), 1);
    check(waitFor([&] { return menu.isVisible(); }), "Quit: the first click on the tray icon opens the menu");
    QAction* quit = nullptr;
    for (QAction* action : menu.actions()) {
        if (action->text() == "Quit") quit = action;
    }
    check(quit != nullptr, "the menu has Quit");
    if (quit && menu.isVisible()) {
        const QPoint where = menu.mapToGlobal(menu.actionGeometry(quit).center());
        const QString typedBefore = a.typed();
        // The click arrives while the application runs, as the program's own loop does.
        QProcess clicking;
        clicking.start("xdotool", {"mousemove", QString::number(where.x()), QString::number(where.y()), "click", "1"});
        bool endedInTime = true;
        QTimer deadline;
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, [&endedInTime] {
            endedInTime = false;
            QCoreApplication::quit();
        });
        deadline.start(15000);
        QApplication::exec();
        deadline.stop();
        delegate.applicationWillTerminate();
        running.reset();
        clicking.waitForFinished();
        check(endedInTime, "Quit from the tray's menu ends the run");
        check(waitFor([&] { return keyboardAt() == a.id; }),
              "after Quit, A has the keyboard (" + keyboardAt().toStdString() + ")");
        IslandKitTest::xdotool({"type", "--delay", "0", keys});
        waitFor([&] { return a.typed().size() >= typedBefore.size() + keys.size(); }, 2000);
        const QString got = a.typed().mid(typedBefore.size());
        std::printf("     %d of %d keys reached A after Quit from the tray's menu\n", static_cast<int>(got.size()),
                    static_cast<int>(keys.size()));
        check(got == keys, "after Quit, every key reaches A (it got \"" + got.toStdString() + "\")");
    }
    return finish();
}

