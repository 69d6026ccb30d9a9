#pragma once

#include <optional>

#include "Base/Locked.h"
#include "SettingsKit/SettingsStore.h"

namespace SettingsKit {

// Settings that never touch the disk (the showreel runs on one). Returns
// exactly what was saved last, unrepaired; safe to use from any thread.
class InMemorySettingsStore final : public SettingsStore {
public:
    explicit InMemorySettingsStore(std::optional<AppSettings> stored = std::nullopt)
        : stored_(std::move(stored)) {}

    std::optional<AppSettings> load() override { return stored_.get(); }
    Base::Status save(const AppSettings& settings) override {
        stored_.set(settings);
        return Base::Ok{};
    }

private:
    Base::Locked<std::optional<AppSettings>> stored_;
};

}  // namespace SettingsKit
