#include "TradingCore/Model/SessionWindow.h"

#include "TradingCore/Model/JsonMember.h"

namespace TradingCore {

Base::Json toJson(const SessionWindow& window) {
    Base::Json json = Base::Json::object();
    json.set("name", Base::Json::string(window.name));
    json.set("start", toJson(window.start));
    json.set("end", toJson(window.end));
    return json;
}

template <>
Base::Result<SessionWindow> fromJson<SessionWindow>(const Base::Json& json) {
    BASE_TRY(reader, Base::JsonObjectReader::of(json, "window"));
    BASE_TRY(name, reader.string("name"));
    BASE_TRY(start, memberFromJson<WallClockTime>(reader, "start"));
    BASE_TRY(end, memberFromJson<WallClockTime>(reader, "end"));
    return SessionWindow{std::move(name), start, end};
}

}  // namespace TradingCore
