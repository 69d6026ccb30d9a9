#include "WaylarkKit/Settings/RestoreArming.h"

namespace WaylarkKit {

bool RestoreArming::request() {
    if (armed_.get()) {
        disarm();
        return true;
    }
    armed_.set(true);
    // Assigning cancels the lapse of an earlier arming, so it cannot un-arm this one.
    lapse_ = scheduler_.schedule(armedSeconds, [this] { armed_.set(false); });
    return false;
}

void RestoreArming::disarm() {
    lapse_.cancel();
    armed_.set(false);
}

std::string RestoreArming::label(bool armed) { return armed ? "Click again to restore" : "Restore defaults"; }

}  // namespace WaylarkKit
