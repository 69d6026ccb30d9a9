#pragma once

#include "WaylarkKit/L2/TabSwipe.h"
#include "WaylarkKit/Motion/KeyframeTrack.h"

// The expanded panel's own motion, as keyframe tracks that start at `begin`
// (seconds on the steady clock). Reduce Motion leaves all three out.
namespace WaylarkKit::PanelMotion {

// An unrestricted strip's label after a change of tab: from 0.85 it blinks
// three times (0.3 and 1.0, 0.6 s per move) and settles at 0.85 after 3.6 s.
KeyframeTrack stripBlink(double begin);
inline constexpr double stripRestingOpacity = 0.85;

// A restricted strip's label breathes between 1.0 and 0.4, 1.1 s each way, for
// as long as the restriction lasts.
KeyframeTrack stripBreathing(double begin);

// The region area's sideways shake after a swipe past the first or last tab:
// first away from the refused direction (left, -10, for next), then smaller
// swings back to rest after 0.44 s. Offsets in points.
KeyframeTrack headShake(TabSwipeDirection direction, double begin);

}  // namespace WaylarkKit::PanelMotion
