#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

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
Result<const Json::Array*> array(const Json& value, std::string_view context);
Result<const Json::Object*> object(const Json& value, std::string_view context);

namespace Detail {
std::string elementPath(std::string_view context, std::size_t index);
}  // namespace Detail

// Reads every element of an array, in order, stopping at the first that
// fails; the error names that element as "context[index]". `read` either
// takes the element and that path and names the path itself, or takes the
// element alone, and its error then follows the path.
template <class Read>
auto arrayOf(const Json::Array& elements, std::string_view context, Read&& read) {
    constexpr bool takesPath = std::is_invocable_v<Read&, const Json&, std::string_view>;
    using Call = std::conditional_t<takesPath, std::invoke_result<Read&, const Json&, std::string_view>,
                                    std::invoke_result<Read&, const Json&>>;
    using Item = typename Call::type::Value;
    using Items = Result<std::vector<Item>>;
    std::vector<Item> items;
    items.reserve(elements.size());
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if constexpr (takesPath) {
            auto item = read(elements[i], std::string_view(Detail::elementPath(context, i)));
            if (!item) return Items(item.error());
            items.push_back(std::move(item).value());
        } else {
            auto item = read(elements[i]);
            if (!item) return Items(makeError(Detail::elementPath(context, i) + ": " + item.error().message));
            items.push_back(std::move(item).value());
        }
    }
    return Items(std::move(items));
}

// The same for a value that must be an array.
template <class Read>
auto arrayOf(const Json& value, std::string_view context, Read&& read)
    -> decltype(arrayOf(std::declval<const Json::Array&>(), context, read)) {
    Result<const Json::Array*> elements = array(value, context);
    if (!elements) return elements.error();
    return arrayOf(**elements, context, read);
}
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
    Result<std::optional<std::int64_t>> optionalInteger(std::string_view key) const;

    // A required array member, each element read as JsonValue::arrayOf does.
    template <class Read>
    auto arrayOf(std::string_view key, Read&& read) const
        -> decltype(JsonValue::arrayOf(std::declval<const Json&>(), key, read)) {
        Result<const Json*> value = required(key);
        if (!value) return value.error();
        return JsonValue::arrayOf(**value, path(key), read);
    }
    // The same for an optional array: nullopt when it is missing or null.
    template <class Read>
    auto optionalArrayOf(std::string_view key, Read&& read) const
        -> Result<std::optional<typename decltype(arrayOf(key, read))::Value>> {
        using Items = std::optional<typename decltype(arrayOf(key, read))::Value>;
        const Json* value = present(key);
        if (!value) return Items();
        auto items = JsonValue::arrayOf(*value, path(key), read);
        if (!items) return items.error();
        return Items(std::move(items).value());
    }

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
