#pragma once

#include <mutex>
#include <optional>

#include "SettingsKit/SettingsStore.h"

namespace SettingsKit {

// Settings that never touch the disk (the showreel runs on one). Returns
// exactly what was saved last, unrepaired; safe to use from any thread.
class InMemorySettingsStore final : public SettingsStore {
public:
    explicit InMemorySettingsStore(std::optional<AppSettings> stored = std::nullopt)
        : stored_(std::move(stored)) {}

    std::optional<AppSettings> load() override;
    Base::Status save(const AppSettings& settings) override;

private:
    std::mutex lock_;
    std::optional<AppSettings> stored_;
};

}  // namespace SettingsKit
