#include "WaylarkKit/Calculator/CalculatorTabState.h"

#include "CalculatorKit/LotCalculator.h"
#include "WaylarkKit/Calculator/CalculatorTabText.h"

namespace WaylarkKit {

using CalculatorKit::RiskMode;
using CalculatorKit::StopMode;
using Field = CalculatorModel::Field;

std::vector<CalculatorCard> calculatorCards(StopMode stopMode, RiskMode riskMode) {
    const bool price = stopMode == StopMode::price;
    const CalculatorCard balance{Field::balance, "BALANCE", "$", "10,000", true, price, false, false, "1,000,000,000", {}};
    const CalculatorCard risk =
        riskMode == RiskMode::amount
            ? CalculatorCard{Field::risk, "RISK $", "$", "0.5", true, price, true, true, "99,999.99", {}}
            : CalculatorCard{Field::risk, "RISK %", "", "0.5", false, price, true, true, "99.75", {}};
    if (!price) return {balance, risk, {Field::stop, "STOP pts", "", "20", false, false, true, true, "9,999.75", {}}};
    return {balance,
            risk,
            {Field::entry, "ENTRY", "", "price", false, true, false, false, "99,999.75", {}},
            {Field::stop, "STOP", "", "price", false, true, true, false, "99,999.75", {}}};
}

CalculatorTabState CalculatorTabState::of(const CalculatorModel& model) {
    CalculatorTabState state;
    const auto& stored = model.calculator();
    state.stopMode = stored.stopMode;
    state.riskMode = stored.riskMode;
    state.instrument = stored.selectedInstrument();
    const CalculatorKit::CalculationInput input = model.input();
    state.result = CalculatorKit::LotCalculator::calculate(input);
    state.prompt = model.prompt();
    if (!state.prompt && state.result.issue) state.micro = model.microSuggestion();
    state.direction = CalculatorTabText::shownDirection(input, state.result);
    state.cards = calculatorCards(state.stopMode, state.riskMode);
    for (CalculatorCard& card : state.cards) card.text = model.displayText(card.field);
    state.menu = CalculatorTabText::menuSections(stored.allInstruments());
    state.storedInstrumentID = stored.instrumentID;
    state.menuOpen = model.isInstrumentMenuOpen();
    state.toast = model.toast();
    return state;
}

}  // namespace WaylarkKit
