#pragma once

#include <optional>
#include <string>
#include <vector>

#include "CalculatorKit/Calculation.h"
#include "CalculatorKit/CalculatorModes.h"
#include "CalculatorKit/Instrument.h"
#include "WaylarkKit/Calculator/CalculatorModel.h"
#include "WaylarkKit/Calculator/CalculatorTabText.h"

namespace WaylarkKit {

// One input card of the lot-size tab, as the current modes make it.
struct CalculatorCard {
    CalculatorModel::Field field = CalculatorModel::Field::balance;
    std::string caption;
    std::string prefix;
    std::string placeholder;
    bool groupsThousands = false;
    bool compact = false;
    bool hasModeSwitch = false;
    bool hasSteppers = false;
    // The widest value the card must show whole, and what it shows now.
    std::string widestValue;
    std::string text;

    bool operator==(const CalculatorCard&) const = default;
};

// Everything the lot-size tab shows, read from its model at one moment.
struct CalculatorTabState {
    CalculatorKit::StopMode stopMode = CalculatorKit::StopMode::points;
    CalculatorKit::RiskMode riskMode = CalculatorKit::RiskMode::percent;
    CalculatorKit::Instrument instrument;
    CalculatorKit::CalculationResult result;
    std::optional<std::string> prompt;
    std::optional<CalculatorModel::MicroSuggestion> micro;
    std::optional<CalculatorKit::TradeDirection> direction;
    std::vector<CalculatorCard> cards;  // in reading order, row by row
    std::vector<CalculatorTabText::MenuSection> menu;
    std::string storedInstrumentID;  // the menu's check mark: the id exactly as stored
    bool menuOpen = false;
    std::optional<std::string> toast;

    static CalculatorTabState of(const CalculatorModel& model);
    bool operator==(const CalculatorTabState&) const = default;
};

// Balance, risk and stop in one row (points), or balance and risk over entry and stop (price).
std::vector<CalculatorCard> calculatorCards(CalculatorKit::StopMode stopMode, CalculatorKit::RiskMode riskMode);

}  // namespace WaylarkKit
