#include "WaylarkKit/Qt/PlatformStartGuard.h"

#include <unistd.h>

#include <utility>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace WaylarkKit {

namespace {

struct Held {
    QtMsgType type;
    QByteArray category;
    QString text;
};

std::string failure;
std::vector<Held> held;
QtMessageHandler previous = nullptr;

void hold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        const std::string line = failure + "\n";
        [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, line.data(), line.size());
        // Nothing has been made yet that an orderly exit would have to finish.
        ::_exit(1);
    }
    held.push_back({type, QByteArray(context.category), text});
}

}  // namespace

PlatformStartGuard::PlatformStartGuard(std::string failureLine) {
    failure = std::move(failureLine);
    previous = qInstallMessageHandler(hold);
}

PlatformStartGuard::~PlatformStartGuard() {
    qInstallMessageHandler(previous);
    for (const Held& message : std::exchange(held, {})) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
}

}  // namespace WaylarkKit
