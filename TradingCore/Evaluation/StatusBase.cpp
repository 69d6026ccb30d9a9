#include "TradingCore/Evaluation/StatusBase.h"

namespace TradingCore {

std::string_view rawValue(StatusBase base) {
    switch (base) {
        case StatusBase::green: return "green";
        case StatusBase::red: return "red";
        case StatusBase::gray: return "gray";
        case StatusBase::amber: return "amber";
    }
    return "gray";
}

std::optional<StatusBase> statusBaseFromRaw(std::string_view raw) {
    if (raw == "green") return StatusBase::green;
    if (raw == "red") return StatusBase::red;
    if (raw == "gray") return StatusBase::gray;
    if (raw == "amber") return StatusBase::amber;
    return std::nullopt;
}

}  // namespace TradingCore
