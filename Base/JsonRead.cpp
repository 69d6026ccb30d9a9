#include "Base/JsonRead.h"

#include <charconv>
#include <cmath>

namespace Base {

namespace {

Error typeError(std::string_view context, std::string_view expected, const Json& value) {
    return makeError(std::string(context.empty() ? "value" : context) + ": expected " +
                     std::string(expected) + ", found " + std::string(jsonTypeName(value.type())));
}

std::optional<double> parseDouble(const std::string& text) {
    double result = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), result);
    if (ec != std::errc{} || end != text.data() + text.size() || !std::isfinite(result)) {
        return std::nullopt;
    }
    return result;
}

}  // namespace

namespace JsonValue {

Result<std::string> string(const Json& value, std::string_view context) {
    if (!value.isString()) return typeError(context, "string", value);
    return value.asString();
}

Result<bool> boolean(const Json& value, std::string_view context) {
    if (!value.isBool()) return typeError(context, "boolean", value);
    return value.asBool();
}

Result<double> number(const Json& value, std::string_view context) {
    if (!value.isNumber()) return typeError(context, "number", value);
    const auto parsed = parseDouble(value.numberText());
    if (!parsed) return makeError(std::string(context) + ": number out of range");
    return *parsed;
}

Result<std::int64_t> integer(const Json& value, std::string_view context) {
    if (!value.isNumber()) return typeError(context, "integer", value);
    const std::string& text = value.numberText();
    if (value.numberIsIntegerLiteral()) {
        std::int64_t result = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), result);
        if (ec != std::errc{} || end != text.data() + text.size()) {
            return makeError(std::string(context) + ": integer out of range");
        }
        return result;
    }
    const auto parsed = parseDouble(text);
    // 2^53: beyond it a double no longer says which integer was meant.
    constexpr double limit = 9007199254740992.0;
    if (!parsed || std::trunc(*parsed) != *parsed || std::fabs(*parsed) > limit) {
        return makeError(std::string(context) + ": expected integer, found " + text);
    }
    return static_cast<std::int64_t>(*parsed);
}

Result<const Json::Array*> array(const Json& value, std::string_view context) {
    if (!value.isArray()) return typeError(context, "array", value);
    return &value.asArray();
}

std::string Detail::elementPath(std::string_view context, std::size_t index) {
    return std::string(context.empty() ? "value" : context) + "[" + std::to_string(index) + "]";
}

Result<const Json::Object*> object(const Json& value, std::string_view context) {
    if (!value.isObject()) return typeError(context, "object", value);
    return &value.asObject();
}

}  // namespace JsonValue

Result<JsonObjectReader> JsonObjectReader::of(const Json& value, std::string context) {
    auto members = JsonValue::object(value, context);
    if (!members) return members.error();
    return JsonObjectReader(*members, std::move(context));
}

std::string JsonObjectReader::path(std::string_view key) const {
    if (context_.empty()) return std::string(key);
    return context_ + "." + std::string(key);
}

const Json* JsonObjectReader::present(std::string_view key) const {
    const auto it = object_->find(key);
    if (it == object_->end() || it->second.isNull()) return nullptr;
    return &it->second;
}

Result<const Json*> JsonObjectReader::required(std::string_view key) const {
    const Json* value = present(key);
    if (!value) return makeError(path(key) + ": missing");
    return value;
}

#define BASE_READ_REQUIRED(method, type, reader)                          \
    Result<type> JsonObjectReader::method(std::string_view key) const { \
        auto value = required(key);                                      \
        if (!value) return value.error();                                \
        return reader(**value, path(key));                               \
    }

BASE_READ_REQUIRED(string, std::string, JsonValue::string)
BASE_READ_REQUIRED(boolean, bool, JsonValue::boolean)
BASE_READ_REQUIRED(number, double, JsonValue::number)
BASE_READ_REQUIRED(integer, std::int64_t, JsonValue::integer)
BASE_READ_REQUIRED(array, const Json::Array*, JsonValue::array)
BASE_READ_REQUIRED(object, JsonObjectReader, [](const Json& v, std::string p) { return JsonObjectReader::of(v, std::move(p)); })
#undef BASE_READ_REQUIRED

#define BASE_READ_OPTIONAL(method, type, reader)                                          \
    Result<std::optional<type>> JsonObjectReader::method(std::string_view key) const { \
        const Json* value = present(key);                                                \
        if (!value) return std::optional<type>();                                        \
        auto read = reader(*value, path(key));                                           \
        if (!read) return read.error();                                                  \
        return std::optional<type>(std::move(read).value());                             \
    }

BASE_READ_OPTIONAL(optionalString, std::string, JsonValue::string)
BASE_READ_OPTIONAL(optionalBoolean, bool, JsonValue::boolean)
BASE_READ_OPTIONAL(optionalInteger, std::int64_t, JsonValue::integer)
#undef BASE_READ_OPTIONAL

}  // namespace Base
