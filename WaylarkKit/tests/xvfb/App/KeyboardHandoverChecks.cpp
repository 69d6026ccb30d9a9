// Where the keyboard goes when the island gives it up, on an X server with a
// real window manager (openbox, which gives a window the keyboard when it is
// clicked) and two windows of another program, A and B, that log the keys
// they get. A has the keyboard, the trader types into the lot-size tab's
// balance, and then: clicks B, which keeps the keyboard, even while the window
// manager stands still around the click; or collapses the island with its own
// top band, clicks the bare desktop, presses Escape or Return and types on at
// once, or leaves the tab, and A has the keyboard back, given once, with every
// key typed after.
// Usage: KeyboardHandoverChecks (run-app-with-window-manager.sh names the
// window manager's process in WAYLARK_WINDOW_MANAGER_PID)

#include <csignal>
#include <functional>
#include <string>
#include <vector>

#include <QFile>
#include <QProcess>
#include <QTimer>

#include "Base/testing/TemporaryFolder.h"
#include "IslandKit/Window/QtDesktop.h"
#include "IslandKit/Window/QtScheduler.h"
#include "WaylarkKit/App/InstanceLock.h"
#include "WaylarkKit/App/Qt/AppDelegate.h"
#include "WaylarkKit/Calculator/Qt/CalculatorTabView.h"
#include "WaylarkKit/Checklist/Qt/EditableText.h"
#include "WaylarkKit/Style/Qt/Fonts.h"
#include "WaylarkKit/tests/xvfb/App/ComposedApp.h"
#include "WaylarkKit/tests/xvfb/support/XvfbDriving.h"

using namespace WaylarkKit;
using namespace WaylarkKit::Xvfb;
using IslandKit::IslandState;

namespace {

// A window of another program (xev) without buttons, so a click anywhere on
// it only focuses it; it logs every key it gets.
struct KeyWindow {
    KeyWindow(const QString& name, int x, const QString& folder) : log(folder + "/" + name + ".keys") {
        process.setStandardOutputFile(log);
        process.start("xev", {"-name", name, "-event", "keyboard", "-geometry", QString("360x160+%1+600").arg(x)});
        id = outputOf("xdotool", {"search", "--sync", "--onlyvisible", "--name", name}).section('\n', 0, 0);
    }
    ~KeyWindow() {
        process.kill();
        process.waitForFinished();
    }
    void click() const { xdotool({"mousemove", "--window", id, "180", "80", "click", "1"}); }
    // The characters of the key presses it has had, in order.
    QString typed() const {
        QFile file(log);
        if (!file.open(QIODevice::ReadOnly)) return {};
        QString keys;
        bool press = false;
        for (const QString& line : QString::fromLocal8Bit(file.readAll()).split('\n')) {
            if (line.startsWith("Key")) press = line.startsWith("KeyPress");
            if (press && line.contains("XLookupString gives")) keys += line.section('"', 1, 1);
        }
        return keys;
    }
    QString log;
    QProcess process;
    QString id;
};

QString activeWindow() { return outputOf("xdotool", {"getactivewindow"}); }

// Presses `key` and types `text` straight after, as fast as a program can,
// while the event loop runs.
void pressAndTypeOn(const QString& key, const QString& text) {
    QProcess typing;
    typing.start("sh", {"-c", R"(xdotool key "$1" && xdotool type --delay 0 "$2")", "sh", key, text});
    check(waitFor([&] { return typing.state() == QProcess::NotRunning; }) && typing.exitCode() == 0,
          "xdotool presses " + key.toStdString() + " and types on");
}

}  // namespace

int main(int argc, char** argv) {
    Base::Testing::TemporaryFolder home;
    liveIn(home.path());
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    loadFonts();
    check(!outputOf("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("not found"), "a window manager runs");

    IslandKit::QtScheduler scheduler;
    auto lock = InstanceLock::acquire(InstanceLock::defaultPath());
    const std::vector<std::string> arguments{"--always-on"};
    const LaunchOptions options = LaunchOptions::fromArguments(arguments);
    AppEnvironment environment = offlineEnvironment(scheduler, options, arguments);
    int handovers = 0;
    environment.returnKeyboard = [&handovers, give = environment.returnKeyboard] {
        ++handovers;
        give();
    };
    AppDelegate delegate(options, std::move(*lock.lock), scheduler, std::move(environment));
    delegate.applicationDidFinishLaunching();
    check(waitFor(islandsSettled), "the island is on screen");
    IslandKit::IslandModel& island = *delegate.island(delegate.islandIDs().front());

    const QString logs = QString::fromStdString(home.path().string());
    const KeyWindow a("waylark-a", 100, logs), b("waylark-b", 900, logs);
    check(!a.id.isEmpty() && !b.id.isEmpty(), "two windows that log keys are on screen");
    const pid_t manager = static_cast<pid_t>(qEnvironmentVariableIntValue("WAYLARK_WINDOW_MANAGER_PID"));
    check(manager > 0, "the window manager's process is known");

    const QString keys = "2468013579";
    const std::function<void()> clickB = [&] { b.click(); };
    // A busy window manager, held still from before the click until 150 ms
    // after it: the island hears of the click long before the manager gives B
    // the keyboard. The click goes without the drivers' usual pause, which
    // would let the manager run first.
    const std::function<void()> clickBWhileTheManagerStalls = [&] {
        if (manager <= 0) return;
        ::kill(manager, SIGSTOP);
        IslandKitTest::xdotool({"mousemove", "--window", b.id, "180", "80", "click", "1"});
        QTimer::singleShot(150, [manager] { ::kill(manager, SIGCONT); });
    };
    const std::function<void()> clickTopBand = [&] {
        const IslandKit::IslandLayout layout = island.layout();
        const QRect rect = IslandKit::QtDesktop::toWindowSystem(layout.rect);
        click(QPoint(rect.center().x(), rect.top() + static_cast<int>(layout.leadingSlot.height / 2)));
    };
    // Below the island, between the two windows: the root window.
    const std::function<void()> clickDesktop = [] { click(QPoint(700, 900)); };
    const std::function<void()> escape = [&] { pressAndTypeOn("Escape", keys); };
    const std::function<void()> submit = [&] { pressAndTypeOn("Return", keys); };
    const std::function<void()> leaveTab = [&] { delegate.timing().setActiveTab(L2Tab::timeline); };
    const struct {
        const char* how;
        const std::function<void()>& giveUp;
        bool collapses;
        const KeyWindow& holder;
        int handovers;
        QString typedAfter;
    } cases[] = {
        {"a click on B", clickB, true, b, 0, {}},
        {"a click on B while the window manager stalls", clickBWhileTheManagerStalls, true, b, 0, {}},
        {"a click on the island's top band", clickTopBand, true, a, 1, {}},
        {"a click on the desktop", clickDesktop, true, a, 1, {}},
        {"Escape and typing straight on", escape, false, a, 1, keys},
        {"Return in the field and typing straight on", submit, false, a, 1, keys},
        {"leaving the lot-size tab", leaveTab, false, a, 1, {}},
    };
    for (const auto& c : cases) {
        const std::string after = std::string("after ") + c.how + ", ";
        island.collapse();
        check(waitFor([&] { return island.state() == IslandState::compact && islandsSettled(); }),
              "the island rests collapsed");
        a.click();
        check(waitFor([&] { return keyboardAt() == a.id; }), "a click on A gives A the keyboard");

        CalculatorTabView* tab = openLotSizeTab(delegate);
        if (!tab) break;
        EditableText* balance = tab->textField(CalculatorModel::Field::balance);
        click(balance->mapToGlobal(balance->rect().center()));
        check(waitFor([&] { return balance->hasFocus() && keyboardAt() != a.id; }),
              "a click into the balance takes the keyboard");
        type("7");
        check(waitFor([&] { return balance->text().contains('7'); }), "what is typed lands in the balance");

        handovers = 0;
        const QString typedBefore = a.typed();
        c.giveUp();
        const auto plain = [&] {
            const QString at = keyboardAt();
            return at == a.id || at == b.id;
        };
        check(waitFor([&] { return (island.state() == IslandState::compact) == c.collapses && plain(); }),
              after + "the island has let go of the keyboard");
        const QString expected = c.holder.id == a.id ? "A" : "B";
        check(keyboardAt() == c.holder.id, after + expected.toStdString() + " has the keyboard");
        check(waitFor([&] { return activeWindow() == c.holder.id; }),
              after + "the window manager calls " + expected.toStdString() + " active");
        check(handovers == c.handovers,
              after + (c.handovers == 0 ? "nothing was handed back" : "the keyboard was handed back once"));
        if (c.typedAfter.isEmpty()) continue;
        const QString wanted = typedBefore + c.typedAfter;
        waitFor([&] { return a.typed().size() >= wanted.size(); });
        check(a.typed() == wanted, after + "every key reaches A (it got \"" +
                                       a.typed().mid(typedBefore.size()).toStdString() + "\")");
    }
    return finish();
}
