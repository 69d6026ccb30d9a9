#include "WaylarkKit/Views/LeftStatus.h"

#include <algorithm>

#include "WaylarkKit/Mascot/MascotForStatus.h"
#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Timing/TimingViewModel.h"
#include "WaylarkKit/Views/Formatting.h"
#include "WaylarkKit/Views/ImpactColor.h"
#include "WaylarkKit/Views/StatusLabel.h"

namespace WaylarkKit {

Rgba LeftStatus::statusColor(const TradingCore::Evaluation& evaluation) {
    using TradingCore::StatusBase;
    switch (evaluation.base) {
        case StatusBase::green: return Palette::green;
        case StatusBase::red:
            return evaluation.restrictionImpact == TradingCore::NewsImpact::medium ? ImpactColor::medium
                                                                                    : ImpactColor::high;
        case StatusBase::gray: return Palette::white.withOpacity(grayOpacity);
        case StatusBase::amber: return Palette::yellow;
    }
    return Palette::white;
}

std::optional<std::string> LeftStatus::countdownText(const TradingCore::Evaluation& evaluation, Base::Date now) {
    if (!evaluation.countdownVisible || !evaluation.nextChange) return std::nullopt;
    return Formatting::countdown(*evaluation.nextChange - now);
}

double LeftStatus::mascotSideFor(double slotHeight) {
    // A side of nothing would draw nothing at all; a few points still show a face.
    return std::clamp(slotHeight, 12.0, mascotSide);
}

LeftStatus LeftStatus::of(const TimingViewModel& model, const std::string& islandID, bool showsMascot) {
    LeftStatus status;
    if (model.isGreeting()) {
        status.greeting = true;
        status.greetingWord = model.settings().greeting().leading;
        status.greetingRun = model.greetingRun();
        return status;
    }
    const TradingCore::Evaluation& evaluation = model.evaluation();
    if (showsMascot) status.mascot = WaylarkKit::mascot(evaluation, model.isCelebratingChecklist());
    status.word = StatusLabel::word(evaluation, !model.isStatusLabelFull());
    status.colour = statusColor(evaluation);
    status.countdown = countdownText(evaluation, model.now());
    status.magnified = model.isHovered(TimingViewModel::HoverTarget::status(), islandID);
    return status;
}

}  // namespace WaylarkKit
