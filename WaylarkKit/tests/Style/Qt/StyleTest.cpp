#include <functional>

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QTextBoundaryFinder>
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

TEST(StyleTest, TextShapedOnceDrawsWhatDrawingItWholeDraws) {
    WaylarkKitTest::app();
    const auto drawn = [](const std::function<void(QPainter&)>& paint) {
        QImage image(120, 32, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setPen(QColor(0xFF, 0x45, 0x3A));
        painter.setOpacity(0.6);
        paint(painter);
        return image;
    };
    // Letters, digits in their cells, letters after digits, and one mark, in
    // two fonts: the pieces shaped for one are never reused for the other.
    for (const QFont& font : {interFont(12, FontWeight::bold), interFont(18, FontWeight::regular)}) {
        for (const QString& text :
             {QStringLiteral("Lond"), QStringLiteral("4:05"), QStringLiteral("CPI 10m"), QStringLiteral("!")}) {
            const QPointF origin(3.25, 22);
            const QImage whole = drawn([&](QPainter& p) { MonoDigits::draw(p, origin, font, text); });
            const QImage shaped = drawn([&](QPainter& p) {
                for (const QGlyphRun& glyphs : MonoDigits::glyphRuns(font, text)) p.drawGlyphRun(origin, glyphs);
            });
            EXPECT_EQ(shaped, whole) << text.toStdString() << " at " << font.pointSizeF();
            EXPECT_NEAR(MonoDigits::width(font, text), QFontMetricsF(font).horizontalAdvance(text), text.size() * 2.0);
        }
    }
}

TEST(StyleTest, ElisionKeepsWholeGraphemeClusters) {
    WaylarkKitTest::app();
    const QFont font = interFont(12);
    // An accented letter and a toned emoji, each one character of several
    // UTF-16 units: wherever the cut falls, it never splits one.
    QString text;
    for (int i = 0; i < 15; ++i) text += QString::fromUtf8("e\xCC\x81\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD");
    QTextBoundaryFinder clusters(QTextBoundaryFinder::Grapheme, text);
    for (double width = 20; width < 200; width += 3) {
        const QString cut = elided(text, font, width);
        ASSERT_TRUE(cut.endsWith(QChar(0x2026))) << width;
        clusters.setPosition(cut.size() - 1);
        EXPECT_TRUE(clusters.isAtBoundary()) << width;
    }
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
