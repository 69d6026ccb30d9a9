// What a click on a window of another application means for the keyboard,
// and how that window is given it, on a private X server with no window
// manager: the test makes the windows itself, frames and all, on a connection
// of its own, as other applications and window managers would.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <optional>
#include <vector>

#include <QApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMetaObject>
#include <QTest>
#include <QWidget>

#include <xcb/xcb.h>

#include "Base/testing/Waiting.h"
#include "Base/ManualScheduler.h"
#include "IslandKit/Overlay/OverlayPanel.h"
#include "IslandKit/Overlay/OverlayRootView.h"
#include "IslandKit/Overlay/OverlayWindowController.h"
#include "IslandKit/Window/QtDesktop.h"
#include "IslandKit/Window/X11.h"
#include "IslandKit/Window/X11Focus.h"
#include "IslandKit/Window/XInputPointerTracker.h"
#include "IslandKit/tests/support/RecordingKeyboard.h"
#include "IslandKit/tests/support/WindowDriving.h"

using namespace IslandKit;

namespace {

// Another client of the X server.
struct OtherClient {
    OtherClient() : c(xcb_connect(nullptr, nullptr)), root(xcb_setup_roots_iterator(xcb_get_setup(c)).data->root) {}
    ~OtherClient() { xcb_disconnect(c); }

    xcb_atom_t atom(const char* name) const { return X11::atom(c, name); }
    xcb_window_t window(xcb_window_t parent, int x, int y, bool overrideRedirect = false) const {
        const xcb_window_t id = xcb_generate_id(c);
        const std::uint32_t values[] = {overrideRedirect ? 1u : 0u};
        xcb_create_window(c, XCB_COPY_FROM_PARENT, id, parent, static_cast<std::int16_t>(x),
                          static_cast<std::int16_t>(y), 200, 100, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                          XCB_COPY_FROM_PARENT, XCB_CW_OVERRIDE_REDIRECT, values);
        xcb_map_window(c, id);
        return id;
    }
    void set(xcb_window_t window, xcb_atom_t property, xcb_atom_t type, std::vector<std::uint32_t> values) const {
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, property, type, 32,
                            static_cast<std::uint32_t>(values.size()), values.data());
    }
    // A client as a window manager leaves it: inside a frame, with WM_STATE.
    xcb_window_t framed(xcb_window_t frame) const {
        const xcb_window_t client = window(frame, 0, 0);
        set(client, atom("WM_STATE"), atom("WM_STATE"), {1, 0});
        return client;
    }
    void inputHint(xcb_window_t window, bool input) const {
        set(window, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, {1, input ? 1u : 0u, 0, 0, 0, 0, 0, 0, 0});
    }
    // WM_HINTS that give only the initial state: the input field, left 0,
    // means nothing without its flag.
    void hintsWithoutInput(xcb_window_t window) const {
        set(window, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, {2, 0, 1, 0, 0, 0, 0, 0, 0});
    }
    void takesFocusMessages(xcb_window_t window) const {
        set(window, atom("WM_PROTOCOLS"), XCB_ATOM_ATOM, {atom("WM_DELETE_WINDOW"), atom("WM_TAKE_FOCUS")});
    }
    xcb_window_t focus() const {
        xcb_get_input_focus_reply_t* reply = xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr);
        const xcb_window_t result = reply ? reply->focus : XCB_NONE;
        std::free(reply);
        return result;
    }

    xcb_connection_t* c;
    xcb_window_t root;
};

// Swallows mouse moves before the filters installed ahead of it see them.
class MovesKeptFromTheTracker final : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::MouseMove; }
};

QApplication& app() {
    static int argc = 1;
    static char name[] = "IslandKitX11Tests";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "xcb");
    static QApplication* instance = new QApplication(argc, argv);
    return *instance;
}

}  // namespace

TEST(X11FocusTest, AClickGivesTheKeyboardToTheClientItLandsOnIfThatTakesIt) {
    OtherClient other;
    using Window = X11Focus::Window;
    // Each row builds a window tree on the root and says which of its
    // windows the click gives the keyboard, if any.
    const struct {
        const char* what;
        std::function<std::optional<Window>(Window top)> build;
    } rows[] = {
        {"a framed client without hints", [&](Window top) { return std::optional(other.framed(top)); }},
        {"a framed client whose hints say nothing of input",
         [&](Window top) {
             const Window client = other.framed(top);
             other.hintsWithoutInput(client);
             return std::optional(client);
         }},
        {"a framed client whose input hint is true",
         [&](Window top) {
             const Window client = other.framed(top);
             other.inputHint(client, true);
             return std::optional(client);
         }},
        {"a framed dock whose input hint is false",
         [&](Window top) {
             other.inputHint(other.framed(top), false);
             return std::optional<Window>();
         }},
        {"a framed client that takes the keyboard through WM_TAKE_FOCUS",
         [&](Window top) {
             const Window client = other.framed(top);
             other.inputHint(client, false);
             other.takesFocusMessages(client);
             return std::optional(client);
         }},
        {"a client deeper in its frame",
         [&](Window top) { return std::optional(other.framed(other.window(other.window(top, 0, 0), 0, 0))); }},
        {"a window without hints where no window manager runs", [&](Window top) { return std::optional(top); }},
        {"a window whose hints say nothing of input where none runs",
         [&](Window top) {
             other.hintsWithoutInput(top);
             return std::optional(top);
         }},
        {"a window whose input hint is false where none runs",
         [&](Window top) {
             other.inputHint(top, false);
             return std::optional<Window>();
         }},
    };
    int x = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const Window top = other.window(other.root, x += 10, 0);
        const std::optional<Window> expected = row.build(top);
        xcb_flush(other.c);
        EXPECT_EQ(X11Focus::keyboardTakerAt(other.c, other.root, top), expected);
    }

    // A popup takes no keyboard; nor does a window that a running window
    // manager left unmanaged (its own panel), while its clients still do.
    EXPECT_EQ(X11Focus::keyboardTakerAt(other.c, other.root, other.window(other.root, 0, 200, true)), std::nullopt);
    EXPECT_FALSE(X11Focus::windowManagerRuns(other.c, other.root));
    OtherClient manager;
    const std::uint32_t redirect[] = {XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT};
    xcb_change_window_attributes(manager.c, manager.root, XCB_CW_EVENT_MASK, redirect);
    xcb_flush(manager.c);
    ASSERT_TRUE(Base::Testing::waitUntil([&] { return X11Focus::windowManagerRuns(other.c, other.root); }));
    // Made by the manager itself, whose own windows it does not redirect.
    const Window panel = manager.window(manager.root, 0, 300), frame = manager.window(manager.root, 0, 400);
    // A round trip: the server orders no two clients' requests, and the
    // client below must find its frame made.
    manager.focus();
    const Window client = other.framed(frame);
    xcb_flush(other.c);
    EXPECT_EQ(X11Focus::keyboardTakerAt(other.c, other.root, panel), std::nullopt);
    EXPECT_EQ(X11Focus::keyboardTakerAt(other.c, other.root, frame), client);
}

TEST(X11FocusTest, AWindowIsGivenTheKeyboardTheWayItTakesIt) {
    OtherClient other, receiver;
    const X11Focus::Window direct = other.window(other.root, 0, 0), messaged = receiver.window(receiver.root, 300, 0);
    receiver.inputHint(messaged, false);
    receiver.takesFocusMessages(messaged);
    xcb_flush(other.c);
    xcb_flush(receiver.c);
    ASSERT_TRUE(Base::Testing::waitUntil([&] { return X11Focus::focusModel(other.c, messaged).takeFocusMessage; }));

    X11Focus::giveKeyboard(other.c, other.root, direct);
    EXPECT_EQ(other.focus(), direct);

    // Asked, not told: the focus stays, and the window hears WM_TAKE_FOCUS.
    X11Focus::giveKeyboard(other.c, other.root, messaged);
    EXPECT_EQ(other.focus(), direct);
    bool asked = false;
    ASSERT_TRUE(Base::Testing::waitUntil([&] {
        while (xcb_generic_event_t* event = xcb_poll_for_event(receiver.c)) {
            if ((event->response_type & 0x7F) == XCB_CLIENT_MESSAGE) {
                const auto* message = reinterpret_cast<xcb_client_message_event_t*>(event);
                asked = asked || (message->window == messaged && message->data.data32[0] == receiver.atom("WM_TAKE_FOCUS"));
            }
            std::free(event);
        }
        return asked;
    }));

    // A window that is gone from the screen is given nothing.
    const X11Focus::Window hidden = other.window(other.root, 600, 0);
    xcb_unmap_window(other.c, hidden);
    X11Focus::giveKeyboard(other.c, other.root, hidden);
    EXPECT_EQ(other.focus(), direct);

    // Hints that say nothing of input leave the window taking it directly.
    const X11Focus::Window unflagged = other.window(other.root, 900, 0);
    other.hintsWithoutInput(unflagged);
    X11Focus::giveKeyboard(other.c, other.root, unflagged);
    EXPECT_EQ(other.focus(), unflagged);
}

// Another client took the keyboard a moment ago, after the last event Qt
// heard, so a request stamped with that event's time is outdated and the
// server ignores it. A click into a card's field and a card given the
// keyboard back still take it: otherwise the field would look chosen while
// the keys went on to the other window.
TEST(X11FocusTest, OurWindowsTakeTheKeyboardWhateverQtHeardLast) {
    app();
    OtherClient other;
    const X11Focus::Window elsewhere = other.window(other.root, 900, 500);
    xcb_flush(other.c);
    Base::ManualScheduler scheduler;
    IslandKitTest::RecordingKeyboard keyboard;
    OverlayWindowController card([](QWidget* parent) -> QWidget* { return new QLineEdit(parent); }, Size{480, 240},
                                 scheduler, keyboard);
    card.present(QGuiApplication::primaryScreen());
    scheduler.advance(1);
    OverlayPanel* panel = card.panel();
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(panel));
    const auto ours = static_cast<xcb_window_t>(panel->winId());
    auto* field = static_cast<QLineEdit*>(card.rootView()->contentView());
    const auto takeElsewhere = [&] {
        xcb_set_input_focus(other.c, XCB_INPUT_FOCUS_PARENT, elsewhere, XCB_CURRENT_TIME);
        xcb_flush(other.c);
        return other.focus() == elsewhere;
    };

    ASSERT_TRUE(takeElsewhere());
    QTest::mouseClick(field, Qt::LeftButton);
    EXPECT_TRUE(Base::Testing::waitUntil([&] { return other.focus() == ours; })) << "a click into the card's field";

    ASSERT_TRUE(takeElsewhere());
    EXPECT_TRUE(OverlayWindowController::giveKeyboardToShownCard());
    EXPECT_TRUE(Base::Testing::waitUntil([&] { return other.focus() == ours; })) << "the card given it back";
    card.dismiss();
    scheduler.advance(1);
}

// A window of ours inside another application's window, as the tray icon is
// inside the tray, is ours: a click on it is no outside click. A click on a
// plain window gives that window the keyboard; one on the tray around the
// icon gives nothing, as the tray takes no keyboard.
TEST(XInputPointerTrackerTest, ATrayIconOfOursIsOursWhereverItIsEmbedded) {
    app();
    OtherClient other;
    const X11Focus::Window tray = other.window(other.root, 400, 300), plain = other.window(other.root, 800, 300);
    other.inputHint(tray, false);
    xcb_flush(other.c);
    QWidget icon;
    icon.resize(40, 40);
    icon.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&icon));
    xcb_reparent_window(other.c, static_cast<xcb_window_t>(icon.winId()), tray, 10, 10);
    xcb_flush(other.c);

    XInputPointerTracker tracker;
    std::vector<Point> positions;
    std::vector<OutsideClick> clicks;
    tracker.start([&](Point at) { positions.push_back(at); },
                  [&](OutsideClick click) { clicks.push_back(click); });
    ASSERT_TRUE(tracker.hasRawEvents());
    // Qt's own moves over the icon are kept from the tracker, so that each
    // position it reports comes from its raw events, in order with the presses.
    MovesKeptFromTheTracker movesKept;
    app().installEventFilter(&movesKept);
    const auto clickAt = [](int x, int y) {
        IslandKitTest::xdotool({"mousemove", QString::number(x), QString::number(y), "click", "1"});
    };

    // A press is judged where the pointer is when it is taken in. A warp
    // brings no raw motion, but a relative move does: once one made after the
    // press, still on the icon, is reported, the press has been judged on the
    // icon, and what it queued runs before a call queued now.
    clickAt(400 + 30, 300 + 30);
    IslandKitTest::xdotool({"mousemove_relative", "3", "3"});
    ASSERT_TRUE(IslandKitTest::waitFor(
        [&] { return !positions.empty() && positions.back() == QtDesktop::fromNativePixels(400 + 33, 300 + 33); },
        5000));
    bool queuedWorkRan = false;
    QMetaObject::invokeMethod(&app(), [&] { queuedWorkRan = true; }, Qt::QueuedConnection);
    ASSERT_TRUE(IslandKitTest::waitFor([&] { return queuedWorkRan; }, 5000));

    clickAt(800 + 50, 300 + 50);
    ASSERT_TRUE(IslandKitTest::waitFor([&] { return !clicks.empty(); }, 5000));
    EXPECT_EQ(clicks, std::vector<OutsideClick>{OutsideClick::onWindow(plain)});
    clickAt(400 + 150, 300 + 50);
    ASSERT_TRUE(IslandKitTest::waitFor([&] { return clicks.size() == 2; }, 5000));
    EXPECT_EQ(clicks.back(), OutsideClick::takingNoKeyboard());
    tracker.stop();
}
