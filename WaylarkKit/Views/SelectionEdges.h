#pragma once

#include <optional>
#include <string>

#include "Base/Date.h"
#include "TradingCore/Evaluation/Timeline.h"
#include "TradingCore/Model/IntervalColor.h"
#include "WaylarkKit/Views/TimelineSelection.h"

namespace WaylarkKit {

// Where the selected span starts and ends, and the colour family of its marks.
struct SelectionEdges {
    struct Tone {
        enum class Kind { custom, window, macro, restricted, restrictedMedium, outside, marker };
        Kind kind = Kind::outside;
        TradingCore::IntervalColor color = TradingCore::IntervalColor::white;  // custom only

        static Tone custom(TradingCore::IntervalColor color) { return {Kind::custom, color}; }
        static Tone of(Kind kind) { return {kind, TradingCore::IntervalColor::white}; }

        bool operator==(const Tone& other) const {
            return kind == other.kind && (kind != Kind::custom || color == other.color);
        }
    };

    std::optional<Base::Date> start;
    std::optional<Base::Date> end;  // none for a marker or an open end
    Tone tone;

    bool operator==(const SelectionEdges&) const = default;
};

// The time text of one selection edge and where it points on the bar.
struct EdgeLabel {
    std::string text;
    double x = 0;
    bool isBeyond = false;  // after the bar's right end, pinned there

    bool operator==(const EdgeLabel&) const = default;
};

namespace SelectionEdgesResolver {

// The edges of the selected item, or nothing when nothing is selected or the
// item has left the timeline. A status piece is marked by the whole window,
// blackout or gap that produced it, not by its own clipped ends.
std::optional<SelectionEdges> edges(const std::optional<TimelineSelection>& selection,
                                    const TradingCore::Timeline& timeline);

}  // namespace SelectionEdgesResolver

}  // namespace WaylarkKit
