#include <QFontMetricsF>
#include <QPainter>
#include <gtest/gtest.h>

#include "Base/ManualScheduler.h"
#include "WaylarkKit/Greeting/Qt/GreetingWordView.h"
#include "WaylarkKit/Greeting/Qt/WordLayoutQt.h"
#include "WaylarkKit/Style/Qt/Fonts.h"
#include "WaylarkKit/tests/support/WidgetTesting.h"

using namespace WaylarkKit;
using Style = GreetingMotion::Style;

// Words with spaces show in the reference images.
TEST(WordLayoutTest, LettersAreTheNonSpaceCharactersInTheirLinePlaces) {
    WaylarkKitTest::app();
    const QFont font = interFont(14, FontWeight::semibold);
    const double height = std::ceil(QFontMetricsF(font).ascent() + QFontMetricsF(font).descent()) + 2;

    const WordLayout empty = layOutWord(QString(), font);
    EXPECT_EQ(empty.width, 0);
    EXPECT_EQ(empty.height, height);
    EXPECT_TRUE(empty.letters.empty());

    const WordLayout spaces = layOutWord(QStringLiteral("   "), font);
    EXPECT_GT(spaces.width, 0);
    EXPECT_TRUE(spaces.letters.empty());

    // A character of two UTF-16 units, and one with a combining mark, are one letter each.
    const WordLayout wide = layOutWord(QString::fromUtf8("a\xF0\x9F\x98\x80" "e\xCC\x81"), font);
    ASSERT_EQ(wide.letters.size(), 3u);
    EXPECT_GT(wide.letters[1].x1, wide.letters[1].x0);
}

namespace {

QImage wordSheet(const QString& text, Style style, const std::vector<double>& times) {
    WaylarkKitTest::app();
    Base::ManualScheduler scheduler;
    GreetingWordView view(text, style, 5, 14, scheduler, fixedReduceMotion(false));
    const QSize cell = view.size();
    QImage sheet(QSize(cell.width(), cell.height() * static_cast<int>(times.size())) * 2,
                 QImage::Format_ARGB32_Premultiplied);
    sheet.setDevicePixelRatio(2);
    QPainter painter(&sheet);
    double elapsed = 0;
    for (std::size_t i = 0; i < times.size(); ++i) {
        scheduler.advance(times[i] - elapsed);
        elapsed = times[i];
        painter.drawImage(QPoint(0, static_cast<int>(i) * cell.height()), WaylarkKitTest::render(view, 2));
    }
    return sheet;
}

}  // namespace

TEST(GreetingWordViewTest, WordsMatchTheirReferences) {
    EXPECT_TRUE(WaylarkKitTest::matchesGolden(
        wordSheet(QStringLiteral("Welcome"), Style::wave, {0.2, 0.35, 1.0, 2.0, 4.45, 4.8}), "greeting-wave"));
    EXPECT_TRUE(WaylarkKitTest::matchesGolden(
        wordSheet(QStringLiteral("Ana Maria"), Style::shine, {0.3, 1.2, 1.5, 4.6}), "greeting-shine"));
}

TEST(GreetingWordViewTest, RebuildsOnlyOnAChangeAndStaysInsideItsCanvas) {
    WaylarkKitTest::app();
    Base::ManualScheduler scheduler;
    QWidget window;
    auto* view = new GreetingWordView(QStringLiteral("Welcome"), Style::wave, 5, 14, scheduler,
                                      fixedReduceMotion(false), &window);
    window.show();
    EXPECT_TRUE(view->isAnimating());
    EXPECT_EQ(view->wordRect().size(), view->wordSize().toSize());
    view->update(QStringLiteral("Welcome"), Style::wave, 5);
    EXPECT_EQ(view->buildCount(), 1);
    view->update(QStringLiteral("Welcome"), Style::wave, 4);
    EXPECT_EQ(view->buildCount(), 2);

    const QRectF canvas = QRectF(view->rect()).translated(-view->wordRect().topLeft());
    for (double t = 0; t < 5; t += 1.0 / 60) {
        for (const DrawItem& item : sampleFigure(view->figure(), t).items) {
            const auto area = coveredArea(item);
            EXPECT_TRUE(canvas.contains(QRectF(area.x, area.y, area.width, area.height))) << t;
        }
    }
    scheduler.advance(5);  // the word has left: nothing more to draw
    EXPECT_FALSE(view->isAnimating());
    EXPECT_EQ(scheduler.pendingCount(), 0u);

    GreetingWordView still(QStringLiteral("Hi"), Style::shine, 5, 14, scheduler, fixedReduceMotion(true));
    EXPECT_FALSE(still.figure().animates());
    for (const DrawItem& item : sampleFigure(still.figure(), 0).items) EXPECT_EQ(item.opacity, 1);
}
