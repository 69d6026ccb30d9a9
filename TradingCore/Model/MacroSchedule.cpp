#include "TradingCore/Model/MacroSchedule.h"

#include "TradingCore/Model/JsonMember.h"

namespace TradingCore {

MacroSchedule MacroSchedule::newYork(bool lunch, bool finalHour) {
    MacroSchedule schedule{10, {}, workDays()};
    if (lunch) schedule.named.push_back(NamedMacro::lunch());
    if (finalHour) schedule.named.push_back(NamedMacro::finalHour());
    return schedule;
}

MacroSchedule MacroSchedule::newYorkDefault() {
    static const MacroSchedule schedule = newYork(true, true);
    return schedule;
}

Base::Json toJson(const MacroSchedule& schedule) {
    Base::Json named = Base::Json::array();
    for (const NamedMacro& macro : schedule.named) named.push(toJson(macro));
    Base::Json json = Base::Json::object();
    json.set("aroundHourMinutes", Base::Json::number(schedule.aroundHourMinutes));
    json.set("named", std::move(named));
    json.set("weekdays", toJson(schedule.weekdays));
    return json;
}

template <>
Base::Result<MacroSchedule> fromJson<MacroSchedule>(const Base::Json& json) {
    BASE_TRY(reader, Base::JsonObjectReader::of(json, "macros"));
    MacroSchedule schedule;
    BASE_TRY(around, reader.integer("aroundHourMinutes"));
    schedule.aroundHourMinutes = around;
    BASE_TRY(named, reader.arrayOf("named", fromJson<NamedMacro>));
    schedule.named = std::move(named);
    BASE_TRY(weekdaysJson, reader.required("weekdays"));
    BASE_TRY(weekdays, weekdaysFromJson(*weekdaysJson, reader.path("weekdays")));
    schedule.weekdays = std::move(weekdays);
    return schedule;
}

}  // namespace TradingCore
