#include "WaylarkKit/App/Qt/QtIslandWindow.h"

#include "WaylarkKit/App/Qt/IslandRightClick.h"
#include "WaylarkKit/App/Qt/QtDisplayEnvironment.h"

namespace WaylarkKit {

QtIslandWindow::QtIslandWindow(IslandKit::IslandModel& model, Base::Scheduler& scheduler,
                               IslandKit::KeyboardHandover& keyboard, std::function<void()> onMenuRequest)
    : controller_(model, tracker_, scheduler, keyboard), onMenuRequest_(std::move(onMenuRequest)) {}

QtIslandWindow::~QtIslandWindow() { controller_.hide(); }

void QtIslandWindow::show(const std::string& displayID) {
    controller_.show(QtDisplayEnvironment::screen(ScreenRef{displayID}));
    // Every show builds a new root view.
    if (auto* root = controller_.rootView()) new IslandRightClick(*root, onMenuRequest_);
}

void QtIslandWindow::update(const std::string& displayID) {
    controller_.update(QtDisplayEnvironment::screen(ScreenRef{displayID}));
}

void QtIslandWindow::hide() { controller_.hide(); }

void QtIslandWindow::releaseKeyboard() { controller_.releaseKeyboard(); }

}  // namespace WaylarkKit
