#include "CalendarKit/Storage/CalendarCache.h"

#include "Base/JsonRead.h"

namespace CalendarKit {

Base::Json toJson(const CalendarCache& cache) {
    Base::Json::Array events;
    events.reserve(cache.events.size());
    for (const auto& event : cache.events) events.push_back(toJson(event));
    Base::Json::Array pending;
    for (const auto& id : cache.pendingRemovals) pending.push_back(Base::Json::string(id));

    Base::Json json = Base::Json::object();
    json.set("version", Base::Json::number(cache.version));
    json.set("lastSuccess", Base::Json::number(cache.lastSuccess.secondsSince1970));
    json.set("events", Base::Json::array(std::move(events)));
    json.set("pendingRemovals", Base::Json::array(std::move(pending)));
    return json;
}

template <>
Base::Result<CalendarCache> fromJson<CalendarCache>(const Base::Json& json) {
    BASE_TRY(reader, Base::JsonObjectReader::of(json, "calendar"));
    CalendarCache cache;
    BASE_TRY(version, reader.integer("version"));
    BASE_TRY(lastSuccess, reader.number("lastSuccess"));
    BASE_TRY(events, reader.arrayOf("events", fromJson<CalendarEvent>));
    BASE_TRY(pending, reader.arrayOf("pendingRemovals", Base::JsonValue::string));
    cache.version = version;
    cache.lastSuccess = Base::Date(lastSuccess);
    cache.events = std::move(events);
    cache.pendingRemovals.insert(std::make_move_iterator(pending.begin()), std::make_move_iterator(pending.end()));
    return cache;
}

}  // namespace CalendarKit
