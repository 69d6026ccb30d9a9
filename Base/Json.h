#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "Base/Result.h"

namespace Base {

// A JSON document held in our own value type, so that no header outside Base
// sees the parser. Numbers keep the text they were written with: a decimal
// amount reads back digit for digit, and integers never pass through a double.
class Json {
public:
    enum class Type { null, boolean, number, string, array, object };
    using Array = std::vector<Json>;
    using Object = std::map<std::string, Json, std::less<>>;

    struct ParseOptions {
        // Deeper documents are refused rather than followed without bound.
        std::size_t maxDepth = 128;
    };

    Json() = default;  // null
    static Json null() { return Json(); }
    static Json boolean(bool value);
    // A non-finite value is kept as such: JSON has no spelling for it, so
    // writing the document fails rather than putting null in its place.
    static Json number(double value);
    static Json number(std::int64_t value);
    static Json number(int value) { return number(static_cast<std::int64_t>(value)); }
    // A number written exactly as the given text, which must be a valid JSON number.
    static Json numberText(std::string text);
    static Json string(std::string value);
    static Json array(Array values = {});
    static Json object(Object members = {});

    Type type() const;
    bool isNull() const { return type() == Type::null; }
    bool isBool() const { return type() == Type::boolean; }
    bool isNumber() const { return type() == Type::number; }
    bool isString() const { return type() == Type::string; }
    bool isArray() const { return type() == Type::array; }
    bool isObject() const { return type() == Type::object; }

    // Accessors for a value already known to be of the type; others throw std::bad_variant_access.
    bool asBool() const;
    const std::string& asString() const;
    const Array& asArray() const;
    Array& asArray();
    const Object& asObject() const;
    Object& asObject();
    // The number's text: as written for fractions and exponents, canonical for integers.
    const std::string& numberText() const;
    // Whether the number was written without fraction or exponent.
    bool numberIsIntegerLiteral() const;

    // Object member, or nullptr when absent (or when this is no object).
    const Json* find(std::string_view key) const;
    // Sets an object member; turns a null value into an empty object first.
    Json& set(std::string key, Json value);
    // Appends to an array; turns a null value into an empty array first.
    Json& push(Json value);

    static Result<Json> parse(std::string_view text, ParseOptions options);
    static Result<Json> parse(std::string_view text) { return parse(text, ParseOptions{}); }
    // Keys sorted; pretty output indents by two spaces. Fails on a
    // non-finite number, naming where it sits.
    Result<std::string> dump(bool pretty = false) const;

    bool operator==(const Json& other) const;

private:
    struct Number {
        std::string text;  // "nan", "inf" or "-inf" for a non-finite value
        bool integerLiteral = false;
        bool finite = true;
        bool operator==(const Number&) const = default;
    };
    using Value = std::variant<std::monostate, bool, Number, std::string, Array, Object>;
    Value value_;

    friend class JsonBuilder;
    friend class JsonWriter;
};

std::string_view jsonTypeName(Json::Type type);

}  // namespace Base
