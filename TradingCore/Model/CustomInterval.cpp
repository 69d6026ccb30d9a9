#include "TradingCore/Model/CustomInterval.h"

#include "TradingCore/Model/JsonMember.h"

namespace TradingCore {

Base::Json toJson(const CustomInterval& interval) {
    Base::Json json = Base::Json::object();
    json.set("id", Base::Json::string(interval.id.text()));
    json.set("name", Base::Json::string(interval.name));
    json.set("start", toJson(interval.start));
    json.set("end", toJson(interval.end));
    json.set("weekdays", toJson(interval.weekdays));
    json.set("color", toJson(interval.color));
    return json;
}

template <>
Base::Result<CustomInterval> fromJson<CustomInterval>(const Base::Json& json) {
    BASE_TRY(reader, Base::JsonObjectReader::of(json, "customInterval"));
    CustomInterval interval;
    BASE_TRY(idText, reader.string("id"));
    std::optional<Base::Uuid> id = Base::Uuid::fromText(idText);
    if (!id) return Base::makeError(reader.path("id") + ": \"" + idText + "\" is no UUID");
    interval.id = *id;
    BASE_TRY(name, reader.string("name"));
    interval.name = std::move(name);
    BASE_TRY(start, memberFromJson<WallClockTime>(reader, "start"));
    BASE_TRY(end, memberFromJson<WallClockTime>(reader, "end"));
    interval.start = start;
    interval.end = end;
    BASE_TRY(weekdaysJson, reader.required("weekdays"));
    BASE_TRY(weekdays, weekdaysFromJson(*weekdaysJson, reader.path("weekdays")));
    interval.weekdays = std::move(weekdays);
    // A colour is no reason to lose the user's interval.
    interval.color = IntervalColor::cyan;
    if (const Base::Json* color = reader.present("color")) {
        interval.color = fromJson<IntervalColor>(*color).valueOr(IntervalColor::cyan);
    }
    return interval;
}

}  // namespace TradingCore
