#include <map>
#include <utility>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

#include "Base/ManualScheduler.h"
#include "WaylarkKit/Greeting/Qt/GreetingWordView.h"
#include "WaylarkKit/Mascot/Qt/MascotView.h"
#include "WaylarkKit/Motion/Qt/PortalMotionListener.h"
#include "WaylarkKit/tests/support/WidgetTesting.h"

using namespace WaylarkKit;

namespace {

using Setting = DesktopMotionSetting;

// The desktop portal's Settings object: Read answers with the value in a
// variant in a variant, as the real one does, or with an error.
class PortalSettings final : public QDBusVirtualObject {
public:
    std::map<std::pair<QString, QString>, QVariant> values;

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        const QList<QVariant> arguments = message.arguments();
        if (message.member() != "Read" || arguments.size() != 2) return false;
        const auto found = values.find({arguments[0].toString(), arguments[1].toString()});
        const QDBusMessage reply =
            found == values.end()
                ? message.createErrorReply(QStringLiteral("org.freedesktop.portal.Error.NotFound"), "no such key")
                : message.createReply(QVariant::fromValue(QDBusVariant(QVariant::fromValue(QDBusVariant(found->second)))));
        return connection.send(reply);
    }
    QString introspect(const QString&) const override { return {}; }
};

// A bus of this test's own, with a stand-in for the desktop portal on it
// that answers and announces settings as the real one does.
class PrivateBus {
public:
    PrivateBus() {
        daemon_.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address"});
        if (daemon_.waitForReadyRead(10'000)) address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    }
    ~PrivateBus() {
        for (const QString& name : names_) QDBusConnection::disconnectFromBus(name);
        daemon_.terminate();
        daemon_.waitForFinished(5000);
    }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    QDBusConnection connection(const QString& name) {
        names_ << name;
        return QDBusConnection::connectToBus(address_, name);
    }
    bool portalOnline() {
        portal_ = connection(QStringLiteral("portal"));
        return portal_.isConnected() && portal_.registerService(QStringLiteral("org.freedesktop.portal.Desktop")) &&
               portal_.registerVirtualObject(QStringLiteral("/org/freedesktop/portal/desktop"), &settings);
    }
    void settingChanged(std::string_view space, std::string_view key, const QVariant& value) {
        QDBusMessage message = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/portal/desktop"),
                                                          QStringLiteral("org.freedesktop.portal.Settings"),
                                                          QStringLiteral("SettingChanged"));
        message << QString::fromUtf8(space.data(), qsizetype(space.size()))
                << QString::fromUtf8(key.data(), qsizetype(key.size())) << QVariant::fromValue(QDBusVariant(value));
        portal_.send(message);
    }

    PortalSettings settings;

private:
    QProcess daemon_;
    QString address_;
    QStringList names_;
    QDBusConnection portal_{QString()};
};

}  // namespace

TEST(PortalMotionListenerTest, ADesktopChangeReachesTheViewsWithoutARestart) {
    WaylarkKitTest::app();
    PrivateBus bus;
    ASSERT_TRUE(bus.portalOnline());
    bus.settings.values[{QString(Setting::gnomeNamespace.data()), QString(Setting::gnomeKey.data())}] = false;
    // gsettings said animate; the portal, asked once at start, says otherwise.
    PortalMotionListener listener(Setting(true, std::nullopt), bus.connection(QStringLiteral("app")));
    ASSERT_TRUE(listener.isListening());
    const auto reduces = [&](bool reduce) {
        return QTest::qWaitFor([&] { return listener.setting().reduce() == reduce; }, 5000);
    };
    ASSERT_TRUE(reduces(true));

    bus.settingChanged(Setting::gnomeNamespace, Setting::gnomeKey, true);
    ASSERT_TRUE(reduces(false));
    Base::ManualScheduler scheduler;
    MascotView mascot(35, scheduler, listener.setting().flag());
    mascot.show(MascotKind::session(true));
    EXPECT_TRUE(mascot.figure().animates());

    bus.settingChanged(Setting::gnomeNamespace, Setting::gnomeKey, false);
    ASSERT_TRUE(reduces(true));
    // The next figure of a view built before the change is still.
    mascot.show(MascotKind::out());
    mascot.show(MascotKind::session(true));
    EXPECT_FALSE(mascot.figure().animates());
    GreetingWordView word(QStringLiteral("Hi"), GreetingMotion::Style::shine, 5, 14, scheduler,
                          listener.setting().flag());
    EXPECT_FALSE(word.figure().animates());

    bus.settingChanged(Setting::gnomeNamespace, Setting::gnomeKey, true);
    ASSERT_TRUE(reduces(false));
    // The portal's own key counts as well.
    bus.settingChanged(Setting::appearanceNamespace, Setting::reducedMotionKey, 1u);
    ASSERT_TRUE(reduces(true));
    bus.settingChanged(Setting::appearanceNamespace, Setting::reducedMotionKey, 0u);
    ASSERT_TRUE(reduces(false));
    mascot.show(MascotKind::out());
    mascot.show(MascotKind::session(true));
    EXPECT_TRUE(mascot.figure().animates());
}

TEST(PortalMotionListenerTest, WithoutABusTheStartUpValueStands) {
    WaylarkKitTest::app();
    const PortalMotionListener listener(Setting(false, std::nullopt),
                                        QDBusConnection(QStringLiteral("none")));
    EXPECT_FALSE(listener.isListening());
    EXPECT_TRUE(listener.setting().flag()());
}
