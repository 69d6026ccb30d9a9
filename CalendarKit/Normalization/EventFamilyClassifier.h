#pragma once

#include <optional>
#include <string_view>

#include "CalendarKit/Normalization/EventFamily.h"

namespace CalendarKit::EventFamilyClassifier {

// The family of a release title: the first rule of an ordered table that the
// title satisfies, or nothing. Some rules test the title's capitals exactly
// ("CPI"), others its lowercased text ("retail sales").
std::optional<EventFamily> classify(std::string_view title);

}  // namespace CalendarKit::EventFamilyClassifier
