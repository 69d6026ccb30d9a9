#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "Base/Decimal.h"
#include "Base/Observable.h"
#include "CalculatorKit/Instrument.h"
#include "SettingsKit/SettingsModel.h"

namespace WaylarkKit {

// The instrument editor's model. It always edits the calculator's selected
// instrument: a library instrument through the user's override of it, a
// custom one directly. It keeps only the typed drafts and one message; every
// value goes to the calculator settings through the settings model. Main
// thread only.
class InstrumentEditorModel {
public:
    enum class Field {
        perPoint,
        minSize,
        sizeStep,
        commission,
        name,
        calibrationSize,
        calibrationPoints,
        calibrationProfit
    };

    static constexpr std::string_view notANumberMessage = "Use a number, like 20 or 0.01.";
    static constexpr std::string_view notAboveZeroMessage = "Must be above 0.";

    explicit InstrumentEditorModel(SettingsKit::SettingsModel& settings);
    InstrumentEditorModel(const InstrumentEditorModel&) = delete;
    InstrumentEditorModel& operator=(const InstrumentEditorModel&) = delete;

    SettingsKit::SettingsModel& settings() const { return settings_; }
    const std::map<Field, std::string>& drafts() const { return drafts_; }
    const std::optional<std::string>& message() const { return message_.get(); }
    // A custom instrument whose name field should take the keyboard, until that field has taken it.
    const std::optional<std::string>& focusNameID() const { return focusNameID_.get(); }
    void clearFocusNameID() { focusNameID_.set(std::nullopt); }

    // Drafts notify on every write; message and focus request on a real change.
    [[nodiscard]] Base::Subscription observeDrafts(std::function<void()> o) {
        return draftsChanged_.subscribe(std::move(o));
    }
    [[nodiscard]] Base::Subscription observeMessage(std::function<void()> o) { return message_.observe(std::move(o)); }
    [[nodiscard]] Base::Subscription observeFocusNameID(std::function<void()> o) {
        return focusNameID_.observe(std::move(o));
    }

    static bool isCustom(std::string_view id);
    // The calculator's selected instrument, override applied.
    CalculatorKit::Instrument instrument() const;
    bool hasOverride() const;

    std::string displayText(Field field) const;
    void edit(Field field, std::string_view text);
    void endEditing();
    void select(std::string_view id);
    void resetToDefault();
    void addCustom();
    void removeCustom();

    // Dollars per point worked out from the three calibration drafts.
    std::optional<Base::Decimal> calibratedValue() const;
    // A calibrated value exists and lies within the point value's bounds.
    bool canUseCalibration() const;
    void useCalibration();

private:
    void setDraft(Field field, std::string text);
    // The message that refuses `value` for a point value, minimum size or step; none when it may be stored.
    static std::optional<std::string> refusal(Field field, const Base::Decimal& value);
    void apply(Field field, const Base::Decimal& value);
    void rename(std::string_view text);

    SettingsKit::SettingsModel& settings_;
    std::map<Field, std::string> drafts_;
    Base::ChangeSignal draftsChanged_;
    Base::Observable<std::optional<std::string>> message_;
    Base::Observable<std::optional<std::string>> focusNameID_;
};

}  // namespace WaylarkKit
