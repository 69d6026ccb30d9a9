#pragma once

#include <optional>

#include "Base/Decimal.h"
#include "CalculatorKit/Instrument.h"

namespace CalculatorKit {

// Risk as a percentage of the balance (0.5 is half of one percent) or as money.
struct RiskInput {
    enum class Kind { percent, amount };
    Kind kind = Kind::percent;
    Base::Decimal value;

    static RiskInput percent(const Base::Decimal& value) { return {Kind::percent, value}; }
    static RiskInput amount(const Base::Decimal& value) { return {Kind::amount, value}; }
    bool operator==(const RiskInput&) const = default;
};

// The stop as a distance in points, or as a price that needs the entry price.
struct StopInput {
    enum class Kind { points, price };
    Kind kind = Kind::points;
    Base::Decimal value;

    static StopInput points(const Base::Decimal& value) { return {Kind::points, value}; }
    static StopInput price(const Base::Decimal& value) { return {Kind::price, value}; }
    bool operator==(const StopInput&) const = default;
};

// `long` and `short` are C++ keywords, hence the trailing underscores.
enum class TradeDirection { long_, short_ };

struct CalculationInput {
    Instrument instrument;
    Base::Decimal balance;
    RiskInput risk;
    StopInput stop;
    std::optional<Base::Decimal> entry;  // used only with a stop by price
    TradeDirection direction = TradeDirection::long_;  // used only with a stop by points
    Base::Decimal commissionPerUnit;

    bool operator==(const CalculationInput&) const = default;
};

// The first problem the calculation found.
struct CalculationIssue {
    enum class Kind { belowMinimum, invalidBalance, invalidRisk, invalidStop, stopEqualsEntry, missingEntry };
    Kind kind = Kind::invalidBalance;
    // The money the instrument's minimum size would risk; zero for every other kind.
    Base::Decimal minimumRisk;

    static CalculationIssue belowMinimum(const Base::Decimal& minimumRisk) { return {Kind::belowMinimum, minimumRisk}; }
    static CalculationIssue of(Kind kind) { return {kind, Base::Decimal()}; }
    bool operator==(const CalculationIssue&) const = default;
};

struct CalculationResult {
    Base::Decimal stopPoints;
    Base::Decimal riskBudget;
    Base::Decimal size;  // a multiple of the step; 0 when none fits
    Base::Decimal actualRisk;
    Base::Decimal actualRiskPercent;
    std::optional<Base::Decimal> sizeUp;  // the next larger tradable size
    std::optional<Base::Decimal> riskUp;
    std::optional<Base::Decimal> riskUpPercent;
    std::optional<TradeDirection> direction;
    std::optional<CalculationIssue> issue;

    // A size the trader can act on: no issue and more than nothing.
    bool isUsable() const { return !issue && size > Base::Decimal(); }
    bool operator==(const CalculationResult&) const = default;
};

}  // namespace CalculatorKit
