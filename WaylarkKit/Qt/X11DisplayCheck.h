#pragma once

#include <optional>
#include <string>

namespace WaylarkKit {

// Whether the X server the windows need can be reached, asked before Qt is:
// Qt aborts the process without one. Nothing when the platform chosen is not
// X11 (an offscreen run) or the display opens; otherwise the line that says
// what is missing.
std::optional<std::string> missingX11Display();

}  // namespace WaylarkKit
