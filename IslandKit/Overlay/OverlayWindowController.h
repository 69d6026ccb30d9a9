#pragma once

#include <functional>
#include <memory>

#include <QImage>

#include "Base/Scheduler.h"
#include "IslandKit/Geometry/Rect.h"
#include "IslandKit/Model/IslandView.h"
#include "IslandKit/Window/KeyboardHandover.h"

class QScreen;

namespace IslandKit {

class OverlayPanel;
class OverlayRootView;

// One editor's centred card over the whole display: fades in on `present`,
// out on `dismiss`, and reports each change of visibility. The backdrop is a
// snapshot of the screen, so while a window of ours is still shrinking (an
// island collapsed in the same turn) the card waits for the screen to stop
// showing that ground, a frame at a time and at most `settleSeconds`. The
// card takes the keyboard as it shows, or later on a click into one of its
// fields, and lets go of it the moment it is dismissed: its fields stop
// taking keys, and while the fade-out plays on the keyboard goes to the card
// still shown that had it last, into the field that had it there, or, with
// no card left, back to the window that had it before the first card took it.
class OverlayWindowController {
public:
    static constexpr double fadeInSeconds = 0.18;
    static constexpr double fadeOutSeconds = 0.15;
    static constexpr double settleSeconds = 1.0;

    OverlayWindowController(IslandView content, Size cardSize, Base::Scheduler& scheduler,
                            KeyboardHandover& keyboard);
    ~OverlayWindowController();
    OverlayWindowController(const OverlayWindowController&) = delete;
    OverlayWindowController& operator=(const OverlayWindowController&) = delete;

    void present(QScreen* screen);
    void dismiss();
    // True while shown or fading in; false from the start of a fade-out.
    bool isPresented() const { return isPresented_; }

    // Called with true when a presentation starts and false when a dismissal has finished.
    std::function<void(bool)> onVisibilityChange;

    OverlayPanel* panel() const;
    OverlayRootView* rootView() const;

    // Gives the keyboard to the card shown (not fading) that had it last,
    // to the field that had it there; false when no card is shown. Where
    // another window of ours lets go of the keyboard while a card stays up,
    // the card is where it belongs.
    static bool giveKeyboardToShownCard();

private:
    struct Shown;
    void show(QScreen* screen);
    void animate(const std::shared_ptr<Shown>& shown, double from, double to, double seconds);
    // Puts this card last in the order in which the cards shown had the keyboard.
    void markKeyboardTaker();

    IslandView content_;
    Size cardSize_;
    Base::Scheduler& scheduler_;
    KeyboardHandover& keyboard_;
    std::shared_ptr<Shown> panel_;
    // Panels fading out; each removes itself when its fade ends.
    std::vector<std::shared_ptr<Shown>> fading_;
    bool isPresented_ = false;
    // A presentation waiting for our own windows to settle.
    Base::TaskHandle pending_;
    std::shared_ptr<OverlayWindowController*> self_;
};

}  // namespace IslandKit
