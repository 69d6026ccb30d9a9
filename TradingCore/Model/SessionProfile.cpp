#include "TradingCore/Model/SessionProfile.h"

#include "TradingCore/Model/JsonMember.h"

namespace TradingCore {

SessionProfile SessionProfile::newYork() {
    static const SessionProfile profile{
        "NY",
        {{"Pre-session", {7, 0}, {9, 30}}, {"Opening", {9, 30}, {11, 0}}},
        workDays(),
    };
    return profile;
}

SessionProfile SessionProfile::london() {
    static const SessionProfile profile{"London", {{"London", {2, 0}, {5, 0}}}, workDays()};
    return profile;
}

SessionProfile SessionProfile::asia() {
    static const SessionProfile profile{
        "Asia",
        {{"Asia", {20, 0}, {0, 0}}},
        {Weekday::sunday, Weekday::monday, Weekday::tuesday, Weekday::wednesday, Weekday::thursday},
    };
    return profile;
}

std::vector<SessionProfile> SessionProfile::defaults() { return {newYork(), london(), asia()}; }

Base::Json toJson(const SessionProfile& profile) {
    Base::Json windows = Base::Json::array();
    for (const SessionWindow& window : profile.windows) windows.push(toJson(window));
    Base::Json json = Base::Json::object();
    json.set("name", Base::Json::string(profile.name));
    json.set("windows", std::move(windows));
    json.set("startWeekdays", toJson(profile.startWeekdays));
    return json;
}

template <>
Base::Result<SessionProfile> fromJson<SessionProfile>(const Base::Json& json) {
    BASE_TRY(reader, Base::JsonObjectReader::of(json, "profile"));
    SessionProfile profile;
    BASE_TRY(name, reader.string("name"));
    profile.name = std::move(name);
    BASE_TRY(windows, reader.arrayOf("windows", fromJson<SessionWindow>));
    profile.windows = std::move(windows);
    BASE_TRY(weekdaysJson, reader.required("startWeekdays"));
    BASE_TRY(weekdays, weekdaysFromJson(*weekdaysJson, reader.path("startWeekdays")));
    profile.startWeekdays = std::move(weekdays);
    return profile;
}

}  // namespace TradingCore
