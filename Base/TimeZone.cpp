#include "Base/TimeZone.h"

#include <unicode/unistr.h>

#include "Base/TimeZoneRules.h"

namespace Base {

std::optional<TimeZone> TimeZone::named(const std::string& identifier) {
    std::unique_ptr<icu::TimeZone> zone(
        icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(identifier)));
    if (!zone) return std::nullopt;
    icu::UnicodeString id;
    zone->getID(id);
    // ICU answers an unknown name with "Etc/Unknown" rather than an error.
    if (id == icu::UnicodeString(UCAL_UNKNOWN_ZONE_ID)) return std::nullopt;
    std::string canonical;
    id.toUTF8String(canonical);
    auto rules = std::make_shared<Rules>();
    rules->zone = std::move(zone);
    return TimeZone(canonical, std::move(rules));
}

TimeZone TimeZone::utc() {
    static const TimeZone zone = *named("UTC");
    return zone;
}

double TimeZone::secondsFromUTC(Date instant) const {
    int32_t raw = 0;
    int32_t dst = 0;
    UErrorCode status = U_ZERO_ERROR;
    rules_->zone->getOffset(instant.secondsSince1970 * 1000.0, false, raw, dst, status);
    if (U_FAILURE(status)) return 0;
    return (static_cast<double>(raw) + dst) / 1000.0;
}

}  // namespace Base
