#include "IslandKit/Window/IslandPanel.h"

#include <QChildEvent>
#include <QMouseEvent>


namespace IslandKit {

IslandPanel::IslandPanel() {
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
}

void IslandPanel::childEvent(QChildEvent* event) {
    if (event->added()) watch(event->child());
    QWidget::childEvent(event);
}

void IslandPanel::watch(QObject* object) {
    object->installEventFilter(this);
    for (QObject* child : object->children()) watch(child);
}

bool IslandPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ChildAdded) watch(static_cast<QChildEvent*>(event)->child());
    // Only a click into a view that takes typed input makes the panel key, and
    // only while the island lets it.
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if ((widget->focusPolicy() & Qt::ClickFocus) && canBecomeKey() && !isActiveWindow()) {
            if (auto taking = onTakingKeyboard) taking();
            activateWindow();
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace IslandKit
