#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include <QObject>

#include "IslandKit/Window/PointerTracking.h"

struct xcb_connection_t;
class QSocketNotifier;

namespace IslandKit {

// Tracks the pointer across the whole desktop from XInput2 raw events on a
// connection of its own, so nothing polls and an idle pointer costs nothing.
// Moves over this application's own windows also come through an application
// event filter. A button press that does not land on one of this
// application's windows is an outside click, told with the window of another
// application that it gives the keyboard, if any; wheel steps are not clicks.
class XInputPointerTracker final : public QObject, public PointerTracking {
public:
    XInputPointerTracker();
    ~XInputPointerTracker() override;

    void start(std::function<void(Point)> onMove, std::function<void(OutsideClick)> onOutsideClick) override;
    void stop() override;

    // Whether the raw event source is installed (false off X11).
    bool hasRawEvents() const { return connection_ != nullptr; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool openRawEvents();
    void closeRawEvents();
    // Handles the events waiting on the socket, or only those already read.
    void drain(bool fromSocket = true);
    void reportPointer();
    // What a click lands on now: nothing when it is one of our own windows.
    std::optional<OutsideClick> clickTarget();

    std::function<void(Point)> onMove_;
    std::function<void(OutsideClick)> onOutsideClick_;
    bool filtering_ = false;
    xcb_connection_t* connection_ = nullptr;
    std::uint32_t root_ = 0;
    std::uint8_t xinputOpcode_ = 0;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace IslandKit
