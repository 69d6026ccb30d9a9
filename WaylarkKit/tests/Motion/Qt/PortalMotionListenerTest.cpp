#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QTest>
#include <gtest/gtest.h>

#include "Base/ManualScheduler.h"
#include "WaylarkKit/Mascot/Qt/MascotView.h"
#include "WaylarkKit/Motion/Qt/PortalMotionListener.h"
#include "WaylarkKit/Views/PulsingText.h"
#include "WaylarkKit/Views/Qt/PulsingLabel.h"
#include "WaylarkKit/Style/Qt/QtText.h"
#include "WaylarkKit/tests/support/PrivateBus.h"
#include "WaylarkKit/tests/support/WidgetTesting.h"

using namespace WaylarkKit;
using Setting = DesktopMotionSetting;

namespace {

const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString settingsInterface = QStringLiteral("org.freedesktop.portal.Settings");

// A stand-in for the desktop portal on a bus of this test's own: Read says
// animations are off, in a variant in a variant as the real one does.
struct Portal final : QDBusVirtualObject {
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        const bool known = message.member() == "Read" && message.arguments().value(1) == qtText(Setting::gnomeKey);
        const QVariant off = QVariant::fromValue(QDBusVariant(QVariant::fromValue(QDBusVariant(false))));
        return connection.send(known ? message.createReply(off) : message.createErrorReply("NotFound", ""));
    }
    QString introspect(const QString&) const override { return {}; }
};

}  // namespace

TEST(PortalMotionListenerTest, ADesktopChangeReachesTheViewsWithoutARestart) {
    WaylarkKitTest::app();
    const WaylarkKitTest::PrivateBus bus;
    ASSERT_FALSE(bus.address.empty());
    const QString address = QString::fromStdString(bus.address);
    Portal settings;
    QDBusConnection portal = QDBusConnection::connectToBus(address, "portal");
    ASSERT_TRUE(portal.registerService("org.freedesktop.portal.Desktop") &&
                portal.registerVirtualObject(portalPath, &settings));
    const auto changed = [&](std::string_view space, std::string_view key, const QVariant& value) {
        QDBusMessage signal = QDBusMessage::createSignal(portalPath, settingsInterface, "SettingChanged");
        portal.send(signal << qtText(space) << qtText(key) << QVariant::fromValue(QDBusVariant(value)));
    };
    {
        // gsettings said animate at start; the portal, asked once, says otherwise.
        PortalMotionListener listener(Setting(true, std::nullopt), QDBusConnection::connectToBus(address, "app"));
        const auto reduces = [&](bool reduce) {
            return QTest::qWaitFor([&] { return listener.setting().reduce() == reduce; }, 5000);
        };
        ASSERT_TRUE(reduces(true));
        Base::ManualScheduler scheduler;
        MascotView mascot(35, scheduler, listener.setting().flag());
        mascot.show(MascotKind::session(true));
        int repaints = 0;
        PulsingLabel badge(scheduler, listener.setting().flag(), [&] { ++repaints; });
        badge.setShown(true);
        const auto moving = [&](bool moves) {
            EXPECT_EQ(mascot.figure().animates(), moves);
            EXPECT_EQ(badge.isAnimating(), moves);
        };
        moving(false);

        // Views built before the change follow it while they show the same thing.
        changed(Setting::gnomeNamespace, Setting::gnomeKey, true);
        ASSERT_TRUE(reduces(false));
        moving(true);
        // Turned on with the label dimmed halfway through its pulse, it is painted at full strength again.
        scheduler.advance(PulsingText::halfPeriod);
        ASSERT_LT(badge.opacity(), 0.6);
        repaints = 0;
        changed(Setting::appearanceNamespace, Setting::reducedMotionKey, 1u);
        ASSERT_TRUE(reduces(true));
        moving(false);
        EXPECT_EQ(badge.opacity(), 1.0);
        EXPECT_GT(repaints, 0);
    }
    QDBusConnection::disconnectFromBus("app");
    QDBusConnection::disconnectFromBus("portal");
}

TEST(PortalMotionListenerTest, WithoutABusTheStartUpValueStands) {
    WaylarkKitTest::app();
    const PortalMotionListener listener(Setting(false, std::nullopt), QDBusConnection(QStringLiteral("none")));
    EXPECT_FALSE(listener.isListening());
    EXPECT_TRUE(listener.setting().flag()());
}
