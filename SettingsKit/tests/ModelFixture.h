#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Base/ManualScheduler.h"
#include "SettingsKit/SettingsModel.h"

namespace SettingsKitTesting {

// A store that records every save and can be told to fail.
struct RecordingStore final : SettingsKit::SettingsStore {
    std::optional<SettingsKit::AppSettings> initial;
    bool failing = false;
    std::vector<SettingsKit::AppSettings> saves;

    std::optional<SettingsKit::AppSettings> load() override { return initial; }
    Base::Status save(const SettingsKit::AppSettings& settings) override {
        if (failing) return Base::makeError("disk full");
        saves.push_back(settings);
        return Base::Ok{};
    }
};

inline const Base::Uuid knownID = Base::Uuid::random();

// A window on whole hours; an end of 24 is midnight.
inline TradingCore::SessionWindow window(std::string name, int startHour, int endHour) {
    return {std::move(name), TradingCore::WallClockTime(startHour, 0), TradingCore::WallClockTime(endHour % 24, 0)};
}

// The defaults plus one Monday-only interval under `knownID`.
inline SettingsKit::AppSettings withOneInterval() {
    SettingsKit::AppSettings settings;
    settings.customIntervals.push_back({knownID, "Open", {10, 0}, {11, 0}, {TradingCore::Weekday::monday},
                                        TradingCore::IntervalColor::cyan});
    return settings;
}

// A model on the manual clock with the application's 0.4 s save delay.
class ModelTest : public ::testing::Test {
protected:
    void start(std::optional<SettingsKit::AppSettings> stored = std::nullopt, double delay = 0.4) {
        model.reset();
        store = std::make_shared<RecordingStore>();
        store->initial = std::move(stored);
        model = std::make_unique<SettingsKit::SettingsModel>(store, scheduler, delay);
    }
    void SetUp() override { start(); }

    // Lets any pending save run and tells how many saves happened so far.
    std::size_t savesAfterDelay() {
        scheduler.advance(1.4);
        return store->saves.size();
    }
    const SettingsKit::AppSettings& settings() const { return model->settings(); }

    Base::ManualScheduler scheduler;
    std::shared_ptr<RecordingStore> store;
    std::unique_ptr<SettingsKit::SettingsModel> model;
};

}  // namespace SettingsKitTesting
