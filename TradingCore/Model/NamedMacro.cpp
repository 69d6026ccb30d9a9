#include "TradingCore/Model/NamedMacro.h"

#include "TradingCore/Model/JsonMember.h"

namespace TradingCore {

Base::Json toJson(const NamedMacro& macro) {
    Base::Json json = Base::Json::object();
    json.set("name", Base::Json::string(macro.name));
    json.set("start", toJson(macro.start));
    json.set("end", toJson(macro.end));
    return json;
}

template <>
Base::Result<NamedMacro> fromJson<NamedMacro>(const Base::Json& json) {
    BASE_TRY(reader, Base::JsonObjectReader::of(json, "macro"));
    BASE_TRY(name, reader.string("name"));
    BASE_TRY(start, memberFromJson<WallClockTime>(reader, "start"));
    BASE_TRY(end, memberFromJson<WallClockTime>(reader, "end"));
    return NamedMacro{std::move(name), start, end};
}

}  // namespace TradingCore
