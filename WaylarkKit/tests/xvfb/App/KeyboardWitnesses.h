// The other applications' windows the keyboard checks play against: windows
// that log the keys they get, a dock that refuses the keyboard, and the real
// handover counting what it is asked to do.
#pragma once

#include <cstdint>

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <xcb/xcb.h>

#include "IslandKit/Window/KeyboardHandover.h"
#include "IslandKit/Window/X11.h"
#include "WaylarkKit/tests/xvfb/App/ComposedApp.h"
#include "WaylarkKit/tests/xvfb/support/XvfbDriving.h"

namespace WaylarkKit::Xvfb {

// A window of another program (xev) without buttons, so a click anywhere on
// it only focuses it; it logs every key it gets. Covered, a child window
// fills it, as toolkits fill theirs: a click lands on the child, and the
// keyboard given to the child instead of the window reaches nothing xev hears.
struct KeyWindow {
    KeyWindow(const QString& name, int x, const QString& folder, bool covered = false)
        : title(name), log(folder + "/" + name + ".keys") {
        process.setStandardOutputFile(log);
        process.start("xev", {"-name", name, "-event", "keyboard", "-geometry", QString("360x160+%1+600").arg(x)});
        id = outputOf("xdotool", {"search", "--sync", "--onlyvisible", "--name", name}).section('\n', 0, 0);
        if (covered && !id.isEmpty()) cover();
    }
    ~KeyWindow() {
        if (connection) xcb_disconnect(connection);
        process.kill();
        process.waitForFinished();
    }
    void cover() {
        connection = xcb_connect(nullptr, nullptr);
        const xcb_window_t child = xcb_generate_id(connection);
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, child, id.toUInt(), 0, 0, 360, 160, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        xcb_map_window(connection, child);
        xcb_flush(connection);
        const QString childID = QString::number(child);
        check(waitFor([&] { return outputOf("xdotool", {"getwindowgeometry", childID}).contains("360x160"); }),
              "a child window covers " + title.toStdString());
    }
    QStringList clickArguments() const { return {"mousemove", "--window", id, "180", "80", "click", "1"}; }
    void click() const { xdotool(clickArguments()); }
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
    QString title;
    QString log;
    QProcess process;
    QString id;
    xcb_connection_t* connection = nullptr;
};

// A panel of another program: a dock window that refuses the keyboard (its
// input hint is false), as taskbars and clocks are.
struct Dock {
    Dock() : connection(xcb_connect(nullptr, nullptr)) {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        window = xcb_generate_id(connection);
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 560, 820, 200, 40, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
        const std::uint32_t hints[9] = {1, 0};
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32, 9,
                            hints);
        const xcb_atom_t type = atom("_NET_WM_WINDOW_TYPE"), dock = atom("_NET_WM_WINDOW_TYPE_DOCK");
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, type, XCB_ATOM_ATOM, 32, 1, &dock);
        xcb_map_window(connection, window);
        xcb_flush(connection);
        id = QString::number(window);
        check(waitFor([&] { return outputOf("xdotool", {"getwindowgeometry", id}).contains("Geometry: 200x40"); }),
              "a dock is on screen");
    }
    ~Dock() { xcb_disconnect(connection); }
    xcb_atom_t atom(const char* name) const { return IslandKit::X11::atom(connection, name); }
    void click() const { xdotool({"mousemove", "--window", id, "100", "20", "click", "1"}); }
    xcb_connection_t* connection;
    xcb_window_t window = 0;
    QString id;
};

// The real handover, counting what it is asked to do.
struct CountingKeyboard final : IslandKit::KeyboardHandover {
    void noteHolder() override { real.noteHolder(); }
    void returnToHolder() override {
        ++moves;
        real.returnToHolder();
    }
    void returnAtExit() override {
        ++exits;
        real.returnAtExit();
    }
    void giveTo(std::uint32_t window) override {
        ++moves;
        real.giveTo(window);
    }
    IslandKit::X11KeyboardHandover real;
    int moves = 0;
    int exits = 0;
};

inline QString activeWindow() { return outputOf("xdotool", {"getactivewindow"}); }

// Runs xdotool with `first`, then types `text` straight after, as fast as a
// program can, while the event loop runs.
inline void andTypeOn(const QStringList& first, const QString& text) {
    QProcess typing;
    typing.start("sh", QStringList{"-c", R"(xdotool "$@" && xdotool type --delay 0 "$0")", text} + first);
    check(waitFor([&] { return typing.state() == QProcess::NotRunning; }) && typing.exitCode() == 0,
          "xdotool " + first.join(' ').toStdString() + " and types on");
}

}  // namespace WaylarkKit::Xvfb
