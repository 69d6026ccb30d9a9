#include "IslandKit/Window/FloatingPanel.h"

#include <QChildEvent>
#include <QKeyEvent>

namespace IslandKit {

FloatingPanel::FloatingPanel()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::X11BypassWindowManagerHint) {
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
}

void FloatingPanel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        if (auto cancel = onCancel) cancel();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FloatingPanel::childEvent(QChildEvent* event) {
    if (event->added()) watch(event->child());
    QWidget::childEvent(event);
}

void FloatingPanel::watch(QObject* object) {
    object->installEventFilter(this);
    for (QObject* child : object->children()) watch(child);
}

bool FloatingPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ChildAdded) watch(static_cast<QChildEvent*>(event)->child());
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
