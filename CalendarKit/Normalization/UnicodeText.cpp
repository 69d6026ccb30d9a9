#include "CalendarKit/Normalization/UnicodeText.h"

#include "Base/Text.h"

namespace CalendarKit::UnicodeText {

bool isPrintableAscii(std::string_view text) {
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c > 0x7E) return false;
    }
    return true;
}

std::string lowercased(std::string_view utf8) {
    bool ascii = true;
    for (const char ch : utf8) {
        if (static_cast<unsigned char>(ch) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (!ascii) return Base::Text::lowercased(utf8);
    std::string out(utf8);
    for (char& ch : out) {
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    }
    return out;
}

}  // namespace CalendarKit::UnicodeText
