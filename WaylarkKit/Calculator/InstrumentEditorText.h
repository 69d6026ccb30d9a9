#pragma once

#include <optional>
#include <string>

#include "Base/Decimal.h"
#include "CalculatorKit/Instrument.h"
#include "WaylarkKit/Style/Rgba.h"

// The words of the instrument editor card, apart from any window.
namespace WaylarkKit::InstrumentEditorText {

std::string kindText(CalculatorKit::InstrumentKind kind);

struct Badge {
    std::string text;
    Rgba colour;
};
// "edited by you" for a verified instrument with an override, "check with
// your broker" for one still to verify, otherwise nothing.
std::optional<Badge> badge(const CalculatorKit::Instrument& instrument, bool hasOverride);

// "$ PER POINT, 1 LOT".
std::string perPointTitle(const CalculatorKit::Instrument& instrument);
// "COMMISSION PER CONTRACT, ROUND TRIP".
std::string commissionTitle(const CalculatorKit::Instrument& instrument);
// The unit as stored, not upper-cased.
std::string calibrationHint(const CalculatorKit::Instrument& instrument);
// "Use", or "Use $2.50/pt" once the test trade gives a value.
std::string calibrationButton(const std::optional<Base::Decimal>& value);

}  // namespace WaylarkKit::InstrumentEditorText
