// Where the keyboard goes when the island or an editor card lets go of it,
// under the window manager run-app-with-window-manager.sh started (or none).
// A is the window that had the keyboard before (the chart), B another
// application's window, covered by a child window as most toolkits' windows
// are; both log the keys they get. A dock takes no keyboard. The app is wired
// as the program wires itself, only counting the keyboard's moves. Each row
// takes the keyboard into the lot-size tab's balance or into the checklist
// editor's name, gives it up one way, types ten keys (at once where the row
// says so) and expects them all where the trader means them to go. Then B, a
// terminal, takes the keyboard past the island and ends the run by SIGTERM;
// last, Quit in the panel ends a second run while the balance has the keyboard.
// Usage: KeyboardHandoverChecks (WAYLARK_WINDOW_MANAGER_PID names the window
// manager's process, 0 where none runs)

#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QFile>
#include <QProcess>
#include <QTimer>

#include <xcb/xcb.h>

#include "Base/testing/TemporaryFolder.h"
#include "IslandKit/Window/KeyboardHandover.h"
#include "IslandKit/Window/QtDesktop.h"
#include "IslandKit/Window/QtScheduler.h"
#include "IslandKit/Window/X11.h"
#include "WaylarkKit/App/InstanceLock.h"
#include "WaylarkKit/App/Qt/AppDelegate.h"
#include "WaylarkKit/Calculator/Qt/CalculatorTabView.h"
#include "WaylarkKit/Checklist/Qt/ChecklistEditorView.h"
#include "WaylarkKit/TextField/Qt/EditableText.h"
#include "WaylarkKit/L2/Qt/L2PanelView.h"
#include "WaylarkKit/Qt/QuitOnSignal.h"
#include "WaylarkKit/Settings/Qt/GreetingEditorView.h"
#include "WaylarkKit/Settings/Qt/TimingEditorView.h"
#include "WaylarkKit/Style/Qt/Fonts.h"
#include "WaylarkKit/tests/xvfb/App/ComposedApp.h"
#include "WaylarkKit/tests/xvfb/App/KeyboardWitnesses.h"
#include "WaylarkKit/tests/xvfb/support/XvfbDriving.h"

using namespace WaylarkKit;
using namespace WaylarkKit::Xvfb;
using IslandKit::IslandState;

int main(int argc, char** argv) {
    Base::Testing::TemporaryFolder home;
    liveIn(home.path());
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    loadFonts();
    const pid_t manager = static_cast<pid_t>(qEnvironmentVariableIntValue("WAYLARK_WINDOW_MANAGER_PID"));
    check((manager > 0) == !outputOf("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("not found"),
          manager > 0 ? "a window manager runs" : "no window manager runs");

    IslandKit::QtScheduler scheduler;
    auto lock = InstanceLock::acquire(InstanceLock::defaultPath());
    const std::vector<std::string> arguments{"--always-on"};
    const LaunchOptions options = LaunchOptions::fromArguments(arguments);
    const auto counting = std::make_shared<CountingKeyboard>();
    CountingKeyboard& keyboard = *counting;
    std::optional<AppDelegate> running(std::in_place, options, std::move(*lock.lock), scheduler,
                                       offlineEnvironment(scheduler, options, arguments, counting));
    AppDelegate& delegate = *running;
    delegate.applicationDidFinishLaunching();
    check(waitFor(islandsSettled), "the island is on screen");
    IslandKit::IslandModel& island = *delegate.island(delegate.islandIDs().front());

    const QString logs = QString::fromStdString(home.path().string());
    const KeyWindow a("waylark-a", 100, logs), b("waylark-b", 900, logs, true);
    check(!a.id.isEmpty() && !b.id.isEmpty(), "two windows that log keys are on screen");
    const Dock dock;

    const QString keys = "2468013579";
    // The trader's ways of taking the keyboard: a click into the lot-size
    // tab's balance, or the checklist editor's card, whose name takes it.
    const std::function<bool()> intoBalance = [&] {
        CalculatorTabView* tab = openLotSizeTab(delegate);
        if (!tab) return false;
        EditableText* balance = tab->textField(CalculatorModel::Field::balance);
        click(balance->mapToGlobal(balance->rect().center()));
        check(waitFor([&] { return balance->hasFocus() && keyboardAt() != a.id; }),
              "a click into the balance takes the keyboard");
        type("7");
        return waitFor([&] { return balance->text().contains('7'); });
    };
    const auto editorName = [&]() -> std::string {
        const auto shown = delegate.checklist().activeTemplate();
        return shown ? shown->name : std::string();
    };
    const std::function<bool()> intoCard = [&] {
        delegate.checklistUI().openEditor(EditorRequest::create());
        check(waitFor([&] {
                  const auto views = viewsOf<ChecklistEditorView>();
                  return !views.empty() && views.front()->nameField() && views.front()->nameField()->hasFocus() &&
                         keyboardAt() != a.id;
              }),
              "the checklist editor's name takes the keyboard");
        type("K0E");
        return waitFor([&] { return editorName() == "K0E"; });
    };

    const QStringList clickB = b.clickArguments();
    // A busy window manager, held still from before the click until 200 ms
    // after it: the island hears of the click long before the manager does.
    // The click goes without the drivers' usual pause, which would let the
    // manager run first.
    const std::function<void()> clickBWhileTheManagerStalls = [&] {
        ::kill(manager, SIGSTOP);
        IslandKitTest::xdotool(clickB);
        QTimer::singleShot(200, [manager] { ::kill(manager, SIGCONT); });
    };
    const std::function<void()> clickTopBand = [&] {
        const IslandKit::IslandLayout layout = island.layout();
        const QRect rect = IslandKit::QtDesktop::toWindowSystem(layout.rect);
        click(QPoint(rect.center().x(), rect.top() + static_cast<int>(layout.leadingSlot.height / 2)));
    };
    const std::function<void()> clickDone = [&] {
        const auto views = viewsOf<ChecklistEditorView>();
        if (views.empty()) return;
        const QPoint done = centre(*views.front(), views.front()->doneRect());
        andTypeOn({"mousemove", QString::number(done.x()), QString::number(done.y()), "click", "1"}, keys);
    };
    // The island lies above the checklist editor's card: a click on it opens
    // the panel, whose footer opens the greeting editor in a second card.
    // Escape closes that one, and keys typed at once, then after a click in
    // the name field, reach the checklist's name; the last Escape gives up.
    const char* const lowerCardTyping = "S0x";
    const char* const afterClickTyping = "Q9";
    const std::string twoCardsName = std::string("K0E") + lowerCardTyping + afterClickTyping;
    const std::function<void()> twoCardsThenEscape = [&] {
        clickTopBand();
        L2PanelView* panel = nullptr;
        check(waitFor([&] {
                  const auto panels = viewsOf<L2PanelView>();
                  panel = panels.empty() ? nullptr : panels.front();
                  return panel && panel->isVisible() && island.state() == IslandState::expanded && islandsSettled();
              }),
              "a click on the island over the card opens its panel");
        if (!panel) return;
        click(centre(*panel, panel->buttonRect(PanelFooter::Button::Action::greeting)));
        check(waitFor([&] {
                  const auto views = viewsOf<GreetingEditorView>();
                  return !views.empty() && views.front()->window()->isActiveWindow() && keyboardAt() != a.id;
              }),
              "the greeting editor's card, over the checklist's, takes the keyboard");
        andTypeOn({"key", "Escape"}, lowerCardTyping);
        const std::string typedAtOnce = std::string("K0E") + lowerCardTyping;
        check(waitFor([&] { return editorName() == typedAtOnce && viewsOf<GreetingEditorView>().empty(); }),
              "keys typed straight after Escape reach the checklist card's name (\"" + editorName() + "\")");
        const auto views = viewsOf<ChecklistEditorView>();
        if (views.empty()) return;
        EditableText* name = views.front()->nameField();
        click(name->mapToGlobal(name->rect().center()));
        check(name->hasFocus() && keyboardAt() != a.id, "a click in the name field keeps the keyboard there");
        IslandKitTest::xdotool({"type", "--delay", "0", afterClickTyping});
        check(waitFor([&] { return editorName() == twoCardsName; }),
              "keys typed after the click reach the name (\"" + editorName() + "\")");
        andTypeOn({"key", "Escape"}, keys);
    };
    // The island lies above the checklist editor's card too: a click on it
    // opens the panel, and a click into the lot-size tab's balance takes the
    // keyboard from the card. The balance's way of letting go (`ending`)
    // gives it back to the card, into its name field with the caret where it
    // was: keys typed at once are stored after the name, none in the
    // balance. The card's Escape gives up.
    const char* const balanceDigits = "2500";
    const QString backInCardTyping = "P5Q6R7S8T9";
    const std::string panelOverCardName = "K0E" + backInCardTyping.toStdString();
    const auto panelOverCard = [&](const QStringList& ending) -> std::function<void()> {
        return [&, ending] {
            clickTopBand();
            CalculatorTabView* tab = openLotSizeTab(delegate);
            if (!tab) return;
            check(island.state() == IslandState::expanded && !viewsOf<ChecklistEditorView>().empty(),
                  "a click on the island over the card opens its panel");
            EditableText* balance = tab->textField(CalculatorModel::Field::balance);
            click(balance->mapToGlobal(balance->rect().center()));
            check(waitFor([&] { return balance->hasFocus() && balance->window()->isActiveWindow(); }),
                  "a click into the balance over the card takes the keyboard");
            xdotool({"key", "ctrl+a"});
            type(balanceDigits);
            check(waitFor([&] { return balance->text().remove(',') == balanceDigits; }),
                  "the digits reach the balance (\"" + balance->text().toStdString() + "\")");
            check(editorName() == "K0E", "the digits are not stored in the card's name (\"" + editorName() + "\")");
            andTypeOn(ending, backInCardTyping);
            waitFor([&] { return editorName() == panelOverCardName; });
            const QString stored = QString::fromStdString(editorName()).mid(3);
            int reached = 0;
            for (int i = 0; i < std::min(stored.size(), backInCardTyping.size()); ++i) {
                reached += stored[i] == backInCardTyping[i] ? 1 : 0;
            }
            std::printf("     %d of %d keys reached the card's name\n", reached,
                        static_cast<int>(backInCardTyping.size()));
            check(editorName() == panelOverCardName,
                  "keys typed straight after " + ending.join(' ').toStdString() +
                      " in the balance reach the card's name (\"" + editorName() + "\")");
            const auto views = viewsOf<ChecklistEditorView>();
            check(!views.empty() && views.front()->nameField()->hasFocus() && keyboardAt() != a.id,
                  "the card's name field has the keyboard again");
            check(balance->text().remove(',') == balanceDigits,
                  "the balance keeps its digits (\"" + balance->text().toStdString() + "\")");
            andTypeOn({"key", "Escape"}, keys);
        };
    };
    // Three cards: the checklist editor's, the greeting editor's opened from
    // the panel's footer over it, the timing editor's opened from the panel
    // over both. Each Escape hands the keyboard to the card below that had
    // it last, into the field it had: the greeting's name, then the
    // checklist's; keys typed at once are stored there.
    const char* const greetingTyping = "G1";
    const char* const afterTimingTyping = "H2";
    const char* const afterGreetingTyping = "J3";
    const std::string threeCardsName = std::string("K0E") + afterGreetingTyping;
    const std::function<void()> threeCardsThenEscape = [&] {
        const auto openPanel = [&] {
            clickTopBand();
            L2PanelView* panel = nullptr;
            check(waitFor([&] {
                      const auto panels = viewsOf<L2PanelView>();
                      panel = panels.empty() ? nullptr : panels.front();
                      return panel && panel->isVisible() && island.state() == IslandState::expanded &&
                             islandsSettled();
                  }),
                  "a click on the island over the cards opens its panel");
            return panel;
        };
        L2PanelView* panel = openPanel();
        if (!panel) return;
        click(centre(*panel, panel->buttonRect(PanelFooter::Button::Action::greeting)));
        const auto greetingName = [] {
            const auto views = viewsOf<GreetingEditorView>();
            return views.empty() ? nullptr : views.front()->nameField();
        };
        check(waitFor([&] { return greetingName() && greetingName()->window()->isActiveWindow(); }),
              "the greeting editor's card, over the checklist's, takes the keyboard");
        if (!greetingName()) return;
        click(greetingName()->mapToGlobal(greetingName()->rect().center()));
        xdotool({"key", "End"});
        type(greetingTyping);
        const QString before = greetingName()->text();
        check(before.endsWith(greetingTyping), "the greeting's name takes typing (\"" + before.toStdString() + "\")");
        if (!openPanel()) return;
        delegate.timing().onOpenTimingEditor()();
        check(waitFor([&] {
                  const auto views = viewsOf<TimingEditorView>();
                  return !views.empty() && views.front()->window()->isActiveWindow() && keyboardAt() != a.id;
              }),
              "the timing editor's card, over both, takes the keyboard");
        andTypeOn({"key", "Escape"}, afterTimingTyping);
        check(waitFor([&] { return greetingName() && greetingName()->text() == before + afterTimingTyping; }),
              "keys typed straight after the timing card's Escape reach the greeting's name (\"" +
                  (greetingName() ? greetingName()->text().toStdString() : std::string()) + "\")");
        check(editorName() == "K0E", "and none the checklist's (\"" + editorName() + "\")");
        andTypeOn({"key", "Escape"}, afterGreetingTyping);
        check(waitFor([&] { return editorName() == threeCardsName && viewsOf<GreetingEditorView>().empty(); }),
              "keys typed straight after the greeting card's Escape reach the checklist's name (\"" + editorName() +
                  "\")");
        andTypeOn({"key", "Escape"}, keys);
    };
    enum class Taken { balance, card };
    const struct Row {
        const char* how;
        std::function<void()> giveUp;
        Taken taken;
        bool collapses;
        const KeyWindow& holder;
        bool typesAtOnce;
        bool needsManager;
        std::string name = "K0E";
        // The panel opened over the card stays open once the card has gone.
        bool panelStaysOpen = false;
    } rows[] = {
        {"a click on A", [&] { a.click(); }, Taken::balance, true, a, false, false},
        {"a click on B", [&] { b.click(); }, Taken::balance, true, b, false, false},
        {"a click on B while the window manager stalls", clickBWhileTheManagerStalls, Taken::balance, true, b, false,
         true},
        {"a click on a dock", [&] { dock.click(); }, Taken::balance, true, a, false, false},
        // Below the island, between the windows: the root window.
        {"a click on the desktop", [] { click(QPoint(700, 930)); }, Taken::balance, true, a, false, false},
        {"a click on the island's top band", clickTopBand, Taken::balance, true, a, false, false},
        {"Escape and typing straight on", [&] { andTypeOn({"key", "Escape"}, keys); }, Taken::balance, false, a,
         true, false},
        {"Return and typing straight on", [&] { andTypeOn({"key", "Return"}, keys); }, Taken::balance, false, a,
         true, false},
        {"leaving the lot-size tab", [&] { delegate.timing().setActiveTab(L2Tab::timeline); }, Taken::balance, false,
         a, false, false},
        {"the card closed by Escape and typing straight on", [&] { andTypeOn({"key", "Escape"}, keys); },
         Taken::card, false, a, true, false},
        {"the card closed by Done and typing straight on", clickDone, Taken::card, false, a, true, false},
        {"two cards, each closed by Escape", twoCardsThenEscape, Taken::card, false, a, true, false, twoCardsName},
        {"three cards, each closed by Escape", threeCardsThenEscape, Taken::card, false, a, true, false,
         threeCardsName},
        {"the panel over the card, Escape in the balance", panelOverCard({"key", "Escape"}), Taken::card, false, a,
         true, false, panelOverCardName, true},
        {"the panel over the card, Return in the balance", panelOverCard({"key", "Return"}), Taken::card, false, a,
         true, false, panelOverCardName, true},
        {"the panel over the card, Tab through the fields, then Escape",
         panelOverCard({"key", "Tab", "Tab", "Tab", "Escape"}), Taken::card, false, a, true, false, panelOverCardName,
         true},
    };
    for (const Row& row : rows) {
        if (row.needsManager && manager <= 0) continue;
        const std::string after = std::string("after ") + row.how + ", ";
        island.collapse();
        check(waitFor([&] { return island.state() == IslandState::compact && islandsSettled() &&
                                   viewsOf<ChecklistEditorView>().empty(); }),
              "the island rests collapsed, and no card is up");
        a.click();
        // Without a window manager a click moves no keyboard.
        if (manager <= 0) xdotool({"windowfocus", "--sync", a.id});
        check(waitFor([&] { return keyboardAt() == a.id; }), "A has the keyboard");

        if (!(row.taken == Taken::balance ? intoBalance : intoCard)()) {
            check(false, std::string("the keyboard taken before ") + row.how);
            continue;
        }
        keyboard.moves = 0;
        const QString typedBefore = row.holder.typed();
        row.giveUp();
        const auto letGo = [&] {
            const bool collapsed = island.state() == IslandState::compact;
            const bool carded = delegate.timing().isEditorOpen();
            return collapsed == (row.collapses || (row.taken == Taken::card && !row.panelStaysOpen)) && !carded;
        };
        const QString expected = &row.holder == &a ? "A" : "B";
        check(waitFor([&] { return letGo() && keyboardAt() == row.holder.id; }),
              after + expected.toStdString() + " has the keyboard");
        if (manager > 0) {
            check(waitFor([&] { return activeWindow() == row.holder.id; }),
                  after + "the window manager calls " + expected.toStdString() + " active");
        }
        if (!row.typesAtOnce) IslandKitTest::xdotool({"type", "--delay", "0", keys});
        const QString wanted = typedBefore + keys;
        waitFor([&] { return row.holder.typed().size() >= wanted.size(); }, 2000);
        const QString got = row.holder.typed().mid(typedBefore.size());
        int reached = 0;
        for (const QChar key : got) reached += keys.contains(key) ? 1 : 0;
        std::printf("     %d of %d keys reached %s\n", reached, static_cast<int>(keys.size()),
                    expected.toStdString().c_str());
        check(got == keys, after + "every key reaches " + expected.toStdString() + " (it got \"" + got.toStdString() +
                               "\")");
        check(keyboard.moves == 1, after + "the keyboard was moved once (" + std::to_string(keyboard.moves) + ")");
        if (row.taken == Taken::card) {
            check(editorName() == row.name, after + "the checklist's name is as typed (\"" + editorName() + "\")");
        }
    }

    // A terminal, B, sends SIGTERM. It took the keyboard from the balance
    // with no click the island heard (the window manager's switcher, say),
    // so the window noted is still A; B keeps the keyboard as the run ends.
    // Then the program starts again for the Quit below.
    {
        island.collapse();
        check(waitFor([&] { return island.state() == IslandState::compact && islandsSettled(); }),
              "the island rests collapsed before the terminal's signal");
        a.click();
        if (manager <= 0) xdotool({"windowfocus", "--sync", a.id});
        check(waitFor([&] { return keyboardAt() == a.id; }) && intoBalance(),
              "the balance has the keyboard before the terminal takes it");
        xdotool({"windowfocus", "--sync", b.id});
        check(waitFor([&] { return keyboardAt() == b.id; }), "the terminal B has the keyboard");
        const QString typedBefore = b.typed();
        const QuitOnSignal quitOnSignal;
        ::kill(::getpid(), SIGTERM);
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
        check(endedInTime, "SIGTERM ends the run");
        check(waitFor([&] { return keyboardAt() == b.id; }),
              "after SIGTERM from B, B keeps the keyboard (" + keyboardAt().toStdString() + ")");
        IslandKitTest::xdotool({"type", "--delay", "0", keys});
        waitFor([&] { return b.typed().size() >= typedBefore.size() + keys.size(); }, 2000);
        const QString got = b.typed().mid(typedBefore.size());
        std::printf("     %d of %d keys reached B after SIGTERM\n", static_cast<int>(got.size()),
                    static_cast<int>(keys.size()));
        check(got == keys, "after SIGTERM from B, every key reaches B (it got \"" + got.toStdString() + "\")");

        auto again = InstanceLock::acquire(InstanceLock::defaultPath());
        check(again.lock.has_value(), "the program starts again");
        if (!again.lock) return finish();
        running.emplace(options, std::move(*again.lock), scheduler,
                        offlineEnvironment(scheduler, options, arguments, counting));
        delegate.applicationDidFinishLaunching();
        check(waitFor(islandsSettled), "the island is on screen again");
    }
    IslandKit::IslandModel& restarted = *delegate.island(delegate.islandIDs().front());

    // Quit in the panel while the balance has the keyboard: the run ends as
    // the program's own does, and the keyboard is back on A once the windows
    // have gone.
    restarted.collapse();
    check(waitFor([&] { return restarted.state() == IslandState::compact && islandsSettled(); }),
          "the island rests collapsed before Quit");
    a.click();
    if (manager <= 0) xdotool({"windowfocus", "--sync", a.id});
    check(waitFor([&] { return keyboardAt() == a.id; }) && intoBalance(), "the balance has the keyboard before Quit");
    const auto panels = viewsOf<L2PanelView>();
    check(!panels.empty(), "the panel is open");
    if (!panels.empty()) {
        const QPoint quit = centre(*panels.front(), panels.front()->buttonRect(PanelFooter::Button::Action::quit));
        const QString typedBefore = a.typed();
        // The click arrives while the application runs, as the program's own loop does.
        QProcess clicking;
        clicking.start("xdotool", {"mousemove", QString::number(quit.x()), QString::number(quit.y()), "click", "1"});
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
        check(endedInTime, "Quit in the panel ends the run");
        check(keyboard.exits > 0, "the keyboard was given back at the end of the run");
        check(waitFor([&] { return keyboardAt() == a.id; }), "after Quit, A has the keyboard (" + keyboardAt().toStdString() + ")");
        IslandKitTest::xdotool({"type", "--delay", "0", keys});
        waitFor([&] { return a.typed().size() >= typedBefore.size() + keys.size(); }, 2000);
        const QString got = a.typed().mid(typedBefore.size());
        std::printf("     %d of %d keys reached A after Quit\n", static_cast<int>(got.size()), static_cast<int>(keys.size()));
        check(got == keys, "after Quit, every key reaches A (it got \"" + got.toStdString() + "\")");
    }
    return finish();
}
