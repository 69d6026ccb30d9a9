#pragma once

#include <string>
#include <string_view>

namespace CalendarKit::UnicodeText {

// True when every byte is a printable ASCII character (0x20 to 0x7E). Such text
// has one grapheme cluster per byte, no control or format character, and the
// full Unicode lowercase mapping of it is plain ASCII lowercasing; the feed is
// almost entirely made of it, so the ICU paths are kept for the rest.
bool isPrintableAscii(std::string_view text);

// Full Unicode lowercase mapping, independent of the user's locale.
std::string lowercased(std::string_view utf8);

}  // namespace CalendarKit::UnicodeText
