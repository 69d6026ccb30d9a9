#include <algorithm>
#include <set>

#include "SettingsKit/SettingsModel.h"
#include "SettingsKit/WallClockRange.h"

namespace SettingsKit {

using TradingCore::CustomInterval;
using TradingCore::IntervalColor;
using TradingCore::WallClockTime;

std::optional<Base::Uuid> SettingsModel::addCustomInterval() {
    const auto& intervals = customIntervals();
    if (intervals.size() >= static_cast<std::size_t>(TradingCore::CustomIntervalRules::maxCount)) return std::nullopt;
    std::set<IntervalColor> used;
    for (const auto& interval : intervals) used.insert(interval.color);
    IntervalColor color = IntervalColor::cyan;
    for (IntervalColor candidate : TradingCore::allIntervalColors) {
        if (!used.contains(candidate)) {
            color = candidate;
            break;
        }
    }
    CustomInterval interval{Base::Uuid::random(), "Kill zone",           WallClockTime(10, 0),
                            WallClockTime(11, 0), TradingCore::workDays(), color};
    const Base::Uuid id = interval.id;
    modify([&](AppSettings& s) { s.customIntervals.push_back(std::move(interval)); });
    changed();
    return id;
}

void SettingsModel::renameCustomInterval(const Base::Uuid& id, std::string_view name) {
    // Not trimmed while typing; normalize() gives a blank name its fallback.
    const std::string cleaned =
        AppSettings::cleanText(name, TradingCore::CustomIntervalRules::maxNameLength, false, "");
    update(id, [&](CustomInterval& c) { c.name = cleaned; });
}

CustomTimesResult SettingsModel::setCustomTimes(const Base::Uuid& id, WallClockTime start, WallClockTime end) {
    if (start == end) return CustomTimesResult::zeroLength;
    if (!isWithinDay(start) || !isWithinDay(end)) return CustomTimesResult::invalidTime;
    const auto& intervals = customIntervals();
    if (std::none_of(intervals.begin(), intervals.end(), [&](const auto& c) { return c.id == id; })) {
        return CustomTimesResult::notFound;
    }
    update(id, [&](CustomInterval& c) {
        c.start = start;
        c.end = end;
    });
    return CustomTimesResult::accepted;
}

void SettingsModel::setCustomColor(const Base::Uuid& id, IntervalColor color) {
    update(id, [&](CustomInterval& c) { c.color = color; });
}

void SettingsModel::toggleCustomWeekday(const Base::Uuid& id, TradingCore::Weekday day) {
    update(id, [&](CustomInterval& c) {
        if (!c.weekdays.contains(day)) {
            c.weekdays.insert(day);
        } else if (c.weekdays.size() > 1) {
            c.weekdays.erase(day);  // the last day stays: an interval needs one
        }
    });
}

void SettingsModel::removeCustomInterval(const Base::Uuid& id) {
    const auto& intervals = customIntervals();
    if (std::none_of(intervals.begin(), intervals.end(), [&](const auto& c) { return c.id == id; })) return;
    modify([&](AppSettings& s) { std::erase_if(s.customIntervals, [&](const auto& c) { return c.id == id; }); });
    changed();
}

}  // namespace SettingsKit
