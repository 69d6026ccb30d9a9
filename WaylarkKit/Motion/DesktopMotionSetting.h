#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "WaylarkKit/Motion/ReduceMotion.h"

namespace WaylarkKit {

// What the desktop says about motion, kept up to date by whoever hears its
// changes, and the one Reduce Motion flag every view reads from it. The flag
// answers from memory, so views may ask it each time they build a figure.
class DesktopMotionSetting {
public:
    // A setting's value as the desktop's settings service sends it.
    using Value = std::variant<bool, std::int64_t, double, std::string>;

    // Where the desktop's settings service keeps what this reads.
    static constexpr std::string_view gnomeNamespace = "org.gnome.desktop.interface";
    static constexpr std::string_view gnomeKey = "enable-animations";
    static constexpr std::string_view appearanceNamespace = "org.freedesktop.appearance";
    static constexpr std::string_view reducedMotionKey = "reduced-motion";
    static constexpr std::string_view kdeNamespace = "org.kde.kdeglobals.KDE";
    static constexpr std::string_view kdeKey = "AnimationDurationFactor";

    // Starts from a one-off read of the desktop (GNOME's enable-animations,
    // KDE's animation factor), either of which may be unknown.
    DesktopMotionSetting(std::optional<bool> gnomeEnableAnimations, std::optional<double> kdeAnimationFactor);
    // Starts from the gsettings tool and kdeglobals, read once now.
    static DesktopMotionSetting readNow();

    // One setting of the desktop, read or changed. Keys this does not know,
    // and values of a type the key never has, leave it as it was.
    void apply(std::string_view settingNamespace, std::string_view key, const Value& value);

    bool reduce() const { return state_->reduce; }
    // Answers what the setting holds when it is asked, for as long as any copy
    // lives, and tells its observers when that answer changes.
    ReduceMotionFlag flag() const;

private:
    struct State {
        std::optional<bool> gnomeEnableAnimations;
        std::optional<double> kdeAnimationFactor;
        // The portal's own key: true for "reduce", false for "no preference".
        std::optional<bool> reducedMotion;
        bool reduce = false;
        std::shared_ptr<Base::ChangeSignal> changed = std::make_shared<Base::ChangeSignal>();
    };
    void update();

    std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace WaylarkKit
