#include "WaylarkKit/Launch/OpenRequestListener.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "Base/FileSystem.h"
#include "WaylarkKit/Launch/OpenRequest.h"
#include "WaylarkKit/Launch/SocketAddress.h"

namespace WaylarkKit {

namespace {

constexpr std::size_t maxClients = 16;
constexpr std::size_t maxBytes = 256;
constexpr auto clientPatience = std::chrono::seconds(2);

Base::Error failure(const std::string& what, const std::filesystem::path& path, int error) {
    return Base::makeError(what + " " + path.string() + ": " + std::strerror(error));
}

bool sameUser(int fd) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::geteuid();
}

}  // namespace

Base::Result<std::unique_ptr<OpenRequestListener>> OpenRequestListener::start(Base::Scheduler& scheduler,
                                                                              const std::filesystem::path& socket,
                                                                              std::function<void()> onRequest) {
    const auto address = socketAddress(socket);
    if (!address) return address.error();
    if (auto folder = Base::FileSystem::createFolders(socket.parent_path()); !folder) return folder.error();
    // Only one first process runs, so a socket already there was left by a
    // killed one. Anything else at that path is not ours to remove.
    struct stat info {};
    if (::lstat(socket.c_str(), &info) == 0) {
        if (!S_ISSOCK(info.st_mode)) return Base::makeError(socket.string() + " exists and is not a socket");
        if (::unlink(socket.c_str()) != 0) return failure("cannot remove the old socket", socket, errno);
    }
    const int listening = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listening < 0) return failure("cannot make a socket for", socket, errno);
    const auto fail = [&](const std::string& what) {
        const int error = errno;
        ::close(listening);
        return failure(what, socket, error);
    };
    if (::bind(listening, reinterpret_cast<const sockaddr*>(&*address), sizeof(sockaddr_un)) != 0) {
        return fail("cannot bind");
    }
    if (::chmod(socket.c_str(), 0600) != 0 || ::lstat(socket.c_str(), &info) != 0) return fail("cannot secure");
    // A request connects without waiting: a backlog the idle connections
    // filled before they were taken would refuse it.
    if (::listen(listening, SOMAXCONN) != 0) return fail("cannot listen on");
    const int wake = ::eventfd(0, EFD_CLOEXEC);
    if (wake < 0) return fail("cannot make a wake-up for");
    return std::unique_ptr<OpenRequestListener>(
        new OpenRequestListener(scheduler, socket, listening, info.st_ino, wake, std::move(onRequest)));
}

OpenRequestListener::OpenRequestListener(Base::Scheduler& scheduler, std::filesystem::path socket, int listening,
                                         ino_t inode, int wake, std::function<void()> onRequest)
    : scheduler_(scheduler),
      socket_(std::move(socket)),
      listening_(listening),
      inode_(inode),
      wake_(wake),
      onRequest_(std::move(onRequest)),
      worker_([this] { serve(); }) {}

OpenRequestListener::~OpenRequestListener() {
    *alive_ = false;
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(wake_, &one, sizeof one);
    worker_.join();
    ::close(listening_);
    ::close(wake_);
    // Remove the file only while it is still the one this listener made.
    struct stat info {};
    if (::lstat(socket_.c_str(), &info) == 0 && info.st_ino == inode_) ::unlink(socket_.c_str());
}

void OpenRequestListener::serve() {
    using Clock = std::chrono::steady_clock;
    struct Client {
        int fd;
        std::string received;
        Clock::time_point deadline;
    };
    std::vector<Client> clients;
    const std::string expected = std::string(OpenRequest::name) + "\n";
    for (;;) {
        std::vector<pollfd> watched{{wake_, POLLIN, 0}, {listening_, POLLIN, 0}};
        // Wake for the earliest deadline, or only for input when no client waits.
        auto wake = Clock::time_point::max();
        for (const Client& client : clients) {
            watched.push_back({client.fd, POLLIN, 0});
            wake = std::min(wake, client.deadline);
        }
        const int timeout = clients.empty() ? -1
                                            : static_cast<int>(std::max<std::int64_t>(
                                                  0, std::chrono::ceil<std::chrono::milliseconds>(wake - Clock::now()).count()));
        if (::poll(watched.data(), watched.size(), timeout) < 0 && errno != EINTR) break;
        if (watched[0].revents != 0) break;

        // Clients first: the indices of `watched` follow `clients` as it was.
        std::vector<Client> kept;
        for (std::size_t i = 0; i < clients.size(); ++i) {
            Client& client = clients[i];
            bool done = Clock::now() >= client.deadline;
            if (watched[i + 2].revents != 0) {
                char buffer[maxBytes];
                const ssize_t n = ::read(client.fd, buffer, sizeof buffer);
                if (n > 0) client.received.append(buffer, static_cast<std::size_t>(n));
                const bool again = n < 0 && (errno == EAGAIN || errno == EINTR);
                done = done || (n <= 0 && !again) || client.received.size() > maxBytes ||
                       client.received.find('\n') != std::string::npos;
                if (client.received == expected) {
                    scheduler_.post([alive = alive_, onRequest = onRequest_] {
                        if (*alive && onRequest) onRequest();
                    }).detach();
                    done = true;
                }
            }
            if (done) {
                ::close(client.fd);
            } else {
                kept.push_back(std::move(client));
            }
        }
        clients = std::move(kept);

        if (watched[1].revents != 0) {
            for (;;) {
                const int fd = ::accept4(listening_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
                if (fd < 0) break;
                if (!sameUser(fd)) {
                    ::close(fd);
                    continue;
                }
                // Idle connections must not lock out a real request: the
                // oldest one, nearest its deadline anyway, makes room.
                if (clients.size() >= maxClients) {
                    ::close(clients.front().fd);
                    clients.erase(clients.begin());
                }
                clients.push_back({fd, {}, Clock::now() + clientPatience});
            }
        }
    }
    for (const Client& client : clients) ::close(client.fd);
}

}  // namespace WaylarkKit
