#include "WaylarkKit/App/Qt/IslandRightClick.h"

#include <QChildEvent>
#include <QMouseEvent>
#include <QWidget>

#include "IslandKit/View/IslandRootView.h"
#include "IslandKit/View/IslandSurface.h"

namespace WaylarkKit {

IslandRightClick::IslandRightClick(IslandKit::IslandRootView& root, std::function<void()> onMenuRequest)
    : QObject(&root), root_(&root), onMenuRequest_(std::move(onMenuRequest)) {
    watch(root.surface());
}

void IslandRightClick::watch(QObject* object) {
    if (!object->isWidgetType()) return;
    object->installEventFilter(this);
    for (QObject* child : object->children()) watch(child);
}

bool IslandRightClick::keepsOwnRightClick(QWidget* widget) const {
    QWidget* expanded = root_ ? root_->expandedView() : nullptr;
    return expanded && (widget == expanded || expanded->isAncestorOf(widget));
}

bool IslandRightClick::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    // Views are rebuilt whenever the island's content changes; each is watched as it arrives.
    if (type == QEvent::ChildAdded) watch(static_cast<QChildEvent*>(event)->child());
    const bool button =
        type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease || type == QEvent::MouseButtonDblClick;
    if (type != QEvent::ContextMenu && !(button && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton)) {
        return false;
    }
    if (!watched->isWidgetType() || keepsOwnRightClick(static_cast<QWidget*>(watched))) return false;
    if (type == QEvent::MouseButtonPress && onMenuRequest_) onMenuRequest_();
    return true;
}

}  // namespace WaylarkKit
