#include "WaylarkKit/Motion/Qt/PortalMotionListener.h"

#include <optional>

#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include "WaylarkKit/Style/Qt/QtText.h"

namespace WaylarkKit {

namespace {

const QString service = QStringLiteral("org.freedesktop.portal.Desktop");
const QString path = QStringLiteral("/org/freedesktop/portal/desktop");
const QString interface = QStringLiteral("org.freedesktop.portal.Settings");
const QString signal = QStringLiteral("SettingChanged");

// The value inside any number of variants: Read answers with a variant in a variant.
QVariant unwrapped(QVariant value) {
    while (value.metaType() == QMetaType::fromType<QDBusVariant>()) value = value.value<QDBusVariant>().variant();
    return value;
}

std::optional<DesktopMotionSetting::Value> settingValue(const QVariant& value) {
    switch (value.metaType().id()) {
        case QMetaType::Bool: return value.toBool();
        case QMetaType::UChar:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong: return static_cast<std::int64_t>(value.toLongLong());
        case QMetaType::Double: return value.toDouble();
        case QMetaType::QString: return value.toString().toStdString();
        default: return std::nullopt;
    }
}

}  // namespace

PortalMotionListener::PortalMotionListener(DesktopMotionSetting setting, QDBusConnection bus)
    : setting_(std::move(setting)), bus_(std::move(bus)) {
    listening_ =
        bus_.isConnected() && bus_.connect(service, path, interface, signal, this, SLOT(settingChanged(QDBusMessage)));
    if (!listening_) return;
    read(DesktopMotionSetting::gnomeNamespace, DesktopMotionSetting::gnomeKey);
    read(DesktopMotionSetting::appearanceNamespace, DesktopMotionSetting::reducedMotionKey);
    read(DesktopMotionSetting::kdeNamespace, DesktopMotionSetting::kdeKey);
}

PortalMotionListener::~PortalMotionListener() {
    if (listening_) bus_.disconnect(service, path, interface, signal, this, SLOT(settingChanged(QDBusMessage)));
}

void PortalMotionListener::read(std::string_view settingNamespace, std::string_view key) {
    // Read, not ReadOne: the portals of older desktops know only Read.
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("Read"));
    call << qtText(settingNamespace) << qtText(key);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, ns = qtText(settingNamespace), k = qtText(key)](QDBusPendingCallWatcher* answered) {
                const QDBusPendingReply<QDBusVariant> reply = *answered;
                // A portal without the key, or no portal at all: the start-up value stands.
                if (!reply.isError()) apply(ns, k, reply.value().variant());
                answered->deleteLater();
            });
}

void PortalMotionListener::settingChanged(const QDBusMessage& message) {
    const QList<QVariant> arguments = message.arguments();
    if (arguments.size() != 3) return;
    apply(arguments[0].toString(), arguments[1].toString(), arguments[2]);
}

void PortalMotionListener::apply(const QString& settingNamespace, const QString& key, const QVariant& value) {
    if (const auto converted = settingValue(unwrapped(value))) {
        setting_.apply(settingNamespace.toStdString(), key.toStdString(), *converted);
    }
}

}  // namespace WaylarkKit
