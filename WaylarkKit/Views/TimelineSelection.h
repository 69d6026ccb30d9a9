#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "Base/Date.h"

namespace WaylarkKit {

// What the user picked on the timeline bar. A segment is named by its origin,
// so every piece that shares the origin belongs to one selection; the other
// kinds by the id of their marker or band.
struct TimelineSelection {
    enum class Kind { segment, marker, macro, custom };

    Kind kind = Kind::segment;
    Base::Date origin;  // segment only
    std::string id;     // marker, macro and custom only

    static TimelineSelection segment(Base::Date origin) { return {Kind::segment, origin, {}}; }
    static TimelineSelection marker(std::string id) { return {Kind::marker, {}, std::move(id)}; }
    static TimelineSelection macro(std::string id) { return {Kind::macro, {}, std::move(id)}; }
    static TimelineSelection custom(std::string id) { return {Kind::custom, {}, std::move(id)}; }

    bool operator==(const TimelineSelection& other) const {
        if (kind != other.kind) return false;
        return kind == Kind::segment ? origin == other.origin : id == other.id;
    }
};

}  // namespace WaylarkKit

template <>
struct std::hash<WaylarkKit::TimelineSelection> {
    size_t operator()(const WaylarkKit::TimelineSelection& s) const noexcept {
        const size_t payload = s.kind == WaylarkKit::TimelineSelection::Kind::segment
                                   ? std::hash<Base::Date>{}(s.origin)
                                   : std::hash<std::string>{}(s.id);
        const size_t kind = static_cast<size_t>(s.kind);
        return kind ^ (payload + 0x9e3779b97f4a7c15ULL + (kind << 6) + (kind >> 2));
    }
};
