#include <gtest/gtest.h>

#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>

#include "WaylarkKit/Showreel/Qt/ShowreelBackdrop.h"
#include "WaylarkKit/tests/support/WidgetTesting.h"

namespace WaylarkKit {
namespace {

using WaylarkKitTest::app;

bool near(QColor actual, QColor expected) {
    const int tolerance = 2;
    return std::abs(actual.red() - expected.red()) <= tolerance &&
           std::abs(actual.green() - expected.green()) <= tolerance &&
           std::abs(actual.blue() - expected.blue()) <= tolerance && actual.alpha() == 255;
}

TEST(ShowreelBackdrop, WallpaperRunsFromBurntOrangeThroughPlumToDeepViolet) {
    QImage image(40, 201, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        paintWallpaper(painter, image.rect());
    }
    EXPECT_TRUE(near(image.pixelColor(20, 0), QColor::fromRgbF(0.83f, 0.41f, 0.16f)));
    EXPECT_TRUE(near(image.pixelColor(3, 100), QColor::fromRgbF(0.55f, 0.24f, 0.42f)));
    EXPECT_TRUE(near(image.pixelColor(39, 200), QColor::fromRgbF(0.17f, 0.11f, 0.26f)));
    // Opaque everywhere, and one colour across each row.
    for (int y = 0; y < image.height(); y += 20) {
        EXPECT_EQ(image.pixelColor(0, y).alpha(), 255);
        EXPECT_EQ(image.pixelColor(0, y), image.pixelColor(39, y));
    }
}

TEST(ShowreelBackdrop, EachShowAddsAPanelOverTheScreenAndParksThePointer) {
    app();
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_TRUE(screen);
    ShowreelBackdrop backdrop;
    EXPECT_TRUE(backdrop.panels().empty());
    backdrop.show(screen);
    backdrop.show(screen);
    ASSERT_EQ(backdrop.panels().size(), 2u);
    for (const auto& panel : backdrop.panels()) {
        EXPECT_TRUE(panel->isVisible());
        EXPECT_EQ(panel->geometry(), screen->geometry());
        EXPECT_TRUE(panel->testAttribute(Qt::WA_OpaquePaintEvent));
        EXPECT_TRUE(panel->windowFlags().testFlag(Qt::FramelessWindowHint));
        EXPECT_TRUE(panel->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    }
    const QRect frame = screen->geometry();
    EXPECT_EQ(QCursor::pos(screen), QPoint(frame.right() - 1, frame.bottom() - 1));
    // No screen, no panel.
    backdrop.show(nullptr);
    EXPECT_EQ(backdrop.panels().size(), 2u);
}

}  // namespace
}  // namespace WaylarkKit
