#pragma once

#include <string>
#include <string_view>

#include "Base/Decimal.h"

// The calculator's number texts. They always use "." for decimals and "," for
// thousands, whatever the user's locale, so a copied size pastes the same into
// any broker's ticket.
namespace WaylarkKit::CalculatorFormat {

// No grouping, up to 8 fraction digits: sizes, stops, the copied size.
std::string plain(const Base::Decimal& value);
// Grouped by thousands, up to 2 fraction digits: balance and risk amount.
std::string grouped(const Base::Decimal& value);
// "$" then grouped digits; two decimals unless the amount is whole ("$100", "$1,234.50").
std::string money(const Base::Decimal& value);
// Up to 2 fraction digits of a value already in percent, then "%".
std::string percent(const Base::Decimal& value);

// Regroups the whole part of a number being typed ("12345" -> "12,345") and
// keeps what follows the point exactly as typed. A comma that cannot group
// thousands (fewer than three digits after it, or only zeros before it) is
// the decimal mark: it stays, and the whole part before it is left ungrouped
// ("2,500,5" -> "2500,5"), so the text reads as the number it shows; when
// the edit only deleted from `before` (what the field showed), a comma keeps
// the role it had there. Anything that is not plain digits with at most one
// point comes back unchanged.
std::string liveGrouped(std::string_view typed, std::string_view before = {});
// Where the caret goes in `formatted` so that it stays behind the same digit
// it followed in `original`. Positions count characters.
int caretAfterGrouping(std::string_view original, int caret, std::string_view formatted);

}  // namespace WaylarkKit::CalculatorFormat
