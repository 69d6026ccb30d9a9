#pragma once

namespace WaylarkKit {

// One step between the panel's tabs.
enum class TabSwipeDirection { next, previous };

}  // namespace WaylarkKit
