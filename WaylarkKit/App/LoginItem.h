#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "Base/Result.h"

namespace WaylarkKit {

// Whether the system starts when the user logs in.
enum class LoginItemState {
    unavailable,  // the program does not run from an installed prefix
    off,
    on,
    needsApproval,  // registered, waiting for the user's approval (no desktop here asks for one)
};

// The start-at-login registration of the application. Main thread only.
class LoginItemControlling {
public:
    virtual ~LoginItemControlling() = default;
    virtual LoginItemState state() const = 0;
    // Registers (true) or unregisters (false); the error says why it could not.
    virtual Base::Status setEnabled(bool enabled) = 0;
    // Shows where the desktop keeps the programs that start at login.
    virtual void openSystemSettings() = 0;
};

// Start at login through the desktop's autostart folder: an XDG autostart
// entry that starts the installed program with "--from-autostart". The entry
// counts as on while it exists and does not say Hidden=true (how desktops
// switch an entry off without deleting it).
class AutostartLoginItem final : public LoginItemControlling {
public:
    static constexpr std::string_view entryName = "com.orltrading.waylark.desktop";
    static constexpr std::uintmax_t maxEntryBytes = 64 * 1024;

    // `installedExecutable` is absent when the program does not run from an
    // installed prefix; `openFolder` shows a folder in the desktop's file manager.
    AutostartLoginItem(std::filesystem::path entry, std::optional<std::filesystem::path> installedExecutable,
                       std::function<void(const std::filesystem::path&)> openFolder);

    // $XDG_CONFIG_HOME/autostart/com.orltrading.waylark.desktop ($HOME/.config when unset).
    static std::filesystem::path defaultEntryPath();
    // The program itself when it runs from an installed prefix: <prefix>/bin/<program>
    // beside the launcher that `cmake --install` puts in <prefix>/share/applications.
    static std::optional<std::filesystem::path> installedExecutable(const std::filesystem::path& executable);
    // The autostart entry that starts `executable`.
    static std::string entryText(const std::filesystem::path& executable);
    // Whether an entry's text leaves it switched on: its main group holds no Hidden=true.
    static bool isSwitchedOn(std::string_view text);
    // One argument of an Exec line, quoted and escaped when the desktop entry rules ask for it.
    static std::string execArgument(std::string_view argument);

    LoginItemState state() const override;
    // On writes the entry afresh (also over one a desktop switched off); off removes it.
    Base::Status setEnabled(bool enabled) override;
    void openSystemSettings() override;

    const std::filesystem::path& entry() const { return entry_; }

private:
    std::filesystem::path entry_;
    std::optional<std::filesystem::path> executable_;
    std::function<void(const std::filesystem::path&)> openFolder_;
};

}  // namespace WaylarkKit
