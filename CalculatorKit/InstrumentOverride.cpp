#include "CalculatorKit/InstrumentOverride.h"

#include "Base/JsonRead.h"

namespace CalculatorKit {

Base::Json toJson(const InstrumentOverride& value) {
    Base::Json json = Base::Json::object();
    if (value.dollarsPerPoint) json.set("dollarsPerPoint", Base::toJson(*value.dollarsPerPoint));
    if (value.minSize) json.set("minSize", Base::toJson(*value.minSize));
    if (value.sizeStep) json.set("sizeStep", Base::toJson(*value.sizeStep));
    return json;
}

template <>
Base::Result<InstrumentOverride> fromJson<InstrumentOverride>(const Base::Json& json) {
    BASE_TRY(reader, Base::JsonObjectReader::of(json, "override"));
    BASE_TRY(dollarsPerPoint, optionalDecimalMember(reader, "dollarsPerPoint"));
    BASE_TRY(minSize, optionalDecimalMember(reader, "minSize"));
    BASE_TRY(sizeStep, optionalDecimalMember(reader, "sizeStep"));
    return InstrumentOverride{dollarsPerPoint, minSize, sizeStep};
}

}  // namespace CalculatorKit
