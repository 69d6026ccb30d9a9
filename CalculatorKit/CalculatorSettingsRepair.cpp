#include "CalculatorKit/CalculatorSettings.h"

#include <algorithm>
#include <string>
#include <unordered_set>

#include "Base/Text.h"
#include "CalculatorKit/InstrumentLibrary.h"

namespace CalculatorKit {

namespace {

using Base::Decimal;

bool within(const Decimal& value, const Decimal& low, const Decimal& high, bool lowIncluded) {
    const bool aboveLow = lowIncluded ? value >= low : value > low;
    return aboveLow && value <= high;
}

// A value outside (0, high] takes the field's default, never the nearest bound.
Decimal positiveUpTo(const Decimal& value, std::int64_t high, const Decimal& fallback) {
    return within(value, Decimal(), Decimal(high), false) ? value : fallback;
}

bool dollarsPerPointValid(const Decimal& value) { return within(value, Decimal(), Decimal(1'000'000), false); }
bool minSizeValid(const Decimal& value) { return within(value, Decimal(), Decimal(1'000'000), false); }
bool sizeStepValid(const Decimal& value) { return within(value, Decimal(), Decimal(1'000), false); }
bool stopValid(const Decimal& value) { return within(value, Decimal(), Decimal(1'000'000), false); }

bool isLineBreakOrTab(const std::string& grapheme) {
    const std::u32string scalars = Base::Text::codePoints(grapheme);
    if (scalars.empty()) return false;
    const char32_t first = scalars.front();
    return first == U'\t' || (first >= 0x0A && first <= 0x0D) || first == 0x85 || first == 0x2028 ||
           first == 0x2029;
}

std::string repairedName(const std::string& name) {
    std::string joined;
    for (const std::string& grapheme : Base::Text::graphemes(name)) {
        if (!isLineBreakOrTab(grapheme)) joined += grapheme;
    }
    // The cut comes before the trim, so leading blanks use up characters.
    std::string cut = Base::Text::trimmed(Base::Text::graphemePrefix(joined, CalculatorSettings::maxCustomNameLength));
    if (cut.empty()) return std::string(CalculatorSettings::customNameFallback);
    return cut;
}

std::optional<Instrument> repairedCustom(const Instrument& entry, std::unordered_set<std::string>& takenIDs) {
    if (!entry.id.starts_with(CalculatorSettings::customIDPrefix)) return std::nullopt;
    if (Base::Text::graphemeCount(entry.id) > CalculatorSettings::maxCustomIDLength) return std::nullopt;
    // The first entry to claim an id takes it even when it fails below, so a
    // later namesake cannot slip in under it.
    if (!takenIDs.insert(entry.id).second) return std::nullopt;
    if (!dollarsPerPointValid(entry.dollarsPerPoint)) return std::nullopt;
    if (!sizeStepValid(entry.sizeStep)) return std::nullopt;
    if (!minSizeValid(entry.minSize)) return std::nullopt;
    if (entry.tickSize <= Decimal()) return std::nullopt;

    Instrument repaired = entry;
    repaired.name = repairedName(entry.name);
    repaired.note = Base::Text::graphemePrefix(entry.note, CalculatorSettings::maxCustomNoteLength);
    repaired.microID.reset();
    return repaired;
}

}  // namespace

CalculatorSettings CalculatorSettings::validated() const {
    const CalculatorSettings defaults;
    CalculatorSettings result;

    result.balance = positiveUpTo(balance, 1'000'000'000, defaults.balance);
    result.riskMode = riskMode;
    result.riskPercent = positiveUpTo(riskPercent, 100, defaults.riskPercent);
    result.riskAmount = positiveUpTo(riskAmount, 1'000'000'000, defaults.riskAmount);
    result.stopMode = stopMode;
    result.stopPoints = positiveUpTo(stopPoints, 1'000'000, defaults.stopPoints);
    result.commissionPerUnit =
        within(commissionPerUnit, Decimal(), Decimal(1000), true) ? commissionPerUnit : defaults.commissionPerUnit;

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
        InstrumentOverride kept;
        if (values.dollarsPerPoint && dollarsPerPointValid(*values.dollarsPerPoint)) {
            kept.dollarsPerPoint = values.dollarsPerPoint;
        }
        if (values.minSize && minSizeValid(*values.minSize)) kept.minSize = values.minSize;
        if (values.sizeStep && sizeStepValid(*values.sizeStep)) kept.sizeStep = values.sizeStep;
        if (!kept.isEmpty()) result.overrides.emplace(id, kept);
    }

    result.instrumentID = isValidID(instrumentID) ? instrumentID : std::string(defaultInstrumentID);

    for (const Decimal& stop : recentStops) {
        if (result.recentStops.size() == maxRecentStops) break;
        if (!stopValid(stop)) continue;
        if (std::find(result.recentStops.begin(), result.recentStops.end(), stop) != result.recentStops.end()) {
            continue;
        }
        result.recentStops.push_back(stop);
    }
    return result;
}

}  // namespace CalculatorKit
