#include <gtest/gtest.h>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "Base/FileSystem.h"
#include "Base/ManualScheduler.h"
#include "Base/testing/TemporaryFolder.h"
#include "WaylarkKit/Launch/OpenRequest.h"
#include "WaylarkKit/Launch/OpenRequestListener.h"
#include "WaylarkKit/Launch/SocketAddress.h"

using WaylarkKit::OpenRequestListener;
namespace OpenRequest = WaylarkKit::OpenRequest;
namespace fs = std::filesystem;

namespace {

int socketAt(const fs::path& path, bool bind) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const auto address = WaylarkKit::socketAddress(path);
    const auto* raw = reinterpret_cast<const sockaddr*>(&*address);
    EXPECT_EQ(bind ? ::bind(fd, raw, sizeof(sockaddr_un)) : ::connect(fd, raw, sizeof(sockaddr_un)), 0);
    return fd;
}

// Sends `bytes` and waits until the listener hangs up, that is, has judged them.
bool dropped(const fs::path& socket, const std::string& bytes) {
    const int fd = socketAt(socket, false);
    (void)::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (bytes.size() < 100) ::shutdown(fd, SHUT_WR);
    pollfd hangup{fd, POLLIN, 0};
    char sink[512];
    bool closed = false;
    while (!closed && ::poll(&hangup, 1, 10'000) == 1) closed = ::read(fd, sink, sizeof sink) <= 0;
    ::close(fd);
    return closed;
}

}  // namespace

TEST(OpenRequestListenerTest, DeliversRequestsOnTheMainThreadAndDropsEverythingElse) {
    Base::Testing::TemporaryFolder folder;
    const fs::path socket = folder.path() / "run" / "OrlTradingWaylark" / "open-request.sock";
    // A process killed while listening leaves its socket file behind.
    fs::create_directories(socket.parent_path());
    ::close(socketAt(socket, true));
    Base::ManualScheduler scheduler;
    int requests = 0;
    auto listener = OpenRequestListener::start(scheduler, socket, [&] { ++requests; });
    ASSERT_TRUE(listener) << listener.error().message;

    const int idle = socketAt(socket, false);  // says nothing and stays: must not hold up the others
    const std::string name(OpenRequest::name);
    for (const std::string& bytes : {std::string("hello\n"), std::string(), name, name + "\nmore", "x" + name + "\n",
                                     std::string(300, 'x')}) {
        EXPECT_TRUE(dropped(socket, bytes)) << bytes;
    }
    scheduler.runPending();
    EXPECT_EQ(requests, 0);  // a request is the name and a line feed, nothing more
    ASSERT_TRUE(OpenRequest::send(socket));
    for (int i = 0; i < 100 && requests == 0; ++i) {
        scheduler.waitForDue(0.1);
        scheduler.runPending();
    }
    EXPECT_EQ(requests, 1);

    // One queued as the listener goes is delivered to nobody, and the socket goes with it.
    ASSERT_TRUE(OpenRequest::send(socket));
    ASSERT_TRUE(scheduler.waitForDue(10));
    listener.value().reset();
    scheduler.runPending();
    EXPECT_EQ(requests, 1);
    EXPECT_FALSE(fs::exists(socket));
    ::close(idle);
}

TEST(OpenRequestListenerTest, IdleConnectionsMakeRoomForARequest) {
    Base::Testing::TemporaryFolder folder;
    const fs::path socket = folder.path() / "open-request.sock";
    Base::ManualScheduler scheduler;
    int requests = 0;
    auto listener = OpenRequestListener::start(scheduler, socket, [&] { ++requests; });
    ASSERT_TRUE(listener) << listener.error().message;
    std::vector<int> idle;
    for (int i = 0; i < 16; ++i) idle.push_back(socketAt(socket, false));

    ASSERT_TRUE(OpenRequest::send(socket));
    // Well before any idle connection's two seconds are up.
    for (int i = 0; i < 10 && requests == 0; ++i) {
        scheduler.waitForDue(0.1);
        scheduler.runPending();
    }
    EXPECT_EQ(requests, 1);
    pollfd oldest{idle.front(), POLLIN, 0}, newest{idle.back(), POLLIN, 0};
    char byte;
    EXPECT_TRUE(::poll(&oldest, 1, 1000) == 1 && ::read(idle.front(), &byte, 1) == 0);
    EXPECT_EQ(::poll(&newest, 1, 0), 0);
    for (const int fd : idle) ::close(fd);
}

TEST(OpenRequestListenerTest, LeavesAFileThatIsNotASocketAlone) {
    Base::Testing::TemporaryFolder folder;
    const fs::path path = folder.path() / "open-request.sock";
    Base::Testing::writeBytes(path, "notes");
    Base::ManualScheduler scheduler;
    const auto listener = OpenRequestListener::start(scheduler, path, [] {});
    ASSERT_FALSE(listener);
    EXPECT_NE(listener.error().message.find(path.string()), std::string::npos);
    EXPECT_EQ(Base::Testing::readBytes(path), "notes");
}
