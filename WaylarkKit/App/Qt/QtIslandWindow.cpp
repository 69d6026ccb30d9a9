#include "WaylarkKit/App/Qt/QtIslandWindow.h"

#include <QEvent>
#include <QMouseEvent>

#include "IslandKit/View/IslandSurface.h"
#include "WaylarkKit/App/Qt/QtDisplayEnvironment.h"

namespace WaylarkKit {

QtIslandWindow::QtIslandWindow(IslandKit::IslandModel& model, Base::Scheduler& scheduler,
                               IslandKit::KeyboardHandover& keyboard, std::function<void()> onMenuRequest)
    : controller_(model, tracker_, scheduler, keyboard), onMenuRequest_(std::move(onMenuRequest)) {}

QtIslandWindow::~QtIslandWindow() { controller_.hide(); }

void QtIslandWindow::show(const std::string& displayID) {
    controller_.show(QtDisplayEnvironment::screen(ScreenRef{displayID}));
    // Every show builds a new root view.
    if (auto* root = controller_.rootView()) root->surface()->installEventFilter(this);
}

void QtIslandWindow::update(const std::string& displayID) {
    controller_.update(QtDisplayEnvironment::screen(ScreenRef{displayID}));
}

void QtIslandWindow::hide() { controller_.hide(); }

void QtIslandWindow::releaseKeyboard() { controller_.releaseKeyboard(); }

bool QtIslandWindow::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type == QEvent::ContextMenu) return true;
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick) {
        return QObject::eventFilter(watched, event);
    }
    if (static_cast<QMouseEvent*>(event)->button() != Qt::RightButton) return QObject::eventFilter(watched, event);
    if (type == QEvent::MouseButtonPress && onMenuRequest_) onMenuRequest_();
    return true;
}

}  // namespace WaylarkKit
