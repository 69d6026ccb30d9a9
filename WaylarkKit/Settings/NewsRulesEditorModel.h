#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Base/Observable.h"
#include "Base/Scheduler.h"
#include "TradingCore/Model/NewsRule.h"
#include "WaylarkKit/Settings/RestoreArming.h"

namespace WaylarkKit {

// The news-blackout rule editor keeps no copy of the rule: every control is a
// settings operation. Its model holds only the two-click restore.
class NewsRulesEditorModel {
public:
    explicit NewsRulesEditorModel(Base::Scheduler& scheduler) : restore_(scheduler) {}

    bool armedRestore() const { return restore_.isArmed(); }
    [[nodiscard]] Base::Subscription observeArmedRestore(std::function<void()> observer) {
        return restore_.observe(std::move(observer));
    }
    // True when this click confirms; the caller then restores the rule.
    bool requestRestore() { return restore_.request(); }
    void disarm() { restore_.disarm(); }

    // The chosen minutes applied to a release at 08:30 New York time, as the
    // line under the steppers reads.
    static std::string example(long long before, long long after);

private:
    RestoreArming restore_;
};

// One currency chip of the editor.
struct CurrencyChip {
    std::string code;
    bool isOn = false;
    // Off chips are disabled once the rule holds as many currencies as the
    // store keeps: a further tick would make the store drop a stored one.
    bool isEnabled = true;

    bool operator==(const CurrencyChip&) const = default;
};

// Everything the editor shows of one reading of the rule.
struct NewsRulesEditorContent {
    int before = 0;  // whole minutes, 0 to 60
    int after = 0;
    std::string example;
    bool includesMedium = false;
    bool noCurrency = false;
    // The offered codes in their fixed order, then any other ticked code in text order.
    std::vector<CurrencyChip> currencies;

    static NewsRulesEditorContent of(const TradingCore::NewsRule& rule);
};

// "minute" for 1, "minutes" otherwise.
std::string minutesWord(int value);
// Whether a stepper's minus and plus act at `value`.
bool canStepDown(int value);
bool canStepUp(int value);

}  // namespace WaylarkKit
