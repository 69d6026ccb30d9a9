#include "WaylarkKit/Motion/KeyframeTrack.h"

#include <algorithm>
#include <cmath>

namespace WaylarkKit {

namespace {

double valueAt(const KeyframeTrack& track, std::size_t count, double progress) {
    const auto& t = track.times;
    const auto& v = track.values;
    if (progress <= t[0]) return v[0];
    for (std::size_t k = 0; k + 1 < count; ++k) {
        if (progress <= t[k + 1]) {
            // A hold between equal keys needs no easing: most of a pose's
            // tracks rest on such holds between their moves.
            if (v[k] == v[k + 1]) return v[k];
            const double span = t[k + 1] - t[k];
            const double local = span > 0 ? (progress - t[k]) / span : 1.0;
            return v[k] + (v[k + 1] - v[k]) * eased(track.ease, local);
        }
    }
    return v[count - 1];
}

}  // namespace

std::optional<double> KeyframeTrack::progressAt(double time) const {
    const double local = time - begin;
    if (!(local > 0)) return 0.0;
    const double cycle = autoreverses ? 2 * duration : duration;
    const double active = cycle * std::max(repeatCount, 0.0);
    double phase;
    if (local >= active) {
        if (!holdsAfterEnd) return std::nullopt;
        phase = active > 0 ? std::fmod(active, cycle) : 0;
        if (phase == 0 && active > 0) phase = cycle;
    } else {
        phase = std::fmod(local, cycle);
    }
    if (autoreverses && phase > duration) phase = cycle - phase;
    return phase / duration;
}

std::optional<double> KeyframeTrack::sample(double time) const {
    const std::size_t count = std::min(times.size(), values.size());
    if (count == 0) return std::nullopt;
    if (count == 1 || !(duration > 0)) return values[0];
    const std::optional<double> progress = progressAt(time);
    if (!progress) return std::nullopt;
    return valueAt(*this, count, *progress);
}

double KeyframeTrack::moveSecondsAt(double time) const {
    constexpr double still = std::numeric_limits<double>::infinity();
    const std::size_t count = std::min(times.size(), values.size());
    if (count < 2 || !(duration > 0) || time <= begin || time >= settlesAt()) return still;
    const std::optional<double> progress = progressAt(time);
    if (!progress) return still;
    for (std::size_t k = 0; k + 1 < count; ++k) {
        if (*progress >= times[k] && *progress < times[k + 1]) {
            return values[k] == values[k + 1] ? still : (times[k + 1] - times[k]) * duration;
        }
    }
    return still;
}

double KeyframeTrack::settlesAt() const {
    if (std::min(times.size(), values.size()) < 2 || !(duration > 0)) return begin;
    const double cycle = autoreverses ? 2 * duration : duration;
    return begin + cycle * std::max(repeatCount, 0.0);
}

}  // namespace WaylarkKit
