#include <gtest/gtest.h>

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QPainter>
#include <QSystemTrayIcon>

#include "WaylarkKit/App/Qt/StatusItemController.h"
#include "WaylarkKit/tests/support/StandingOut.h"
#include "WaylarkKit/Style/Qt/Fonts.h"
#include "WaylarkKit/tests/App/Qt/AppFakes.h"
#include "WaylarkKit/tests/support/WidgetTesting.h"

using namespace WaylarkKit;
using namespace WaylarkKitTest;

TEST(StatusItemControllerTest, TheMenuIsRebuiltFromTheFactsEachTimeItOpens) {
    app();
    auto login = std::make_unique<FakeLoginItem>();
    FakeLoginItem& loginItem = *login;
    std::string status = "Waiting for TradingView";
    std::vector<std::string> calls;
    StatusItemController controller(
        std::move(login), [&] { return status; }, [&] { calls.push_back("quit"); },
        [] {
            return std::vector<StatusMenuModel::DisplayRow>{{"A", "Built-in display", true, false},
                                                            {"B", "Tom & Jerry", false, true}};
        },
        [&](const std::string& id) { calls.push_back("toggle " + id); });
    EXPECT_EQ(controller.trayIcon().toolTip(), "Orl Trading Waylark");
    // Each row as the menu shows it: text (a lone "&" doubled), enabled, checkable, checked.
    auto rows = [&] {
        Q_EMIT controller.menu().aboutToShow();
        std::map<QString, std::tuple<bool, bool, bool>> out;
        for (const QAction* a : controller.menu().actions())
            out[a->text()] = {a->isEnabled(), a->isCheckable(), a->isChecked()};
        return out;
    };
    auto trigger = [&](const QString& text) {
        for (QAction* a : controller.menu().actions()) {
            if (a->text() == text) a->trigger();
        }
    };
    auto shown = rows();
    EXPECT_EQ(controller.menu().actions().size(), 10);
    EXPECT_EQ(shown["Waiting for TradingView"], std::make_tuple(false, false, false));
    EXPECT_EQ(shown["Start at login"], std::make_tuple(true, true, false));
    EXPECT_EQ(shown["Built-in display"], std::make_tuple(false, true, true));
    EXPECT_EQ(shown["Tom && Jerry"], std::make_tuple(true, true, false));
    trigger("Tom && Jerry");
    trigger("Quit");
    EXPECT_EQ(calls, (std::vector<std::string>{"toggle B", "quit"}));

    // A failed change shows at the next opening, beside the state read afresh.
    loginItem.failWith = "no & way";
    trigger("Start at login");
    status = "Active: TradingView is running";
    shown = rows();
    EXPECT_TRUE(shown.contains("Active: TradingView is running"));
    EXPECT_TRUE(shown.contains("Could not change: no && way"));
    loginItem.failWith.reset();
    trigger("Start at login");
    shown = rows();
    EXPECT_EQ(shown["Start at login"], std::make_tuple(true, true, true));
    EXPECT_FALSE(shown.contains("Could not change: no && way"));
}

TEST(StatusItemControllerTest, TheMenuTakesTheIslandsLook) {
    app();
    loadFonts();
    StatusItemController controller(std::make_unique<FakeLoginItem>(), [] { return "Waiting for TradingView"; }, [] {},
                                    [] {
                                        return std::vector<StatusMenuModel::DisplayRow>{
                                            {"A", "Built-in display", true, false}, {"B", "DELL U2720Q", false, true}};
                                    },
                                    [](const std::string&) {});
    QMenu& menu = controller.menu();
    Q_EMIT menu.aboutToShow();
    menu.adjustSize();
    EXPECT_EQ(menu.font().family(), interFont(13).family());
    const QImage image = menu.grab().toImage();
    // A dark panel with light text: far more dark pixels than light ones, and some light ones.
    int dark = 0, light = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() < 255) continue;
            if (pixel.lightness() < 40) ++dark;
            if (pixel.lightness() > 160) ++light;
        }
    }
    EXPECT_GT(dark, 10 * light);
    EXPECT_GT(light, 0);
}

// A Linux tray says nothing reliable about its panel's colour, so the icon
// must stand out on a light panel and a dark one alike, painted as the tray
// host paints it, at every size a tray asks for and at twice the pixel ratio.
// Its dark outline must not outweigh the white glyph, or the small sizes turn
// into a blob on a light panel.
TEST(StatusItemControllerTest, TheTrayIconReadsOnLightAndDarkPanels) {
    app();
    StatusItemController controller(std::make_unique<FakeLoginItem>(), {}, {}, {}, {});
    const QIcon icon = controller.trayIcon().icon();
    // The icon painted over the panel, as the tray host paints it.
    auto standingOut = [&](int points, double ratio, const QColor& panel) {
        const int pixels = static_cast<int>(points * ratio);
        QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(panel);
        QPainter painter(&image);
        icon.paint(&painter, QRect(0, 0, points, points));
        painter.end();
        return WaylarkKitTest::standingOut(image, QRect(0, 0, pixels, pixels), panel);
    };
    const QColor white(Qt::white), trayerGrey(0xd9, 0xd9, 0xd9), darkTheme(0x30, 0x30, 0x30), black(Qt::black);
    const struct {
        int points;
        double ratio;
    } sizes[] = {{16, 1}, {22, 1}, {24, 1}, {32, 1}, {48, 1}, {16, 2}, {22, 2}, {24, 2}};
    for (const auto& [points, ratio] : sizes) {
        SCOPED_TRACE(std::to_string(points) + " points at ratio " + std::to_string(ratio));
        for (const QColor& panel : {white, trayerGrey, darkTheme, black}) {
            EXPECT_GE(standingOut(points, ratio, panel), 0.15) << panel.name().toStdString();
        }
        EXPECT_LE(standingOut(points, ratio, white), 1.3 * standingOut(points, ratio, black));
    }
}
