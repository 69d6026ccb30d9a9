#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QSystemTrayIcon>

#include "WaylarkKit/App/Qt/StatusItemController.h"
#include "WaylarkKit/tests/App/Qt/AppFakes.h"
#include "WaylarkKit/tests/support/WidgetTesting.h"

using namespace WaylarkKit;
using namespace WaylarkKitTest;

namespace {

struct Row {
    QString text;
    bool enabled, checkable, checked;
    bool operator==(const Row&) const = default;
};

std::vector<Row> rows(const QMenu& menu) {
    std::vector<Row> out;
    for (const QAction* action : menu.actions()) {
        out.push_back({action->isSeparator() ? "---" : action->text(), action->isEnabled(), action->isCheckable(),
                       action->isChecked()});
    }
    return out;
}

QAction* actionNamed(const QMenu& menu, const QString& text) {
    for (QAction* action : menu.actions()) {
        if (action->text() == text) return action;
    }
    return nullptr;
}

}  // namespace

TEST(StatusItemControllerTest, TheMenuIsRebuiltFromTheFactsEachTimeItOpens) {
    app();
    auto login = std::make_unique<FakeLoginItem>();
    FakeLoginItem& loginItem = *login;
    std::string status = "Waiting for TradingView";
    std::vector<std::string> toggled;
    int quits = 0;
    StatusItemController controller(
        std::move(login), [&] { return status; }, [&] { ++quits; },
        [] { return std::vector<StatusMenuModel::DisplayRow>{{"A", "MacBook display", true, false}, {"B", "Tom & Jerry", false, true}}; },
        [&](const std::string& id) { toggled.push_back(id); });
    EXPECT_EQ(controller.trayIcon().toolTip(), "Orl Trading Waylark");
    EXPECT_FALSE(controller.trayIcon().icon().isNull());

    Q_EMIT controller.menu().aboutToShow();
    EXPECT_EQ(rows(controller.menu()), (std::vector<Row>{{"Orl Trading Waylark 0.1", false, false, false},
                                                         {"Waiting for TradingView", false, false, false},
                                                         {"---", true, false, false},
                                                         {"Start at login", true, true, false},
                                                         {"---", true, false, false},
                                                         {"Show the island on:", false, false, false},
                                                         {"MacBook display", false, true, true},
                                                         {"Tom && Jerry", true, true, false},
                                                         {"---", true, false, false},
                                                         {"Quit", true, false, false}}));

    actionNamed(controller.menu(), "Tom && Jerry")->trigger();
    EXPECT_EQ(toggled, std::vector<std::string>{"B"});
    actionNamed(controller.menu(), "Quit")->trigger();
    EXPECT_EQ(quits, 1);

    // A failed change shows at the next opening, with the state read afresh.
    loginItem.failWith = "no & way";
    actionNamed(controller.menu(), "Start at login")->trigger();
    status = "Active: TradingView is running";
    Q_EMIT controller.menu().aboutToShow();
    EXPECT_TRUE(actionNamed(controller.menu(), "Active: TradingView is running"));
    EXPECT_TRUE(actionNamed(controller.menu(), "Could not change: no && way"));
    EXPECT_FALSE(actionNamed(controller.menu(), "Start at login")->isChecked());

    loginItem.failWith.reset();
    actionNamed(controller.menu(), "Start at login")->trigger();
    Q_EMIT controller.menu().aboutToShow();
    EXPECT_FALSE(controller.loginError());
    EXPECT_TRUE(actionNamed(controller.menu(), "Start at login")->isChecked());
    EXPECT_EQ(controller.menu().actions().size(), 10);
}
