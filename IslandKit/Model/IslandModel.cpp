#include "IslandKit/Model/IslandModel.h"

#include <utility>

#include "IslandKit/Geometry/IslandGeometry.h"

namespace IslandKit {

namespace {

template <class T>
bool storeIfChanged(T& stored, const T& value) {
    if (stored == value) return false;
    stored = value;
    return true;
}

}  // namespace

IslandModel::IslandModel(ScreenMetrics metrics, IslandSlots slots, IslandStyle style, IslandView leading,
                         IslandView trailing, IslandView expanded)
    : metrics_(std::move(metrics)),
      slots_(slots),
      style_(std::move(style)),
      leading_(std::move(leading)),
      trailing_(std::move(trailing)),
      expanded_(std::move(expanded)) {}

Base::Subscription IslandModel::observe(Field field, std::function<void()> observer) {
    return signals_[static_cast<std::size_t>(field)].subscribe(std::move(observer));
}

void IslandModel::announce(Field field) const { signals_[static_cast<std::size_t>(field)].notify(); }

void IslandModel::setState(IslandState value) {
    if (storeIfChanged(state_, value)) announce(Field::state);
}
void IslandModel::setMetrics(const ScreenMetrics& value) {
    if (storeIfChanged(metrics_, value)) announce(Field::metrics);
}
void IslandModel::setSlots(const IslandSlots& value) {
    if (storeIfChanged(slots_, value)) announce(Field::slots);
}
void IslandModel::setStyle(const IslandStyle& value) {
    if (storeIfChanged(style_, value)) announce(Field::style);
}
void IslandModel::setCanvasFrame(const Rect& value) {
    if (storeIfChanged(canvasFrame_, value)) announce(Field::canvasFrame);
}

// Views and callbacks have no equality, so every write is announced.
void IslandModel::setLeading(IslandView value) {
    leading_ = std::move(value);
    announce(Field::leading);
}
void IslandModel::setTrailing(IslandView value) {
    trailing_ = std::move(value);
    announce(Field::trailing);
}
void IslandModel::setExpanded(IslandView value) {
    expanded_ = std::move(value);
    announce(Field::expanded);
}
void IslandModel::setCenter(IslandView value) {
    center_ = std::move(value);
    announce(Field::center);
}
void IslandModel::setKeyboardEligibility(std::function<bool()> value) {
    keyboardEligibility_ = std::move(value);
    announce(Field::keyboardEligibility);
}
void IslandModel::setOnKeyboardReleased(std::function<void()> value) {
    onKeyboardReleased_ = std::move(value);
    announce(Field::onKeyboardReleased);
}
void IslandModel::setPointerMoved(std::function<void(std::optional<Point>)> value) {
    pointerMoved_ = std::move(value);
    announce(Field::pointerMoved);
}
void IslandModel::setOnStateChange(std::function<void(IslandState)> value) {
    onStateChange_ = std::move(value);
    announce(Field::onStateChange);
}

IslandLayout IslandModel::layout() const { return IslandGeometry::layout(state_, metrics_, slots_, style_); }

void IslandModel::changeState(IslandState value) {
    setState(value);
    // A copy, so a callback that replaces itself stays alive while it runs.
    if (auto callback = onStateChange_) callback(state_);
}

void IslandModel::toggle() {
    changeState(state_ == IslandState::compact ? IslandState::expanded : IslandState::compact);
}

void IslandModel::expand() {
    if (state_ == IslandState::compact) changeState(IslandState::expanded);
}

void IslandModel::collapse() {
    if (state_ == IslandState::expanded) changeState(IslandState::compact);
}

}  // namespace IslandKit
