#include "TradingCore/Model/DataConfidence.h"

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

}  // namespace TradingCore
