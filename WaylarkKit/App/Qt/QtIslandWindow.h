#pragma once

#include <functional>

#include "Base/Scheduler.h"
#include "IslandKit/Model/IslandModel.h"
#include "IslandKit/Window/IslandWindowController.h"
#include "IslandKit/Window/XInputPointerTracker.h"
#include "WaylarkKit/App/AppPlatform.h"

namespace WaylarkKit {

// One island's panel on a real display, with a pointer tracker of its own. A
// right click on the island opens the status menu instead of toggling it, so
// every action of the menu is at hand where the desktop shows no tray.
class QtIslandWindow final : public IslandWindow {
public:
    QtIslandWindow(IslandKit::IslandModel& model, Base::Scheduler& scheduler, IslandKit::KeyboardHandover& keyboard,
                   std::function<void()> onMenuRequest);
    ~QtIslandWindow() override;

    void show(const std::string& displayID) override;
    void update(const std::string& displayID) override;
    void hide() override;
    void releaseKeyboard() override;

    IslandKit::IslandWindowController& controller() { return controller_; }

private:
    IslandKit::XInputPointerTracker tracker_;
    IslandKit::IslandWindowController controller_;
    std::function<void()> onMenuRequest_;
};

}  // namespace WaylarkKit
