#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

namespace WaylarkKit {

// Whether the user asked the desktop for less motion. Views call it each time
// they build a figure; the program hands them all the one flag of
// DesktopMotionSetting, tests a fixed answer.
using ReduceMotionFlag = std::function<bool()>;

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
