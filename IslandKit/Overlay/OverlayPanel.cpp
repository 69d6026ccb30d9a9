#include "IslandKit/Overlay/OverlayPanel.h"

#include <memory>

#include <QCoreApplication>
#include <QEvent>

namespace IslandKit {

void OverlayPanel::letGo() {
    lettingGo_ = true;
    if (QWidget* focus = focusWidget()) focus->clearFocus();
    // Clicks pass the views by and end at the panel.
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        child->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
}

bool OverlayPanel::event(QEvent* event) {
    // With no view focused, keys come to the panel itself, where Tab would
    // hand a field the focus again.
    if (lettingGo_) {
        switch (event->type()) {
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
                if (keysTo_ && clickTakings() == takingsAtPass_) {
                    QWidget* to = keysTo_->focusWidget() ? keysTo_->focusWidget() : keysTo_.data();
                    const std::unique_ptr<QEvent> passed(event->clone());
                    QCoreApplication::sendEvent(to, passed.get());
                }
                event->accept();
                return true;
            case QEvent::ShortcutOverride:
                event->accept();
                return true;
            default: break;
        }
    }
    return FloatingPanel::event(event);
}

}  // namespace IslandKit
