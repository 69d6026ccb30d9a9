#include "IslandKit/Window/FloatingPanel.h"

#include <QChildEvent>
#include <QKeyEvent>

#include "IslandKit/Window/X11.h"

namespace IslandKit {

namespace {
int takings = 0;
}  // namespace

int FloatingPanel::clickTakings() { return takings; }

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
    if (event->type() == QEvent::FocusIn && watched->isWidgetType()) lastFocused_ = static_cast<QWidget*>(watched);
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType() &&
        (static_cast<QWidget*>(watched)->focusPolicy() & Qt::ClickFocus)) {
        // Qt calls a window active for a moment after the keyboard has left
        // it; the X server knows at once.
        const bool holds = X11::hasInputFocus(this).value_or(isActiveWindow());
        if (canBecomeKey() && !holds) {
            ++takings;
            if (auto taking = onTakingKeyboard) taking();
            activateWindow();
            X11::takeKeyboard(this);
        } else if (!canBecomeKey() && !holds) {
            // Qt has focused the view before the press arrives here. In a
            // window without the keyboard it would look chosen while the
            // keys still go where they went: into a card's field, say.
            if (QWidget* focus = focusWidget()) focus->clearFocus();
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace IslandKit
