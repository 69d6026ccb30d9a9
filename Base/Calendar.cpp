#include "Base/Calendar.h"

#include <unicode/gregocal.h>
#include <unicode/timezone.h>

#include <cmath>
#include <mutex>

#include "Base/TimeZoneRules.h"

namespace Base {

struct Calendar::Impl {
    std::mutex mutex;  // guards `calendar`, whose every read sets its time first
    std::unique_ptr<icu::GregorianCalendar> calendar;
};

namespace {

std::unique_ptr<icu::GregorianCalendar> makeCalendar(const TimeZone& zone) {
    UErrorCode status = U_ZERO_ERROR;
    icu::TimeZone* icuZone = zone.rules()->zone->clone();
    auto calendar = std::make_unique<icu::GregorianCalendar>(icuZone, icu::Locale::getRoot(), status);
    // ICU's defaults take the later instant of a repeated time and shift a
    // skipped time back by the gap; the trading rules want neither.
    calendar->setRepeatedWallTimeOption(UCAL_WALLTIME_FIRST);
    calendar->setSkippedWallTimeOption(UCAL_WALLTIME_NEXT_VALID);
    calendar->setFirstDayOfWeek(UCAL_SUNDAY);
    return calendar;
}

constexpr double kMaxSeconds = 8.64e12;  // far beyond any date the system handles

bool representable(Date d) {
    return std::isfinite(d.secondsSince1970) && std::fabs(d.secondsSince1970) < kMaxSeconds;
}

}  // namespace

Calendar::Calendar(TimeZone zone) : zone_(std::move(zone)), impl_(std::make_unique<Impl>()) {
    impl_->calendar = makeCalendar(zone_);
}

Calendar::Calendar(const Calendar& other) : Calendar(other.zone_) {}

Calendar& Calendar::operator=(const Calendar& other) {
    if (this != &other) {
        zone_ = other.zone_;
        impl_->calendar = makeCalendar(zone_);
    }
    return *this;
}

Calendar::Calendar(Calendar&&) noexcept = default;
Calendar& Calendar::operator=(Calendar&&) noexcept = default;
Calendar::~Calendar() = default;

namespace {

DateComponents componentsOn(icu::GregorianCalendar& cal, Date instant) {
    DateComponents c;
    if (!representable(instant)) return c;
    UErrorCode status = U_ZERO_ERROR;
    cal.setTime(std::floor(instant.secondsSince1970 * 1000.0), status);
    c.year = cal.get(UCAL_EXTENDED_YEAR, status);
    c.month = cal.get(UCAL_MONTH, status) + 1;
    c.day = cal.get(UCAL_DATE, status);
    c.hour = cal.get(UCAL_HOUR_OF_DAY, status);
    c.minute = cal.get(UCAL_MINUTE, status);
    c.second = cal.get(UCAL_SECOND, status);
    c.weekday = cal.get(UCAL_DAY_OF_WEEK, status);
    return c;
}

std::optional<Date> dateOn(icu::GregorianCalendar& cal, int year, int month, int day, int hour, int minute,
                           int second) {
    UErrorCode status = U_ZERO_ERROR;
    cal.clear();
    cal.set(UCAL_EXTENDED_YEAR, year);
    cal.set(UCAL_MONTH, month - 1);
    cal.set(UCAL_DATE, day);
    cal.set(UCAL_HOUR_OF_DAY, hour);
    cal.set(UCAL_MINUTE, minute);
    cal.set(UCAL_SECOND, second);
    const UDate millis = cal.getTime(status);
    if (U_FAILURE(status)) return std::nullopt;
    return Date(millis / 1000.0);
}

}  // namespace

DateComponents Calendar::components(Date instant) const {
    std::lock_guard lock(impl_->mutex);
    return componentsOn(*impl_->calendar, instant);
}

std::optional<Date> Calendar::date(int year, int month, int day, int hour, int minute,
                                   int second) const {
    std::lock_guard lock(impl_->mutex);
    return dateOn(*impl_->calendar, year, month, day, hour, minute, second);
}

std::optional<Date> Calendar::startOfDay(Date instant) const { return startOfDay(instant, 0); }

std::optional<Date> Calendar::startOfDay(Date instant, int addingDays) const {
    if (!representable(instant)) return std::nullopt;
    std::lock_guard lock(impl_->mutex);
    const DateComponents c = componentsOn(*impl_->calendar, instant);
    // The calendar is lenient, so day 32 rolls into the next month.
    return dateOn(*impl_->calendar, c.year, c.month, c.day + addingDays, 0, 0, 0);
}

std::optional<Date> Calendar::startOfWeek(Date instant) const {
    if (!representable(instant)) return std::nullopt;
    std::lock_guard lock(impl_->mutex);
    const DateComponents c = componentsOn(*impl_->calendar, instant);
    return dateOn(*impl_->calendar, c.year, c.month, c.day - (c.weekday - 1), 0, 0, 0);
}

std::optional<Date> Calendar::startOfHour(Date instant) const {
    if (!representable(instant)) return std::nullopt;
    const double offset = zone_.secondsFromUTC(instant);
    const double local = instant.secondsSince1970 + offset;
    return Date(std::floor(local / 3600.0) * 3600.0 - offset);
}

int Calendar::weekday(Date instant) const { return components(instant).weekday; }

}  // namespace Base
