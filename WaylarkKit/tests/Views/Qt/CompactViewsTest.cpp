#include <QApplication>

#include "WaylarkKit/Checklist/Qt/ChecklistIndicator.h"
#include "WaylarkKit/Mascot/Qt/MascotView.h"
#include "WaylarkKit/Views/Qt/CenterMascotView.h"
#include "WaylarkKit/Views/Qt/LeftStatusView.h"
#include "WaylarkKit/Views/Qt/RightActivitiesView.h"
#include "WaylarkKit/tests/Views/Qt/IslandViewsFixture.h"

using namespace WaylarkKit;
using namespace WaylarkKit::Testing;

namespace {

using Item = RightActivitiesView::Item;

class CompactViewsTest : public IslandViewsTest {
protected:
    LeftStatusView& left() { return *dynamic_cast<LeftStatusView*>(root->leadingView()); }
    RightActivitiesView& right() { return *dynamic_cast<RightActivitiesView*>(root->trailingView()); }

    void click(QWidget& view, QPointF at) { QTest::mouseClick(&view, Qt::LeftButton, {}, at.toPoint()); }
    const Item& itemOf(const std::string& title) {
        for (const Item& item : right().items()) {
            if (item.activity.title == title) return item;
        }
        throw std::runtime_error("no item " + title);
    }
    // Hovers the right-hand item as the island host would: x from the trailing slot's left edge.
    void hover(const Item& item) {
        timing.setHoverZone(IslandKit::IslandHoverZone::trailing(item.rect.center().x() + right().x()), "A", true);
    }
};

TEST_F(CompactViewsTest, ClicksOpenTheirTabs) {
    islandAt(DemoMoment::cpiBlackout);
    click(left(), left().rowRect().center());
    click(right(), right().items().front().rect.center());  // the lot-size button
    click(right(), itemOf("Kill zone").rect.center());
    click(right(), right().items().back().rect.center());   // the checklist badge, through its own widget
    EXPECT_EQ(opened, (std::vector<L2Tab>{L2Tab::timeline, L2Tab::calculator, L2Tab::timeline, L2Tab::checklist}));
    // A news item focuses its release in the weekly tab.
    click(right(), itemOf("CPI").rect.center());
    EXPECT_EQ(timing.weeklyFocusID(), itemOf("CPI").activity.id);
    EXPECT_EQ(opened.back(), L2Tab::weekly);
    // Without the callback a click does nothing.
    opened.clear();
    timing.setOnOpenTab({});
    click(left(), left().rowRect().center());
    EXPECT_TRUE(opened.empty());
}

TEST_F(CompactViewsTest, HoverGrowsTheItemUnderThePointer) {
    islandAt(DemoMoment::killZone);
    timing.setHoverZone(IslandKit::IslandHoverZone::leading(), "A", true);
    settle(0.3);
    EXPECT_DOUBLE_EQ(left().magnification(), 1.1);
    EXPECT_DOUBLE_EQ(left().mascotView()->magnification(), 1.1);
    hover(itemOf("Kill zone"));
    settle(0.3);
    EXPECT_DOUBLE_EQ(left().magnification(), 1.0);
    EXPECT_DOUBLE_EQ(right().magnification("act:" + itemOf("Kill zone").activity.id), 1.1);
    hover(right().items().back());
    settle(0.3);
    EXPECT_DOUBLE_EQ(right().magnification("checklist"), 1.1);
    // Another island's hover leaves this one alone.
    timing.setHoverZone(IslandKit::IslandHoverZone::leading(), "B", true);
    settle(0.3);
    EXPECT_DOUBLE_EQ(right().magnification("checklist"), 1.0);
    EXPECT_DOUBLE_EQ(left().magnification(), 1.0);
}

TEST_F(CompactViewsTest, RepaintsOnlyWhatChanges) {
    reduceMotion = true;
    islandAt(DemoMoment::killZone - 8, 1);  // "Pre-session", "KZ" and "Silver Bullet in 5m", counting down
    PaintCounter counters[] = {PaintCounter(&left()), PaintCounter(&right()), PaintCounter(left().mascotView()),
                               PaintCounter(right().checklistIndicator())};
    // Paints of the status, the activities, the mascot and the badge over ten
    // ticks, once past the full status word's 5 s and the island settled at its width.
    const auto tenTicks = [&] {
        for (int i = 0; i < 3; ++i) {
            settle(i == 0 ? 5 : 1.5);
            QApplication::processEvents();
        }
        for (auto& counter : counters) counter.take();
        for (int i = 0; i < 10; ++i) {
            scheduler.advance(1);
            QApplication::processEvents();  // whatever the tick asked the window to paint
        }
        std::vector<int> paints;
        for (auto& counter : counters) paints.push_back(counter.take());
        return paints;
    };
    EXPECT_EQ(tenTicks(), (std::vector<int>{10, 10, 0, 0}));
    play(DemoMoment::outside, 1);  // outside every window with nothing coming
    EXPECT_EQ(tenTicks(), (std::vector<int>{0, 0, 0, 0}));
    // A change of status repaints.
    play(DemoMoment::cpiBlackout, 1);
    QApplication::processEvents();
    EXPECT_EQ(left().status().word, "Restricted");
    EXPECT_GT(counters[0].take(), 0);
    EXPECT_GT(counters[1].take(), 0);
}

TEST_F(CompactViewsTest, AtRestTheMascotThePulseAndTheCountdownsShareTheirFrames) {
    // The mascot breathing, the badge's "!" pulsing and two countdowns ticking.
    islandAt(DemoMoment::killZone - 8, 1);
    for (int i = 0; i < 3; ++i) {
        settle(i == 0 ? 5 : 1.5);  // past the full status word's 5 s and the island's settling to its width
        QApplication::processEvents();
    }
    ASSERT_TRUE(left().mascotView()->isAnimating());
    ASSERT_TRUE(right().checklistIndicator()->mark().isAnimating());
    PaintCounter counters[] = {PaintCounter(&left()), PaintCounter(&right()), PaintCounter(left().mascotView()),
                               PaintCounter(right().checklistIndicator())};
    QApplication::processEvents();
    for (auto& counter : counters) counter.take();
    // A frame is a pass of the event loop that paints anything at all.
    int frames = 0, countdowns = 0, mascot = 0, badge = 0;
    for (int step = 0; step < 6 * 120; ++step) {
        scheduler.advance(1.0 / 120);
        QApplication::processEvents();
        const int l = counters[0].take(), r = counters[1].take(), m = counters[2].take(), b = counters[3].take();
        frames += (l + r + m + b) > 0;
        countdowns += l > 0;
        mascot += m > 0;
        badge += b > 0;
    }
    // Each of them still moves on screen...
    EXPECT_GE(countdowns, 6);
    EXPECT_GE(mascot, 12);
    EXPECT_GE(badge, 24);
    // ...but never on a frame of its own: 6 s at the loop rate.
    EXPECT_LE(frames, 6 * FrameClock::loopFramesPerSecond + 1);
}

TEST_F(CompactViewsTest, ActivitiesReportTheirFramesAndForgetTheGoneOnes) {
    islandAt(DemoMoment::cpiBlackout - 10, 1);
    const std::string cpi = "news:" + itemOf("CPI").activity.id;
    ASSERT_TRUE(timing.trailingFrames().count(cpi));
    const QRectF shown = itemOf("CPI").rect.translated(right().pos());
    EXPECT_DOUBLE_EQ(timing.trailingFrames().at(cpi).x, shown.x());
    EXPECT_DOUBLE_EQ(timing.trailingFrames().at(cpi).width, shown.width());
    // After its blackout and the linger that follows, CPI leaves the list and its frame goes with it.
    const int before = right().sizeHint().width();
    play(DemoMoment::ppiBlackout, 1);
    EXPECT_FALSE(timing.trailingFrames().count(cpi));
    for (const auto& [key, frame] : timing.trailingFrames()) EXPECT_TRUE(right().item(key)) << key;
    // The island's slot follows the row's new width.
    EXPECT_NE(right().sizeHint().width(), before);
    ASSERT_TRUE(WaylarkKitTest::processUntil([&] { return islandModel->slots().trailing == right().sizeHint().width(); }));
}

TEST_F(CompactViewsTest, CalculatorGlyphIsBrightOnlyOnTheIslandShowingTheLotSizeTab) {
    islandAt(DemoMoment::killZone);
    EXPECT_EQ(right().items().front().glyphColour.alpha(), 191);
    expand(L2Tab::calculator);
    EXPECT_EQ(right().items().front().glyphColour.alpha(), 255);
    timing.setExpandedIsland("B");
    EXPECT_EQ(right().items().front().glyphColour.alpha(), 191);
}

TEST_F(CompactViewsTest, PulsingLabelsRunOnlyWhileShownAndMoving) {
    islandAt(DemoMoment::cpiBlackout);
    const std::string id = itemOf("CPI").activity.id;
    const PulsingLabel* label = right().pulsingLabel(id);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->colour(), QColor(0xFF, 0x45, 0x3A));
    EXPECT_TRUE(label->isAnimating());
    settle(0.1);  // 1.1 s after the label appeared with the island
    EXPECT_NEAR(label->opacity(), 0.45, 0.03);
    right().hide();
    EXPECT_FALSE(label->isAnimating());
    right().show();
    EXPECT_TRUE(label->isAnimating());
    EXPECT_EQ(right().pulsingLabel(itemOf("Kill zone").activity.id), nullptr);  // upcoming: steady
    // No checklist yet: the badge's "!" pulses too.
    EXPECT_TRUE(right().checklistIndicator()->mark().isAnimating());
}

TEST_F(CompactViewsTest, ReduceMotionHoldsThePulsesStill) {
    reduceMotion = true;
    islandAt(DemoMoment::cpiBlackout);
    const PulsingLabel* label = right().pulsingLabel(itemOf("CPI").activity.id);
    ASSERT_NE(label, nullptr);
    EXPECT_FALSE(label->isAnimating());
    EXPECT_EQ(label->opacity(), 1.0);
    EXPECT_FALSE(right().checklistIndicator()->mark().isAnimating());
}

TEST_F(CompactViewsTest, GreetingShowsTheTwoWordsAndStillOpensTheTimeline) {
    settings.setGreetingEnabled(true);
    play(DemoMoment::killZone, 1);
    timing.previewGreeting();
    island();
    ASSERT_NE(left().greetingView(), nullptr);
    ASSERT_NE(right().greetingView(), nullptr);
    EXPECT_EQ(left().status().greetingWord, "Welcome");
    EXPECT_FALSE(left().mascotView()->isVisible());
    EXPECT_FALSE(right().checklistIndicator()->isVisible());
    click(right(), QRectF(right().greetingView()->wordRect()).center());
    EXPECT_EQ(opened, std::vector<L2Tab>{L2Tab::timeline});
    // A new run is a new word view: the old one is gone (its address may be reused).
    const QPointer<const GreetingWordView> first(right().greetingView());
    timing.previewGreeting();
    EXPECT_TRUE(first.isNull());
    EXPECT_NE(right().greetingView(), nullptr);
    settle(6);
    EXPECT_EQ(left().greetingView(), nullptr);
    EXPECT_EQ(right().greetingView(), nullptr);
    EXPECT_TRUE(left().mascotView()->isVisible());
}

TEST_F(CompactViewsTest, WithoutANotchTheMascotSitsInTheMiddle) {
    play(DemoMoment::cpiBlackout, 0);
    const IslandKit::ScreenMetrics flat{IslandKit::Rect{0, 0, 1512, 982}, std::nullopt, 24, std::nullopt,
                                        std::nullopt};
    island(flat);
    EXPECT_EQ(left().mascotView(), nullptr);
    auto* center = dynamic_cast<CenterMascotView*>(root->centerView());
    ASSERT_NE(center, nullptr);
    EXPECT_EQ(center->mascotView()->side(), 24);
    EXPECT_EQ(center->mascotView()->shownKind(), MascotKind::restricted(false));
}

}  // namespace
