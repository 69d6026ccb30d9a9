#pragma once

#include "WaylarkKit/Motion/FrameClock.h"
#include "WaylarkKit/Motion/KeyframeTrack.h"

// A label that fades to 45 % and back every 2.2 s, without end, for what is
// in progress now. With Reduce Motion it is steady text.
namespace WaylarkKit::PulsingText {

inline constexpr double fontSize = 12;  // bold, digits in equal cells
inline constexpr double lowOpacity = 0.45;
inline constexpr double halfPeriod = 1.1;
// A slow fade needs few frames to look smooth, and each one repaints the
// island: drawn on the breathing mascot's frames, about seven steps of the
// 1.1 s fade.
inline constexpr double framesPerSecond = FrameClock::loopFramesPerSecond;

// The label's opacity from `begin` on.
KeyframeTrack pulse(double begin);

}  // namespace WaylarkKit::PulsingText
