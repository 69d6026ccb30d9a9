#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

#include "Base/Scheduler.h"

namespace WaylarkKit {

// Whether the user asked the desktop for less motion. Views call it each time
// they build a figure, so tests inject a fixed answer.
using ReduceMotionFlag = std::function<bool()>;

// Reads GNOME's org.gnome.desktop.interface enable-animations (through the
// gsettings tool) and KDE's AnimationDurationFactor in kdeglobals at each call;
// either one asking for no animation means reduce.
ReduceMotionFlag systemReduceMotion();
ReduceMotionFlag fixedReduceMotion(bool reduce);
// Asks `read` once now and again every `recheckSeconds` on the scheduler, and
// answers from what it last read: reading the desktop's setting spawns a
// process, too dear for every animation that starts. The re-reading stops
// with the last copy of the flag.
ReduceMotionFlag cachedReduceMotion(ReduceMotionFlag read, Base::Scheduler& scheduler, double recheckSeconds);

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
