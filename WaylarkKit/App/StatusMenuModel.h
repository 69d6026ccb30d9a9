#pragma once

#include <optional>
#include <string>
#include <vector>

#include "WaylarkKit/App/LoginItem.h"

namespace WaylarkKit {

// The rows of the status menu for the facts of the moment: every text and
// the order of the rows are decided here, apart from any menu.
struct StatusMenuModel {
    // One display the island can be shown on.
    struct DisplayRow {
        std::string id;
        std::string title;
        bool isChecked = false;
        bool isEnabled = true;
        bool operator==(const DisplayRow&) const = default;
    };

    struct Item {
        enum class Kind { label, loginToggle, openLoginSettings, displayToggle, separator, quit };
        Kind kind = Kind::separator;
        std::string title;
        std::string id;  // displayToggle only
        bool isChecked = false;
        bool isEnabled = true;

        static Item label(std::string text) { return {Kind::label, std::move(text), {}, false, false}; }
        static Item loginToggle(std::string title, bool checked, bool enabled) {
            return {Kind::loginToggle, std::move(title), {}, checked, enabled};
        }
        static Item openLoginSettings(std::string title) {
            return {Kind::openLoginSettings, std::move(title), {}, false, true};
        }
        static Item displayToggle(const DisplayRow& row) {
            return {Kind::displayToggle, row.title, row.id, row.isChecked, row.isEnabled};
        }
        static Item separator() { return {}; }
        static Item quit() { return {Kind::quit, "Quit", {}, false, true}; }
        bool operator==(const Item&) const = default;
    };

    std::string version;
    std::string statusText;
    LoginItemState login = LoginItemState::unavailable;
    std::optional<std::string> loginError;
    std::vector<DisplayRow> displays;

    std::vector<Item> items() const;

    // The status line: what the system is doing, unless the settings or the
    // checklists cannot be saved; every change made meanwhile would be lost
    // at the end of the run, so that outranks anything else the line could say.
    static std::string statusLine(std::string activity, bool settingsUnsaved, bool checklistsUnsaved);

    // The version the program was built as, or "dev" for a build that names none.
    static std::string currentVersion();
};

}  // namespace WaylarkKit
