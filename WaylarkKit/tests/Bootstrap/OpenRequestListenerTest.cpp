#include <gtest/gtest.h>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "Base/FileSystem.h"
#include "Base/ManualScheduler.h"
#include "Base/testing/TemporaryFolder.h"
#include "WaylarkKit/OpenRequest.h"
#include "WaylarkKit/OpenRequestListener.h"
#include "WaylarkKit/SocketAddress.h"

using WaylarkKit::OpenRequestListener;
namespace fs = std::filesystem;

namespace {

int connectTo(const fs::path& socket) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const auto address = WaylarkKit::socketAddress(socket);
    EXPECT_EQ(::connect(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof(sockaddr_un)), 0);
    return fd;
}

// Sends `bytes` and waits until the listener hangs up, that is, has judged them.
bool sendAndSeeDropped(const fs::path& socket, const std::string& bytes) {
    const int fd = connectTo(socket);
    (void)::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (bytes.size() < 100) ::shutdown(fd, SHUT_WR);
    pollfd hangup{fd, POLLIN, 0};
    char sink[512];
    bool closed = false;
    while (!closed && ::poll(&hangup, 1, 10'000) == 1) closed = ::read(fd, sink, sizeof sink) <= 0;
    ::close(fd);
    return closed;
}

struct Fixture {
    Base::Testing::TemporaryFolder folder;
    fs::path socket = folder.path() / "run" / "OrlTradingWaylark" / "open-request.sock";
    Base::ManualScheduler scheduler;
    int requests = 0;

    std::unique_ptr<OpenRequestListener> start() {
        auto listener = OpenRequestListener::start(scheduler, socket, [this] { ++requests; });
        EXPECT_TRUE(listener) << (listener ? "" : listener.error().message);
        return listener ? std::move(listener).value() : nullptr;
    }
    // Requests reach the test only on its own ("main") thread.
    bool waitForRequests(int count) {
        for (int i = 0; i < 100 && requests < count; ++i) {
            scheduler.waitForDue(0.1);
            scheduler.runPending();
        }
        return requests == count;
    }
};

}  // namespace

TEST(OpenRequestListenerTest, DeliversRequestsAndDropsEverythingElse) {
    Fixture f;
    const auto listener = f.start();
    ASSERT_TRUE(listener);
    EXPECT_EQ(Base::FileSystem::permissions(f.socket.parent_path()), 0700);
    const int idle = connectTo(f.socket);  // says nothing and stays: must not hold up the others
    const std::string name(WaylarkKit::OpenRequest::name);
    for (const std::string& bytes : {std::string("hello\n"), std::string(""), name, name + "\nmore",
                                     "x" + name + "\n", std::string(300, 'x')}) {
        EXPECT_TRUE(sendAndSeeDropped(f.socket, bytes)) << bytes;
    }
    ASSERT_TRUE(WaylarkKit::OpenRequest::send(f.socket));
    ASSERT_TRUE(WaylarkKit::OpenRequest::send(f.socket));
    EXPECT_TRUE(f.waitForRequests(2));
    EXPECT_EQ(f.requests, 2);
    ::close(idle);
}

TEST(OpenRequestListenerTest, ReplacesALeftOverSocketAndRemovesItsOwn) {
    Fixture f;
    fs::create_directories(f.socket.parent_path());
    {
        // A process killed while listening leaves its socket file behind.
        const int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const auto address = WaylarkKit::socketAddress(f.socket);
        ASSERT_EQ(::bind(stale, reinterpret_cast<const sockaddr*>(&*address), sizeof(sockaddr_un)), 0);
        ::close(stale);
    }
    auto listener = f.start();
    ASSERT_TRUE(listener);
    ASSERT_TRUE(WaylarkKit::OpenRequest::send(f.socket));
    ASSERT_TRUE(f.scheduler.waitForDue(10));
    listener.reset();
    f.scheduler.runPending();
    EXPECT_EQ(f.requests, 0);  // queued before the listener went, delivered to nobody
    EXPECT_FALSE(fs::exists(f.socket));
    EXPECT_FALSE(WaylarkKit::OpenRequest::send(f.socket));
}

TEST(OpenRequestListenerTest, LeavesAFileThatIsNotASocketAlone) {
    Fixture f;
    Base::Testing::writeBytes(f.socket, "notes");
    const auto listener = OpenRequestListener::start(f.scheduler, f.socket, [] {});
    ASSERT_FALSE(listener);
    EXPECT_NE(listener.error().message.find(f.socket.string()), std::string::npos);
    EXPECT_EQ(Base::Testing::readBytes(f.socket), "notes");
}
