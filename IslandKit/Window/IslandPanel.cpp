#include "IslandKit/Window/IslandPanel.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace IslandKit {

IslandPanel::IslandPanel()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::X11BypassWindowManagerHint) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
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
            activateWindow();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void IslandPanel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        if (onCancel) onCancel();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace IslandKit
