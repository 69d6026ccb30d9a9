#include "WaylarkKit/Motion/Qt/FrameAlignedRepaint.h"

namespace WaylarkKit {

void FrameAlignedRepaint::request(const QRect& area) {
    pending_ += area;
    if (due_.isScheduled()) return;
    due_ = clock_.withNextFrame([this] { widget_.update(std::exchange(pending_, {})); });
}

}  // namespace WaylarkKit
