#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace Base::Text {

// Every byte a printable ASCII character (0x20 to 0x7E): such text has one
// grapheme cluster per byte and no control or format character, so callers
// and the functions below can skip the Unicode machinery for it.
bool isPrintableAscii(std::string_view text);

// Characters as the user perceives them: extended grapheme clusters of UTF-8 text.
std::size_t graphemeCount(std::string_view utf8);
// The first `count` grapheme clusters (the whole text when it has fewer).
std::string graphemePrefix(std::string_view utf8, std::size_t count);
std::vector<std::string> graphemes(std::string_view utf8);

// Decodes UTF-8; malformed bytes become U+FFFD.
std::u32string codePoints(std::string_view utf8);
std::string utf8(std::u32string_view codePoints);
void appendUtf8(std::string& out, char32_t codePoint);
bool isValidUtf8(std::string_view bytes);

// Unicode general categories Cc (control) and Cf (format).
bool isControlOrFormat(char32_t codePoint);
// Unicode general categories L* and N*.
bool isLetterOrNumber(char32_t codePoint);
// Spaces of category Zs, and the tab.
bool isTrimmedSpace(char32_t codePoint);

// Full lowercase mapping, independent of the user's locale.
std::string lowercased(std::string_view utf8);
// Full uppercase mapping, independent of the user's locale: one character may
// become several ("ß" gives "SS").
std::string uppercased(std::string_view utf8);
// Canonical composition (NFC), so that texts typed differently compare equal.
std::string nfc(std::string_view utf8);

// The one rule for user text: tab, line feed and carriage return become a
// space; every other Cc or Cf character is dropped; with `trim`, spaces and
// tabs go from both ends; then the text is cut to `maxLength` characters.
// The cut comes after the trim, so it can leave a trailing space.
std::string cleanUserText(std::string_view utf8, std::size_t maxLength, bool trim);
// Removes spaces (Zs) and tabs from both ends.
std::string trimmed(std::string_view utf8);

}  // namespace Base::Text
