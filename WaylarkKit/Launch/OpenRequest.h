#pragma once

#include <filesystem>
#include <string_view>

#include "Base/Result.h"

namespace WaylarkKit::OpenRequest {

// What a second process sends to the first when the user started it: the
// application's identifier and ".openRequested", then a line break.
inline constexpr std::string_view name = "com.orltrading.waylark.openRequested";

// $XDG_RUNTIME_DIR/OrlTradingWaylark/open-request.sock, or beside the
// instance lock when the session has no runtime folder.
std::filesystem::path socketPath();

// Sends one request without waiting for the first process to read it.
Base::Status send(const std::filesystem::path& socket);

}  // namespace WaylarkKit::OpenRequest
