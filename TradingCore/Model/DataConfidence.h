#pragma once

#include <optional>
#include <string_view>

#include "Base/Json.h"
#include "Base/Result.h"
#include "TradingCore/Model/JsonCoding.h"

namespace TradingCore {

// How far the news data can be trusted at an instant.
enum class DataConfidence { live, degraded, unknown };

std::string_view rawValue(DataConfidence confidence);
std::optional<DataConfidence> dataConfidenceFromRaw(std::string_view raw);

// Its raw value as a JSON string; any other text is refused.
Base::Json toJson(DataConfidence confidence);
template <>
Base::Result<DataConfidence> fromJson<DataConfidence>(const Base::Json& json);

}  // namespace TradingCore
