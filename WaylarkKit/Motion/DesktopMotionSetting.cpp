#include "WaylarkKit/Motion/DesktopMotionSetting.h"

#include <charconv>

namespace WaylarkKit {

namespace {

std::optional<double> number(const DesktopMotionSetting::Value& value) {
    if (const auto* real = std::get_if<double>(&value)) return *real;
    if (const auto* whole = std::get_if<std::int64_t>(&value)) return static_cast<double>(*whole);
    // kdeglobals holds text; a desktop may pass it on as it is.
    if (const auto* text = std::get_if<std::string>(&value)) {
        double parsed = 0;
        const auto [rest, error] = std::from_chars(text->data(), text->data() + text->size(), parsed);
        if (error == std::errc() && rest == text->data() + text->size()) return parsed;
    }
    return std::nullopt;
}

}  // namespace

DesktopMotionSetting::DesktopMotionSetting(std::optional<bool> gnomeEnableAnimations,
                                           std::optional<double> kdeAnimationFactor) {
    state_->gnomeEnableAnimations = gnomeEnableAnimations;
    state_->kdeAnimationFactor = kdeAnimationFactor;
    update();
}

DesktopMotionSetting DesktopMotionSetting::readNow() {
    return {DesktopMotion::readGnomeEnableAnimations(), DesktopMotion::readKdeAnimationFactor()};
}

void DesktopMotionSetting::apply(std::string_view settingNamespace, std::string_view key, const Value& value) {
    if (settingNamespace == gnomeNamespace && key == gnomeKey) {
        if (const auto* enabled = std::get_if<bool>(&value)) state_->gnomeEnableAnimations = *enabled;
    } else if (settingNamespace == appearanceNamespace && key == reducedMotionKey) {
        if (const auto* preference = std::get_if<std::int64_t>(&value)) state_->reducedMotion = *preference == 1;
    } else if (settingNamespace == kdeNamespace && key == kdeKey) {
        if (const auto factor = number(value); factor && *factor >= 0) state_->kdeAnimationFactor = factor;
    }
    update();
}

void DesktopMotionSetting::update() {
    const bool reduce =
        DesktopMotion::prefersReducedMotion(state_->gnomeEnableAnimations, state_->kdeAnimationFactor) ||
        state_->reducedMotion.value_or(false);
    if (reduce == state_->reduce) return;
    state_->reduce = reduce;
    state_->changed->notify();
}

ReduceMotionFlag DesktopMotionSetting::flag() const {
    return {[state = state_] { return state->reduce; }, state_->changed};
}

}  // namespace WaylarkKit
