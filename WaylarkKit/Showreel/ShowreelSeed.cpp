#include <array>
#include <string_view>

#include "Base/Decimal.h"
#include "WaylarkKit/Showreel/ShowreelDirector.h"

namespace WaylarkKit {
namespace {

constexpr std::array<std::string_view, 9> itemTexts = {
    "Higher-timeframe bias set",
    "News checked",
    "Inside my trading window",
    "Liquidity levels marked",
    "Entry model defined",
    "Risk per trade set",
    "Midnight Open",
    "Stop and target placed",
    "Journal ready",
};
constexpr std::size_t questionIndex = 6;    // "Midnight Open"
constexpr std::size_t tickedBySeed = 6;     // the first six start ticked
constexpr std::size_t firstLeftToTick = 7;  // the last two are the script's

Base::Decimal number(std::string_view text, const Base::Decimal& fallback) {
    return Base::Decimal::fromText(text).value_or(fallback);
}

}  // namespace

ShowreelDirector::Seed ShowreelDirector::seed(ChecklistKit::ChecklistModel& checklist,
                                              SettingsKit::SettingsModel& settings,
                                              const std::optional<std::string>& name) {
    // A refused template leaves an identifier that names nothing, so every
    // addition below is refused as well.
    const Base::Uuid templateID = checklist.createTemplate("Pre-trade").value_or(Base::Uuid::random());
    checklist.selectTemplate(templateID);
    std::vector<Base::Uuid> items;
    for (const auto text : itemTexts) {
        if (auto id = checklist.addItem(templateID, text)) items.push_back(*id);
    }
    if (items.size() < itemTexts.size()) return Seed{Base::Uuid::random(), {}};

    checklist.setOptions({"Above", "Below"}, items[questionIndex], templateID);
    for (std::size_t i = 0; i < tickedBySeed; ++i) checklist.toggle(items[i]);
    if (name) settings.setGreetingName(*name);
    settings.updateCalculator([](CalculatorKit::CalculatorSettings& calculator) {
        calculator.instrumentID = "MNQ";
        calculator.balance = number("50000", Base::Decimal(50000));
        calculator.riskMode = CalculatorKit::RiskMode::percent;
        calculator.riskPercent = number("0.5", Base::Decimal::fromParts(5, -1));
        calculator.stopMode = CalculatorKit::StopMode::points;
        calculator.stopPoints = number("25", Base::Decimal(25));
    });
    settings.setWeeklyCurrency("CAD");
    settings.setWeeklyIncludeMedium(true);
    return Seed{items[questionIndex], {items.begin() + firstLeftToTick, items.end()}};
}

}  // namespace WaylarkKit
