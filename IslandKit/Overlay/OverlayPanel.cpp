#include "IslandKit/Overlay/OverlayPanel.h"

#include <QKeyEvent>

namespace IslandKit {

OverlayPanel::OverlayPanel()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::X11BypassWindowManagerHint) {
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::StrongFocus);
}

void OverlayPanel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        if (onCancel) onCancel();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace IslandKit
