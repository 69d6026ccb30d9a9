#include "WaylarkKit/App/Qt/QuitListener.h"

#include <QCoreApplication>
#include <QEvent>

namespace WaylarkKit {

QuitListener::QuitListener(std::function<void()> onQuit) : onQuit_(std::move(onQuit)) {
    if (auto* app = QCoreApplication::instance()) app->installEventFilter(this);
}

QuitListener::~QuitListener() {
    if (auto* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

bool QuitListener::eventFilter(QObject* watched, QEvent* event) {
    // The application's own quit request, before its handler closes the windows.
    if (event->type() == QEvent::Quit && watched == QCoreApplication::instance() && onQuit_) onQuit_();
    return QObject::eventFilter(watched, event);
}

}  // namespace WaylarkKit
