#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CalculatorKit/Calculation.h"
#include "CalculatorKit/CalculatorModes.h"
#include "CalculatorKit/Instrument.h"

// The words and numbers of the lot-size tab, apart from any window, so each
// one is checked without drawing it.
namespace WaylarkKit::CalculatorTabText {

inline constexpr std::string_view belowMinimumAdvice = "Lower the stop, raise the risk, or pick a smaller instrument.";
inline constexpr std::string_view copyTooltip = "Click to copy the size";

// The big number: the size when usable, "0" below the minimum, else an em dash.
std::string sizeText(const CalculatorKit::CalculationResult& result);
// The line under the size: the unit, plural unless the size is exactly 1.
std::string unitText(const CalculatorKit::CalculationResult& result, const CalculatorKit::Instrument& instrument,
                     CalculatorKit::StopMode stopMode);
// "0.01 NAS100 risks $4.00, over your $2." - the minimum size as the instrument defines it.
std::string belowMinimumWarning(const CalculatorKit::Instrument& instrument,
                                const CalculatorKit::CalculationResult& result);
std::string microSuggestionLabel(const CalculatorKit::Instrument& micro,
                                 const CalculatorKit::CalculationResult& result);
std::string riskLine(const CalculatorKit::CalculationResult& result);
// Absent unless the next size and both its risks are known.
std::optional<std::string> stepUpLine(const CalculatorKit::CalculationResult& result);
// "1 lot = $1/pt", with "  check" for an instrument to verify.
std::string assumption(const CalculatorKit::Instrument& instrument);
// "$20/pt".
std::string pointPrice(const CalculatorKit::Instrument& instrument);

// The direction the chip shows: only when the calculation gives one and an entry price parses.
std::optional<CalculatorKit::TradeDirection> shownDirection(const CalculatorKit::CalculationInput& input,
                                                            const CalculatorKit::CalculationResult& result);
std::string directionText(CalculatorKit::TradeDirection direction);
std::string directionTooltip(CalculatorKit::StopMode stopMode);

struct MenuSection {
    std::string title;
    std::vector<CalculatorKit::Instrument> instruments;

    bool operator==(const MenuSection&) const = default;
};
// "INDICES (CFD)", "FUTURES", "MINE", in that order, each only when it lists something.
std::vector<MenuSection> menuSections(const std::vector<CalculatorKit::Instrument>& all);

}  // namespace WaylarkKit::CalculatorTabText
