#pragma once

namespace WaylarkKit {

// The tabs of the expanded panel, left to right.
enum class L2Tab { timeline, weekly, calculator, checklist };

}  // namespace WaylarkKit
