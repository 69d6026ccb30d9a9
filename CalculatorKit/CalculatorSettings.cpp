#include "CalculatorKit/CalculatorSettings.h"

#include "Base/JsonRead.h"

namespace CalculatorKit {

Base::Json toJson(const CalculatorSettings& settings) {
    Base::Json overrides = Base::Json::object();
    for (const auto& [id, value] : settings.overrides) overrides.set(id, toJson(value));
    Base::Json custom = Base::Json::array();
    for (const Instrument& instrument : settings.customInstruments) custom.push(toJson(instrument));
    Base::Json stops = Base::Json::array();
    for (const Base::Decimal& stop : settings.recentStops) stops.push(Base::toJson(stop));

    Base::Json json = Base::Json::object();
    json.set("balance", Base::toJson(settings.balance));
    json.set("riskMode", Base::Json::string(std::string(rawValue(settings.riskMode))));
    json.set("riskPercent", Base::toJson(settings.riskPercent));
    json.set("riskAmount", Base::toJson(settings.riskAmount));
    json.set("instrumentID", Base::Json::string(settings.instrumentID));
    json.set("stopMode", Base::Json::string(std::string(rawValue(settings.stopMode))));
    json.set("stopPoints", Base::toJson(settings.stopPoints));
    json.set("commissionPerUnit", Base::toJson(settings.commissionPerUnit));
    json.set("overrides", std::move(overrides));
    json.set("customInstruments", std::move(custom));
    json.set("recentStops", std::move(stops));
    return json;
}

namespace {

// A number member, or the field's default when it is missing or null.
Base::Result<Base::Decimal> decimalOr(const Base::JsonObjectReader& reader, std::string_view key,
                                      const Base::Decimal& fallback) {
    BASE_TRY(value, optionalDecimalMember(reader, key));
    return value.value_or(fallback);
}

// The modes are forgiving: an unknown word or a value of another type keeps the default.
template <class Mode>
void readMode(const Base::JsonObjectReader& reader, std::string_view key,
              std::optional<Mode> (*fromRaw)(std::string_view), Mode& field) {
    const Base::Json* member = reader.present(key);
    if (member == nullptr || !member->isString()) return;
    if (const std::optional<Mode> mode = fromRaw(member->asString())) field = *mode;
}

}  // namespace

template <>
Base::Result<CalculatorSettings> fromJson<CalculatorSettings>(const Base::Json& json) {
    BASE_TRY(reader, Base::JsonObjectReader::of(json, "calculator"));
    CalculatorSettings settings;

    BASE_TRY(balance, decimalOr(reader, "balance", settings.balance));
    settings.balance = balance;
    readMode(reader, "riskMode", &riskModeFromRaw, settings.riskMode);
    BASE_TRY(riskPercent, decimalOr(reader, "riskPercent", settings.riskPercent));
    settings.riskPercent = riskPercent;
    BASE_TRY(riskAmount, decimalOr(reader, "riskAmount", settings.riskAmount));
    settings.riskAmount = riskAmount;
    BASE_TRY(instrumentID, reader.optionalString("instrumentID"));
    if (instrumentID) settings.instrumentID = std::move(*instrumentID);
    readMode(reader, "stopMode", &stopModeFromRaw, settings.stopMode);
    BASE_TRY(stopPoints, decimalOr(reader, "stopPoints", settings.stopPoints));
    settings.stopPoints = stopPoints;
    BASE_TRY(commissionPerUnit, decimalOr(reader, "commissionPerUnit", settings.commissionPerUnit));
    settings.commissionPerUnit = commissionPerUnit;

    if (const Base::Json* overrides = reader.present("overrides")) {
        BASE_TRY(members, Base::JsonValue::object(*overrides, reader.path("overrides")));
        for (const auto& [id, member] : *members) {
            auto value = fromJson<InstrumentOverride>(member);
            if (!value) return Base::makeError(reader.path("overrides") + "." + id + ": " + value.error().message);
            settings.overrides.emplace(id, *value);
        }
    }

    BASE_TRY(custom, reader.optionalArrayOf("customInstruments", fromJson<Instrument>));
    if (custom) settings.customInstruments = std::move(*custom);
    BASE_TRY(stops, reader.optionalArrayOf("recentStops", Base::Decimal::fromJson));
    if (stops) settings.recentStops = std::move(*stops);
    return settings;
}

}  // namespace CalculatorKit
