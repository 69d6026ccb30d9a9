#include "SettingsKit/FileSettingsStore.h"

#include <functional>
#include <string>

#include "Base/FileSystem.h"

namespace SettingsKit {

std::filesystem::path FileSettingsStore::pathIn(const std::filesystem::path& applicationFolder) {
    return applicationFolder / "Settings" / "settings.json";
}

std::filesystem::path FileSettingsStore::defaultPath() {
    return pathIn(Base::FileSystem::applicationSupportFolder());
}

std::optional<AppSettings> FileSettingsStore::load() {
    const std::function<Base::Result<AppSettings>(const Base::Json&)> decode =
        [](const Base::Json& json) -> Base::Result<AppSettings> {
        BASE_TRY(settings, appSettingsFromJson(json));
        if (settings.version != AppSettings::currentVersion) {
            return Base::makeError("settings version " + std::to_string(settings.version) + " is not supported");
        }
        return settings;
    };
    auto loaded = file_.load(decode);
    if (!loaded) return std::nullopt;
    return loaded->validated();
}

Base::Status FileSettingsStore::save(const AppSettings& settings) {
    return file_.save(toJson(settings));
}

}  // namespace SettingsKit
