#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "WaylarkKit/Views/TimelineExplainer.h"
#include "WaylarkKit/tests/Views/TimelineTesting.h"

namespace WaylarkKit {
namespace {

using namespace TimelineTesting;


TEST(TimelineExplainerTest, SegmentMarkerAndBandSentences) {
    const auto window = TimelineReason::window("Opening", at(0), at(9));
    const auto blackout = TimelineReason::blackout("CPI", at(0), at(1), at(0));
    const struct {
        TimelineSegment segment;
        const char* text;
    } segments[] = {
        {segment(at(0), at(1), StatusBase::green, {blackout, window}), "In window \u00B7 Opening"},
        {segment(at(0), at(1), StatusBase::green), "In window"},
        {segment(at(0), at(1), StatusBase::amber, {window}), "In window \u00B7 Opening"},
        {segment(at(0), at(1), StatusBase::red, {window, blackout}), "Restricted \u00B7 CPI"},
        {segment(at(0), at(1), StatusBase::red, {window}), "Restricted"},
        {segment(at(0), at(1), StatusBase::gray, {TimelineReason::outsideWindows(at(-1), at(2), "Opening")}),
         "Outside windows"},
    };
    for (const auto& row : segments) EXPECT_EQ(TimelineExplainer::text(row.segment), row.text);

    EXPECT_EQ(TimelineExplainer::text(marker("x", ny(3, 10, 8, 30), "CPI")), "CPI \u00B7 08:30");
    TimelineMarker holiday = marker("h", ny(3, 10, 0, 0), "Bank Holiday", NewsImpact::holiday);
    holiday.currency = "GBP";
    EXPECT_EQ(TimelineExplainer::text(holiday), "GBP holiday \u00B7 Bank Holiday");

    const Base::Date now = ny(3, 10, 10, 0);
    const struct {
        Base::Date start, end;
        const char* text;
    } bands[] = {
        {now - 75, now + 3725, "Kill zone \u00B7 ends in 1:02:05"}, {now, now + 30, "Kill zone \u00B7 ends in 0:30"},
        {now + 59.2, now + 600, "Kill zone \u00B7 starts in 1:00"}, {now - 600, now - 1, "Kill zone \u00B7 ended"},
        {now - 600, now, "Kill zone \u00B7 ended"},
    };
    for (const auto& row : bands) EXPECT_EQ(TimelineExplainer::text(band("k", "Kill zone", row.start, row.end), now), row.text);
}

TEST(TimelineExplainerTest, TheLineFollowsTheSelectionOrFallsBackToNow) {
    TradingCore::Timeline timeline;
    timeline.segments = {segment(at(0), at(30), StatusBase::gray),
                         segment(at(30), at(60), StatusBase::green, {TimelineReason::window("Opening", at(30), at(90))})};
    timeline.markers = {marker("n", at(40), "NFP"), marker("n", at(50), "NFP later")};
    timeline.macros = {band("m", "Macro", at(45), at(55))};
    timeline.customs = {band("c", "Kill zone", at(5), at(20))};
    const struct {
        std::optional<TimelineSelection> selection;
        int now;
        std::string text;
    } rows[] = {
        {std::nullopt, 35, "In window \u00B7 Opening"},
        {TimelineSelection::segment(at(0)), 35, "Outside windows"},
        {TimelineSelection::marker("n"), 35, "NFP \u00B7 09:40"},
        {TimelineSelection::marker("n", 1), 35, "NFP later \u00B7 09:50"},  // the second of two twins
        {TimelineSelection::macro("m"), 35, "Macro \u00B7 starts in 10:00"},
        {TimelineSelection::custom("c"), 35, "Kill zone \u00B7 ended"},
        {TimelineSelection::custom("gone"), 35, "In window \u00B7 Opening"},
        {std::nullopt, 60, ""},
    };
    for (const auto& row : rows) EXPECT_EQ(TimelineExplainer::text(row.selection, timeline, at(row.now)), row.text);
}

}  // namespace
}  // namespace WaylarkKit
