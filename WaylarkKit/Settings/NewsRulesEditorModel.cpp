#include "WaylarkKit/Settings/NewsRulesEditorModel.h"

#include <algorithm>
#include <cmath>

#include "SettingsKit/NewsRuleLimits.h"
#include "TradingCore/Model/NewsImpact.h"
#include "TradingCore/Model/WallClockTime.h"

namespace WaylarkKit {

namespace Limits = SettingsKit::NewsRuleLimits;

namespace {

constexpr long long exampleRelease = 8 * 60 + 30;
constexpr long long minutesPerDay = 24 * 60;

std::string timeOfDay(long long minutes) {
    long long m = minutes % minutesPerDay;
    if (m < 0) m += minutesPerDay;
    return TradingCore::WallClockTime(m / 60, m % 60).text();
}

// The store keeps whole minutes from 0 to 60; the clamp only guards the cast.
int wholeMinutes(double seconds) {
    if (!std::isfinite(seconds)) return 0;
    return static_cast<int>(std::clamp(std::trunc(seconds / 60), 0.0, double{Limits::maxMinutes}));
}

}  // namespace

std::string NewsRulesEditorModel::example(long long before, long long after) {
    if (before == 0 && after == 0) return "A news at 08:30 \u2192 no restriction (0 + 0 minutes).";
    // Far beyond any stepper value, yet safe from overflow.
    before = std::clamp(before, -minutesPerDay * 1000, minutesPerDay * 1000);
    after = std::clamp(after, -minutesPerDay * 1000, minutesPerDay * 1000);
    return "A news at 08:30 \u2192 restricted " + timeOfDay(exampleRelease - before) + "\u2013" +
           timeOfDay(exampleRelease + after) + ".";
}

NewsRulesEditorContent NewsRulesEditorContent::of(const TradingCore::NewsRule& rule) {
    NewsRulesEditorContent content;
    content.before = wholeMinutes(rule.beforeSeconds);
    content.after = wholeMinutes(rule.afterSeconds);
    content.example = NewsRulesEditorModel::example(content.before, content.after);
    content.includesMedium = rule.impacts.contains(TradingCore::NewsImpact::medium);
    content.noCurrency = rule.currencies.empty();

    const bool full = rule.currencies.size() >= Limits::maxCurrencies;
    const auto chip = [&](const std::string& code) {
        const bool on = rule.currencies.contains(code);
        return CurrencyChip{code, on, on || !full};
    };
    for (std::string_view code : Limits::offeredCurrencies) content.currencies.push_back(chip(std::string(code)));
    for (const std::string& code : rule.currencies) {  // a set: already in text order
        const bool offered = std::find(Limits::offeredCurrencies.begin(), Limits::offeredCurrencies.end(), code) !=
                             Limits::offeredCurrencies.end();
        if (!offered) content.currencies.push_back(chip(code));
    }
    return content;
}

std::string minutesWord(int value) { return value == 1 ? "minute" : "minutes"; }

bool canStepDown(int value) { return value > 0; }

bool canStepUp(int value) { return value < Limits::maxMinutes; }

}  // namespace WaylarkKit
