#pragma once

#include <vector>

#include "Base/Date.h"
#include "TradingCore/Evaluation/Timeline.h"
#include "WaylarkKit/Views/TimelineSelection.h"

namespace WaylarkKit {

// One coloured piece of the timeline bar and what a tap on it selects.
struct BarPiece {
    enum class Kind { outside, window, macro, restricted, restrictedMedium };

    Base::Date start;
    Base::Date end;  // always later than start
    Kind kind = Kind::outside;
    TimelineSelection selection;

    bool operator==(const BarPiece&) const = default;
};

namespace TimelineBarComposer {

// The status pieces of the bar in time order, cut wherever a segment starts
// or ends inside the range; touching pieces of one colour and one origin come
// out as one. A stretch that no segment covers is left as a gap. Never
// produces macro pieces.
std::vector<BarPiece> pieces(const TradingCore::Timeline& timeline);

// One macro piece per macro band overlapping the range, clipped to it, in
// the order of the timeline's macros.
std::vector<BarPiece> macroPieces(const TradingCore::Timeline& timeline);

}  // namespace TimelineBarComposer

}  // namespace WaylarkKit
