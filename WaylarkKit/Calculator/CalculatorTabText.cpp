#include "WaylarkKit/Calculator/CalculatorTabText.h"

#include "CalculatorKit/CalculatorSettings.h"
#include "WaylarkKit/Calculator/CalculatorFormat.h"

namespace WaylarkKit::CalculatorTabText {

namespace {

using CalculatorKit::CalculationIssue;
using CalculatorKit::CalculationResult;
using CalculatorKit::Instrument;

bool isBelowMinimum(const CalculationResult& result) {
    return result.issue && result.issue->kind == CalculationIssue::Kind::belowMinimum;
}

bool isCustom(const Instrument& instrument) {
    return std::string_view(instrument.id).starts_with(CalculatorKit::CalculatorSettings::customIDPrefix);
}

}  // namespace

std::string sizeText(const CalculationResult& result) {
    if (result.isUsable()) return CalculatorFormat::plain(result.size);
    if (isBelowMinimum(result)) return "0";
    return "\u2014";
}

std::string unitText(const CalculationResult& result, const Instrument& instrument, CalculatorKit::StopMode stopMode) {
    const std::string suffix = result.size == 1 ? "" : "s";
    if (stopMode == CalculatorKit::StopMode::price) return instrument.unit + suffix;
    if (result.isUsable()) return instrument.unit + suffix + " \u00B7 tap to copy";
    return instrument.unit + "s";
}

std::string belowMinimumWarning(const Instrument& instrument, const CalculationResult& result) {
    const Base::Decimal minimumRisk = result.issue ? result.issue->minimumRisk : Base::Decimal();
    return CalculatorFormat::plain(instrument.minSize) + " " + instrument.name + " risks " +
           CalculatorFormat::money(minimumRisk) + ", over your " + CalculatorFormat::money(result.riskBudget) + ".";
}

std::string microSuggestionLabel(const Instrument& micro, const CalculationResult& result) {
    return "Use " + micro.name + ": " + CalculatorFormat::plain(result.size) + " contracts \u00B7 risk " +
           CalculatorFormat::money(result.actualRisk);
}

std::string riskLine(const CalculationResult& result) {
    return "Risk " + CalculatorFormat::money(result.actualRisk) + " \u00B7 " +
           CalculatorFormat::percent(result.actualRiskPercent) + "   of " + CalculatorFormat::money(result.riskBudget);
}

std::optional<std::string> stepUpLine(const CalculationResult& result) {
    if (!result.sizeUp || !result.riskUp || !result.riskUpPercent) return std::nullopt;
    return "Up one step: " + CalculatorFormat::plain(*result.sizeUp) + " \u2192 " +
           CalculatorFormat::money(*result.riskUp) + " \u00B7 " + CalculatorFormat::percent(*result.riskUpPercent);
}

std::string assumption(const Instrument& instrument) {
    return "1 " + instrument.unit + " = " + pointPrice(instrument) + (instrument.isVerified ? "" : "  check");
}

std::string pointPrice(const Instrument& instrument) {
    return CalculatorFormat::money(instrument.dollarsPerPoint) + "/pt";
}

std::optional<CalculatorKit::TradeDirection> shownDirection(const CalculatorKit::CalculationInput& input,
                                                            const CalculationResult& result) {
    if (!result.direction || !input.entry) return std::nullopt;
    return result.direction;
}

std::string directionText(CalculatorKit::TradeDirection direction) {
    return direction == CalculatorKit::TradeDirection::long_ ? "Long" : "Short";
}

std::string directionTooltip(CalculatorKit::StopMode stopMode) {
    return stopMode == CalculatorKit::StopMode::price ? "From your stop price" : "Tap to switch";
}

std::vector<MenuSection> menuSections(const std::vector<Instrument>& all) {
    std::vector<MenuSection> sections = {{"INDICES (CFD)", {}}, {"FUTURES", {}}, {"MINE", {}}};
    for (const Instrument& instrument : all) {
        if (instrument.kind == CalculatorKit::InstrumentKind::cfdIndex && !isCustom(instrument)) {
            sections[0].instruments.push_back(instrument);
        }
        if (instrument.kind == CalculatorKit::InstrumentKind::future) sections[1].instruments.push_back(instrument);
        if (isCustom(instrument)) sections[2].instruments.push_back(instrument);
    }
    std::erase_if(sections, [](const MenuSection& section) { return section.instruments.empty(); });
    return sections;
}

}  // namespace WaylarkKit::CalculatorTabText
