#include "WaylarkKit/Calculator/Qt/SystemClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QString>

namespace WaylarkKit {

void copyToClipboard(const std::string& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) return;
    clipboard->clear();
    clipboard->setText(QString::fromStdString(text), QClipboard::Clipboard);
}

}  // namespace WaylarkKit
