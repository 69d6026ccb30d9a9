#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "Base/Json.h"
#include "Base/Result.h"

namespace Base {

// Strict typed reads of JSON values. A value of the wrong JSON type is an error,
// never a conversion: 7.5 is no integer, true is no number, "5" is no number.
namespace JsonValue {
Result<std::string> string(const Json& value, std::string_view context);
Result<bool> boolean(const Json& value, std::string_view context);
// Any JSON number that fits a double.
Result<double> number(const Json& value, std::string_view context);
// Whole numbers only (7 or 7.0), within the 64-bit range.
Result<std::int64_t> integer(const Json& value, std::string_view context);
// Whole numbers within [min, max].
Result<std::int64_t> integerIn(const Json& value, std::int64_t min, std::int64_t max,
                               std::string_view context);
Result<const Json::Array*> array(const Json& value, std::string_view context);
Result<const Json::Object*> object(const Json& value, std::string_view context);
}  // namespace JsonValue

// Reads the members of one JSON object. Required reads fail on a missing or
// null key; optional reads give nullopt for a missing or null key but still
// fail on a present value of the wrong type. Other keys are ignored.
class JsonObjectReader {
public:
    static Result<JsonObjectReader> of(const Json& value, std::string context = "");

    // The member, or nullptr when it is missing or null.
    const Json* present(std::string_view key) const;
    Result<const Json*> required(std::string_view key) const;

    Result<std::string> string(std::string_view key) const;
    Result<bool> boolean(std::string_view key) const;
    Result<double> number(std::string_view key) const;
    Result<std::int64_t> integer(std::string_view key) const;
    Result<const Json::Array*> array(std::string_view key) const;
    Result<JsonObjectReader> object(std::string_view key) const;

    Result<std::optional<std::string>> optionalString(std::string_view key) const;
    Result<std::optional<bool>> optionalBoolean(std::string_view key) const;
    Result<std::optional<double>> optionalNumber(std::string_view key) const;
    Result<std::optional<std::int64_t>> optionalInteger(std::string_view key) const;
    Result<const Json::Array*> optionalArray(std::string_view key) const;  // nullptr when absent

    const Json::Object& members() const { return *object_; }
    // "context.key", used in error messages.
    std::string path(std::string_view key) const;

private:
    JsonObjectReader(const Json::Object* object, std::string context)
        : object_(object), context_(std::move(context)) {}
    const Json::Object* object_;
    std::string context_;
};

}  // namespace Base
