#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

namespace SettingsKit {

// No cut: the text keeps all its characters.
inline constexpr std::size_t unlimitedLength = std::numeric_limits<std::size_t>::max();

// Texts are equal when they are canonically equivalent: an "é" typed as one
// code point or as "e" plus an accent is the same name. Case is not folded.
bool sameText(std::string_view a, std::string_view b);


}  // namespace SettingsKit
