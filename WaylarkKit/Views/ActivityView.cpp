#include "WaylarkKit/Views/ActivityView.h"

#include "Base/Text.h"
#include "TradingCore/Model/MacroSchedule.h"
#include "WaylarkKit/Views/Formatting.h"
#include "WaylarkKit/Views/ImpactColor.h"
#include "WaylarkKit/Views/IntervalColorDisplay.h"
#include "WaylarkKit/Views/StatusLabel.h"

namespace WaylarkKit {

namespace {

using TradingCore::ActivityKind;
using TradingCore::ActivityPhase;
using TradingCore::NewsImpact;

constexpr double endedOpacity = 0.55;

Rgba impactColour(const std::optional<NewsImpact>& impact) {
    return impact == NewsImpact::medium ? ImpactColor::medium : ImpactColor::high;
}

Rgba intervalColour(const std::optional<TradingCore::IntervalColor>& color) {
    return color ? displayColor(*color) : Palette::white;
}

}  // namespace

ActivityParts ActivityView::parts() const {
    const std::string& title = activity.title;
    const std::string shortTitle = Base::Text::graphemeCount(title) < titleCut
                                       ? title
                                       : Base::Text::graphemePrefix(title, titleCut - 2) + "\u2026";
    const bool hourly = title == TradingCore::MacroSchedule::hourlyName;
    const double remaining = activity.target.value_or(now) - now;
    const std::string countdown = Formatting::countdown(remaining);
    const std::string minutes = Formatting::minutes(remaining);
    const bool ended = activity.phase == ActivityPhase::ended || activity.phase == ActivityPhase::restricted;

    switch (activity.kind) {
        case ActivityKind::news:
            if (activity.phase == ActivityPhase::upcoming || activity.phase == ActivityPhase::restricted) {
                return {shortTitle, countdown};
            }
            return {"Restriction ended", std::nullopt};
        case ActivityKind::macro:
            if (activity.phase == ActivityPhase::upcoming) {
                return {(hourly ? std::string("Macro") : shortTitle) + " in " + minutes, std::nullopt};
            }
            if (ended) {
                return {hourly ? std::string("Macro ended") : StatusLabel::abbreviation(title) + " ended", std::nullopt};
            }
            if (activity.justStarted) return {hourly ? std::string("MACRO") : shortTitle, std::nullopt};
            return {hourly ? std::string("M") : StatusLabel::abbreviation(title), countdown};
        case ActivityKind::custom:
            if (activity.phase == ActivityPhase::upcoming) return {shortTitle + " in " + minutes, std::nullopt};
            if (ended) return {StatusLabel::abbreviation(title) + " ended", std::nullopt};
            if (activity.justStarted) return {shortTitle, std::nullopt};
            return {StatusLabel::abbreviation(title), countdown};
    }
    return {shortTitle, std::nullopt};
}

bool ActivityView::pulses() const {
    return activity.kind == ActivityKind::news ? activity.phase == ActivityPhase::restricted
                                               : activity.phase == ActivityPhase::active;
}

Rgba ActivityView::pulseColor() const {
    switch (activity.kind) {
        case ActivityKind::news: return impactColour(activity.impact);
        case ActivityKind::macro: return macroColor;
        case ActivityKind::custom: return intervalColour(activity.color);
    }
    return Palette::white;
}

Rgba ActivityView::tint() const {
    const bool ended = activity.phase == ActivityPhase::ended;
    switch (activity.kind) {
        case ActivityKind::news:
            if (activity.phase == ActivityPhase::restricted) return impactColour(activity.impact);
            return ended ? Palette::white.withOpacity(endedOpacity) : Palette::white;
        case ActivityKind::macro: return ended ? Palette::white.withOpacity(endedOpacity) : Palette::white;
        case ActivityKind::custom: {
            const Rgba colour = intervalColour(activity.color);
            return ended ? colour.withOpacity(endedOpacity) : colour;
        }
    }
    return Palette::white;
}

}  // namespace WaylarkKit
