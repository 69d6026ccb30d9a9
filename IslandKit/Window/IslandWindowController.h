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

    IslandWindowController(IslandModel& model, PointerTracking& pointer, Base::Scheduler& scheduler);
    ~IslandWindowController();
    IslandWindowController(const IslandWindowController&) = delete;
    IslandWindowController& operator=(const IslandWindowController&) = delete;

    IslandModel& model() const { return model_; }

    void show(QScreen* screen);
    void hide();
    // Clears the focused view and, while the panel holds the keyboard, gives
    // it back at once, so keys typed straight after reach the window that had
    // it. Not after an outside click on another application's window in this
    // turn of the scheduler: the window manager gives that window the
    // keyboard, however long it takes. The keyboard goes back once.
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
    void handleOutsideClick(OutsideClick where);
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
    // The outside click of this turn, for the release its collapse brings
    // about; it is forgotten on the scheduler's next turn.
    std::optional<OutsideClick> outsideClick_;
    Base::TaskHandle outsideClickExpiry_;
    std::optional<std::uint32_t> displayID_;
    Base::TaskHandle screenChangeTask_;
    std::array<Base::Subscription, 5> layoutSubscriptions_;
    // Closures handed out hold this weakly and do nothing once the controller is gone.
    std::shared_ptr<IslandWindowController*> self_;
};

}  // namespace IslandKit
