#include "ChecklistKit/ChecklistText.h"

#include <limits>
#include <optional>
#include <unordered_set>

#include "Base/Text.h"
#include "ChecklistKit/ChecklistLimits.h"

namespace ChecklistKit::ChecklistText {

namespace {

// Which entries give options, in order: the one place that decides it, for
// the stored options and for the text the editor keeps.
class OptionTally {
public:
    // The entry's option when it gives a new one.
    std::optional<std::string> take(std::string_view entry) {
        if (full()) return std::nullopt;
        std::string option = clean(entry, ChecklistLimits::maxOptionLength, true);
        if (option.empty()) return std::nullopt;
        if (!taken_.insert(Base::Text::nfc(option)).second) return std::nullopt;
        return option;
    }
    bool full() const { return taken_.size() >= ChecklistLimits::maxOptionsPerItem; }

private:
    std::unordered_set<std::string> taken_;  // in NFC
};

std::vector<std::string_view> entries(std::string_view commaSeparated) {
    std::vector<std::string_view> pieces;
    for (;;) {
        const std::size_t comma = commaSeparated.find(',');
        pieces.push_back(commaSeparated.substr(0, comma));
        if (comma == std::string_view::npos) break;
        commaSeparated.remove_prefix(comma + 1);
    }
    return pieces;
}

// The entry as typed up to the character its option is cut after. The
// leading spaces the option is trimmed of use up none of its characters, as
// in `clean`, so they stay and count nothing.
std::string keptEntry(std::string_view entry) {
    const std::u32string typed =
        Base::Text::codePoints(Base::Text::cleanUserText(entry, std::numeric_limits<std::size_t>::max(), false));
    std::size_t lead = 0;
    while (lead < typed.size() && Base::Text::isTrimmedSpace(typed[lead])) ++lead;
    const std::u32string_view all(typed);
    return Base::Text::utf8(all.substr(0, lead)) +
           Base::Text::graphemePrefix(Base::Text::utf8(all.substr(lead)), ChecklistLimits::maxOptionLength);
}

}  // namespace

std::string clean(std::string_view text, std::size_t maxLength, bool trimmed) {
    std::string result = Base::Text::cleanUserText(text, maxLength, trimmed);
    // A cut just after a space would leave it at the end, and the next repair
    // would trim it, shortening or merging options and dropping the choice
    // that matched them.
    if (trimmed) result = Base::Text::trimmed(result);
    return result;
}

std::vector<std::string> options(const std::vector<std::string>& entries) {
    std::vector<std::string> result;
    OptionTally tally;
    for (const std::string& entry : entries) {
        if (std::optional<std::string> option = tally.take(entry)) result.push_back(std::move(*option));
        if (tally.full()) break;
    }
    return result;
}

std::vector<std::string> options(std::string_view commaSeparated) {
    const std::vector<std::string_view> pieces = entries(commaSeparated);
    return options(std::vector<std::string>(pieces.begin(), pieces.end()));
}

std::string keptOptionsText(std::string_view typed) {
    const std::vector<std::string_view> pieces = entries(typed);
    std::string kept;
    OptionTally tally;
    for (std::size_t i = 0; i < pieces.size() && !tally.full(); ++i) {
        if (i > 0) kept += ',';
        kept += keptEntry(pieces[i]);
        tally.take(pieces[i]);
    }
    return kept;
}

bool equal(std::string_view a, std::string_view b) {
    return a == b || Base::Text::nfc(a) == Base::Text::nfc(b);
}

}  // namespace ChecklistKit::ChecklistText
