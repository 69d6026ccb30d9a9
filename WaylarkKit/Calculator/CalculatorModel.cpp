#include "WaylarkKit/Calculator/CalculatorModel.h"

#include <algorithm>
#include <cmath>

#include "CalculatorKit/DecimalInput.h"
#include "CalculatorKit/LotCalculator.h"
#include "WaylarkKit/Calculator/CalculatorFormat.h"

namespace WaylarkKit {

namespace {

using Base::Decimal;
using CalculatorKit::CalculationIssue;
using CalculatorKit::CalculatorSettings;
using CalculatorKit::RiskMode;
using CalculatorKit::StopMode;

std::optional<Decimal> positive(std::string_view text) {
    std::optional<Decimal> value = CalculatorKit::DecimalInput::parse(text);
    if (value && *value > 0) return value;
    return std::nullopt;
}

// A stepped value that would leave its bound lands on the bound; one that
// would reach 0 or below leaves the value as it was.
Decimal stepped(const Decimal& value, int steps, const Decimal& step, std::int64_t bound) {
    const Decimal candidate = value + Decimal(steps) * step;
    if (candidate <= 0) return value;
    return std::min(candidate, Decimal(bound));
}

}  // namespace

Decimal roundedNice(const Decimal& value) {
    const double d = value.toDouble();
    if (!(d > 0)) return Decimal(1);
    auto exponent = static_cast<int>(std::floor(std::log10(d)));
    // log10 can land a hair off at exact powers of ten.
    if (std::pow(10.0, exponent) > d) --exponent;
    if (std::pow(10.0, exponent + 1) <= d) ++exponent;
    const double r = d / std::pow(10.0, exponent);
    const int factor = r < 2.0 ? 1 : (r < 5.0 ? 2 : 5);
    return Decimal::fromParts(factor, exponent);
}

CalculatorModel::CalculatorModel(SettingsKit::SettingsModel& settings, Base::Scheduler& scheduler, CopyText copyText)
    : settings_(settings), scheduler_(scheduler), copyText_(std::move(copyText)) {}

void CalculatorModel::openInstrumentEditor() const {
    if (onOpenInstrumentEditor_) onOpenInstrumentEditor_();
}

CalculatorKit::Instrument CalculatorModel::selectedInstrument() const { return calculator().selectedInstrument(); }

CalculatorKit::CalculationInput CalculatorModel::input() const {
    const CalculatorSettings& stored = calculator();
    CalculatorKit::CalculationInput input;
    input.entry = CalculatorKit::DecimalInput::parse(entryText());
    input.stop =
        stored.stopMode == StopMode::price
            ? CalculatorKit::StopInput::price(CalculatorKit::DecimalInput::parse(stopPriceText()).value_or(Decimal()))
            : CalculatorKit::StopInput::points(stored.stopPoints);
    input.instrument = stored.selectedInstrument();
    input.balance = stored.balance;
    input.risk = stored.riskMode == RiskMode::amount ? CalculatorKit::RiskInput::amount(stored.riskAmount)
                                                     : CalculatorKit::RiskInput::percent(stored.riskPercent);
    input.direction = direction();
    input.commissionPerUnit = stored.commissionPerUnit;
    return input;
}

CalculatorKit::CalculationResult CalculatorModel::result() const {
    return CalculatorKit::LotCalculator::calculate(input());
}

std::optional<CalculatorModel::MicroSuggestion> CalculatorModel::microSuggestion() const {
    CalculatorKit::CalculationInput trial = input();
    if (CalculatorKit::LotCalculator::calculate(trial).size != 0) return std::nullopt;
    const std::optional<std::string>& microID = trial.instrument.microID;
    if (!microID) return std::nullopt;
    std::optional<CalculatorKit::Instrument> micro = calculator().instrument(*microID);
    if (!micro) return std::nullopt;
    trial.instrument = *micro;
    CalculatorKit::CalculationResult outcome = CalculatorKit::LotCalculator::calculate(trial);
    if (outcome.size <= 0) return std::nullopt;
    return MicroSuggestion{std::move(*micro), std::move(outcome)};
}

std::optional<std::string> CalculatorModel::prompt() const {
    // The size of a value the field no longer shows would be a size for
    // numbers the user is not looking at.
    for (const auto& [field, text] : drafts_) {
        if (positive(text)) continue;
        switch (field) {
            case Field::balance: return "Enter your account balance";
            case Field::risk: return "Enter a risk above 0";
            case Field::stop:
                if (calculator().stopMode == StopMode::points) return "Enter a stop distance above 0";
                break;
            case Field::entry: break;
        }
    }
    const CalculatorKit::CalculationResult outcome = result();
    if (outcome.isUsable()) return std::nullopt;
    if (outcome.issue && outcome.issue->kind == CalculationIssue::Kind::belowMinimum) return std::nullopt;
    if (calculator().stopMode == StopMode::price) {
        const bool entry = CalculatorKit::DecimalInput::parse(entryText()).has_value();
        const bool stop = CalculatorKit::DecimalInput::parse(stopPriceText()).has_value();
        if (!entry && !stop) return "Enter your entry and stop prices";
        if (!stop) return "Enter your stop price";
        if (!entry) return "Enter your entry price";
    }
    if (!outcome.issue) return std::nullopt;
    switch (outcome.issue->kind) {
        case CalculationIssue::Kind::invalidBalance: return "Enter your account balance";
        case CalculationIssue::Kind::invalidRisk: return "Enter a risk above 0";
        case CalculationIssue::Kind::invalidStop: return "Enter a stop distance above 0";
        case CalculationIssue::Kind::stopEqualsEntry: return "Stop and entry are the same price";
        case CalculationIssue::Kind::missingEntry: return "Enter your entry price";
        case CalculationIssue::Kind::belowMinimum: break;
    }
    return std::nullopt;
}

std::string CalculatorModel::storedText(Field field) const {
    const CalculatorSettings& stored = calculator();
    switch (field) {
        case Field::balance: return CalculatorFormat::grouped(stored.balance);
        case Field::risk:
            return stored.riskMode == RiskMode::amount ? CalculatorFormat::grouped(stored.riskAmount)
                                                       : CalculatorFormat::plain(stored.riskPercent);
        case Field::stop:
            return stored.stopMode == StopMode::price ? stopPriceText() : CalculatorFormat::plain(stored.stopPoints);
        case Field::entry: return entryText();
    }
    return {};
}

std::string CalculatorModel::displayText(Field field) const {
    const auto draft = drafts_.find(field);
    return draft != drafts_.end() ? draft->second : storedText(field);
}

void CalculatorModel::setDraft(Field field, std::string text) {
    drafts_[field] = std::move(text);
    draftsChanged_.notify();
}

void CalculatorModel::removeDraft(Field field) {
    drafts_.erase(field);
    draftsChanged_.notify();
}

void CalculatorModel::edit(Field field, std::string_view text) {
    // The draft goes first, so anyone who hears of the settings change below
    // already reads the field as typed.
    setDraft(field, std::string(text));
    const std::optional<Decimal> value = positive(text);
    const CalculatorSettings& stored = calculator();
    // A value beyond its bound would be swapped for the setting's default by
    // the settings' repair, so a slip of the finger could silently change the
    // risk. It is refused instead and the field falls back to what is stored.
    std::optional<std::string> refusal;
    switch (field) {
        case Field::balance:
            if (!value) break;
            if (*value > CalculatorSettings::maxBalance) {
                refusal = "At most " + CalculatorFormat::grouped(Decimal(CalculatorSettings::maxBalance));
                break;
            }
            settings_.updateCalculator([&](CalculatorSettings& s) { s.balance = *value; });
            break;
        case Field::risk: {
            if (!value) break;
            if (stored.riskMode == RiskMode::amount && *value > CalculatorSettings::maxRiskAmount) {
                refusal = "At most " + CalculatorFormat::grouped(Decimal(CalculatorSettings::maxRiskAmount));
                break;
            }
            if (stored.riskMode == RiskMode::percent && *value > CalculatorSettings::maxRiskPercent) {
                refusal = "At most " + CalculatorFormat::plain(Decimal(CalculatorSettings::maxRiskPercent)) + " %";
                break;
            }
            settings_.updateCalculator([&](CalculatorSettings& s) {
                (s.riskMode == RiskMode::amount ? s.riskAmount : s.riskPercent) = *value;
            });
            break;
        }
        case Field::stop:
            if (stored.stopMode == StopMode::price) {
                stopPriceText_.set(std::string(text));
                break;
            }
            if (!value) break;
            if (*value > CalculatorSettings::maxStopPoints) {
                refusal = "At most " + CalculatorFormat::grouped(Decimal(CalculatorSettings::maxStopPoints));
                break;
            }
            settings_.updateCalculator([&](CalculatorSettings& s) { s.stopPoints = *value; });
            break;
        case Field::entry: entryText_.set(std::string(text)); break;
    }
    if (!refusal) return;
    setDraft(field, storedText(field));
    // A refused keystroke or paste changes nothing on screen; the toast says why.
    showToast(std::move(*refusal));
}

void CalculatorModel::endEditing(Field field, Keyboard keyboard) {
    removeDraft(field);
    if (field == Field::stop) rememberCurrentStop();
    if (keyboard == Keyboard::giveBack && onEditingEnded_) onEditingEnded_();
}

void CalculatorModel::endAllEditing() {
    drafts_.clear();
    draftsChanged_.notify();
    if (onEditingEnded_) onEditingEnded_();
}

void CalculatorModel::selectInstrument(std::string_view id) {
    settings_.updateCalculator([&](CalculatorSettings& s) { s.instrumentID = std::string(id); });
    setInstrumentMenuOpen(false);
}

void CalculatorModel::setRiskMode(RiskMode mode) {
    removeDraft(Field::risk);
    settings_.updateCalculator([&](CalculatorSettings& s) { s.riskMode = mode; });
}

void CalculatorModel::setStopMode(StopMode mode) {
    removeDraft(Field::stop);
    settings_.updateCalculator([&](CalculatorSettings& s) { s.stopMode = mode; });
}

void CalculatorModel::nudgeRisk(int steps) {
    removeDraft(Field::risk);
    settings_.updateCalculator([&](CalculatorSettings& s) {
        if (s.riskMode == RiskMode::amount) {
            const Decimal step = std::max(roundedNice(s.riskAmount / 10), Decimal(1));
            s.riskAmount = stepped(s.riskAmount, steps, step, CalculatorSettings::maxRiskAmount);
        } else {
            s.riskPercent =
                stepped(s.riskPercent, steps, Decimal::fromParts(25, -2), CalculatorSettings::maxRiskPercent);
        }
    });
}

void CalculatorModel::nudgeStop(int steps) {
    removeDraft(Field::stop);
    if (calculator().stopMode != StopMode::points) return;
    settings_.updateCalculator([&](CalculatorSettings& s) {
        const Decimal step = s.stopPoints < 50 ? Decimal(1) : (s.stopPoints < 200 ? Decimal(5) : Decimal(10));
        s.stopPoints = stepped(s.stopPoints, steps, step, CalculatorSettings::maxStopPoints);
    });
}

void CalculatorModel::rememberCurrentStop() {
    if (calculator().stopMode != StopMode::points) return;
    settings_.updateCalculator([](CalculatorSettings& s) { s.rememberStop(s.stopPoints); });
}

void CalculatorModel::toggleDirection() {
    direction_.set(direction() == CalculatorKit::TradeDirection::long_ ? CalculatorKit::TradeDirection::short_
                                                                       : CalculatorKit::TradeDirection::long_);
}

void CalculatorModel::copySize() {
    const CalculatorKit::CalculationResult outcome = result();
    if (!outcome.isUsable()) return;
    rememberCurrentStop();
    const std::string text = CalculatorFormat::plain(outcome.size);
    if (copyText_) copyText_(text);
    showToast("Copied " + text);
}

void CalculatorModel::showToast(std::string text) {
    toast_.set(std::move(text));
    toastTask_ = scheduler_.schedule(toastSeconds, [this] { toast_.set(std::nullopt); });
}

}  // namespace WaylarkKit
