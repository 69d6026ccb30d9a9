#include <cstdint>
#include <string>

#include "Base/JsonRead.h"
#include "SettingsKit/AppSettings.h"

// The settings document. Five keys are required; the others fall back to
// their defaults when absent or null. A present value of the wrong type
// rejects the whole document: a half-read file must never pass for the user's
// settings (the store moves it aside instead, so its bytes survive).

namespace SettingsKit {

namespace {

template <class T, class Encode>
Base::Json arrayOf(const std::vector<T>& items, Encode encode) {
    Base::Json array = Base::Json::array();
    for (const T& item : items) array.push(encode(item));
    return array;
}

bool beyondAnyMinuteCount(std::int64_t hour, std::int64_t minute) {
    std::int64_t product = 0;
    std::int64_t sum = 0;
    return __builtin_mul_overflow(hour, std::int64_t{60}, &product) ||
           __builtin_add_overflow(product, minute, &sum);
}

// A stored time whose minute count does not fit 64 bits is no time of any day,
// like 25:00, and is read as 24:00 so that repair refuses it like any other
// time outside the day. Left as it is, it would make the whole document
// unreadable over one window or custom interval.
void markImpossibleTime(Base::Json* time) {
    if (time == nullptr || !time->isObject()) return;
    const Base::Json* hour = time->find("hour");
    const Base::Json* minute = time->find("minute");
    if (hour == nullptr || minute == nullptr) return;
    const auto hourValue = Base::JsonValue::integer(*hour, "hour");
    const auto minuteValue = Base::JsonValue::integer(*minute, "minute");
    if (!hourValue.ok() || !minuteValue.ok() || !beyondAnyMinuteCount(*hourValue, *minuteValue)) return;
    time->set("hour", Base::Json::number(24));
    time->set("minute", Base::Json::number(0));
}

Base::Json* member(Base::Json& object, const char* key) {
    if (!object.isObject()) return nullptr;
    const auto found = object.asObject().find(key);
    return found == object.asObject().end() ? nullptr : &found->second;
}

void markTimesIn(Base::Json* items) {
    if (items == nullptr || !items->isArray()) return;
    for (Base::Json& item : items->asArray()) {
        markImpossibleTime(member(item, "start"));
        markImpossibleTime(member(item, "end"));
    }
}

Base::Json withImpossibleTimesMarked(Base::Json document) {
    if (Base::Json* profiles = member(document, "profiles"); profiles != nullptr && profiles->isArray()) {
        for (Base::Json& profile : profiles->asArray()) markTimesIn(member(profile, "windows"));
    }
    markTimesIn(member(document, "customIntervals"));
    return document;
}

}  // namespace

Base::Json toJson(const AppSettings& settings) {
    Base::Json json = Base::Json::object();
    json.set("version", Base::Json::number(settings.version));
    json.set("profiles", arrayOf(settings.profiles, [](const auto& p) { return TradingCore::toJson(p); }));
    json.set("activeProfileName", Base::Json::string(settings.activeProfileName));
    json.set("weeklyCurrency", Base::Json::string(settings.weeklyCurrency));
    json.set("weeklyIncludeMedium", Base::Json::boolean(settings.weeklyIncludeMedium));
    json.set("newsRule", TradingCore::toJson(settings.newsRule));
    json.set("greeting", toJson(settings.greeting));
    json.set("timelineHalfSpanMinutes", Base::Json::number(settings.timelineHalfSpanMinutes));
    json.set("customIntervals",
             arrayOf(settings.customIntervals, [](const auto& c) { return TradingCore::toJson(c); }));
    json.set("lunchMacroEnabled", Base::Json::boolean(settings.lunchMacroEnabled));
    json.set("finalMacroEnabled", Base::Json::boolean(settings.finalMacroEnabled));
    json.set("calculator", CalculatorKit::toJson(settings.calculator));
    json.set("displays", toJson(settings.displays));
    return json;
}

Base::Result<AppSettings> appSettingsFromJson(const Base::Json& json) {
    const Base::Json document = withImpossibleTimesMarked(json);
    BASE_TRY(reader, Base::JsonObjectReader::of(document, "settings"));
    AppSettings settings;

    BASE_TRY(version, reader.integer("version"));
    settings.version = version;
    BASE_TRY(profiles, reader.arrayOf("profiles", TradingCore::fromJson<TradingCore::SessionProfile>));
    settings.profiles = std::move(profiles);
    BASE_TRY(activeProfileName, reader.string("activeProfileName"));
    settings.activeProfileName = std::move(activeProfileName);
    BASE_TRY(weeklyCurrency, reader.string("weeklyCurrency"));
    settings.weeklyCurrency = std::move(weeklyCurrency);
    BASE_TRY(weeklyIncludeMedium, reader.boolean("weeklyIncludeMedium"));
    settings.weeklyIncludeMedium = weeklyIncludeMedium;

    if (const Base::Json* rule = reader.present("newsRule")) {
        BASE_TRY(decodedRule, TradingCore::fromJson<TradingCore::NewsRule>(*rule));
        settings.newsRule = std::move(decodedRule);
    }
    if (const Base::Json* greeting = reader.present("greeting")) {
        BASE_TRY(decodedGreeting, greetingFromJson(*greeting, reader.path("greeting")));
        settings.greeting = std::move(decodedGreeting);
    }
    BASE_TRY(halfSpan, reader.optionalInteger("timelineHalfSpanMinutes"));
    if (halfSpan && TimelineZoom::isStep(*halfSpan)) settings.timelineHalfSpanMinutes = static_cast<int>(*halfSpan);
    BASE_TRY(customs, reader.optionalArrayOf("customIntervals", TradingCore::fromJson<TradingCore::CustomInterval>));
    if (customs) settings.customIntervals = std::move(*customs);
    BASE_TRY(lunch, reader.optionalBoolean("lunchMacroEnabled"));
    settings.lunchMacroEnabled = lunch.value_or(true);
    BASE_TRY(finalHour, reader.optionalBoolean("finalMacroEnabled"));
    settings.finalMacroEnabled = finalHour.value_or(true);
    if (const Base::Json* calculator = reader.present("calculator")) {
        BASE_TRY(decodedCalculator, CalculatorKit::fromJson<CalculatorKit::CalculatorSettings>(*calculator));
        settings.calculator = std::move(decodedCalculator);
    }
    if (const Base::Json* displays = reader.present("displays")) {
        BASE_TRY(decodedDisplays, displaysFromJson(*displays, reader.path("displays")));
        settings.displays = std::move(decodedDisplays);
    }
    return settings;
}

}  // namespace SettingsKit
