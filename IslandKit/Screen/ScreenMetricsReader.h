#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "IslandKit/Screen/ScreenFacts.h"
#include "IslandKit/Screen/ScreenMetrics.h"

class QScreen;

namespace IslandKit::ScreenMetricsReader {

// What Qt and RandR tell about a screen, in desktop coordinates. No display
// here has a camera notch, so every island draws the virtual one.
ScreenFacts facts(const QScreen* screen);
ScreenMetrics metrics(const QScreen* screen);

// The built-in panel's screen, or null.
QScreen* builtInScreen();
// The RandR output of the screen; absent off X11 or when no output matches.
std::optional<std::uint32_t> displayID(const QScreen* screen);
// A name-based UUID text from the monitor's EDID, else from its connector name.
std::optional<std::string> stableID(const QScreen* screen);
bool isBuiltIn(const QScreen* screen);

}  // namespace IslandKit::ScreenMetricsReader
