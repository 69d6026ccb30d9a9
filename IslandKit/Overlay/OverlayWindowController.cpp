#include "IslandKit/Overlay/OverlayWindowController.h"

#include <algorithm>

#include <QApplication>
#include <QPointer>
#include <QScreen>

#include "IslandKit/Overlay/OverlayPanel.h"
#include "IslandKit/Overlay/OverlayRootView.h"
#include "IslandKit/View/IslandRootView.h"
#include "IslandKit/Window/WindowLevel.h"
#include "IslandKit/Window/X11.h"

namespace IslandKit {

namespace {

constexpr double frameInterval = 1.0 / 60.0;

// Whether a window of ours still shows ground it is leaving: an island drawn
// beyond the rectangle it is shrinking to.
bool ownWindowsLeavingGround() {
    auto leaving = [](const QWidget* widget) {
        const auto* island = dynamic_cast<const IslandRootView*>(widget);
        return island && island->drawsBeyondTarget();
    };
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible()) continue;
        if (leaving(window)) return true;
        // The views declare no meta-object of their own, so they are told apart by their type.
        for (const QWidget* child : window->findChildren<QWidget*>()) {
            if (leaving(child)) return true;
        }
    }
    return false;
}

// The cards shown, in the order they took the keyboard, the latest last. A
// card is here from the moment its panel shows until it is dismissed.
std::vector<OverlayWindowController*>& shownCards() {
    static std::vector<OverlayWindowController*> cards;
    return cards;
}

}  // namespace

// One presentation: its panel, its root view and its running fade.
struct OverlayWindowController::Shown {
    std::unique_ptr<OverlayPanel> panel;
    OverlayRootView* root = nullptr;
    Base::TaskHandle frames;
    Base::TaskHandle completion;
};

OverlayWindowController::OverlayWindowController(IslandView content, Size cardSize, Base::Scheduler& scheduler,
                                                 KeyboardHandover& keyboard)
    : content_(std::move(content)),
      cardSize_(cardSize),
      scheduler_(scheduler),
      keyboard_(keyboard),
      self_(std::make_shared<OverlayWindowController*>(this)) {}

OverlayWindowController::~OverlayWindowController() { std::erase(shownCards(), this); }

void OverlayWindowController::markKeyboardTaker() {
    std::erase(shownCards(), this);
    shownCards().push_back(this);
}

bool OverlayWindowController::giveKeyboardToShownCard() {
    if (shownCards().empty()) return false;
    OverlayWindowController& card = *shownCards().back();
    OverlayPanel* panel = card.panel();
    if (!panel) return false;
    // The field that had the keys there gets them again, the caret where the
    // user left it.
    QWidget* field = panel->lastFocusedView();
    if (!field || !field->isVisible()) field = panel->focusWidget();
    if (field) field->setFocus(Qt::ActiveWindowFocusReason);
    panel->activateWindow();
    X11::takeKeyboard(panel);
    return true;
}

OverlayPanel* OverlayWindowController::panel() const { return panel_ ? panel_->panel.get() : nullptr; }
OverlayRootView* OverlayWindowController::rootView() const { return panel_ ? panel_->root : nullptr; }

void OverlayWindowController::animate(const std::shared_ptr<Shown>& shown, double from, double to, double seconds) {
    auto frames = std::make_shared<int>(0);
    std::weak_ptr<Shown> weak = shown;
    shown->root->setFade(from);
    shown->frames = scheduler_.repeat(frameInterval, [weak, frames, from, to, seconds] {
        auto s = weak.lock();
        if (!s) return;
        const double t = std::min(1.0, ++*frames * frameInterval / seconds);
        s->root->setFade(from + (to - from) * t);
        if (t >= 1) s->frames.cancel();
    });
}

void OverlayWindowController::present(QScreen* screen) {
    if (isPresented_) return;
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    isPresented_ = true;

    // While an earlier card fades out its clean snapshot serves again; else
    // the snapshot is taken once our windows have left the ground they give
    // up, so an island collapsed in this same turn leaves no ghost behind.
    if (!fading_.empty() || !ownWindowsLeavingGround()) {
        show(screen);
    } else {
        QPointer<QScreen> target = screen;
        auto frames = std::make_shared<int>(0);
        auto settledFrames = std::make_shared<int>(0);
        pending_ = scheduler_.repeat(frameInterval, [this, target, frames, settledFrames] {
            ++*frames;
            *settledFrames = ownWindowsLeavingGround() ? 0 : *settledFrames + 1;
            // One frame more once settled, so the last one has been painted.
            if (*settledFrames < 2 && *frames * frameInterval < settleSeconds) return;
            pending_.cancel();
            show(target ? target.data() : QGuiApplication::primaryScreen());
        });
    }

    // A copy, so a callback that drops this controller does not destroy itself while it runs.
    if (auto callback = onVisibilityChange) callback(true);
}

void OverlayWindowController::show(QScreen* screen) {
    if (!screen) return;
    QImage snapshot;
    if (!fading_.empty()) {
        snapshot = fading_.back()->root->snapshot();
    } else {
        snapshot = screen->grabWindow(0).toImage();
    }

    auto shown = std::make_shared<Shown>();
    shown->panel = std::make_unique<OverlayPanel>();
    std::weak_ptr<OverlayWindowController*> weak = self_;
    auto dismissWeakly = [weak] {
        if (auto self = weak.lock()) (*self)->dismiss();
    };
    shown->panel->onCancel = dismissWeakly;
    // A click into a field of a card that gave up the keyboard to another
    // card, or to an island, takes it back.
    shown->panel->onTakingKeyboard = [weak] {
        if (auto self = weak.lock()) {
            (*self)->keyboard_.noteHolder();
            (*self)->markKeyboardTaker();
        }
    };
    shown->root = new OverlayRootView(content_, cardSize_, snapshot, dismissWeakly, shown->panel.get());
    const QRect frame = screen->geometry();
    shown->panel->setGeometry(frame);
    shown->root->setGeometry(0, 0, frame.width(), frame.height());
    WindowLevel::assign(shown->panel.get(), WindowLevel::overlay);
    shown->panel->show();
    WindowLevel::restack();
    keyboard_.noteHolder();
    shown->panel->activateWindow();
    shown->panel->setFocus();
    panel_ = shown;
    markKeyboardTaker();
    animate(shown, 0, 1, fadeInSeconds);
}

void OverlayWindowController::dismiss() {
    if (isPresented_ && pending_.isScheduled()) {
        // Never shown: nothing to fade.
        pending_.cancel();
        isPresented_ = false;
        if (auto callback = onVisibilityChange) callback(false);
        return;
    }
    if (!isPresented_ || !panel_) return;
    isPresented_ = false;
    std::erase(shownCards(), this);
    std::shared_ptr<Shown> faded = panel_;
    OverlayPanel& panel = *faded->panel;
    const bool heldKeyboard = X11::heldKeyboardJustNow(&panel);
    panel.letGo();
    if (heldKeyboard) {
        if (giveKeyboardToShownCard()) {
            panel.passKeysTo(shownCards().back()->panel());
        } else {
            keyboard_.returnToHolder();
        }
    }
    fading_.push_back(faded);
    animate(faded, faded->root->fade(), 0, fadeOutSeconds);

    std::weak_ptr<OverlayWindowController*> weak = self_;
    std::weak_ptr<Shown> weakFaded = faded;
    faded->completion = scheduler_.schedule(fadeOutSeconds, [weak, weakFaded] {
        auto self = weak.lock();
        auto done = weakFaded.lock();
        if (!self || !done) return;
        OverlayWindowController& controller = **self;
        done->panel->hide();
        std::erase(controller.fading_, done);
        // A card presented during this fade-out is the current one now; this
        // completion must neither clear it nor report it hidden.
        if (controller.panel_ != done) return;
        controller.panel_.reset();
        if (auto callback = controller.onVisibilityChange) callback(false);
    });
}

}  // namespace IslandKit
