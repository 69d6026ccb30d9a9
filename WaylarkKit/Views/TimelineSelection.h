#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "Base/Date.h"

namespace WaylarkKit {

// What the user picked on the timeline bar. A segment is named by its origin,
// so every piece that shares the origin belongs to one selection; the other
// kinds by the id of their marker or band.
//
// The engine does not promise unique ids (two custom intervals, or two named
// macros, may produce the same one), so a marker or band is named by its id
// and by which of the items carrying that id it is, counted from 0 in the
// timeline's list. Tapping the second of two twins then selects that one only.
struct TimelineSelection {
    enum class Kind { segment, marker, macro, custom };

    Kind kind = Kind::segment;
    Base::Date origin;           // segment only
    std::string id;              // marker, macro and custom only
    std::size_t occurrence = 0;  // marker, macro and custom only

    static TimelineSelection segment(Base::Date origin) { return {Kind::segment, origin, {}, 0}; }
    static TimelineSelection marker(std::string id, std::size_t occurrence = 0) {
        return {Kind::marker, {}, std::move(id), occurrence};
    }
    static TimelineSelection macro(std::string id, std::size_t occurrence = 0) {
        return {Kind::macro, {}, std::move(id), occurrence};
    }
    static TimelineSelection custom(std::string id, std::size_t occurrence = 0) {
        return {Kind::custom, {}, std::move(id), occurrence};
    }

    bool operator==(const TimelineSelection& other) const {
        if (kind != other.kind) return false;
        return kind == Kind::segment ? origin == other.origin : id == other.id && occurrence == other.occurrence;
    }
};

// For each item of `items`, how many earlier items carry the same id: the
// occurrence a selection of that item names.
template <class Item>
std::vector<std::size_t> idOccurrences(const std::vector<Item>& items) {
    std::vector<std::size_t> result;
    result.reserve(items.size());
    std::unordered_map<std::string, std::size_t> seen;
    for (const Item& item : items) result.push_back(seen[item.id]++);
    return result;
}

// The item of `items` that a selection with `id` and `occurrence` names, or
// nothing when the timeline no longer holds it.
template <class Item>
const Item* findOccurrence(const std::vector<Item>& items, const std::string& id, std::size_t occurrence) {
    for (const Item& item : items) {
        if (item.id != id) continue;
        if (occurrence == 0) return &item;
        --occurrence;
    }
    return nullptr;
}

}  // namespace WaylarkKit

template <>
struct std::hash<WaylarkKit::TimelineSelection> {
    size_t operator()(const WaylarkKit::TimelineSelection& s) const noexcept {
        const auto mix = [](size_t seed, size_t value) {
            return seed ^ (value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2));
        };
        const size_t kind = static_cast<size_t>(s.kind);
        if (s.kind == WaylarkKit::TimelineSelection::Kind::segment) {
            return mix(kind, std::hash<Base::Date>{}(s.origin));
        }
        return mix(mix(kind, std::hash<std::string>{}(s.id)), s.occurrence);
    }
};
