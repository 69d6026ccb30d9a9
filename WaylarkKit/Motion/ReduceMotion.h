#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

namespace WaylarkKit {

// Whether the user asked the desktop for less motion. Views call it each time
// they build a figure, so tests inject a fixed answer.
using ReduceMotionFlag = std::function<bool()>;

// Reads GNOME's org.gnome.desktop.interface enable-animations (through the
// gsettings tool) and KDE's AnimationDurationFactor in kdeglobals at each call;
// either one asking for no animation means reduce.
ReduceMotionFlag systemReduceMotion();
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

}  // namespace DesktopMotion
}  // namespace WaylarkKit
