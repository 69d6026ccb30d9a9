#include <string>
#include <vector>

#include "TradingCore/Model/IntervalColor.h"
#include "WaylarkKit/Showreel/ShowreelDirector.h"

namespace WaylarkKit {
namespace {

using TradingCore::ActivityKind;
using TradingCore::ActivityPhase;

const char* tabName(L2Tab tab) {
    switch (tab) {
        case L2Tab::timeline: return "timeline";
        case L2Tab::weekly: return "weekly";
        case L2Tab::calculator: return "calculator";
        case L2Tab::checklist: return "checklist";
    }
    return "timeline";
}

std::string status(const TradingCore::Evaluation& evaluation) {
    switch (evaluation.base) {
        case TradingCore::StatusBase::green:
            return evaluation.windowName ? "Session (" + *evaluation.windowName + ")" : "Session";
        case TradingCore::StatusBase::red:
            return evaluation.restrictionImpact == TradingCore::NewsImpact::medium ? "Restricted Medium"
                                                                                   : "Restricted High";
        case TradingCore::StatusBase::gray:
        case TradingCore::StatusBase::amber:
            return "Out";
    }
    return "Out";
}

// Only what the viewer is meant to notice: a release counting down, and a
// macro or custom time running.
std::optional<std::string> activityPart(const TradingCore::Activity& activity) {
    const std::string quoted = "\"" + activity.title + "\"";
    if (activity.kind == ActivityKind::news && activity.phase == ActivityPhase::upcoming) {
        return "news countdown " + quoted;
    }
    if (activity.kind == ActivityKind::macro && activity.phase == ActivityPhase::active) return "macro " + quoted;
    if (activity.kind == ActivityKind::custom && activity.phase == ActivityPhase::active) {
        if (!activity.color) return "custom " + quoted;
        return "custom " + quoted + " [" + std::string(TradingCore::rawValue(*activity.color)) + "]";
    }
    return std::nullopt;
}

}  // namespace

std::string ShowreelDirector::describe(const TradingCore::Evaluation& evaluation, bool celebrating, bool greeting,
                                       std::optional<L2Tab> panel) {
    std::vector<std::string> parts{status(evaluation)};
    for (const auto& activity : evaluation.activities) {
        if (auto part = activityPart(activity)) parts.push_back(std::move(*part));
    }
    if (greeting) parts.emplace_back("greeting");
    if (celebrating) parts.emplace_back("checklist celebration");
    if (panel) parts.push_back(std::string("L2: ") + tabName(*panel));

    std::string text;
    for (const auto& part : parts) {
        if (!text.empty()) text += " \u00B7 ";
        text += part;
    }
    return text;
}

}  // namespace WaylarkKit
