#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Base/Decimal.h"
#include "Base/Json.h"
#include "Base/Result.h"
#include "CalculatorKit/JsonCoding.h"

namespace CalculatorKit {

enum class InstrumentKind { future, cfdIndex };

std::string_view rawValue(InstrumentKind kind);
// Exact, case-sensitive match of a raw value.
std::optional<InstrumentKind> instrumentKindFromRaw(std::string_view raw);

// One tradable product as the position-size calculation sees it. The four
// numbers compare by value, so 20 and 20.0 are the same point value.
struct Instrument {
    std::string id;
    std::string name;
    InstrumentKind kind = InstrumentKind::future;
    Base::Decimal dollarsPerPoint;  // per 1 point of price per 1 unit of size
    Base::Decimal tickSize;         // in points
    Base::Decimal minSize;          // in units
    Base::Decimal sizeStep;         // in units
    std::string unit;               // "contract" or "lot"
    bool isVerified = false;
    std::string note;
    std::optional<std::string> microID;  // the micro contract of a full-size future

    bool operator==(const Instrument&) const = default;
};

// Every field is written; "microID" only when present.
Base::Json toJson(const Instrument& instrument);
// Every key but "microID" is required; "microID" may be missing or null.
template <>
Base::Result<Instrument> fromJson<Instrument>(const Base::Json& json);

}  // namespace CalculatorKit
