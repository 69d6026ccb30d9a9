#include "Base/Json.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cmath>

#include "Base/EpochText.h"

namespace Base {

namespace {

std::string shortestText(double value) {
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (ec != std::errc{}) return shortestPlainText(value);
    return std::string(buffer, end);
}

// The parser reads fractions as long double only to decide whether a number
// is finite: with double, one value beyond 1.8e308 anywhere made the whole
// document unreadable, where readers want to refuse just that value. The
// value itself is kept as its text.
using Parser = nlohmann::basic_json<std::map, std::vector, std::string, bool, std::int64_t,
                                    std::uint64_t, long double>;

}  // namespace

// Builds our values from the parser's events. The parser itself is iterative,
// and this builder keeps its own stack, so nesting costs no machine stack.
class JsonBuilder {
public:
    explicit JsonBuilder(std::size_t maxDepth) : maxDepth_(maxDepth) {}

    bool null() { return add(Json()); }
    bool boolean(bool v) { return add(Json::boolean(v)); }
    bool number_integer(std::int64_t v) { return add(Json::number(v)); }
    bool number_unsigned(std::uint64_t v) {
        Json j;
        j.value_ = Json::Number{std::to_string(v), true};
        return add(std::move(j));
    }
    bool number_float(long double, const std::string& text) {
        Json j;
        j.value_ = Json::Number{text, false};
        return add(std::move(j));
    }
    bool string(std::string& v) { return add(Json::string(std::move(v))); }
    bool binary(Parser::binary_t&) { return fail("binary values are not JSON"); }
    bool start_object(std::size_t) { return open(Json::object()); }
    bool key(std::string& k) {
        keys_.push_back(std::move(k));
        return true;
    }
    bool end_object() { return close(); }
    bool start_array(std::size_t) { return open(Json::array()); }
    bool end_array() { return close(); }
    bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception&) {
        if (error_.empty()) error_ = "invalid JSON near byte " + std::to_string(position);
        return false;
    }

    Result<Json> finish(bool parsed) {
        if (!parsed || !error_.empty() || !done_) {
            return makeError(error_.empty() ? "invalid JSON" : error_);
        }
        return std::move(root_);
    }

private:
    bool fail(std::string message) {
        error_ = std::move(message);
        return false;
    }

    bool open(Json container) {
        if (stack_.size() >= maxDepth_) return fail("JSON nested deeper than " + std::to_string(maxDepth_) + " levels");
        stack_.push_back(std::move(container));
        return true;
    }

    bool close() {
        Json done = std::move(stack_.back());
        stack_.pop_back();
        return add(std::move(done));
    }

    bool add(Json value) {
        if (stack_.empty()) {
            root_ = std::move(value);
            done_ = true;
            return true;
        }
        Json& top = stack_.back();
        if (top.isArray()) {
            top.asArray().push_back(std::move(value));
        } else {
            // A repeated key keeps its last value.
            top.asObject().insert_or_assign(std::move(keys_.back()), std::move(value));
            keys_.pop_back();
        }
        return true;
    }

    std::size_t maxDepth_;
    std::vector<Json> stack_;
    std::vector<std::string> keys_;
    Json root_;
    bool done_ = false;
    std::string error_;
};

Json Json::boolean(bool value) {
    Json j;
    j.value_ = value;
    return j;
}

Json Json::number(double value) {
    Json j;
    if (!std::isfinite(value)) {
        j.value_ = Number{std::isnan(value) ? "nan" : value > 0 ? "inf" : "-inf", false, false};
        return j;
    }
    j.value_ = Number{shortestText(value), false};
    return j;
}

Json Json::number(std::int64_t value) {
    Json j;
    j.value_ = Number{std::to_string(value), true};
    return j;
}

Json Json::numberText(std::string text) {
    Json j;
    const bool integer = text.find_first_of(".eE") == std::string::npos;
    j.value_ = Number{std::move(text), integer};
    return j;
}

Json Json::string(std::string value) {
    Json j;
    j.value_ = std::move(value);
    return j;
}

Json Json::array(Array values) {
    Json j;
    j.value_ = std::move(values);
    return j;
}

Json Json::object(Object members) {
    Json j;
    j.value_ = std::move(members);
    return j;
}

Json::Type Json::type() const { return static_cast<Type>(value_.index()); }
bool Json::asBool() const { return std::get<bool>(value_); }
const std::string& Json::asString() const { return std::get<std::string>(value_); }
const Json::Array& Json::asArray() const { return std::get<Array>(value_); }
Json::Array& Json::asArray() { return std::get<Array>(value_); }
const Json::Object& Json::asObject() const { return std::get<Object>(value_); }
Json::Object& Json::asObject() { return std::get<Object>(value_); }
const std::string& Json::numberText() const { return std::get<Number>(value_).text; }
bool Json::numberIsIntegerLiteral() const { return std::get<Number>(value_).integerLiteral; }

const Json* Json::find(std::string_view key) const {
    const auto* members = std::get_if<Object>(&value_);
    if (!members) return nullptr;
    const auto it = members->find(key);
    return it == members->end() ? nullptr : &it->second;
}

Json& Json::set(std::string key, Json value) {
    if (isNull()) value_ = Object{};
    asObject().insert_or_assign(std::move(key), std::move(value));
    return *this;
}

Json& Json::push(Json value) {
    if (isNull()) value_ = Array{};
    asArray().push_back(std::move(value));
    return *this;
}

bool Json::operator==(const Json& other) const { return value_ == other.value_; }

Result<Json> Json::parse(std::string_view text, ParseOptions options) {
    JsonBuilder builder(options.maxDepth == 0 ? 1 : options.maxDepth);
    bool parsed = false;
    try {
        parsed = Parser::sax_parse(text.begin(), text.end(), &builder, Parser::input_format_t::json,
                                   true, false);
    } catch (const std::exception& e) {
        return makeError(std::string("invalid JSON: ") + e.what());
    }
    return builder.finish(parsed);
}

namespace {

void appendEscaped(std::string& out, const std::string& text) {
    out += '"';
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            case '\b': out += "\\b"; break;
            case '\f': out += "\\f"; break;
            default:
                if (c < 0x20) {
                    static const char* hex = "0123456789abcdef";
                    out += "\\u00";
                    out += hex[c >> 4];
                    out += hex[c & 0xF];
                } else {
                    out += ch;
                }
        }
    }
    out += '"';
}

}  // namespace

// Writes a value, or stops at the first non-finite number and says where it is.
class JsonWriter {
public:
    explicit JsonWriter(bool pretty) : pretty_(pretty) {}

    Result<std::string> write(const Json& value) {
        if (!add(value, 0)) {
            std::string where;
            for (auto step = path_.rbegin(); step != path_.rend(); ++step) where += *step;
            return makeError("cannot write the non-finite number " + failed_ + " at " +
                             (where.empty() ? std::string("the root") : where));
        }
        return std::move(out_);
    }

private:
    void newline(int level) {
        if (!pretty_) return;
        out_ += '\n';
        out_.append(static_cast<std::size_t>(level) * 2, ' ');
    }

    // False on a non-finite number; the way back up records the path to it.
    bool add(const Json& value, int depth) {
        switch (value.type()) {
            case Json::Type::null: out_ += "null"; return true;
            case Json::Type::boolean: out_ += value.asBool() ? "true" : "false"; return true;
            case Json::Type::number: {
                const Json::Number& number = std::get<Json::Number>(value.value_);
                if (!number.finite) {
                    failed_ = number.text;
                    return false;
                }
                out_ += number.text;
                return true;
            }
            case Json::Type::string: appendEscaped(out_, value.asString()); return true;
            case Json::Type::array: {
                const auto& items = value.asArray();
                out_ += '[';
                for (std::size_t i = 0; i < items.size(); ++i) {
                    if (i) out_ += ',';
                    newline(depth + 1);
                    if (!add(items[i], depth + 1)) {
                        path_.push_back("[" + std::to_string(i) + "]");
                        return false;
                    }
                }
                if (!items.empty()) newline(depth);
                out_ += ']';
                return true;
            }
            case Json::Type::object: {
                const auto& members = value.asObject();
                out_ += '{';
                bool first = true;
                for (const auto& [key, member] : members) {
                    if (!first) out_ += ',';
                    first = false;
                    newline(depth + 1);
                    appendEscaped(out_, key);
                    out_ += pretty_ ? " : " : ":";
                    if (!add(member, depth + 1)) {
                        path_.push_back(depth == 0 ? key : "." + key);
                        return false;
                    }
                }
                if (!members.empty()) newline(depth);
                out_ += '}';
                return true;
            }
        }
        return true;
    }

    bool pretty_;
    std::string out_;
    std::string failed_;
    std::vector<std::string> path_;  // innermost step first
};

Result<std::string> Json::dump(bool pretty) const { return JsonWriter(pretty).write(*this); }

std::string_view jsonTypeName(Json::Type type) {
    switch (type) {
        case Json::Type::null: return "null";
        case Json::Type::boolean: return "boolean";
        case Json::Type::number: return "number";
        case Json::Type::string: return "string";
        case Json::Type::array: return "array";
        case Json::Type::object: return "object";
    }
    return "unknown";
}

}  // namespace Base
