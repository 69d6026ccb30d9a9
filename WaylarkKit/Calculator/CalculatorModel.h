#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "Base/Decimal.h"
#include "Base/Observable.h"
#include "Base/Scheduler.h"
#include "CalculatorKit/Calculation.h"
#include "CalculatorKit/CalculatorModes.h"
#include "CalculatorKit/Instrument.h"
#include "SettingsKit/SettingsModel.h"

namespace WaylarkKit {

// Rounds down to the series 1, 2, 5, 10, 20, 50, ...; 1 for anything not above 0.
Base::Decimal roundedNice(const Base::Decimal& value);

// The lot-size tab's view model. What survives a restart (balance, risk,
// stop in points, modes, instrument, recent stops) lives in the calculator
// settings and is written through the settings model on the keystroke that
// makes it valid; the model itself keeps only what is being typed, the two
// prices that are never saved, the direction, the menu flag and the toast.
// Main thread only.
class CalculatorModel {
public:
    enum class Field { balance, risk, stop, entry };

    struct MicroSuggestion {
        CalculatorKit::Instrument instrument;
        CalculatorKit::CalculationResult result;

        bool operator==(const MicroSuggestion&) const = default;
    };

    // Puts plain text on the system clipboard.
    using CopyText = std::function<void(const std::string&)>;

    static constexpr double toastSeconds = 1.6;

    CalculatorModel(SettingsKit::SettingsModel& settings, Base::Scheduler& scheduler, CopyText copyText);
    CalculatorModel(const CalculatorModel&) = delete;
    CalculatorModel& operator=(const CalculatorModel&) = delete;

    SettingsKit::SettingsModel& settings() const { return settings_; }
    const CalculatorKit::CalculatorSettings& calculator() const { return settings_.calculator(); }

    const std::map<Field, std::string>& drafts() const { return drafts_; }
    const std::string& entryText() const { return entryText_.get(); }
    const std::string& stopPriceText() const { return stopPriceText_.get(); }
    CalculatorKit::TradeDirection direction() const { return direction_.get(); }
    bool isInstrumentMenuOpen() const { return menuOpen_.get(); }
    const std::optional<std::string>& toast() const { return toast_.get(); }

    // Drafts notify on every add or removal, even of nothing; the rest on a real change.
    [[nodiscard]] Base::Subscription observeDrafts(std::function<void()> o) {
        return draftsChanged_.subscribe(std::move(o));
    }
    [[nodiscard]] Base::Subscription observeEntryText(std::function<void()> o) {
        return entryText_.observe(std::move(o));
    }
    [[nodiscard]] Base::Subscription observeStopPriceText(std::function<void()> o) {
        return stopPriceText_.observe(std::move(o));
    }
    [[nodiscard]] Base::Subscription observeDirection(std::function<void()> o) {
        return direction_.observe(std::move(o));
    }
    [[nodiscard]] Base::Subscription observeInstrumentMenuOpen(std::function<void()> o) {
        return menuOpen_.observe(std::move(o));
    }
    [[nodiscard]] Base::Subscription observeToast(std::function<void()> o) { return toast_.observe(std::move(o)); }

    void setInstrumentMenuOpen(bool open) { menuOpen_.set(open); }
    // Gives the keyboard back from the island whenever a field stops editing.
    void setOnEditingEnded(std::function<void()> callback) { onEditingEnded_ = std::move(callback); }
    void setOnOpenInstrumentEditor(std::function<void()> callback) { onOpenInstrumentEditor_ = std::move(callback); }
    // Asks the application to open the instrument editor; nothing when nobody listens.
    void openInstrumentEditor() const;

    // The stored instrument, or NAS100 when its id names none.
    CalculatorKit::Instrument selectedInstrument() const;
    // Built afresh from the settings and the two price texts; drafts play no part.
    CalculatorKit::CalculationInput input() const;
    CalculatorKit::CalculationResult result() const;
    // The micro contract, when the selected instrument yields no size and its micro does.
    std::optional<MicroSuggestion> microSuggestion() const;
    // What is missing or wrong, when no usable size exists (never for a size
    // below the minimum), or while a field being typed holds no number above 0.
    std::optional<std::string> prompt() const;

    std::string displayText(Field field) const;
    // The field's whole text after a change. A valid value is stored at once;
    // a value beyond its setting's bound is refused, the field shows the
    // stored value again and the toast names the bound.
    void edit(Field field, std::string_view text);
    // Whether the end of an edit gives the keyboard back from the island: not
    // when the user only moved on to another field of the tab.
    enum class Keyboard { giveBack, keep };
    void endEditing(Field field, Keyboard keyboard = Keyboard::giveBack);
    void endAllEditing();

    void selectInstrument(std::string_view id);
    void setRiskMode(CalculatorKit::RiskMode mode);
    void setStopMode(CalculatorKit::StopMode mode);
    // Steps stop at the upper bound; a step to 0 or below is ignored.
    void nudgeRisk(int steps);
    void nudgeStop(int steps);
    void rememberCurrentStop();
    void toggleDirection();
    // Copies a usable size and confirms it in the toast; nothing otherwise.
    void copySize();

private:
    void setDraft(Field field, std::string text);
    void removeDraft(Field field);
    // The stored value of a field as it shows when no draft is held.
    std::string storedText(Field field) const;
    void showToast(std::string text);

    SettingsKit::SettingsModel& settings_;
    Base::Scheduler& scheduler_;
    CopyText copyText_;
    std::map<Field, std::string> drafts_;
    Base::ChangeSignal draftsChanged_;
    Base::Observable<std::string> entryText_;
    Base::Observable<std::string> stopPriceText_;
    Base::Observable<CalculatorKit::TradeDirection> direction_{CalculatorKit::TradeDirection::long_};
    Base::Observable<bool> menuOpen_{false};
    Base::Observable<std::optional<std::string>> toast_;
    std::function<void()> onEditingEnded_;
    std::function<void()> onOpenInstrumentEditor_;
    // Last: cancelled first, so a pending clear never outlives the model.
    Base::TaskHandle toastTask_;
};

}  // namespace WaylarkKit
