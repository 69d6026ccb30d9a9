#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "TradingCore/Model/MarketTimeZone.h"
#include "WaylarkKit/Views/Formatting.h"
#include "WaylarkKit/Views/TimelineScale.h"
#include "WaylarkKit/tests/Views/TimelineTesting.h"

namespace WaylarkKit {
namespace {

using TimelineTesting::ny;
using Frame = TimelineScale::Frame;

const Base::Date now = ny(3, 10, 10, 7);

TEST(TimelineScaleTest, PositionsAtEveryZoom) {
    for (double h : {1800.0, 3600.0, 7200.0}) {
        const TimelineScale scale{now, 300, h};
        const struct {
            double offset;
            double x;
        } rows[] = {{0, 150}, {-h, 0}, {h, 300}, {h / 2, 225}, {-h / 4, 112.5}, {2 * h, 450}, {-2 * h, -150}};
        for (const auto& row : rows) EXPECT_DOUBLE_EQ(scale.x(now + row.offset), row.x) << h << " " << row.offset;
    }
}

TEST(TimelineScaleTest, FramesClipToTheBarAndWidenToTheMinimum) {
    for (double h : {1800.0, 3600.0, 7200.0}) {
        const TimelineScale scale{now, 300, h};
        const double s = h / 150;  // seconds per point
        const struct {
            double from, to;
            std::optional<Frame> frame;
        } rows[] = {
            {-3 * h, -2 * h, std::nullopt},           // wholly before
            {2 * h, 3 * h, std::nullopt},             // wholly after
            {-h - 60, -h, std::nullopt},              // ends on the left edge
            {20 * s, 20 * s, std::nullopt},           // empty
            {30 * s, 20 * s, std::nullopt},           // reversed
            {-2 * h, 2 * h, Frame{0, 300}},           // past both edges
            {-2 * h, -100 * s, Frame{0, 50}},         // clipped on the left
            {100 * s, 2 * h, Frame{250, 50}},         // clipped on the right
            {-2 * h, -h + 1 * s, Frame{0, 8}},        // just inside the left edge
            {h - 1 * s, 2 * h, Frame{292, 8}},        // just inside the right edge
            {10 * s, 12 * s, Frame{157, 8}},          // narrow, widened around its middle
            {-50 * s, -42 * s, Frame{100, 8}},        // exactly the minimum
        };
        for (const auto& row : rows) {
            const auto frame = scale.frame(now + row.from, now + row.to, 8);
            ASSERT_EQ(frame.has_value(), row.frame.has_value()) << h << " " << row.from;
            if (!frame) continue;
            EXPECT_NEAR(frame->x, row.frame->x, 1e-9) << h << " " << row.from;
            EXPECT_NEAR(frame->width, row.frame->width, 1e-9) << h << " " << row.from;
        }
    }
    EXPECT_EQ(TimelineScale(now, 5, 3600).frame(now - 60, now + 60, 8), (Frame{0, 5}));
}

std::vector<std::string> tickTexts(const TimelineScale& scale) {
    std::vector<std::string> texts;
    for (const auto& tick : scale.ticks(TradingCore::MarketTimeZone::newYork())) {
        texts.push_back(Formatting::etFormatter().string(tick.date) + (tick.labeled ? "*" : ""));
    }
    return texts;
}

TEST(TimelineScaleTest, TicksFollowTheZoomAndTheZonesClock) {
    using V = std::vector<std::string>;
    const struct {
        const char* name;
        Base::Date now;
        double halfSpan;
        V ticks;
    } rows[] = {
        {"half hour", now, 1800, {"09:40", "09:50", "10:00*", "10:10", "10:20", "10:30*"}},
        {"hour", now, 3600,
         {"09:10", "09:20", "09:30*", "09:40", "09:50", "10:00*", "10:10", "10:20", "10:30*", "10:40", "10:50",
          "11:00*"}},
        {"two hours", now, 7200, {"08:30", "09:00*", "09:30", "10:00*", "10:30", "11:00*", "11:30", "12:00*"}},
        {"both edges on a mark", ny(3, 10, 10, 0), 1800,
         {"09:30*", "09:40", "09:50", "10:00*", "10:10", "10:20", "10:30*"}},
        // 02:00 to 03:00 does not happen on 8 March.
        {"spring forward", ny(3, 8, 3, 10), 3600,
         {"01:10", "01:20", "01:30*", "01:40", "01:50", "03:00*", "03:10", "03:20", "03:30*", "03:40", "03:50",
          "04:00*", "04:10"}},
        // 01:00 to 02:00 happens twice on 1 November; now is the second 01:00.
        {"fall back", ny(11, 1, 0, 0) + 7200, 3600,
         {"01:00*", "01:10", "01:20", "01:30*", "01:40", "01:50", "01:00*", "01:10", "01:20", "01:30*", "01:40",
          "01:50", "02:00*"}},
    };
    for (const auto& row : rows) EXPECT_EQ(tickTexts(TimelineScale{row.now, 300, row.halfSpan}), row.ticks) << row.name;
}

TEST(TimelineScaleTest, BrokenScalesHaveNoTicks) {
    EXPECT_TRUE(TimelineScale(Base::Date(std::nan("")), 300, 3600).ticks(TradingCore::MarketTimeZone::newYork()).empty());
    EXPECT_TRUE(TimelineScale(now, 300, 1e12).ticks(TradingCore::MarketTimeZone::newYork()).empty());
}

}  // namespace
}  // namespace WaylarkKit
