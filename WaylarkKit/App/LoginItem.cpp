#include "WaylarkKit/App/LoginItem.h"

#include <system_error>

#include "Base/FileSystem.h"
#include "Base/Text.h"

namespace WaylarkKit {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view reservedInExec = " \t\n\"'\\><~|&;$*?#`()";

// A desktop entry's values are escaped once more as strings: a backslash and
// the control characters that may not appear raw.
std::string escapedAsValue(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

AutostartLoginItem::AutostartLoginItem(fs::path entry, std::optional<fs::path> installedExecutable,
                                       std::function<void(const fs::path&)> openFolder)
    : entry_(std::move(entry)), executable_(std::move(installedExecutable)), openFolder_(std::move(openFolder)) {}

fs::path AutostartLoginItem::defaultEntryPath() {
    return Base::FileSystem::configFolder().value_or(".config") / "autostart" / entryName;
}

std::optional<fs::path> AutostartLoginItem::installedExecutable(const fs::path& executable) {
    if (!executable.is_absolute() || executable.parent_path().filename() != "bin") return std::nullopt;
    const fs::path prefix = executable.parent_path().parent_path();
    std::error_code error;
    if (!fs::is_regular_file(prefix / "share" / "applications" / entryName, error)) return std::nullopt;
    return executable;
}

std::string AutostartLoginItem::execArgument(std::string_view argument) {
    std::string quoted;
    bool needsQuotes = argument.empty();
    for (const char c : argument) {
        if (reservedInExec.find(c) != std::string_view::npos) needsQuotes = true;
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        if (c == '%') quoted += '%';
        quoted += c;
    }
    return escapedAsValue(needsQuotes ? "\"" + quoted + "\"" : quoted);
}

std::string AutostartLoginItem::entryText(const fs::path& executable) {
    const std::string exec = "Exec=" + execArgument(executable.string()) + " --from-autostart\n";
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Orl Trading Waylark\n"
           "Comment=Whether trading is allowed right now, at the top of the screen\n" +
           exec +
           "Icon=com.orltrading.waylark\n"
           "Terminal=false\n"
           "NoDisplay=true\n";
}

bool AutostartLoginItem::isSwitchedOn(std::string_view text) {
    bool inMainGroup = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.starts_with('[')) {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inMainGroup || equals == std::string_view::npos) continue;
        if (Base::Text::trimmed(line.substr(0, equals)) == "Hidden" &&
            Base::Text::trimmed(line.substr(equals + 1)) == "true") {
            return false;
        }
    }
    return true;
}

LoginItemState AutostartLoginItem::state() const {
    if (!executable_) return LoginItemState::unavailable;
    const auto read = Base::FileSystem::readCapped(entry_, maxEntryBytes);
    if (read.outcome != Base::FileSystem::CappedRead::Outcome::read) return LoginItemState::off;
    return isSwitchedOn(read.bytes) ? LoginItemState::on : LoginItemState::off;
}

Base::Status AutostartLoginItem::setEnabled(bool enabled) {
    if (!executable_) return Base::makeError("the program does not run from an installed prefix");
    if (enabled) {
        if (auto made = Base::FileSystem::createFolders(entry_.parent_path()); !made) return made;
        return Base::FileSystem::writeAtomically(entry_, entryText(*executable_));
    }
    std::error_code error;
    fs::remove(entry_, error);
    if (error) return Base::makeError(entry_.string() + ": " + error.message());
    return Base::Ok{};
}

void AutostartLoginItem::openSystemSettings() {
    if (openFolder_) openFolder_(entry_.parent_path());
}

}  // namespace WaylarkKit
