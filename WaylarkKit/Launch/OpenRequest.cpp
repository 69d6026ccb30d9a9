#include "WaylarkKit/Launch/OpenRequest.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Base/FileSystem.h"
#include "WaylarkKit/Launch/SocketAddress.h"

namespace WaylarkKit::OpenRequest {

std::filesystem::path socketPath() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime && std::filesystem::path(runtime).is_absolute()) {
        return std::filesystem::path(runtime) / "OrlTradingWaylark" / "open-request.sock";
    }
    return Base::FileSystem::applicationSupportFolder() / "open-request.sock";
}

Base::Status send(const std::filesystem::path& socket) {
    const auto address = socketAddress(socket);
    if (!address) return address.error();
    // Non-blocking: a first process that has stopped reading must not hold this one.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return Base::makeError(std::string("cannot make a socket: ") + std::strerror(errno));
    std::string line(name);
    line += '\n';
    Base::Status result = Base::Ok{};
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof(sockaddr_un)) != 0) {
        result = Base::makeError("cannot connect to " + socket.string() + ": " + std::strerror(errno));
    } else if (::send(fd, line.data(), line.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(line.size())) {
        result = Base::makeError("cannot send to " + socket.string() + ": " + std::strerror(errno));
    }
    ::close(fd);
    return result;
}

}  // namespace WaylarkKit::OpenRequest
