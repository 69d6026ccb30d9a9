#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Base/Observable.h"
#include "IslandKit/Geometry/Rect.h"
#include "IslandKit/Screen/ScreenMetrics.h"
#include "WaylarkKit/App/DisplayPlan.h"

// What the application delegate asks of the desktop it runs on, so that the
// same delegate runs on real screens and windows and, in tests, on fakes.
namespace WaylarkKit {

// A screen as the delegate names it: a connected display by its stable
// identifier, or (empty) the main screen.
struct ScreenRef {
    std::string displayID;
    bool isMainScreen() const { return displayID.empty(); }
    bool operator==(const ScreenRef&) const = default;
};

// The connected displays, the pointer, and the news that the displays changed.
class DisplayEnvironment {
public:
    virtual ~DisplayEnvironment() = default;
    // The displays that have a stable identifier, in the desktop's screen order.
    virtual std::vector<DisplayInfo> connected() const = 0;
    virtual IslandKit::ScreenMetrics metrics(const std::string& displayID) const = 0;
    // The pointer's location in desktop coordinates.
    virtual IslandKit::Point pointer() const = 0;
    virtual bool hasMainScreen() const = 0;
    // `onChange` runs on the main thread whenever a display came, went or
    // changed its geometry, until the subscription is dropped.
    [[nodiscard]] virtual Base::Subscription observeChanges(std::function<void()> onChange) = 0;
};

// The window of one island on one display.
class IslandWindow {
public:
    virtual ~IslandWindow() = default;
    virtual void show(const std::string& displayID) = 0;
    // Follows the display's new geometry (the island stays where it is).
    virtual void update(const std::string& displayID) = 0;
    virtual void hide() = 0;
    // The expanded island gives the keyboard back to whatever had it.
    virtual void releaseKeyboard() = 0;
};

// A card centred over a whole screen that holds one editor or question.
class OverlayCard {
public:
    virtual ~OverlayCard() = default;
    // Nothing when already presented.
    virtual void present(const ScreenRef& screen) = 0;
    // Nothing unless presented.
    virtual void dismiss() = 0;
    virtual bool isPresented() const = 0;
    // Called with true when a presentation starts and with false when a
    // dismissal has finished.
    std::function<void(bool)> onVisibilityChange;
};

}  // namespace WaylarkKit
