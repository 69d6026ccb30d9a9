#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "Base/DebouncedSave.h"
#include "Base/Observable.h"
#include "Base/Scheduler.h"
#include "Base/Uuid.h"
#include "SettingsKit/AppSettings.h"
#include "SettingsKit/SettingsChangeResults.h"
#include "SettingsKit/SettingsStore.h"
#include "TradingCore/Model/MacroSchedule.h"

namespace SettingsKit {

// The live settings of the whole run. Every change goes through a named
// operation, which either changes the record (then tells `onChange` and saves,
// debounced) or changes and saves nothing. Main thread only.
class SettingsModel {
public:
    // Loads once from `store`; a store with nothing usable gives the default
    // record. Writes nothing. A zero delay saves every change at once.
    SettingsModel(std::shared_ptr<SettingsStore> store, Base::Scheduler& scheduler, double saveDelaySeconds);
    SettingsModel(const SettingsModel&) = delete;
    SettingsModel& operator=(const SettingsModel&) = delete;

    const AppSettings& settings() const { return settings_.get(); }
    [[nodiscard]] Base::Subscription observeSettings(std::function<void()> observer) {
        return settings_.observe(std::move(observer));
    }
    // Whether the last save attempt failed; cleared by the next one that succeeds.
    bool lastSaveFailed() const { return saver_.lastSaveFailed(); }
    [[nodiscard]] Base::Subscription observeLastSaveFailed(std::function<void()> observer) {
        return saver_.observeLastSaveFailed(std::move(observer));
    }
    // Called at the start of every change, before anything is saved.
    std::function<void()> onChange;

    // Derived values.
    const std::vector<TradingCore::SessionProfile>& profiles() const { return settings().profiles; }
    TradingCore::SessionProfile activeProfile() const { return settings().activeProfile(); }
    const std::string& weeklyCurrency() const { return settings().weeklyCurrency; }
    bool weeklyIncludeMedium() const { return settings().weeklyIncludeMedium; }
    const TradingCore::NewsRule& newsRule() const { return settings().newsRule; }
    const GreetingSettings& greeting() const { return settings().greeting; }
    int timelineHalfSpanMinutes() const { return settings().timelineHalfSpanMinutes; }
    const std::vector<TradingCore::CustomInterval>& customIntervals() const { return settings().customIntervals; }
    bool lunchMacroEnabled() const { return settings().lunchMacroEnabled; }
    bool finalMacroEnabled() const { return settings().finalMacroEnabled; }
    TradingCore::MacroSchedule macroSchedule() const;
    const CalculatorKit::CalculatorSettings& calculator() const { return settings().calculator; }
    const std::map<std::string, bool>& displayChoices() const { return settings().displays.choices; }
    std::optional<bool> displayChoice(const std::string& displayID) const;
    bool canZoomIn() const;
    bool canZoomOut() const;

    // Cancels a pending save and saves now, also when nothing changed.
    void flush();
    // Tidies window names and order, the greeting and the custom intervals;
    // saves only when that changed something.
    void normalize();
    // Saves the record as `normalize` would leave it, straight to the store:
    // the record, its observers and any pending save are left alone. For the
    // last moment of a process that ends without unwinding its stack.
    Base::Status saveNormalizedCopy() const;

    // Profiles, windows, news rule and weekly list.
    void setActiveProfile(std::string_view name);
    // The new window's position, or nothing: no such profile, 8 windows, or no free hour.
    std::optional<std::size_t> addWindow(std::string_view profile);
    void renameWindow(std::string_view profile, std::ptrdiff_t at, std::string_view name);
    WindowTimesResult setTimes(std::string_view profile, std::ptrdiff_t at, TradingCore::WallClockTime start,
                               TradingCore::WallClockTime end);
    void removeWindow(std::string_view profile, std::ptrdiff_t at);
    void restoreDefaults(std::string_view profile);
    void setWeeklyCurrency(std::string_view code);
    void setWeeklyIncludeMedium(bool include);
    void setBlackoutMinutes(std::optional<double> before, std::optional<double> after);
    void setBlackoutIncludesMedium(bool include);
    void setBlackoutCurrency(std::string_view code, bool enabled);
    void restoreNewsRule();

    // Custom times, macros, zoom, greeting, displays and calculator.
    std::optional<Base::Uuid> addCustomInterval();
    void renameCustomInterval(const Base::Uuid& id, std::string_view name);
    CustomTimesResult setCustomTimes(const Base::Uuid& id, TradingCore::WallClockTime start,
                                     TradingCore::WallClockTime end);
    void setCustomColor(const Base::Uuid& id, TradingCore::IntervalColor color);
    void toggleCustomWeekday(const Base::Uuid& id, TradingCore::Weekday day);
    void removeCustomInterval(const Base::Uuid& id);
    void setLunchMacroEnabled(bool enabled);
    void setFinalMacroEnabled(bool enabled);
    void zoomIn();
    void zoomOut();
    void setGreetingEnabled(bool enabled);
    void setGreetingLeading(std::string_view text);
    void setGreetingName(std::string_view text);
    void restoreGreeting();
    void setDisplayChoices(const std::map<std::string, bool>& choices);
    // Runs `edit` once on a copy, repairs it, and stores it when it differs.
    void updateCalculator(const std::function<void(CalculatorKit::CalculatorSettings&)>& edit);

private:
    static AppSettings normalized(AppSettings settings);
    // Applies `edit` to a copy of the record and stores it (observers hear of
    // a real change only). Returns whether the record changed.
    bool modify(const std::function<void(AppSettings&)>& edit);
    void changed();
    void update(const Base::Uuid& id, const std::function<void(TradingCore::CustomInterval&)>& edit);
    std::optional<std::size_t> profileIndex(std::string_view name) const;
    std::optional<std::size_t> windowIndex(std::size_t profile, std::ptrdiff_t at) const;
    void apply(const TradingCore::NewsRule& proposal);
    void setHalfSpan(int minutes);
    // The remembered display to forget first, never one of `keep`.
    std::optional<std::string> oldestDisplay(const std::map<std::string, bool>& choices,
                                             const std::set<std::string>& keep) const;

    static constexpr std::size_t maxAnsweredDisplays = 64;

    std::shared_ptr<SettingsStore> store_;
    Base::Observable<AppSettings> settings_;
    // Display identifiers answered during this run, oldest first.
    std::vector<std::string> answeredDisplays_;
    // Last: it goes first, cancelling a pending save before the rest of the model.
    Base::DebouncedSave saver_;
};

}  // namespace SettingsKit
