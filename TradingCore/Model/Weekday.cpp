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
    BASE_TRY(days, Base::JsonValue::arrayOf(json, context, [](const Base::Json& element,
                                                               std::string_view path) -> Base::Result<Weekday> {
        BASE_TRY(raw, Base::JsonValue::integer(element, path));
        std::optional<Weekday> day = weekdayFromRaw(raw);
        if (!day) return Base::makeError(std::string(path) + ": " + std::to_string(raw) + " is no weekday (1 to 7)");
        return *day;
    }));
    return std::set<Weekday>(days.begin(), days.end());
}

}  // namespace TradingCore
