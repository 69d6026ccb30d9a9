#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include <QMetaObject>
#include <QPointer>

#include "Base/Observable.h"
#include "Base/Scheduler.h"
#include "IslandKit/Geometry/Rect.h"
#include "IslandKit/Model/IslandModel.h"
#include "IslandKit/View/IslandRootView.h"
#include "IslandKit/Window/KeyboardHandover.h"
#include "IslandKit/Window/PointerTracking.h"

class QScreen;

namespace IslandKit {

class IslandPanel;

// Owns the floating panel of one island on one display: hosts the root view
// in a transparent canvas across the top of the display, lets clicks through
// everywhere but over the island, feeds pointer positions to the model, takes
// and gives back the keyboard, and follows changes of the display. Where the
// keyboard goes once the island lets go is its own business: no window
// manager saw the island take it.
class IslandWindowController {
public:
    static constexpr double canvasHeight = 420;
    static constexpr double canvasMaxWidth = 1000;
    static constexpr double nearnessMargin = 24;

    IslandWindowController(IslandModel& model, PointerTracking& pointer, Base::Scheduler& scheduler,
                           KeyboardHandover& keyboard);
    ~IslandWindowController();
    IslandWindowController(const IslandWindowController&) = delete;
    IslandWindowController& operator=(const IslandWindowController&) = delete;

    IslandModel& model() const { return model_; }

    void show(QScreen* screen);
    void hide();
    // Clears the focused view and, while the panel holds the keyboard, lets go
    // of it at once and tells the model's `onKeyboardReleased`, so that keys
    // typed straight after reach the window that had it. Once only, and not
    // in the scheduler's turn of an outside click: the click has already said
    // where the keyboard goes.
    void releaseKeyboard();
    bool isKeyboardActive() const;
    // A pointer position in desktop coordinates.
    void handlePointer(Point point);
    void update(QScreen* screen);

    // The transparent canvas across the top of a display frame (desktop coordinates).
    static Rect canvas(const Rect& screenFrame);

    IslandPanel* panel() const { return panel_.get(); }
    IslandRootView* rootView() const { return rootView_; }

private:
    // Puts the island on a screen: remembers its display and sets the model's canvas, which it returns.
    Rect retarget(QScreen* screen);
    void handleScreenChange();
    // A click outside the island gives the keyboard, while the island holds
    // it, to the window clicked when that takes it, else back to the window
    // that had it; then an expanded island that allows it collapses.
    void handleOutsideClick(const OutsideClick& click);
    // Gives the keyboard to `to`, or tells the model's `onKeyboardReleased`,
    // which gives it back to the window that had it; then, where nobody took
    // it, drops the panel's key status.
    void giveUpKeyboard(std::optional<std::uint32_t> to);
    bool holdsKeyboard() const;
    void updateInputShape();
    void observeScreens();
    void observeScreen(QScreen* screen);

    IslandModel& model_;
    PointerTracking& pointer_;
    Base::Scheduler& scheduler_;
    KeyboardHandover& keyboard_;
    std::unique_ptr<IslandPanel> panel_;
    QPointer<IslandRootView> rootView_;
    std::vector<QMetaObject::Connection> screenObserver_;
    bool observingScreens_ = false;
    bool pointerWasNear_ = false;
    bool isReleasingKeyboard_ = false;
    // An outside click came in this turn of the scheduler: the releases its
    // collapse brings about add nothing to where it sent the keyboard.
    bool clickedOutside_ = false;
    Base::TaskHandle outsideClickExpiry_;
    std::optional<std::uint32_t> displayID_;
    Base::TaskHandle screenChangeTask_;
    std::array<Base::Subscription, 5> layoutSubscriptions_;
    // Closures handed out hold this weakly and do nothing once the controller is gone.
    std::shared_ptr<IslandWindowController*> self_;
};

}  // namespace IslandKit
