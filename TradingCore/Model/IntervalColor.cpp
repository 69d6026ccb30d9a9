#include "TradingCore/Model/IntervalColor.h"

#include <string>

#include "Base/JsonRead.h"

namespace TradingCore {

std::string_view rawValue(IntervalColor color) {
    switch (color) {
        case IntervalColor::cyan: return "cyan";
        case IntervalColor::blue: return "blue";
        case IntervalColor::pink: return "pink";
        case IntervalColor::yellow: return "yellow";
        case IntervalColor::teal: return "teal";
        case IntervalColor::white: return "white";
    }
    return "cyan";
}

std::optional<IntervalColor> intervalColorFromRaw(std::string_view raw) {
    for (IntervalColor color : allIntervalColors) {
        if (rawValue(color) == raw) return color;
    }
    return std::nullopt;
}

Base::Json toJson(IntervalColor color) { return Base::Json::string(std::string(rawValue(color))); }

template <>
Base::Result<IntervalColor> fromJson<IntervalColor>(const Base::Json& json) {
    BASE_TRY(text, Base::JsonValue::string(json, "color"));
    std::optional<IntervalColor> color = intervalColorFromRaw(text);
    if (!color) return Base::makeError("color: unknown colour \"" + text + "\"");
    return *color;
}

}  // namespace TradingCore
