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

TEST(TimelineScaleTest, PositionsAndFramesAtEveryZoom) {
    for (double h : {1800.0, 3600.0, 7200.0}) {
        const TimelineScale scale{now, 300, h};
        using Row = std::pair<double, double>;  // offset from now, x
        for (auto [offset, x] : {Row{0, 150}, Row{-h, 0}, Row{h, 300}, Row{h / 2, 225}, Row{2 * h, 450}, Row{-2 * h, -150}}) {
            EXPECT_DOUBLE_EQ(scale.x(now + offset), x) << h << " " << offset;
        }
        const double s = h / 150;  // seconds per point
        const struct {
            double from, to;
            std::optional<Frame> frame;
        } rows[] = {
            {-3 * h, -2 * h, {}}, {2 * h, 3 * h, {}}, {-h - 60, -h, {}},  // before, after, ends on the left edge
            {20 * s, 20 * s, {}}, {30 * s, 20 * s, {}},                   // empty, reversed
            {-2 * h, 2 * h, Frame{0, 300}},   {-2 * h, -100 * s, Frame{0, 50}}, {100 * s, 2 * h, Frame{250, 50}},
            {-2 * h, -h + s, Frame{0, 8}},    {h - s, 2 * h, Frame{292, 8}},  // just inside either edge
            {10 * s, 12 * s, Frame{157, 8}},  {-50 * s, -42 * s, Frame{100, 8}},  // widened; exactly the minimum
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
        Base::Date now;
        double halfSpan;
        V ticks;
    } rows[] = {
        {now, 1800, {"09:40", "09:50", "10:00*", "10:10", "10:20", "10:30*"}},
        {now, 3600, {"09:10", "09:20", "09:30*", "09:40", "09:50", "10:00*", "10:10", "10:20", "10:30*", "10:40",
                     "10:50", "11:00*"}},
        {now, 7200, {"08:30", "09:00*", "09:30", "10:00*", "10:30", "11:00*", "11:30", "12:00*"}},
        {ny(3, 10, 10, 0), 1800, {"09:30*", "09:40", "09:50", "10:00*", "10:10", "10:20", "10:30*"}},  // both edges
        // 8 March skips 02:00 to 03:00.
        {ny(3, 8, 3, 10), 3600, {"01:10", "01:20", "01:30*", "01:40", "01:50", "03:00*", "03:10", "03:20", "03:30*",
                                 "03:40", "03:50", "04:00*", "04:10"}},
        // 1 November shows 01:00 to 02:00 twice; now is the second 01:00.
        {ny(11, 1, 0, 0) + 7200, 3600, {"01:00*", "01:10", "01:20", "01:30*", "01:40", "01:50", "01:00*", "01:10",
                                        "01:20", "01:30*", "01:40", "01:50", "02:00*"}},
    };
    for (const auto& row : rows) EXPECT_EQ(tickTexts(TimelineScale{row.now, 300, row.halfSpan}), row.ticks);
    EXPECT_TRUE(tickTexts(TimelineScale{Base::Date(std::nan("")), 300, 3600}).empty());
    EXPECT_TRUE(tickTexts(TimelineScale{now, 300, 1e12}).empty());
}

}  // namespace
}  // namespace WaylarkKit
