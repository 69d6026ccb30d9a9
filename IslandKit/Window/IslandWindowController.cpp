#include "IslandKit/Window/IslandWindowController.h"

#include <algorithm>
#include <utility>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "IslandKit/Screen/ScreenMetricsReader.h"
#include "IslandKit/View/IslandRootView.h"
#include "IslandKit/Window/IslandPanel.h"
#include "IslandKit/Window/QtDesktop.h"
#include "IslandKit/Window/WindowLevel.h"
#include "IslandKit/Window/X11.h"

namespace IslandKit {

IslandWindowController::IslandWindowController(IslandModel& model, PointerTracking& pointer,
                                               Base::Scheduler& scheduler, KeyboardHandover& keyboard)
    : model_(model),
      pointer_(pointer),
      scheduler_(scheduler),
      keyboard_(keyboard),
      self_(std::make_shared<IslandWindowController*>(this)) {
    // The input shape follows the island's rectangle, so clicks beside it pass
    // through to the window below whatever the pointer did before.
    using F = IslandModel::Field;
    auto reshape = [this] { updateInputShape(); };
    layoutSubscriptions_ = {model_.observe(F::state, reshape), model_.observe(F::metrics, reshape),
                            model_.observe(F::slots, reshape), model_.observe(F::style, reshape),
                            model_.observe(F::canvasFrame, reshape)};
}

IslandWindowController::~IslandWindowController() {
    // The owner calls hide() first; what remains is only to drop references.
    self_.reset();
    for (auto& connection : screenObserver_) QObject::disconnect(connection);
}

Rect IslandWindowController::canvas(const Rect& frame) {
    const double w = std::min(frame.width, canvasMaxWidth);
    return Rect{frame.midX() - w * 0.5, frame.maxY() - canvasHeight, w, canvasHeight};
}

Rect IslandWindowController::retarget(QScreen* screen) {
    displayID_ = ScreenMetricsReader::displayID(screen);
    const Rect canvasFrame = canvas(ScreenMetricsReader::facts(screen).frame);
    model_.setCanvasFrame(canvasFrame);
    return canvasFrame;
}

void IslandWindowController::show(QScreen* screen) {
    if (!screen) return;
    const Rect canvasFrame = retarget(screen);

    if (!panel_) panel_ = std::make_unique<IslandPanel>();
    std::weak_ptr<IslandWindowController*> weak = self_;
    IslandModel* model = &model_;
    panel_->keyEligibility = [weak, model] {
        if (weak.expired()) return false;
        return model->state() == IslandState::expanded && model->keyboardEligibility() &&
               model->keyboardEligibility()();
    };
    panel_->onCancel = [weak] {
        if (auto self = weak.lock()) (*self)->releaseKeyboard();
    };
    panel_->onTakingKeyboard = [weak] {
        if (auto self = weak.lock()) (*self)->keyboard_.noteHolder();
    };

    // A fresh root view on every show, replacing the previous one.
    delete rootView_.data();
    rootView_ = new IslandRootView(model_, scheduler_, panel_.get());
    rootView_->setGeometry(0, 0, static_cast<int>(canvasFrame.width), static_cast<int>(canvasHeight));
    rootView_->show();

    panel_->setGeometry(QtDesktop::toWindowSystem(canvasFrame));
    rootView_->resize(panel_->size());
    WindowLevel::assign(panel_.get(), WindowLevel::island);
    panel_->show();
    WindowLevel::restack();
    updateInputShape();

    pointer_.start(
        [weak](Point point) {
            if (auto self = weak.lock()) (*self)->handlePointer(point);
        },
        [weak](OutsideClick click) {
            if (auto self = weak.lock()) (*self)->handleOutsideClick(click);
        });

    observeScreens();
}

void IslandWindowController::hide() {
    pointer_.stop();
    if (panel_) panel_->hide();
    for (auto& connection : screenObserver_) QObject::disconnect(connection);
    screenObserver_.clear();
    observingScreens_ = false;
    screenChangeTask_.cancel();
}

void IslandWindowController::updateInputShape() {
    if (!panel_ || !panel_->isVisible()) return;
    const IslandLayout layout = model_.layout();
    const Rect canvasFrame = model_.canvasFrame();
    // The island's full rectangle, panel-local (y from the canvas's top edge).
    const QRect island = QtDesktop::toWindowSystem(layout.rect).translated(
        -QtDesktop::toWindowSystem(canvasFrame).topLeft());
    X11::setInputShape(panel_.get(), {island.intersected(panel_->rect())});
}

void IslandWindowController::handlePointer(Point point) {
    const Rect rect = model_.layout().rect;
    const Rect near = rect.outset(nearnessMargin, nearnessMargin);
    if (near.contains(point)) {
        pointerWasNear_ = true;
        if (auto callback = model_.pointerMoved()) callback(point);
        return;
    }
    if (pointerWasNear_) {
        pointerWasNear_ = false;
        if (auto callback = model_.pointerMoved()) callback(std::nullopt);
    }
}

void IslandWindowController::handleOutsideClick(const OutsideClick& click) {
    if (panel_ && !isReleasingKeyboard_ && X11::heldKeyboardJustNow(panel_.get())) {
        if (QWidget* focus = panel_->focusWidget()) focus->clearFocus();
        giveUpKeyboard(click.keyboardTaker);
    }
    clickedOutside_ = true;
    std::weak_ptr<IslandWindowController*> weak = self_;
    outsideClickExpiry_ = scheduler_.post([weak] {
        if (auto self = weak.lock()) (*self)->clickedOutside_ = false;
    });
    if (model_.state() == IslandState::expanded && model_.style().closesOnOutsideClick) model_.collapse();
}

bool IslandWindowController::isKeyboardActive() const { return panel_ && panel_->isActiveWindow(); }

void IslandWindowController::releaseKeyboard() {
    if (!panel_ || isReleasingKeyboard_) return;
    if (QWidget* focus = panel_->focusWidget()) focus->clearFocus();
    if (clickedOutside_ || !holdsKeyboard()) return;
    // A view of the island took the keyboard again as the focus left.
    if (panel_->focusWidget()) return;
    giveUpKeyboard(std::nullopt);
}

bool IslandWindowController::holdsKeyboard() const {
    return X11::hasInputFocus(panel_.get()).value_or(panel_->isActiveWindow());
}

void IslandWindowController::giveUpKeyboard(std::optional<std::uint32_t> to) {
    isReleasingKeyboard_ = true;
    // A window a click chose gets the keyboard from here; the one that had it
    // (a card still shown, or another application's window) gets it back
    // from whoever hears of the release. Straight from the island: were the
    // island to let go first, the server would send the keyboard to the
    // root window, and a window manager would hand it to its last client
    // (the chart under a card) after the card had taken it.
    if (to) {
        keyboard_.giveTo(*to);
    } else if (auto callback = model_.onKeyboardReleased()) {
        callback();
    }
    // Nobody took it: ordering the panel out and in again drops its key
    // status while the island stays on screen.
    if (holdsKeyboard()) {
        panel_->hide();
        panel_->show();
        WindowLevel::restack();
        updateInputShape();
    }
    isReleasingKeyboard_ = false;
}

void IslandWindowController::observeScreen(QScreen* screen) {
    std::weak_ptr<IslandWindowController*> weak = self_;
    // The work runs after the notification has returned.
    auto changed = [this, weak] {
        if (weak.expired()) return;
        screenChangeTask_ = scheduler_.post([weak] {
            if (auto self = weak.lock()) (*self)->handleScreenChange();
        });
    };
    screenObserver_.push_back(QObject::connect(screen, &QScreen::geometryChanged, changed));
    screenObserver_.push_back(QObject::connect(screen, &QScreen::availableGeometryChanged, changed));
}

void IslandWindowController::observeScreens() {
    if (observingScreens_ || !qGuiApp) return;
    observingScreens_ = true;
    for (QScreen* screen : QGuiApplication::screens()) observeScreen(screen);
    std::weak_ptr<IslandWindowController*> weak = self_;
    screenObserver_.push_back(QObject::connect(qGuiApp, &QGuiApplication::screenAdded, [this, weak](QScreen* s) {
        if (weak.expired()) return;
        observeScreen(s);
        screenChangeTask_ = scheduler_.post([weak] {
            if (auto self = weak.lock()) (*self)->handleScreenChange();
        });
    }));
    screenObserver_.push_back(QObject::connect(qGuiApp, &QGuiApplication::screenRemoved, [this, weak](QScreen*) {
        if (weak.expired()) return;
        screenChangeTask_ = scheduler_.post([weak] {
            if (auto self = weak.lock()) (*self)->handleScreenChange();
        });
    }));
}

void IslandWindowController::handleScreenChange() {
    if (!displayID_) return;
    for (QScreen* candidate : QGuiApplication::screens()) {
        if (ScreenMetricsReader::displayID(candidate) == displayID_) {
            update(candidate);
            return;
        }
    }
}

void IslandWindowController::update(QScreen* screen) {
    if (!screen) return;
    const Rect canvasFrame = retarget(screen);
    model_.setMetrics(ScreenMetricsReader::metrics(screen));
    if (panel_) {
        const QRect target = QtDesktop::toWindowSystem(canvasFrame);
        if (panel_->geometry() != target) {
            panel_->setGeometry(target);
            if (rootView_) rootView_->resize(panel_->size());
        }
    }
    updateInputShape();
}

}  // namespace IslandKit
