#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Base/Decimal.h"
#include "Base/Json.h"
#include "Base/Result.h"
#include "CalculatorKit/CalculatorModes.h"
#include "CalculatorKit/Instrument.h"
#include "CalculatorKit/InstrumentOverride.h"
#include "CalculatorKit/JsonCoding.h"

namespace CalculatorKit {

// The calculator's stored state. A freshly built or decoded record is not yet
// bounded: validated() brings every field into its bounds.
struct CalculatorSettings {
    static constexpr std::size_t maxCustomInstruments = 5;
    static constexpr std::size_t maxRecentStops = 5;
    static constexpr std::string_view customIDPrefix = "custom:";
    static constexpr std::size_t maxCustomIDLength = 80;     // characters
    static constexpr std::size_t maxCustomNameLength = 12;   // characters
    static constexpr std::size_t maxCustomNoteLength = 200;  // characters
    static constexpr std::string_view customNameFallback = "Custom";
    static constexpr std::string_view overriddenNoteSuffix = " (values set by you)";
    static constexpr std::string_view defaultInstrumentID = "NAS100";
    // Upper bounds, inclusive; every one of these numbers must also be above 0
    // (the commission may be 0). Editors refuse a value beyond them rather
    // than let validated() swap it for the default.
    static constexpr std::int64_t maxBalance = 1'000'000'000;
    static constexpr std::int64_t maxRiskPercent = 100;
    static constexpr std::int64_t maxRiskAmount = 1'000'000'000;
    static constexpr std::int64_t maxStopPoints = 1'000'000;  // also bounds the recent stops
    static constexpr std::int64_t maxCommissionPerUnit = 1'000;
    // An instrument's own numbers, for custom instruments and overrides alike.
    static constexpr std::int64_t maxDollarsPerPoint = 1'000'000;
    static constexpr std::int64_t maxMinSize = 1'000'000;
    static constexpr std::int64_t maxSizeStep = 1'000;

    Base::Decimal balance = Base::Decimal(10000);
    RiskMode riskMode = RiskMode::percent;
    Base::Decimal riskPercent = Base::Decimal::fromParts(5, -1);
    Base::Decimal riskAmount = Base::Decimal(100);
    std::string instrumentID = std::string(defaultInstrumentID);
    StopMode stopMode = StopMode::points;
    Base::Decimal stopPoints = Base::Decimal(20);
    Base::Decimal commissionPerUnit;
    // Keyed by the id of the instrument each applies to.
    std::map<std::string, InstrumentOverride, std::less<>> overrides;
    std::vector<Instrument> customInstruments;  // in the user's order
    std::vector<Base::Decimal> recentStops;     // newest first

    // Numbers by value, modes and texts exactly, lists in order, overrides by key.
    bool operator==(const CalculatorSettings&) const = default;

    // The instrument with this id, built-in before custom, with its override applied.
    std::optional<Instrument> instrument(std::string_view id) const;
    // Built-in instruments in library order, then the custom ones, overrides applied.
    std::vector<Instrument> allInstruments() const;
    // The selected instrument, or NAS100 when the id names none.
    Instrument selectedInstrument() const;
    // Puts a positive stop distance first, without repeats, keeping at most maxRecentStops.
    void rememberStop(const Base::Decimal& stop);
    // A copy with every field in its bounds; out-of-range values take the
    // field's default, never the nearest bound. Repairing twice changes nothing.
    // A custom instrument's name as far as it is kept, before its ends are
    // trimmed: line breaks and tabs dropped, then cut to its length.
    static std::string keptCustomName(std::string_view typed);
    CalculatorSettings validated() const;
};

// All eleven keys, numbers in plain notation.
Base::Json toJson(const CalculatorSettings& settings);
// Missing or null keys take their defaults; "riskMode" and "stopMode" also fall
// back silently on an unusable value; any other value of the wrong type fails.
template <>
Base::Result<CalculatorSettings> fromJson<CalculatorSettings>(const Base::Json& json);

}  // namespace CalculatorKit
