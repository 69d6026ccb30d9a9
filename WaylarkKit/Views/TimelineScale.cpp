#include "WaylarkKit/Views/TimelineScale.h"

#include <cmath>
#include <cstddef>

#include "Base/Calendar.h"

namespace WaylarkKit {

double TimelineScale::x(Base::Date t) const { return width / 2 + ((t - now) / halfSpan) * (width / 2); }

std::optional<TimelineScale::Frame> TimelineScale::frame(Base::Date start, Base::Date end, double minWidth) const {
    const double xs = x(start);
    const double xe = x(end);
    const double lo = 0 <= xs ? xs : 0;
    const double hi = xe < width ? xe : width;
    if (!(lo < hi)) return std::nullopt;
    const double visible = hi - lo;
    if (minWidth <= visible) return Frame{lo, visible};
    double left = (lo + hi) / 2 - minWidth / 2;
    if (left < 0) left = 0;
    const double right = std::min(left + minWidth, width);
    left = std::max(right - minWidth, 0.0);
    return Frame{left, right - left};
}

std::vector<TimelineScale::Tick> TimelineScale::ticks(const Base::TimeZone& timeZone) const {
    // A bar is a few hours wide; a scale that would need more marks than this
    // is broken input, and drawing nothing beats looping for ever.
    constexpr double maxTicks = 2000;
    const bool close = halfSpan <= 3600;
    const double step = close ? 600 : 1800;
    const int labelEvery = close ? 30 : 60;
    const Base::Date left = now - halfSpan;
    const Base::Date right = now + halfSpan;
    if (!std::isfinite(left.secondsSince1970) || !std::isfinite(right.secondsSince1970)) return {};
    if ((right - left) / step > maxTicks) return {};

    const Base::Calendar calendar(timeZone);
    const std::optional<Base::Date> hourStart = calendar.startOfHour(left);
    if (!hourStart) return {};
    Base::Date t = *hourStart;
    while (t < left) t += step;

    std::vector<Tick> result;
    for (; t <= right; t += step) {
        const int minute = calendar.components(t).minute;
        result.push_back(Tick{t, minute % labelEvery == 0});
    }
    return result;
}

}  // namespace WaylarkKit
