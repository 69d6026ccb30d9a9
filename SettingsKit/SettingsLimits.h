#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace SettingsKit {

namespace SettingsLimits {
// The largest settings file that is read; anything larger is moved aside.
inline constexpr std::uintmax_t maxFileBytes = 262'144;
}  // namespace SettingsLimits

namespace TimelineZoom {
// The timeline's half-spans in minutes, zoomed in to out.
inline constexpr std::array<int, 3> steps{30, 60, 120};
inline constexpr int defaultMinutes = 30;

// The position of `minutes` among the steps, or 0 when it is none of them.
inline std::size_t stepIndex(std::int64_t minutes) {
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (steps[i] == minutes) return i;
    }
    return 0;
}
inline bool isStep(std::int64_t minutes) {
    return steps[stepIndex(minutes)] == minutes;
}
}  // namespace TimelineZoom

}  // namespace SettingsKit
