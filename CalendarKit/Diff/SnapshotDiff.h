#pragma once

#include <vector>

#include "CalendarKit/Diff/CalendarChange.h"
#include "CalendarKit/Normalization/CalendarEvent.h"

namespace CalendarKit::SnapshotDiff {

// What changed between two snapshots, events matched by id (the first of
// duplicate ids stands for it): walking `next`, an addition or, per matched
// event, a move, an impact change and a forecast change in that order; then
// the removals in `old` order. Titles, currencies, previous values and
// families are not compared.
std::vector<CalendarChange> compare(const std::vector<CalendarEvent>& old, const std::vector<CalendarEvent>& next);

}  // namespace CalendarKit::SnapshotDiff
