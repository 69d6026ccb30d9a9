#include <QPainter>
#include <gtest/gtest.h>

#include "WaylarkKit/Style/Qt/Fonts.h"
#include "WaylarkKit/Style/Qt/Symbols.h"
#include "WaylarkKit/Style/Qt/TextDrawing.h"
#include "WaylarkKit/tests/support/WidgetTesting.h"

using namespace WaylarkKit;

TEST(StyleTest, InterIsLoadedAndDigitsTakeEqualCells) {
    WaylarkKitTest::app();
    ASSERT_TRUE(loadFonts());
    const QFont font = interFont(12, FontWeight::semibold);
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Inter"));
    EXPECT_DOUBLE_EQ(MonoDigits::width(font, QStringLiteral("11:11")), MonoDigits::width(font, QStringLiteral("00:00")));
    EXPECT_DOUBLE_EQ(MonoDigits::width(font, QStringLiteral("1")), MonoDigits::width(font, QStringLiteral("8")));
}

TEST(StyleTest, ElisionKeepsWholeGraphemeClusters) {
    WaylarkKitTest::app();
    const QFont font = interFont(12);
    // "e" with a combining acute, repeated: a cut must never split the pair.
    QString text;
    for (int i = 0; i < 30; ++i) text += QStringLiteral("e\u0301");
    const QString cut = elided(text, font, 60);
    ASSERT_TRUE(cut.endsWith(QChar(0x2026)));
    EXPECT_EQ((cut.size() - 1) % 2, 0);
    EXPECT_EQ(elided(QStringLiteral("Short"), font, 200), QStringLiteral("Short"));
}

TEST(StyleTest, SymbolsMatchTheirReference) {
    WaylarkKitTest::app();
    const Symbol all[] = {Symbol::timer,     Symbol::pencil,         Symbol::chevronDown,           Symbol::checkmark,
                          Symbol::plus,      Symbol::plusCircleFill, Symbol::xmark,                 Symbol::minus,
                          Symbol::listBullet, Symbol::calendar,      Symbol::chevronUp,             Symbol::chevronRight,
                          Symbol::triangleDownFill, Symbol::play,    Symbol::exclamationCircleFill, Symbol::arrowLeftRight,
                          Symbol::square,    Symbol::checkmarkSquareFill};
    constexpr int count = std::size(all);
    QImage image(QSize(count * 24, 24) * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    image.fill(Qt::black);
    QPainter painter(&image);
    for (int i = 0; i < count; ++i) {
        paintSymbol(painter, all[i], QRectF(i * 24 + 4, 4, 16, 16), Qt::white, symbolStroke(16));
    }
    painter.end();
    EXPECT_TRUE(WaylarkKitTest::matchesGolden(image, "style-symbols"));
}
