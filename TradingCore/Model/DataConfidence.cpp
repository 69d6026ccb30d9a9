#include "TradingCore/Model/DataConfidence.h"

#include <string>

#include "Base/JsonRead.h"

namespace TradingCore {

std::string_view rawValue(DataConfidence confidence) {
    switch (confidence) {
        case DataConfidence::live: return "live";
        case DataConfidence::degraded: return "degraded";
        case DataConfidence::unknown: return "unknown";
    }
    return "unknown";
}

std::optional<DataConfidence> dataConfidenceFromRaw(std::string_view raw) {
    if (raw == "live") return DataConfidence::live;
    if (raw == "degraded") return DataConfidence::degraded;
    if (raw == "unknown") return DataConfidence::unknown;
    return std::nullopt;
}

Base::Json toJson(DataConfidence confidence) { return Base::Json::string(std::string(rawValue(confidence))); }

template <>
Base::Result<DataConfidence> fromJson<DataConfidence>(const Base::Json& json) {
    BASE_TRY(text, Base::JsonValue::string(json, "confidence"));
    std::optional<DataConfidence> confidence = dataConfidenceFromRaw(text);
    if (!confidence) return Base::makeError("confidence: unknown confidence \"" + text + "\"");
    return *confidence;
}

}  // namespace TradingCore
