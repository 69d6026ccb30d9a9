#pragma once

#include <set>
#include <string>
#include <string_view>

#include "Base/JsonRead.h"
#include "TradingCore/Model/JsonCoding.h"

namespace TradingCore {

// Decodes a required member object of a record, naming the member in any error.
template <class T>
Base::Result<T> memberFromJson(const Base::JsonObjectReader& reader, std::string_view key) {
    Base::Result<const Base::Json*> member = reader.required(key);
    if (!member) return member.error();
    Base::Result<T> value = fromJson<T>(**member);
    if (!value) return Base::makeError(reader.path(key) + ": " + value.error().message);
    return value;
}

}  // namespace TradingCore
