#include "WaylarkKit/App/StatusMenuModel.h"

namespace WaylarkKit {

std::vector<StatusMenuModel::Item> StatusMenuModel::items() const {
    std::vector<Item> rows{Item::label("Orl Trading Waylark " + version), Item::label(statusText), Item::separator()};
    switch (login) {
        case LoginItemState::unavailable:
            rows.push_back(Item::loginToggle("Start at login (only from the app package)", false, false));
            break;
        case LoginItemState::off:
            rows.push_back(Item::loginToggle("Start at login", false, true));
            break;
        case LoginItemState::on:
            rows.push_back(Item::loginToggle("Start at login", true, true));
            break;
        case LoginItemState::needsApproval:
            rows.push_back(Item::loginToggle("Start at login", true, true));
            rows.push_back(Item::openLoginSettings("Approve in System Settings…"));
            break;
    }
    if (loginError) rows.push_back(Item::label("Could not change: " + *loginError));
    if (!displays.empty()) {
        rows.push_back(Item::separator());
        rows.push_back(Item::label("Show the island on:"));
        for (const auto& row : displays) rows.push_back(Item::displayToggle(row));
    }
    rows.push_back(Item::separator());
    rows.push_back(Item::quit());
    return rows;
}

std::string StatusMenuModel::statusLine(std::string activity, bool settingsUnsaved, bool checklistsUnsaved) {
    if (settingsUnsaved) return "Settings could not be saved";
    if (checklistsUnsaved) return "Checklists could not be saved";
    return activity;
}

std::string StatusMenuModel::currentVersion() {
#ifdef WAYLARK_VERSION
    if constexpr (sizeof(WAYLARK_VERSION) > 1) return WAYLARK_VERSION;
#endif
    return "dev";
}

}  // namespace WaylarkKit
