#include "IslandKit/Window/FloatingPanel.h"

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

}  // namespace IslandKit
