#include "IslandKit/Overlay/OverlayWindowController.h"

#include <algorithm>

#include <QGuiApplication>
#include <QScreen>

#include "IslandKit/Overlay/OverlayPanel.h"
#include "IslandKit/Overlay/OverlayRootView.h"
#include "IslandKit/Window/WindowLevel.h"

namespace IslandKit {

namespace {
constexpr double frameInterval = 1.0 / 60.0;
}

// One presentation: its panel, its root view and its running fade.
struct OverlayWindowController::Shown {
    std::unique_ptr<OverlayPanel> panel;
    OverlayRootView* root = nullptr;
    Base::TaskHandle frames;
    Base::TaskHandle completion;
};

OverlayWindowController::OverlayWindowController(IslandView content, Size cardSize, Base::Scheduler& scheduler)
    : content_(std::move(content)),
      cardSize_(cardSize),
      scheduler_(scheduler),
      self_(std::make_shared<OverlayWindowController*>(this)) {}

OverlayWindowController::~OverlayWindowController() = default;

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

    // The backdrop is a snapshot of the screen. While an earlier card is still
    // fading out, its clean snapshot is reused so the old card is not baked in.
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
    shown->root = new OverlayRootView(content_, cardSize_, snapshot, dismissWeakly, shown->panel.get());
    const QRect frame = screen->geometry();
    shown->panel->setGeometry(frame);
    shown->root->setGeometry(0, 0, frame.width(), frame.height());
    WindowLevel::assign(shown->panel.get(), WindowLevel::overlay);
    shown->panel->show();
    WindowLevel::restack();
    shown->panel->activateWindow();
    shown->panel->setFocus();
    panel_ = shown;
    animate(shown, 0, 1, fadeInSeconds);

    // A copy, so a callback that drops this controller does not destroy itself while it runs.
    if (auto callback = onVisibilityChange) callback(true);
}

void OverlayWindowController::dismiss() {
    if (!isPresented_ || !panel_) return;
    isPresented_ = false;
    std::shared_ptr<Shown> faded = panel_;
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
