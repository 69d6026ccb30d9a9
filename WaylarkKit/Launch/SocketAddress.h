#pragma once

#include <sys/un.h>

#include <cstring>
#include <filesystem>

#include "Base/Result.h"

namespace WaylarkKit {

// The address of a Unix socket at `path`; a path too long for it is an error
// rather than a silently shortened name.
inline Base::Result<sockaddr_un> socketAddress(const std::filesystem::path& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string& text = path.native();
    if (text.empty() || text.size() >= sizeof address.sun_path) {
        return Base::makeError("socket path too long for a Unix socket: " + text);
    }
    std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
    return address;
}

}  // namespace WaylarkKit
