#pragma once

class QWidget;

namespace IslandKit::WindowLevel {

// Stacking levels of our floating windows: overlay cards lie under the islands.
inline constexpr int overlay = 24;
inline constexpr int island = 25;

// Records a window's level (until it is destroyed).
void assign(QWidget* window, int level);
// Raises every visible window with a level, lowest level first, so a higher
// level always ends above a lower one whatever was shown last.
void restack();

}  // namespace IslandKit::WindowLevel
