#include "CalculatorKit/CalculatorSettings.h"

#include <algorithm>
#include <string>
#include <unordered_set>

#include "Base/Text.h"
#include "CalculatorKit/InstrumentLibrary.h"

namespace CalculatorKit {

namespace {

using Base::Decimal;

bool positiveUpTo(const Decimal& value, std::int64_t high) { return value > 0 && value <= high; }

// A value out of bounds takes the field's default, never the nearest bound.
Decimal positiveUpToOr(const Decimal& value, std::int64_t high, const Decimal& fallback) {
    return positiveUpTo(value, high) ? value : fallback;
}

// An override field out of bounds becomes absent.
std::optional<Decimal> keptField(const std::optional<Decimal>& value, std::int64_t high) {
    return value && positiveUpTo(*value, high) ? value : std::nullopt;
}

bool isLineBreakOrTab(const std::string& grapheme) {
    const std::u32string scalars = Base::Text::codePoints(grapheme);
    if (scalars.empty()) return false;
    const char32_t first = scalars.front();
    return first == U'\t' || (first >= 0x0A && first <= 0x0D) || first == 0x85 || first == 0x2028 ||
           first == 0x2029;
}

std::string repairedName(const std::string& name) {
    // The cut comes before the trim, so leading blanks use up characters.
    std::string cut = Base::Text::trimmed(CalculatorSettings::keptCustomName(name));
    if (cut.empty()) return std::string(CalculatorSettings::customNameFallback);
    return cut;
}

std::optional<Instrument> repairedCustom(const Instrument& entry, std::unordered_set<std::string>& takenIDs) {
    if (!entry.id.starts_with(CalculatorSettings::customIDPrefix)) return std::nullopt;
    if (Base::Text::graphemeCount(entry.id) > CalculatorSettings::maxCustomIDLength) return std::nullopt;
    // The first entry to claim an id takes it even when it fails below, so a
    // later namesake cannot slip in under it.
    if (!takenIDs.insert(entry.id).second) return std::nullopt;
    if (!positiveUpTo(entry.dollarsPerPoint, CalculatorSettings::maxDollarsPerPoint)) return std::nullopt;
    if (!positiveUpTo(entry.sizeStep, CalculatorSettings::maxSizeStep)) return std::nullopt;
    if (!positiveUpTo(entry.minSize, CalculatorSettings::maxMinSize)) return std::nullopt;
    if (entry.tickSize <= 0) return std::nullopt;

    Instrument repaired = entry;
    repaired.name = repairedName(entry.name);
    repaired.note = Base::Text::graphemePrefix(entry.note, CalculatorSettings::maxCustomNoteLength);
    repaired.microID.reset();
    return repaired;
}

}  // namespace

std::string CalculatorSettings::keptCustomName(std::string_view typed) {
    std::string kept;
    std::size_t count = 0;
    for (const std::string& grapheme : Base::Text::graphemes(typed)) {
        if (isLineBreakOrTab(grapheme)) continue;
        if (count++ == maxCustomNameLength) break;
        kept += grapheme;
    }
    return kept;
}

CalculatorSettings CalculatorSettings::validated() const {
    const CalculatorSettings defaults;
    CalculatorSettings result;

    result.balance = positiveUpToOr(balance, maxBalance, defaults.balance);
    result.riskMode = riskMode;
    result.riskPercent = positiveUpToOr(riskPercent, maxRiskPercent, defaults.riskPercent);
    result.riskAmount = positiveUpToOr(riskAmount, maxRiskAmount, defaults.riskAmount);
    result.stopMode = stopMode;
    result.stopPoints = positiveUpToOr(stopPoints, maxStopPoints, defaults.stopPoints);
    // Zero commission is allowed.
    result.commissionPerUnit = commissionPerUnit >= 0 && commissionPerUnit <= maxCommissionPerUnit
                                   ? commissionPerUnit
                                   : defaults.commissionPerUnit;

    std::unordered_set<std::string> takenIDs;
    for (const Instrument& entry : customInstruments) {
        std::optional<Instrument> repaired = repairedCustom(entry, takenIDs);
        if (!repaired) continue;
        result.customInstruments.push_back(std::move(*repaired));
        if (result.customInstruments.size() == maxCustomInstruments) break;
    }

    const auto isValidID = [&result](std::string_view id) {
        if (InstrumentLibrary::instrument(id)) return true;
        for (const Instrument& custom : result.customInstruments) {
            if (custom.id == id) return true;
        }
        return false;
    };

    for (const auto& [id, values] : overrides) {
        if (!isValidID(id)) continue;
        const InstrumentOverride kept{keptField(values.dollarsPerPoint, maxDollarsPerPoint),
                                      keptField(values.minSize, maxMinSize), keptField(values.sizeStep, maxSizeStep)};
        if (!kept.isEmpty()) result.overrides.emplace(id, kept);
    }

    result.instrumentID = isValidID(instrumentID) ? instrumentID : std::string(defaultInstrumentID);

    for (const Decimal& stop : recentStops) {
        if (result.recentStops.size() == maxRecentStops) break;
        if (!positiveUpTo(stop, maxStopPoints)) continue;
        if (std::find(result.recentStops.begin(), result.recentStops.end(), stop) != result.recentStops.end()) {
            continue;
        }
        result.recentStops.push_back(stop);
    }
    return result;
}

}  // namespace CalculatorKit
