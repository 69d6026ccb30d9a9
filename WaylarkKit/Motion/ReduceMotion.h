#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <type_traits>

#include "Base/Observable.h"

namespace WaylarkKit {

// Whether the user asked the desktop for less motion. Views call it each time
// they build a figure, and a view that moves for as long as it is shown also
// observes it, so a change of the desktop's setting reaches it at once. The
// program hands every view the one flag of DesktopMotionSetting; tests a
// fixed answer, which never changes.
class ReduceMotionFlag {
public:
    ReduceMotionFlag() = default;
    template <typename Read>
        requires(!std::is_same_v<std::decay_t<Read>, ReduceMotionFlag> && std::is_invocable_r_v<bool, Read&>)
    ReduceMotionFlag(Read read, std::shared_ptr<Base::ChangeSignal> changes = nullptr)
        : read_(std::move(read)), changes_(std::move(changes)) {}

    bool operator()() const { return read_ && read_(); }
    explicit operator bool() const { return static_cast<bool>(read_); }
    // Calls `observer` after the answer changed; never for a fixed flag.
    [[nodiscard]] Base::Subscription observe(std::function<void()> observer) const {
        return changes_ ? changes_->subscribe(std::move(observer)) : Base::Subscription();
    }

private:
    std::function<bool()> read_;
    std::shared_ptr<Base::ChangeSignal> changes_;
};

ReduceMotionFlag fixedReduceMotion(bool reduce);

namespace DesktopMotion {

// The value gsettings prints for a boolean key ("true\n"), or nothing.
std::optional<bool> parseGnomeEnableAnimations(std::string_view gsettingsOutput);
// AnimationDurationFactor from the [KDE] group of a kdeglobals file, or nothing.
std::optional<double> parseKdeAnimationFactor(std::string_view kdeglobals);
// Reduce when GNOME turned animations off or KDE's factor is 0.
bool prefersReducedMotion(std::optional<bool> gnomeEnableAnimations, std::optional<double> kdeAnimationFactor);

// $XDG_CONFIG_HOME/kdeglobals, else ~/.config/kdeglobals; empty without a home.
std::filesystem::path kdeGlobalsPath();

// GNOME's org.gnome.desktop.interface enable-animations through the gsettings
// tool, which this spawns and waits for; nothing where it is missing or hangs.
std::optional<bool> readGnomeEnableAnimations();
// AnimationDurationFactor of the user's kdeglobals, or nothing.
std::optional<double> readKdeAnimationFactor();

}  // namespace DesktopMotion
}  // namespace WaylarkKit
