#include "WaylarkKit/Mascot/MascotForStatus.h"

namespace WaylarkKit {

MascotKind mascot(const TradingCore::Evaluation& evaluation, bool celebrating) {
    using TradingCore::StatusBase;
    if (celebrating) return MascotKind::checklistDone();
    switch (evaluation.base) {
        case StatusBase::gray:
        case StatusBase::amber: return MascotKind::out();
        case StatusBase::red:
            return MascotKind::restricted(evaluation.restrictionImpact == TradingCore::NewsImpact::medium);
        case StatusBase::green: break;
    }
    std::optional<TradingCore::IntervalColor> tint;
    for (const auto& activity : evaluation.activities) {
        if (activity.kind == TradingCore::ActivityKind::custom && activity.phase == TradingCore::ActivityPhase::active) {
            tint = activity.color;
            break;
        }
    }
    return MascotKind::session(evaluation.confidence == TradingCore::DataConfidence::live, tint);
}

}  // namespace WaylarkKit
