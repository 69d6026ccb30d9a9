// Where the keyboard goes when the island gives it up, on an X server with a
// real window manager (openbox, which gives a window the keyboard when it is
// clicked) and two plain windows of another program, A and B. A has the
// keyboard, the trader types into the lot-size tab's balance, and then:
// clicks B, which keeps the keyboard; or collapses the island with its own
// top band, presses Escape or Return, or leaves the tab, and A has the
// keyboard back, given once.
// Usage: KeyboardHandoverChecks

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <QProcess>

#include "Base/testing/TemporaryFolder.h"
#include "IslandKit/Window/QtDesktop.h"
#include "IslandKit/Window/QtScheduler.h"
#include "WaylarkKit/App/InstanceLock.h"
#include "WaylarkKit/App/Qt/AppDelegate.h"
#include "WaylarkKit/App/Qt/QtIslandWindow.h"
#include "WaylarkKit/Calculator/Qt/CalculatorTabView.h"
#include "WaylarkKit/Checklist/Qt/EditableText.h"
#include "WaylarkKit/Style/Qt/Fonts.h"
#include "WaylarkKit/tests/xvfb/App/ComposedApp.h"
#include "WaylarkKit/tests/xvfb/support/XvfbDriving.h"

using namespace WaylarkKit;
using namespace WaylarkKit::Xvfb;
using IslandKit::IslandState;

namespace {

// A plain window of another program, without buttons, so a click anywhere on it only focuses it.
struct PlainWindow {
    explicit PlainWindow(const QString& name, int x) {
        process.start("xmessage", {"-name", name, "-buttons", "", "-geometry",
                                   QString("360x160+%1+600").arg(x), "A plain window"});
        id = outputOf("xdotool", {"search", "--sync", "--onlyvisible", "--classname", name}).section('\n', 0, 0);
    }
    ~PlainWindow() {
        process.kill();
        process.waitForFinished();
    }
    void click() const { xdotool({"mousemove", "--window", id, "180", "80", "click", "1"}); }
    QProcess process;
    QString id;
};

QString activeWindow() { return outputOf("xdotool", {"getactivewindow"}); }

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
    // The island's windows, to see whether a release still waits on the focus.
    std::vector<QtIslandWindow*> windows;
    environment.makeIslandWindow = [&windows, make = environment.makeIslandWindow](IslandKit::IslandModel& model,
                                                                                  std::function<void()> onMenu) {
        auto window = make(model, std::move(onMenu));
        windows.push_back(static_cast<QtIslandWindow*>(window.get()));
        return window;
    };
    int handovers = 0;
    environment.returnKeyboard = [&handovers, give = environment.returnKeyboard] {
        ++handovers;
        give();
    };
    AppDelegate delegate(options, std::move(*lock.lock), scheduler, std::move(environment));
    delegate.applicationDidFinishLaunching();
    check(waitFor(islandsSettled), "the island is on screen");
    IslandKit::IslandModel& island = *delegate.island(delegate.islandIDs().front());
    auto releasePending = [&] {
        return std::ranges::any_of(windows,
                                   [](QtIslandWindow* w) { return w->controller().isKeyboardReleasePending(); });
    };

    const PlainWindow a("waylark-a", 100), b("waylark-b", 900);
    check(!a.id.isEmpty() && !b.id.isEmpty(), "two plain windows are on screen");

    const std::function<void()> clickB = [&] { b.click(); };
    const std::function<void()> clickTopBand = [&] {
        const IslandKit::IslandLayout layout = island.layout();
        const QRect rect = IslandKit::QtDesktop::toWindowSystem(layout.rect);
        click(QPoint(rect.center().x(), rect.top() + static_cast<int>(layout.leadingSlot.height / 2)));
    };
    const std::function<void()> escape = [] { xdotool({"key", "Escape"}); };
    const std::function<void()> submit = [] { xdotool({"key", "Return"}); };
    const std::function<void()> leaveTab = [&] { delegate.timing().setActiveTab(L2Tab::timeline); };
    const struct {
        const char* how;
        const std::function<void()>& giveUp;
        bool collapses;
        const PlainWindow& holder;
        int handovers;
    } cases[] = {
        {"a click on B", clickB, true, b, 0},
        {"a click on the island's top band", clickTopBand, true, a, 1},
        {"Escape", escape, false, a, 1},
        {"Return in the field", submit, false, a, 1},
        {"leaving the lot-size tab", leaveTab, false, a, 1},
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
        c.giveUp();
        const auto plain = [&] {
            const QString at = keyboardAt();
            return at == a.id || at == b.id;
        };
        check(waitFor([&] {
                  return (island.state() == IslandState::compact) == c.collapses && !releasePending() && plain();
              }),
              after + "the island has let go of the keyboard");
        const QString expected = c.holder.id == a.id ? "A" : "B";
        check(keyboardAt() == c.holder.id, after + expected.toStdString() + " has the keyboard");
        check(waitFor([&] { return activeWindow() == c.holder.id; }),
              after + "the window manager calls " + expected.toStdString() + " active");
        check(handovers == c.handovers,
              after + (c.handovers == 0 ? "nothing was handed back" : "the keyboard was handed back once"));
    }
    return finish();
}
