#pragma once

#include <filesystem>
#include <optional>

#include "Base/DocumentFile.h"
#include "SettingsKit/SettingsStore.h"

namespace SettingsKit {

// The settings document in one file. Loading repairs what it reads and never
// writes; a file it cannot use, or one changed by another hand since it was
// last read or written here, is moved aside as settings.corrupt.json (or the
// next free numbered name) before anything is written.
class FileSettingsStore final : public SettingsStore {
public:
    explicit FileSettingsStore(std::filesystem::path path)
        : file_(std::move(path), SettingsLimits::maxFileBytes) {}

    // Settings/settings.json inside the application's folder.
    static std::filesystem::path pathIn(const std::filesystem::path& applicationFolder);
    // The same inside the user's application folder.
    static std::filesystem::path defaultPath();

    const std::filesystem::path& path() const { return file_.path(); }
    std::filesystem::path quarantinePath() const { return file_.quarantinePath(); }

    std::optional<AppSettings> load() override;
    Base::Status save(const AppSettings& settings) override;

private:
    Base::DocumentFile file_;
};

}  // namespace SettingsKit
