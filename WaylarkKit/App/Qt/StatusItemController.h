#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "WaylarkKit/App/LoginItem.h"
#include "WaylarkKit/App/StatusMenuModel.h"

class QMenu;
class QPoint;
class QSystemTrayIcon;

namespace WaylarkKit {

// The system's permanent handle: the "timer" icon in the desktop's tray with
// the status menu, rebuilt from StatusMenuModel every time it opens, so the
// status line, the login state and the displays are always read afresh. The
// same menu opens from the island, for desktops that show no tray.
class StatusItemController {
public:
    StatusItemController(std::unique_ptr<LoginItemControlling> loginItem, std::function<std::string()> statusText,
                         std::function<void()> onQuit,
                         std::function<std::vector<StatusMenuModel::DisplayRow>()> displays,
                         std::function<void(const std::string&)> onToggleDisplay);
    ~StatusItemController();
    StatusItemController(const StatusItemController&) = delete;
    StatusItemController& operator=(const StatusItemController&) = delete;

    // The model of the menu as it would open now.
    StatusMenuModel model() const;
    // Refills the menu from the model; the menu does this itself before it opens.
    void rebuildMenu();
    // Opens the menu at a point of the desktop (in the window system's pixels).
    void popUp(const QPoint& at);

    // The menu's actions, as the menu calls them.
    void toggleLogin();
    void openLoginSettings();
    void toggleDisplay(const std::string& id);
    void quit();

    // As the menu closes, however it closes (a choice, Escape, a click
    // elsewhere). It held the keyboard while it was open and leaves it where
    // it was before, which may be a window that should give it up now.
    std::function<void()> onClosing;

    QMenu& menu() const { return *menu_; }
    QSystemTrayIcon& trayIcon() const { return *tray_; }
    const std::optional<std::string>& loginError() const { return loginError_; }
    LoginItemControlling& loginItem() const { return *loginItem_; }

private:
    std::unique_ptr<QMenu> menu_;
    std::unique_ptr<QSystemTrayIcon> tray_;
    std::unique_ptr<LoginItemControlling> loginItem_;
    std::function<std::string()> statusText_;
    std::function<void()> onQuit_;
    std::function<std::vector<StatusMenuModel::DisplayRow>()> displays_;
    std::function<void(const std::string&)> onToggleDisplay_;
    std::optional<std::string> loginError_;
};

}  // namespace WaylarkKit
