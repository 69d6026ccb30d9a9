#pragma once

#include <cstddef>
#include <vector>

#include "TradingCore/Evaluation/Timeline.h"

namespace WaylarkKit::TimelineRails {

// A custom-interval band placed on one of the two rails above the bar.
struct RailItem {
    TradingCore::TimelineBand band;
    int row = 0;             // 0 or 1
    std::size_t index = 0;   // the band's position in the list given, which names its selection

    bool operator==(const RailItem&) const = default;
};

// Packs the bands, stably sorted by start, into at most two rows: each goes
// to the first row free at its start (a band may start where the row's last
// one ends); a band that fits nowhere once two rows exist is drawn on row 1
// over what lies there, leaving that row's end as it was.
std::vector<RailItem> railRows(const std::vector<TradingCore::TimelineBand>& bands);

}  // namespace WaylarkKit::TimelineRails
