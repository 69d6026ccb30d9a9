#include "TradingCore/Model/Weekday.h"

#include <string>

#include "Base/JsonRead.h"

namespace TradingCore {

std::optional<Weekday> weekdayFromRaw(std::int64_t raw) {
    if (raw < 1 || raw > 7) return std::nullopt;
    return static_cast<Weekday>(raw);
}

std::set<Weekday> workDays() {
    return {Weekday::monday, Weekday::tuesday, Weekday::wednesday, Weekday::thursday, Weekday::friday};
}

Base::Json toJson(const std::set<Weekday>& days) {
    Base::Json json = Base::Json::array();
    for (Weekday day : days) json.push(Base::Json::number(rawValue(day)));
    return json;
}

Base::Result<std::set<Weekday>> weekdaysFromJson(const Base::Json& json, std::string_view context) {
    BASE_TRY(elements, Base::JsonValue::array(json, context));
    std::set<Weekday> days;
    for (const Base::Json& element : *elements) {
        BASE_TRY(raw, Base::JsonValue::integer(element, context));
        std::optional<Weekday> day = weekdayFromRaw(raw);
        if (!day) {
            return Base::makeError(std::string(context) + ": " + std::to_string(raw) +
                                   " is no weekday (1 to 7)");
        }
        days.insert(*day);
    }
    return days;
}

}  // namespace TradingCore
