#pragma once

#include "Base/Date.h"

namespace TradingCore {

// A stretch of time, read as half-open [start, end). Nothing keeps start
// before end: empty and inverted spans are legal and simply hold nothing.
struct Span {
    Base::Date start;
    Base::Date end;

    bool contains(Base::Date t) const { return start <= t && t < end; }
    // Spans that only touch do not overlap.
    bool overlaps(const Span& other) const { return start < other.end && other.start < end; }

    bool operator==(const Span&) const = default;
};

}  // namespace TradingCore
