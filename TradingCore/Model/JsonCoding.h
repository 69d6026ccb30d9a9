#pragma once

#include "Base/Json.h"
#include "Base/Result.h"

namespace TradingCore {

// Decoding of the model records, specialised beside each record:
// TradingCore::fromJson<NewsRule>(json). Encoding is an overloaded toJson.
template <class T>
Base::Result<T> fromJson(const Base::Json& json);

}  // namespace TradingCore
