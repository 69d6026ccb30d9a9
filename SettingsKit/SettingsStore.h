#pragma once

#include <optional>

#include "Base/Result.h"
#include "SettingsKit/AppSettings.h"

namespace SettingsKit {

// Where the settings come from at start and go after every change. A store
// knows nothing of debouncing, observers or defaults.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored settings, or nothing when there are none or they cannot be used.
    virtual std::optional<AppSettings> load() = 0;
    // Replaces what is stored.
    virtual Base::Status save(const AppSettings& settings) = 0;
};

}  // namespace SettingsKit
