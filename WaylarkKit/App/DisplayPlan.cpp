#include "WaylarkKit/App/DisplayPlan.h"

#include <algorithm>

namespace WaylarkKit::DisplayPlan {

namespace {

std::optional<bool> choiceOf(const DisplayInfo& display, const DisplayChoices& choices) {
    for (const std::string* id : {&display.id, &display.sharedID}) {
        if (id->empty()) continue;
        if (const auto entry = choices.find(*id); entry != choices.end()) return entry->second;
    }
    return std::nullopt;
}

std::vector<DisplayInfo> chosen(const std::vector<DisplayInfo>& connected, const DisplayChoices& choices) {
    std::vector<DisplayInfo> result;
    for (const DisplayInfo& display : connected) {
        if (choiceOf(display, choices).value_or(display.isBuiltIn)) result.push_back(display);
    }
    return result;
}

std::string label(const DisplayInfo& display) { return display.isBuiltIn ? "Built-in display" : display.name; }

// Whether an answer about another display may store a choice for `other`:
// only when `other` has none yet, so a display the trader turned off stays
// off even while it holds the island as the last resort. With two displays
// the answer is about both, as its buttons name both ("Both displays", "Only …").
bool mayRecord(const DisplayInfo& other, const std::vector<DisplayInfo>& connected, const DisplayChoices& current) {
    return connected.size() == 2 || !choiceOf(other, current);
}

}  // namespace

std::vector<DisplayInfo> shown(const std::vector<DisplayInfo>& connected, const DisplayChoices& choices) {
    if (auto result = chosen(connected, choices); !result.empty()) return result;
    if (connected.empty()) return {};
    const auto builtIn = std::find_if(connected.begin(), connected.end(), [](const auto& d) { return d.isBuiltIn; });
    return {builtIn != connected.end() ? *builtIn : connected.front()};
}

std::optional<DisplayInfo> nextToAsk(const std::vector<DisplayInfo>& connected, const DisplayChoices& choices,
                                     const std::set<std::string>& skipping) {
    if (connected.size() < 2) return std::nullopt;
    // A display that has the island only because nothing was chosen is not
    // new to the user: the question is about one without an island.
    const auto withIsland = shown(connected, choices);
    for (const DisplayInfo& display : connected) {
        if (display.isBuiltIn || choiceOf(display, choices) || skipping.contains(display.id)) continue;
        if (std::ranges::find(withIsland, display.id, &DisplayInfo::id) == withIsland.end()) return display;
    }
    return std::nullopt;
}

DisplayChoices choices(DisplayAnswer answer, const DisplayInfo& display, const std::vector<DisplayInfo>& connected,
                       const DisplayChoices& current) {
    DisplayChoices entries;
    if (answer != DisplayAnswer::onlyHere && chosen(connected, current).empty()) {
        for (const DisplayInfo& fallback : shown(connected, current)) {
            if (fallback.id != display.id && mayRecord(fallback, connected, current)) {
                entries[fallback.id] = true;
            }
        }
    }
    switch (answer) {
    case DisplayAnswer::alsoHere:
        entries[display.id] = true;
        break;
    case DisplayAnswer::notHere:
        entries[display.id] = false;
        break;
    case DisplayAnswer::onlyHere:
        for (const DisplayInfo& other : connected) entries[other.id] = false;
        entries[display.id] = true;
        break;
    }
    DisplayChoices merged = current;
    for (const auto& [id, show] : entries) merged[id] = show;
    if (!chosen(connected, merged).empty()) return entries;
    // Left alone, the fallback would put the island back on the display just
    // refused. Show it on another one instead, the built-in display first:
    // with two displays that is the one the "Only …" button named.
    std::vector<const DisplayInfo*> others;
    for (const DisplayInfo& other : connected) {
        if (other.id != display.id && mayRecord(other, connected, current)) others.push_back(&other);
    }
    std::stable_partition(others.begin(), others.end(), [](const DisplayInfo* d) { return d->isBuiltIn; });
    if (!others.empty()) entries[others.front()->id] = true;
    return entries;
}

ButtonTitles buttonTitles(const DisplayInfo& display, const std::vector<DisplayInfo>& connected) {
    if (connected.size() == 2) {
        const DisplayInfo& other = connected[0].id != display.id ? connected[0] : connected[1];
        return {"Both displays", "Only " + label(display), "Only " + label(other)};
    }
    const std::string name = label(display);
    return {"Also on " + name, "Only on " + name, "Not on " + name};
}

}  // namespace WaylarkKit::DisplayPlan
