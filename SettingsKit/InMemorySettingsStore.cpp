#include "SettingsKit/InMemorySettingsStore.h"

namespace SettingsKit {

std::optional<AppSettings> InMemorySettingsStore::load() {
    std::lock_guard guard(lock_);
    return stored_;
}

Base::Status InMemorySettingsStore::save(const AppSettings& settings) {
    std::lock_guard guard(lock_);
    stored_ = settings;
    return Base::Ok{};
}

}  // namespace SettingsKit
