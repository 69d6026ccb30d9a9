#pragma once

#include <string>

namespace WaylarkKit {

// Replaces the clipboard's contents with plain text (the calculator's copied size).
void copyToClipboard(const std::string& text);

}  // namespace WaylarkKit
