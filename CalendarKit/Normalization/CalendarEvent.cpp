#include "CalendarKit/Normalization/CalendarEvent.h"

#include "Base/JsonRead.h"
#include "CalendarKit/Normalization/EventFamilyClassifier.h"

namespace CalendarKit {

std::optional<EventFamily> CalendarEvent::currentFamily() const {
    return EventFamilyClassifier::classify(title);
}

TradingCore::NewsEvent CalendarEvent::newsEvent() const {
    std::optional<std::string> label;
    if (const auto current = currentFamily()) label = std::string(shortLabel(*current));
    return TradingCore::NewsEvent{id, title, currency, impact, time, true, std::move(label)};
}

Base::Json toJson(const CalendarEvent& event) {
    Base::Json json = Base::Json::object();
    json.set("id", Base::Json::string(event.id));
    json.set("title", Base::Json::string(event.title));
    json.set("currency", Base::Json::string(event.currency));
    json.set("impact", Base::Json::string(std::string(TradingCore::rawValue(event.impact))));
    json.set("time", Base::Json::number(event.time.secondsSince1970));
    if (event.family) json.set("family", Base::Json::string(std::string(rawValue(*event.family))));
    json.set("forecast", Base::Json::string(event.forecast));
    json.set("previous", Base::Json::string(event.previous));
    return json;
}

template <>
Base::Result<CalendarEvent> fromJson<CalendarEvent>(const Base::Json& json) {
    BASE_TRY(reader, Base::JsonObjectReader::of(json, "event"));
    CalendarEvent event;
    BASE_TRY(id, reader.string("id"));
    BASE_TRY(title, reader.string("title"));
    BASE_TRY(currency, reader.string("currency"));
    BASE_TRY(impactText, reader.string("impact"));
    const auto impact = TradingCore::newsImpactFromRaw(impactText);
    if (!impact) return Base::makeError(reader.path("impact") + ": unknown impact \"" + impactText + "\"");
    BASE_TRY(time, reader.number("time"));
    BASE_TRY(familyText, reader.optionalString("family"));
    if (familyText) {
        event.family = eventFamilyFromRaw(*familyText);
        if (!event.family) return Base::makeError(reader.path("family") + ": unknown family \"" + *familyText + "\"");
    }
    BASE_TRY(forecast, reader.string("forecast"));
    BASE_TRY(previous, reader.string("previous"));
    event.id = std::move(id);
    event.title = std::move(title);
    event.currency = std::move(currency);
    event.impact = *impact;
    event.time = Base::Date(time);
    event.forecast = std::move(forecast);
    event.previous = std::move(previous);
    return event;
}

}  // namespace CalendarKit
