#include "CalculatorKit/CalculatorSettings.h"

#include <algorithm>

#include "CalculatorKit/InstrumentLibrary.h"

namespace CalculatorKit {

std::optional<Instrument> CalculatorSettings::instrument(std::string_view id) const {
    std::optional<Instrument> found = InstrumentLibrary::instrument(id);
    if (!found) {
        const auto custom = std::find_if(customInstruments.begin(), customInstruments.end(),
                                         [id](const Instrument& entry) { return entry.id == id; });
        if (custom == customInstruments.end()) return std::nullopt;
        found = *custom;
    }
    const auto entry = overrides.find(id);
    if (entry == overrides.end() || entry->second.isEmpty()) return found;

    const InstrumentOverride& values = entry->second;
    if (values.dollarsPerPoint) found->dollarsPerPoint = *values.dollarsPerPoint;
    if (values.minSize) found->minSize = *values.minSize;
    if (values.sizeStep) found->sizeStep = *values.sizeStep;
    // The user's numbers are what they trade with, so they count as confirmed.
    found->isVerified = true;
    found->note += overriddenNoteSuffix;
    return found;
}

std::vector<Instrument> CalculatorSettings::allInstruments() const {
    std::vector<Instrument> list;
    list.reserve(InstrumentLibrary::all().size() + customInstruments.size());
    for (const Instrument& row : InstrumentLibrary::all()) list.push_back(*instrument(row.id));
    for (const Instrument& custom : customInstruments) list.push_back(*instrument(custom.id));
    return list;
}

Instrument CalculatorSettings::selectedInstrument() const {
    if (std::optional<Instrument> selected = instrument(instrumentID)) return *selected;
    return *instrument(defaultInstrumentID);
}

void CalculatorSettings::rememberStop(const Base::Decimal& stop) {
    if (stop <= Base::Decimal()) return;
    std::erase(recentStops, stop);
    recentStops.insert(recentStops.begin(), stop);
    if (recentStops.size() > maxRecentStops) recentStops.resize(maxRecentStops);
}

}  // namespace CalculatorKit
