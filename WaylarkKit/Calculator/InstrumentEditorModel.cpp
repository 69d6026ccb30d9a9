#include "WaylarkKit/Calculator/InstrumentEditorModel.h"

#include <algorithm>

#include "Base/Uuid.h"
#include "CalculatorKit/CalculatorSettings.h"
#include "CalculatorKit/DecimalInput.h"
#include "CalculatorKit/InstrumentLibrary.h"
#include "CalculatorKit/LotCalculator.h"
#include "WaylarkKit/Calculator/CalculatorFormat.h"

namespace WaylarkKit {

namespace {

using Base::Decimal;
using CalculatorKit::CalculatorSettings;
using CalculatorKit::Instrument;
using Field = InstrumentEditorModel::Field;


Instrument* customEntry(CalculatorSettings& settings, std::string_view id) {
    const auto found = std::find_if(settings.customInstruments.begin(), settings.customInstruments.end(),
                                    [&](const Instrument& entry) { return entry.id == id; });
    return found == settings.customInstruments.end() ? nullptr : &*found;
}

std::optional<Decimal>& overrideValue(CalculatorKit::InstrumentOverride& values, Field field) {
    if (field == Field::minSize) return values.minSize;
    if (field == Field::sizeStep) return values.sizeStep;
    return values.dollarsPerPoint;
}

Decimal& instrumentValue(Instrument& instrument, Field field) {
    if (field == Field::minSize) return instrument.minSize;
    if (field == Field::sizeStep) return instrument.sizeStep;
    return instrument.dollarsPerPoint;
}

std::optional<Decimal> parsedDraft(const std::map<Field, std::string>& drafts, Field field) {
    const auto draft = drafts.find(field);
    return CalculatorKit::DecimalInput::parse(draft == drafts.end() ? std::string_view() : draft->second);
}

}  // namespace

InstrumentEditorModel::InstrumentEditorModel(SettingsKit::SettingsModel& settings) : settings_(settings) {}

bool InstrumentEditorModel::isCustom(std::string_view id) { return id.starts_with(CalculatorSettings::customIDPrefix); }

Instrument InstrumentEditorModel::instrument() const { return settings_.calculator().selectedInstrument(); }

bool InstrumentEditorModel::hasOverride() const {
    const CalculatorSettings& stored = settings_.calculator();
    return stored.overrides.contains(instrument().id);
}

std::string InstrumentEditorModel::displayText(Field field) const {
    if (const auto draft = drafts_.find(field); draft != drafts_.end()) return draft->second;
    const Instrument selected = instrument();
    switch (field) {
        case Field::perPoint: return CalculatorFormat::plain(selected.dollarsPerPoint);
        case Field::minSize: return CalculatorFormat::plain(selected.minSize);
        case Field::sizeStep: return CalculatorFormat::plain(selected.sizeStep);
        case Field::commission: return CalculatorFormat::plain(settings_.calculator().commissionPerUnit);
        case Field::name: return selected.name;
        case Field::calibrationSize:
        case Field::calibrationPoints:
        case Field::calibrationProfit: return {};
    }
    return {};
}

void InstrumentEditorModel::setDraft(Field field, std::string text) {
    drafts_[field] = std::move(text);
    draftsChanged_.notify();
}

std::optional<std::string> InstrumentEditorModel::refusal(Field field, const Decimal& value) {
    if (value == 0) return std::string(notAboveZeroMessage);
    // Beyond these bounds the settings' repair would drop the value, and with
    // it a whole custom instrument, so it never reaches the settings.
    const std::int64_t bound =
        field == Field::sizeStep
            ? CalculatorSettings::maxSizeStep
            : (field == Field::minSize ? CalculatorSettings::maxMinSize : CalculatorSettings::maxDollarsPerPoint);
    if (value > bound) return "Must be " + CalculatorFormat::grouped(Decimal(bound)) + " or less.";
    return std::nullopt;
}

void InstrumentEditorModel::edit(Field field, std::string_view text) {
    if (field == Field::name) {
        rename(text);
        return;
    }
    setDraft(field, std::string(text));
    const std::optional<Decimal> value = CalculatorKit::DecimalInput::parse(text);
    if (!value) {
        message_.set(text.empty() ? std::nullopt : std::optional<std::string>(notANumberMessage));
        return;
    }
    switch (field) {
        case Field::perPoint:
        case Field::minSize:
        case Field::sizeStep: {
            std::optional<std::string> refused = refusal(field, *value);
            const bool accepted = !refused;
            message_.set(std::move(refused));
            if (accepted) apply(field, *value);
            break;
        }
        case Field::commission:
            if (*value > CalculatorSettings::maxCommissionPerUnit) {
                message_.set("Commission is per " + instrument().unit + ", round trip, in dollars.");
                break;
            }
            message_.set(std::nullopt);
            settings_.updateCalculator([&](CalculatorSettings& s) { s.commissionPerUnit = *value; });
            break;
        case Field::name:
        case Field::calibrationSize:
        case Field::calibrationPoints:
        case Field::calibrationProfit: break;
    }
}

void InstrumentEditorModel::rename(std::string_view text) {
    // The trim of its ends waits for the end of editing, so a space before the next word stays.
    std::string kept = CalculatorSettings::keptCustomName(text);
    setDraft(Field::name, kept);
    const std::string id = instrument().id;
    if (!isCustom(id)) return;
    settings_.updateCalculator([&](CalculatorSettings& s) {
        if (Instrument* entry = customEntry(s, id)) entry->name = kept;
    });
}

void InstrumentEditorModel::apply(Field field, const Decimal& value) {
    const std::string id = instrument().id;
    settings_.updateCalculator([&](CalculatorSettings& s) {
        if (isCustom(id)) {
            if (Instrument* entry = customEntry(s, id)) instrumentValue(*entry, field) = value;
            return;
        }
        const auto existing = s.overrides.find(id);
        CalculatorKit::InstrumentOverride values =
            existing == s.overrides.end() ? CalculatorKit::InstrumentOverride{} : existing->second;
        overrideValue(values, field) = value;
        // A value equal to the library's is no override at all, so typing the
        // library value back undoes that part of the override.
        if (std::optional<Instrument> library = CalculatorKit::InstrumentLibrary::instrument(id)) {
            for (const Field each : {Field::perPoint, Field::minSize, Field::sizeStep}) {
                std::optional<Decimal>& own = overrideValue(values, each);
                if (own && *own == instrumentValue(*library, each)) own.reset();
            }
        }
        if (values.isEmpty()) {
            s.overrides.erase(id);
        } else {
            s.overrides[id] = values;
        }
    });
}

void InstrumentEditorModel::endEditing() {
    drafts_.clear();
    draftsChanged_.notify();
    message_.set(std::nullopt);
}

void InstrumentEditorModel::select(std::string_view id) {
    // Copied first: ending the editing notifies, and a caller's view may rebuild
    // the very list that `id` points into.
    std::string chosen(id);
    endEditing();
    settings_.updateCalculator([&](CalculatorSettings& s) { s.instrumentID = std::move(chosen); });
}

void InstrumentEditorModel::resetToDefault() {
    endEditing();
    const std::string id = instrument().id;
    settings_.updateCalculator([&](CalculatorSettings& s) { s.overrides.erase(id); });
}

void InstrumentEditorModel::addCustom() {
    endEditing();
    if (settings_.calculator().customInstruments.size() >= CalculatorSettings::maxCustomInstruments) return;
    const std::string id = std::string(CalculatorSettings::customIDPrefix) + Base::Uuid::random().text();
    const Instrument added{id,
                           "My index",
                           CalculatorKit::InstrumentKind::cfdIndex,
                           Decimal(1),
                           Decimal::fromParts(1, -1),
                           Decimal::fromParts(1, -2),
                           Decimal::fromParts(1, -2),
                           "lot",
                           false,
                           "Your own instrument: set the value of one point for one lot.",
                           std::nullopt};
    settings_.updateCalculator([&](CalculatorSettings& s) {
        s.customInstruments.push_back(added);
        s.instrumentID = id;
    });
    focusNameID_.set(id);
}

void InstrumentEditorModel::removeCustom() {
    const std::string id = instrument().id;
    if (!isCustom(id)) return;
    endEditing();
    settings_.updateCalculator([&](CalculatorSettings& s) {
        std::erase_if(s.customInstruments, [&](const Instrument& entry) { return entry.id == id; });
        s.overrides.erase(id);
        if (s.instrumentID == id) s.instrumentID = std::string(CalculatorSettings::defaultInstrumentID);
    });
}

std::optional<Decimal> InstrumentEditorModel::calibratedValue() const {
    const std::optional<Decimal> size = parsedDraft(drafts_, Field::calibrationSize);
    const std::optional<Decimal> points = parsedDraft(drafts_, Field::calibrationPoints);
    const std::optional<Decimal> profit = parsedDraft(drafts_, Field::calibrationProfit);
    if (!size || !points || !profit) return std::nullopt;
    return CalculatorKit::LotCalculator::calibratedDollarsPerPoint(*size, *points, *profit);
}

bool InstrumentEditorModel::canUseCalibration() const {
    const std::optional<Decimal> value = calibratedValue();
    return value && !refusal(Field::perPoint, *value);
}

void InstrumentEditorModel::useCalibration() {
    const std::optional<Decimal> value = calibratedValue();
    if (!value || refusal(Field::perPoint, *value)) return;
    apply(Field::perPoint, *value);
    for (const Field field :
         {Field::calibrationSize, Field::calibrationPoints, Field::calibrationProfit, Field::perPoint}) {
        drafts_.erase(field);
    }
    draftsChanged_.notify();
}

}  // namespace WaylarkKit
