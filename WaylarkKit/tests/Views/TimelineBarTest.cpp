#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TradingCore/Evaluation/TimingEvaluator.h"
#include "WaylarkKit/Views/Formatting.h"
#include "WaylarkKit/Views/TimelineBar.h"
#include "WaylarkKit/tests/Views/TimelineTesting.h"

namespace WaylarkKit {
namespace {

using namespace TimelineTesting;
using Kind = BarPiece::Kind;
using TradingCore::NewsImpact;

const Base::Date t0 = ny(3, 10, 9, 0);
Base::Date at(int minutes) { return t0 + minutes * 60.0; }

TradingCore::Timeline over(int from, int to, std::vector<TimelineSegment> segments) {
    return TradingCore::Timeline{{at(from), at(to)}, std::move(segments), {}, {}, {}};
}

TEST(TimelineBarTest, PiecesTable) {
    const auto gray = [](int a, int b) { return segment(at(a), at(b), StatusBase::gray); };
    const auto red = [](int a, int b, std::optional<NewsImpact> impact) {
        return segment(at(a), at(b), StatusBase::red, {}, impact);
    };
    const struct {
        const char* name;
        TradingCore::Timeline timeline;
        std::vector<BarPiece> pieces;
    } rows[] = {
        {"covered, cut to the range",
         over(10, 50, {gray(0, 20), segment(at(20), at(60), StatusBase::green)}),
         {{at(10), at(20), Kind::outside, TimelineSelection::segment(at(0))},
          {at(20), at(50), Kind::window, TimelineSelection::segment(at(20))}}},
        {"one origin and colour merge",
         over(0, 40, {gray(0, 20), withOrigin(gray(20, 40), at(0))}),
         {{at(0), at(40), Kind::outside, TimelineSelection::segment(at(0))}}},
        {"one colour, two origins stay apart",
         over(0, 40, {gray(0, 20), gray(20, 40)}),
         {{at(0), at(20), Kind::outside, TimelineSelection::segment(at(0))},
          {at(20), at(40), Kind::outside, TimelineSelection::segment(at(20))}}},
        {"impacts",
         over(0, 50, {red(0, 10, NewsImpact::medium), red(10, 20, NewsImpact::high), red(20, 30, NewsImpact::low),
                      red(30, 40, NewsImpact::holiday), red(40, 50, std::nullopt)}),
         {{at(0), at(10), Kind::restrictedMedium, TimelineSelection::segment(at(0))},
          {at(10), at(20), Kind::restricted, TimelineSelection::segment(at(10))},
          {at(20), at(30), Kind::restricted, TimelineSelection::segment(at(20))},
          {at(30), at(40), Kind::restricted, TimelineSelection::segment(at(30))},
          {at(40), at(50), Kind::restricted, TimelineSelection::segment(at(40))}}},
        {"amber is a window",
         over(0, 10, {segment(at(0), at(10), StatusBase::amber)}),
         {{at(0), at(10), Kind::window, TimelineSelection::segment(at(0))}}},
        {"a gap stays a gap",
         over(0, 30, {gray(0, 10), gray(20, 30)}),
         {{at(0), at(10), Kind::outside, TimelineSelection::segment(at(0))},
          {at(20), at(30), Kind::outside, TimelineSelection::segment(at(20))}}},
        {"nothing covers the range", over(0, 30, {gray(40, 50)}), {}},
        {"no segments", over(0, 30, {}), {}},
    };
    for (const auto& row : rows) EXPECT_EQ(TimelineBarComposer::pieces(row.timeline), row.pieces) << row.name;
}

TEST(TimelineBarTest, MacroPiecesAreClippedAndNamedByPosition) {
    TradingCore::Timeline timeline = over(10, 50, {});
    timeline.macros = {band("touch", "Before", at(0), at(10)), band("m", "Out", at(5), at(15)),
                       band("twin", "Twin", at(20), at(25)), band("twin", "Twin", at(20), at(25)),
                       band("late", "Late", at(45), at(70)), band("after", "After", at(50), at(60))};
    const std::vector<BarPiece> expected{
        {at(10), at(15), Kind::macro, TimelineSelection::macro("m")},
        {at(20), at(25), Kind::macro, TimelineSelection::macro("twin", 0)},
        {at(20), at(25), Kind::macro, TimelineSelection::macro("twin", 1)},
        {at(45), at(50), Kind::macro, TimelineSelection::macro("late")},
    };
    EXPECT_EQ(TimelineBarComposer::macroPieces(timeline), expected);
    EXPECT_TRUE(TimelineBarComposer::pieces(timeline).empty());
}

// The engine's own timelines: the pieces are contiguous, each one colour, and
// end where the wall clock says, across the two clock changes and midnight.
struct EnginePiece {
    std::string from, to;
    Kind kind;
    bool operator==(const EnginePiece&) const = default;
};

void PrintTo(const EnginePiece& p, std::ostream* out) {
    *out << p.from << "-" << p.to << " kind " << static_cast<int>(p.kind);
}

std::vector<EnginePiece> engineBar(Base::Date from, Base::Date to) {
    TradingCore::TimingConfiguration configuration = TradingCore::TimingConfiguration::newYorkDefault();
    configuration.profile = TradingCore::SessionProfile{
        "Night", {TradingCore::SessionWindow{"Night", {23, 0}, {2, 30}}}, {TradingCore::allWeekdays.begin(), TradingCore::allWeekdays.end()}};
    const std::vector<TradingCore::NewsEvent> news{
        {"n", "Late release", "USD", NewsImpact::high, ny(11, 2, 0, 0), true, std::nullopt}};
    const auto timeline = TradingCore::TimingEvaluator::timeline(configuration, news, from, to);
    std::vector<EnginePiece> result;
    Base::Date previousEnd = from;
    for (const BarPiece& piece : TimelineBarComposer::pieces(timeline)) {
        EXPECT_EQ(piece.start, previousEnd);
        previousEnd = piece.end;
        result.push_back({Formatting::etFormatter().string(piece.start), Formatting::etFormatter().string(piece.end),
                          piece.kind});
    }
    EXPECT_EQ(previousEnd, to);
    return result;
}

TEST(TimelineBarTest, EngineTimelinesAcrossClockChangesAndMidnight) {
    using V = std::vector<EnginePiece>;
    // 8 March: 02:00 to 03:00 is skipped, so the window's 02:30 end becomes 03:00, the first
    // instant after the gap; the timeline from 22:00 to 04:00 is five hours long.
    EXPECT_EQ(engineBar(ny(3, 7, 22, 0), ny(3, 8, 4, 0)),
              (V{{"22:00", "23:00", Kind::outside}, {"23:00", "03:00", Kind::window}, {"03:00", "04:00", Kind::outside}}));
    EXPECT_EQ(ny(3, 8, 4, 0) - ny(3, 7, 22, 0), 5 * 3600.0);
    // 1 November: 01:00 to 02:00 happens twice; 2:30 comes once, after the second 01:00.
    EXPECT_EQ(engineBar(ny(10, 31, 22, 0), ny(11, 1, 4, 0)),
              (V{{"22:00", "23:00", Kind::outside}, {"23:00", "02:30", Kind::window}, {"02:30", "04:00", Kind::outside}}));
    // A release at midnight inside the window: its blackout runs from 23:55 to 00:05.
    EXPECT_EQ(engineBar(ny(11, 1, 22, 0), ny(11, 2, 3, 0)),
              (V{{"22:00", "23:00", Kind::outside},
                 {"23:00", "23:55", Kind::window},
                 {"23:55", "00:05", Kind::restricted},
                 {"00:05", "02:30", Kind::window},
                 {"02:30", "03:00", Kind::outside}}));
}

}  // namespace
}  // namespace WaylarkKit
