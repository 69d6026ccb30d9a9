#pragma once

// Internal to Base: the ICU zone behind a Base::TimeZone.

#include <unicode/timezone.h>

#include <memory>

#include "Base/TimeZone.h"

namespace Base {

struct TimeZone::Rules {
    std::unique_ptr<icu::TimeZone> zone;
};

}  // namespace Base
