#pragma once

#include <string_view>

namespace SettingsKit {

// Texts are equal when they are canonically equivalent: an "é" typed as one
// code point or as "e" plus an accent is the same name. Case is not folded.
bool sameText(std::string_view a, std::string_view b);

}  // namespace SettingsKit
