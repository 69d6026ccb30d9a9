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
#include "IslandKit/Window/PointerTracking.h"

class QScreen;

namespace IslandKit {

class IslandPanel;

// Owns the floating panel of one island on one display: hosts the root view
// in a transparent canvas across the top of the display, lets clicks through
// everywhere but over the island, feeds pointer positions to the model, takes
// and gives back the keyboard, and follows changes of the display.
class IslandWindowController {
public:
    static constexpr double canvasHeight = 420;
    static constexpr double canvasMaxWidth = 1000;
    static constexpr double nearnessMargin = 24;
    // How long a release of the keyboard waits before giving it back. A click
    // on another window reaches the island, through the raw pointer events, at
    // the moment the window manager gets it, and the manager then gives that
    // window the keyboard. Only an island that still holds the keyboard after
    // that gives it back, so the trader's click wins. A window manager answers
    // a click within milliseconds; a tenth of a second leaves room for a busy
    // machine and is still shorter than a move of the hand to type elsewhere.
    static constexpr double focusSettleDelay = 0.1;

    IslandWindowController(IslandModel& model, PointerTracking& pointer, Base::Scheduler& scheduler);
    ~IslandWindowController();
    IslandWindowController(const IslandWindowController&) = delete;
    IslandWindowController& operator=(const IslandWindowController&) = delete;

    IslandModel& model() const { return model_; }

    void show(QScreen* screen);
    void hide();
    // Clears the focused view now and, when the panel has the keyboard, gives
    // the keyboard back after `focusSettleDelay` unless it has gone elsewhere
    // or to a view of the island again by then. Releases while one waits add
    // nothing: the keyboard goes back once.
    void releaseKeyboard();
    bool isKeyboardActive() const;
    bool isKeyboardReleasePending() const { return keyboardRelease_.isScheduled(); }
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
    void handBackKeyboard();
    bool holdsKeyboard() const;
    void updateInputShape();
    void observeScreens();
    void observeScreen(QScreen* screen);

    IslandModel& model_;
    PointerTracking& pointer_;
    Base::Scheduler& scheduler_;
    std::unique_ptr<IslandPanel> panel_;
    QPointer<IslandRootView> rootView_;
    std::vector<QMetaObject::Connection> screenObserver_;
    bool observingScreens_ = false;
    bool pointerWasNear_ = false;
    bool isReleasingKeyboard_ = false;
    std::optional<std::uint32_t> displayID_;
    Base::TaskHandle screenChangeTask_;
    Base::TaskHandle keyboardRelease_;
    std::array<Base::Subscription, 5> layoutSubscriptions_;
    // Closures handed out hold this weakly and do nothing once the controller is gone.
    std::shared_ptr<IslandWindowController*> self_;
};

}  // namespace IslandKit
