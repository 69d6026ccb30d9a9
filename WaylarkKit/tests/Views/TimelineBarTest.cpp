#include <gtest/gtest.h>

#include <vector>

#include "WaylarkKit/Views/TimelineBar.h"
#include "WaylarkKit/tests/Views/TimelineTesting.h"

namespace WaylarkKit {
namespace {

using namespace TimelineTesting;
using Kind = BarPiece::Kind;

TimelineSegment gray(int a, int b) { return segment(at(a), at(b), StatusBase::gray); }
TimelineSegment red(int a, int b, std::optional<NewsImpact> impact) {
    return segment(at(a), at(b), StatusBase::red, {}, impact);
}
BarPiece piece(int a, int b, Kind kind, int origin) { return {at(a), at(b), kind, TimelineSelection::segment(at(origin))}; }
TradingCore::Timeline over(int from, int to, std::vector<TimelineSegment> segments) {
    return {{at(from), at(to)}, std::move(segments), {}, {}, {}};
}

TEST(TimelineBarTest, PiecesTable) {
    TimelineSegment sameOrigin = gray(20, 40);
    sameOrigin.origin = at(0);
    const struct {
        const char* name;
        TradingCore::Timeline timeline;
        std::vector<BarPiece> pieces;
    } rows[] = {
        {"cut to the range", over(10, 50, {gray(0, 20), segment(at(20), at(60), StatusBase::green)}),
         {piece(10, 20, Kind::outside, 0), piece(20, 50, Kind::window, 20)}},
        {"one origin and colour merge", over(0, 40, {gray(0, 20), sameOrigin}), {piece(0, 40, Kind::outside, 0)}},
        {"two origins stay apart", over(0, 40, {gray(0, 20), gray(20, 40)}),
         {piece(0, 20, Kind::outside, 0), piece(20, 40, Kind::outside, 20)}},
        {"impacts", over(0, 50, {red(0, 10, NewsImpact::medium), red(10, 20, NewsImpact::high),
                                 red(20, 30, NewsImpact::low), red(30, 40, NewsImpact::holiday), red(40, 50, {})}),
         {piece(0, 10, Kind::restrictedMedium, 0), piece(10, 20, Kind::restricted, 10),
          piece(20, 30, Kind::restricted, 20), piece(30, 40, Kind::restricted, 30), piece(40, 50, Kind::restricted, 40)}},
        {"amber is a window", over(0, 10, {segment(at(0), at(10), StatusBase::amber)}), {piece(0, 10, Kind::window, 0)}},
        {"a gap stays a gap", over(0, 30, {gray(0, 10), gray(20, 30)}),
         {piece(0, 10, Kind::outside, 0), piece(20, 30, Kind::outside, 20)}},
        {"nothing covers the range", over(0, 30, {gray(40, 50)}), {}},
    };
    for (const auto& row : rows) EXPECT_EQ(TimelineBarComposer::pieces(row.timeline), row.pieces) << row.name;
}

TEST(TimelineBarTest, MacroPiecesAreClippedAndNamedByPosition) {
    TradingCore::Timeline timeline = over(10, 50, {});
    timeline.macros = {band("touch", "Before", at(0), at(10)), band("m", "Out", at(5), at(15)),
                       band("twin", "Twin", at(20), at(25)), band("twin", "Twin", at(20), at(25)),
                       band("late", "Late", at(45), at(70)), band("after", "After", at(50), at(60))};
    const std::vector<BarPiece> expected{{at(10), at(15), Kind::macro, TimelineSelection::macro("m")},
                                         {at(20), at(25), Kind::macro, TimelineSelection::macro("twin", 0)},
                                         {at(20), at(25), Kind::macro, TimelineSelection::macro("twin", 1)},
                                         {at(45), at(50), Kind::macro, TimelineSelection::macro("late")}};
    EXPECT_EQ(TimelineBarComposer::macroPieces(timeline), expected);
}

}  // namespace
}  // namespace WaylarkKit
