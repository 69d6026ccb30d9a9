#include "CalculatorKit/Instrument.h"

#include "Base/JsonRead.h"

namespace CalculatorKit {

std::string_view rawValue(InstrumentKind kind) {
    switch (kind) {
        case InstrumentKind::future: return "future";
        case InstrumentKind::cfdIndex: return "cfdIndex";
    }
    return "future";
}

std::optional<InstrumentKind> instrumentKindFromRaw(std::string_view raw) {
    if (raw == "future") return InstrumentKind::future;
    if (raw == "cfdIndex") return InstrumentKind::cfdIndex;
    return std::nullopt;
}

Base::Json toJson(const Instrument& instrument) {
    Base::Json json = Base::Json::object();
    json.set("id", Base::Json::string(instrument.id));
    json.set("name", Base::Json::string(instrument.name));
    json.set("kind", Base::Json::string(std::string(rawValue(instrument.kind))));
    json.set("dollarsPerPoint", Base::toJson(instrument.dollarsPerPoint));
    json.set("tickSize", Base::toJson(instrument.tickSize));
    json.set("minSize", Base::toJson(instrument.minSize));
    json.set("sizeStep", Base::toJson(instrument.sizeStep));
    json.set("unit", Base::Json::string(instrument.unit));
    json.set("isVerified", Base::Json::boolean(instrument.isVerified));
    json.set("note", Base::Json::string(instrument.note));
    if (instrument.microID) json.set("microID", Base::Json::string(*instrument.microID));
    return json;
}

template <>
Base::Result<Instrument> fromJson<Instrument>(const Base::Json& json) {
    BASE_TRY(reader, Base::JsonObjectReader::of(json, "instrument"));
    Instrument instrument;
    BASE_TRY(id, reader.string("id"));
    BASE_TRY(name, reader.string("name"));
    BASE_TRY(kindText, reader.string("kind"));
    const std::optional<InstrumentKind> kind = instrumentKindFromRaw(kindText);
    if (!kind) return Base::makeError(reader.path("kind") + ": unknown kind \"" + kindText + "\"");
    BASE_TRY(dollarsPerPoint, decimalMember(reader, "dollarsPerPoint"));
    BASE_TRY(tickSize, decimalMember(reader, "tickSize"));
    BASE_TRY(minSize, decimalMember(reader, "minSize"));
    BASE_TRY(sizeStep, decimalMember(reader, "sizeStep"));
    BASE_TRY(unit, reader.string("unit"));
    BASE_TRY(isVerified, reader.boolean("isVerified"));
    BASE_TRY(note, reader.string("note"));
    BASE_TRY(microID, reader.optionalString("microID"));

    instrument.id = std::move(id);
    instrument.name = std::move(name);
    instrument.kind = *kind;
    instrument.dollarsPerPoint = dollarsPerPoint;
    instrument.tickSize = tickSize;
    instrument.minSize = minSize;
    instrument.sizeStep = sizeStep;
    instrument.unit = std::move(unit);
    instrument.isVerified = isVerified;
    instrument.note = std::move(note);
    instrument.microID = std::move(microID);
    return instrument;
}

}  // namespace CalculatorKit
