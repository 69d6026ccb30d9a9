#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Base/Date.h"
#include "TradingCore/Evaluation/Span.h"
#include "TradingCore/Evaluation/StatusBase.h"
#include "TradingCore/Model/IntervalColor.h"
#include "TradingCore/Model/NewsImpact.h"

namespace TradingCore {

// Why a timeline segment has its status.
struct TimelineReason {
    enum class Kind { window, blackout, outsideWindows };
    Kind kind = Kind::outsideWindows;
    // window: the window's name; blackout: the event's display label.
    std::string name;
    // window and blackout: the occurrence's or the blackout's span.
    Base::Date start;
    Base::Date end;
    // blackout: the release time.
    Base::Date eventTime;
    // outsideWindows: the last window end at or before the segment, and the
    // first window starting after it; absent when the horizon holds none.
    std::optional<Base::Date> previousWindowEnd;
    std::optional<Base::Date> nextWindowStart;
    std::optional<std::string> nextWindowName;

    static TimelineReason window(std::string name, Base::Date start, Base::Date end) {
        return {Kind::window, std::move(name), start, end, {}, {}, {}, {}};
    }
    static TimelineReason blackout(std::string label, Base::Date start, Base::Date end, Base::Date eventTime) {
        return {Kind::blackout, std::move(label), start, end, eventTime, {}, {}, {}};
    }
    static TimelineReason outsideWindows(std::optional<Base::Date> previousWindowEnd,
                                         std::optional<Base::Date> nextWindowStart,
                                         std::optional<std::string> nextWindowName) {
        return {Kind::outsideWindows, {}, {}, {}, {}, previousWindowEnd, nextWindowStart, std::move(nextWindowName)};
    }

    bool operator==(const TimelineReason&) const = default;
};

// A stretch of constant status, described by its state at `start`.
struct TimelineSegment {
    Base::Date start;
    Base::Date end;     // excluded; the next segment's start
    Base::Date origin;  // when the state at `start` began; may lie before the range
    StatusBase base = StatusBase::gray;
    std::optional<std::string> windowName;
    // Inside a window: one blackout reason per blackout in force, then the
    // window reason. Outside: one outsideWindows reason.
    std::vector<TimelineReason> reasons;
    std::optional<NewsImpact> restrictionImpact;

    bool operator==(const TimelineSegment&) const = default;
};

// A news event on the timeline.
struct TimelineMarker {
    std::string id;  // "<displayLabel>@<epoch seconds>", unique within one timeline
    Base::Date time;
    std::string label;
    std::string currency;
    NewsImpact impact = NewsImpact::low;
    bool isHoliday = false;

    bool operator==(const TimelineMarker&) const = default;
};

// A macro or custom-interval occurrence drawn as a band.
struct TimelineBand {
    std::string id;
    std::string name;
    Base::Date start;
    Base::Date end;
    std::optional<IntervalColor> color;  // custom intervals only

    bool operator==(const TimelineBand&) const = default;
};

struct Timeline {
    // From `from` to the later of `from` and `to`; markers include both ends.
    Span range;
    std::vector<TimelineSegment> segments;  // contiguous, covering the range
    std::vector<TimelineMarker> markers;    // by time
    std::vector<TimelineBand> macros;       // by start
    std::vector<TimelineBand> customs;      // by start

    bool operator==(const Timeline&) const = default;
};

}  // namespace TradingCore
