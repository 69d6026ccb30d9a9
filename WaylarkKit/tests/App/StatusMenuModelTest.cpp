#include <gtest/gtest.h>

#include "WaylarkKit/App/StatusMenuModel.h"

using namespace WaylarkKit;

namespace {

// One line per row: what it says and how it behaves.
std::vector<std::string> lines(const StatusMenuModel& model) {
    using Kind = StatusMenuModel::Item::Kind;
    std::vector<std::string> out;
    for (const auto& item : model.items()) {
        const std::string flags = std::string(item.isChecked ? " [x]" : "") + (item.isEnabled ? "" : " (off)");
        switch (item.kind) {
            case Kind::label: out.push_back("label " + item.title); break;
            case Kind::loginToggle: out.push_back("login " + item.title + flags); break;
            case Kind::openLoginSettings: out.push_back("approve " + item.title); break;
            case Kind::displayToggle: out.push_back("display " + item.id + " " + item.title + flags); break;
            case Kind::separator: out.push_back("---"); break;
            case Kind::quit: out.push_back("quit " + item.title); break;
        }
    }
    return out;
}

}  // namespace

TEST(StatusMenuModelTest, RowsForEachLoginStateAndDisplaySet) {
    const std::vector<StatusMenuModel::DisplayRow> two{{"A", "Built-in display", true, false},
                                                       {"B", "DELL & Co", false, true}};
    // Every menu opens on the name and the status and ends on Quit; the rows between vary.
    const struct {
        LoginItemState login;
        std::optional<std::string> error;
        std::vector<StatusMenuModel::DisplayRow> displays;
        std::vector<std::string> between;
    } cases[] = {
        {LoginItemState::unavailable, {}, {}, {"login Start at login (only from the app package) (off)"}},
        {LoginItemState::off, {}, {}, {"login Start at login"}},
        {LoginItemState::on, "read-only file system", {},
         {"login Start at login [x]", "label Could not change: read-only file system"}},
        {LoginItemState::needsApproval, {}, two,
         {"login Start at login [x]", "approve Approve in System Settings…", "---", "label Show the island on:",
          "display A Built-in display [x] (off)", "display B DELL & Co"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.login));
        std::vector<std::string> expected{"label Orl Trading Waylark 1.2", "label Waiting for TradingView", "---"};
        expected.insert(expected.end(), c.between.begin(), c.between.end());
        expected.insert(expected.end(), {"---", "quit Quit"});
        const StatusMenuModel model{"1.2", "Waiting for TradingView", c.login, c.error, c.displays};
        EXPECT_EQ(lines(model), expected);
    }
}
