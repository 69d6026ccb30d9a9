#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ChecklistKit::ChecklistText {

// The cleaning every stored checklist text passes through: tab, line feed and
// carriage return become a space, other control and format characters go,
// with `trimmed` spaces and tabs go from both ends, and the text is cut to
// `maxLength` characters. With `trimmed`, the ends are trimmed again after
// the cut, so that cleaning a cleaned text changes nothing.
std::string clean(std::string_view text, std::size_t maxLength, bool trimmed);

// Dropdown options: each entry cleaned to 24 characters and trimmed, empty
// ones and repeats dropped, at most 6 kept, in their order.
std::vector<std::string> options(const std::vector<std::string>& entries);
// The same for the editor's one-line form, split at every comma.
std::vector<std::string> options(std::string_view commaSeparated);

// The one-line form as far as it can ever give options: cleaned of control
// characters as the options are, each entry cut after its 24th character
// (leading spaces aside), and nothing after the entry that gives the sixth
// option. What is only on its way stays: spaces, a trailing comma, an empty
// or repeated entry. `options(keptOptionsText(t))` always equals `options(t)`,
// and the kept text keeps itself.
std::string keptOptionsText(std::string_view typed);

// Text equality of the checklists: exact and case-sensitive, but canonically
// equivalent texts (a precomposed letter and its decomposed spelling) are equal.
bool equal(std::string_view a, std::string_view b);

}  // namespace ChecklistKit::ChecklistText
