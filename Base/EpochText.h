#pragma once

#include <string>

namespace Base {

// The shortest decimal text that reads back as the same double, never in
// exponent form and always with a fractional part: 1772000000.0, 1772000000.5.
std::string epochText(double seconds);

// Shortest round-trip text of a double in plain notation; no forced fraction.
std::string shortestPlainText(double value);

}  // namespace Base
