#pragma once

#include <optional>
#include <vector>

#include "Base/Date.h"
#include "Base/TimeZone.h"
#include "WaylarkKit/Views/SelectionEdges.h"

namespace WaylarkKit {

// The timeline bar's mapping between instants and horizontal positions: `now`
// at the centre of `width` points, `halfSpan` seconds to either edge.
struct TimelineScale {
    Base::Date now;
    double width = 0;
    double halfSpan = 0;

    struct Tick {
        Base::Date date;
        bool labeled = false;  // a time text is written under it
        bool operator==(const Tick&) const = default;
    };

    struct Frame {
        double x = 0;
        double width = 0;
        bool operator==(const Frame&) const = default;
    };

    bool operator==(const TimelineScale&) const = default;

    // Unclamped: instants off the visible interval land outside 0...width.
    double x(Base::Date t) const;

    // The span from `start` to `end` clipped to the bar and widened to at
    // least `minWidth` around the middle of its visible part, kept inside the
    // bar; nothing when none of it is visible.
    std::optional<Frame> frame(Base::Date start, Base::Date end, double minWidth) const;

    // Tick marks on whole 10-minute (half span up to an hour) or 30-minute
    // marks of the zone's clock, both edges included, ascending. Labeled are
    // :00 and :30 at the close zoom, full hours otherwise.
    std::vector<Tick> ticks(const Base::TimeZone& timeZone) const;

    // The label of a selection edge at `t`: at its x, pinned to the right end
    // when `t` lies beyond it, nothing when it lies before the left end.
    std::optional<EdgeLabel> edgeLabel(Base::Date t) const;

    // Centres of labels `labelWidth` wide for the given xs, kept inside the
    // bar; a pair closer than the width and `minGap` is spread apart around
    // its middle, each label keeping its side.
    std::vector<double> edgeLabelCenters(const std::vector<double>& xs, double labelWidth, double minGap) const;
};

}  // namespace WaylarkKit
