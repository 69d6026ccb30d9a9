#include <gtest/gtest.h>

#include "WaylarkKit/Weekly/ScrollGlide.h"
#include "WaylarkKit/Weekly/WeeklyTabLayout.h"

using namespace WaylarkKit;
namespace L = WaylarkKit::WeeklyTabLayout;

namespace {

WeeklyItem row(std::string activityID) {
    WeeklyItem item;
    item.activityID = std::move(activityID);
    return item;
}

}  // namespace

TEST(WeeklyTabLayoutTest, DaysStackTheirHeadingsAndRowsAndTheFirstFocusedRowIsCentred) {
    const std::vector<WeeklyDay> days = {{Base::Date(0), {row("a"), row("x"), row("b")}, false},
                                         {Base::Date(1), {}, true},
                                         {Base::Date(2), {row("c"), row("x"), row("d"), row("e")}, false}};
    const L::ListLayout layout = L::list(days);
    const std::vector<L::ListEntry> expected = {
        {0, std::nullopt, 0, 12}, {0, 0, 14, 22},  {0, 1, 38, 22},  {0, 2, 62, 22},  {1, std::nullopt, 92, 12},
        {2, std::nullopt, 112, 12}, {2, 0, 126, 22}, {2, 1, 150, 22}, {2, 2, 174, 22}, {2, 3, 198, 22}};
    EXPECT_EQ(layout.entries, expected);
    EXPECT_EQ(layout.contentHeight, 224);
    EXPECT_EQ(layout.visible(36, 93), (std::pair<std::size_t, std::size_t>{2, 5}));
    EXPECT_EQ(layout.visible(300, 400), (std::pair<std::size_t, std::size_t>{10, 10}));

    const auto rows = L::focusedRows(layout, days, std::string("x"));
    ASSERT_EQ(rows, (std::vector<std::size_t>{2, 7}));
    EXPECT_TRUE(L::focusedRows(layout, days, std::nullopt).empty());
    EXPECT_TRUE(L::focusedRows(layout, days, std::string("news:none")).empty());
    // Content 224 high in a viewport of 102: offsets run from 0 to 122.
    EXPECT_EQ(L::centredOffset(layout.entries[7], layout.contentHeight, 102), 110);
    EXPECT_EQ(L::centredOffset(layout.entries[9], layout.contentHeight, 102), 122);
    EXPECT_EQ(L::centredOffset(layout.entries[2], layout.contentHeight, 40), 29);
    EXPECT_EQ(L::centredOffset(layout.entries[1], layout.contentHeight, 102), 0);
    EXPECT_EQ(L::clampedOffset(50, 80, 102), 0);
}

TEST(WeeklyTabLayoutTest, StacksServeFixedThenNarrowTextsAndLeaveTheRestToTheSpace) {
    using K = L::StackItem::Kind;
    struct Case {
        double width;
        std::vector<L::StackItem> items;
        std::vector<L::Span> spans;
    };
    const Case cases[] = {
        // Room for all: the space takes what is left.
        {100, {{K::fixed, 10}, {K::text, 20}, {K::spacer, 4}, {K::text, 10}},
         {{0, 10}, {18, 20}, {46, 36}, {90, 10}}},
        // Short: the narrow text whole, the wide one cut, the space at its minimum.
        {80, {{K::text, 100}, {K::spacer, 4}, {K::text, 10}}, {{0, 50}, {58, 4}, {70, 10}}},
        // Two wide texts share evenly.
        {60, {{K::text, 100}, {K::text, 90}}, {{0, 26}, {34, 26}}},
    };
    for (const Case& c : cases) EXPECT_EQ(L::hstack(0, c.width, 8, c.items), c.spans);
}

TEST(WeeklyTabLayoutTest, TheGlideEasesInAndOut) {
    const ScrollGlide glide{100, 300, 10};
    EXPECT_EQ(glide.value(10), 100);
    EXPECT_LT(glide.value(10.025), 110);  // slow start
    EXPECT_NEAR(glide.value(10.125), 200, 1e-3);
    EXPECT_GT(glide.value(10.225), 290);  // slow end
    EXPECT_EQ(glide.value(10.25), 300);
    EXPECT_TRUE(glide.isFinished(10.25));
}
