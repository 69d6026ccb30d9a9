#include "CalculatorKit/JsonCoding.h"

namespace CalculatorKit {

Base::Result<Base::Decimal> decimalMember(const Base::JsonObjectReader& reader, std::string_view key) {
    BASE_TRY(member, reader.required(key));
    return Base::Decimal::fromJson(*member, reader.path(key));
}

Base::Result<std::optional<Base::Decimal>> optionalDecimalMember(const Base::JsonObjectReader& reader,
                                                                 std::string_view key) {
    const Base::Json* member = reader.present(key);
    if (member == nullptr) return std::optional<Base::Decimal>();
    BASE_TRY(value, Base::Decimal::fromJson(*member, reader.path(key)));
    return std::optional<Base::Decimal>(value);
}

}  // namespace CalculatorKit
