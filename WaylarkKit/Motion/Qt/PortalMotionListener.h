#pragma once

#include <string_view>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>

#include "WaylarkKit/Motion/DesktopMotionSetting.h"

namespace WaylarkKit {

// Keeps a DesktopMotionSetting up to date from the desktop portal's Settings
// interface on a bus: it asks for the current values once and then hears
// each SettingChanged, so nothing polls and a change reaches the next figure
// a view builds. Without a bus, or without a portal on it, the setting keeps
// what it started from.
class PortalMotionListener final : public QObject {
    Q_OBJECT

public:
    PortalMotionListener(DesktopMotionSetting setting, QDBusConnection bus);
    ~PortalMotionListener() override;
    PortalMotionListener(const PortalMotionListener&) = delete;
    PortalMotionListener& operator=(const PortalMotionListener&) = delete;

    const DesktopMotionSetting& setting() const { return setting_; }
    bool isListening() const { return listening_; }

private Q_SLOTS:
    // The portal's SettingChanged: a namespace, a key and the value in a variant.
    void settingChanged(const QDBusMessage& message);

private:
    void read(std::string_view settingNamespace, std::string_view key);
    void apply(const QString& settingNamespace, const QString& key, const QVariant& value);

    DesktopMotionSetting setting_;
    QDBusConnection bus_;
    bool listening_ = false;
};

}  // namespace WaylarkKit
