#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace Base {

// The SHA-1 digest, for name-based identifiers only (never for security). Our
// own few lines rather than a crypto library the running program would have
// to load for this alone.
std::array<std::uint8_t, 20> sha1(std::string_view data);

}  // namespace Base
