#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>

#include "Base/Observable.h"
#include "IslandKit/Geometry/IslandLayout.h"
#include "IslandKit/Geometry/IslandSlots.h"
#include "IslandKit/Geometry/IslandState.h"
#include "IslandKit/Geometry/IslandStyle.h"
#include "IslandKit/Model/IslandView.h"
#include "IslandKit/Screen/ScreenMetrics.h"

namespace IslandKit {

// The observable island of one display: its state machine, the facts and
// widths its layout follows from, its views and the callbacks through which it
// talks to the application. Main thread only.
class IslandModel {
public:
    enum class Field : std::size_t {
        state,
        metrics,
        slots,
        style,
        canvasFrame,
        leading,
        trailing,
        expanded,
        center,
        keyboardEligibility,
        onKeyboardReleased,
        pointerMoved,
        onStateChange,
    };

    IslandModel(ScreenMetrics metrics, IslandSlots slots, IslandStyle style, IslandView leading,
                IslandView trailing, IslandView expanded);
    IslandModel(const IslandModel&) = delete;
    IslandModel& operator=(const IslandModel&) = delete;

    // Observers of one field hear of a write to it: for values only when the
    // value changed, for views and callbacks on every write.
    [[nodiscard]] Base::Subscription observe(Field field, std::function<void()> observer);

    IslandState state() const { return state_; }
    const ScreenMetrics& metrics() const { return metrics_; }
    const IslandSlots& slots() const { return slots_; }
    const IslandStyle& style() const { return style_; }
    // Frame of the transparent window canvas, desktop coordinates.
    const Rect& canvasFrame() const { return canvasFrame_; }
    const IslandView& leading() const { return leading_; }
    const IslandView& trailing() const { return trailing_; }
    const IslandView& expanded() const { return expanded_; }
    const IslandView& center() const { return center_; }
    const std::function<bool()>& keyboardEligibility() const { return keyboardEligibility_; }
    const std::function<void()>& onKeyboardReleased() const { return onKeyboardReleased_; }
    const std::function<void(std::optional<Point>)>& pointerMoved() const { return pointerMoved_; }
    const std::function<void(IslandState)>& onStateChange() const { return onStateChange_; }

    void setState(IslandState value);
    void setMetrics(const ScreenMetrics& value);
    void setSlots(const IslandSlots& value);
    void setStyle(const IslandStyle& value);
    void setCanvasFrame(const Rect& value);
    void setLeading(IslandView value);
    void setTrailing(IslandView value);
    void setExpanded(IslandView value);
    void setCenter(IslandView value);
    void setKeyboardEligibility(std::function<bool()> value);
    void setOnKeyboardReleased(std::function<void()> value);
    void setPointerMoved(std::function<void(std::optional<Point>)> value);
    void setOnStateChange(std::function<void(IslandState)> value);

    // The layout of the current state, metrics, slots and style; computed on every read.
    IslandLayout layout() const;

    void toggle();
    void expand();
    void collapse();

private:
    void announce(Field field) const;
    void changeState(IslandState value);

    IslandState state_ = IslandState::compact;
    ScreenMetrics metrics_;
    IslandSlots slots_;
    IslandStyle style_;
    Rect canvasFrame_;
    IslandView leading_;
    IslandView trailing_;
    IslandView expanded_;
    IslandView center_;
    std::function<bool()> keyboardEligibility_;
    std::function<void()> onKeyboardReleased_;
    std::function<void(std::optional<Point>)> pointerMoved_;
    std::function<void(IslandState)> onStateChange_;

    std::array<Base::ChangeSignal, 13> signals_;
};

}  // namespace IslandKit
