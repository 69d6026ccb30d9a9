#pragma once

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <thread>

#include "Base/Result.h"
#include "Base/Scheduler.h"

namespace WaylarkKit {

// The first process's end of the open request: a Unix stream socket on which
// a second process of the same user says that the user asked to open the
// system. A worker thread accepts and reads; every complete request reaches
// `onRequest` on the main thread through the scheduler. Peers of another
// user, and clients that send anything else, too much, or nothing for two
// seconds, are dropped without a word; at most 16 wait at once, and a new one
// beyond that drops the oldest.
class OpenRequestListener {
public:
    // Makes the socket's folder (0700) and replaces a socket file left by a
    // process that was killed. The error names the path and the reason.
    static Base::Result<std::unique_ptr<OpenRequestListener>> start(Base::Scheduler& scheduler,
                                                                    const std::filesystem::path& socket,
                                                                    std::function<void()> onRequest);
    // Stops the worker and removes the socket file; no request is delivered after.
    ~OpenRequestListener();
    OpenRequestListener(const OpenRequestListener&) = delete;
    OpenRequestListener& operator=(const OpenRequestListener&) = delete;

private:
    OpenRequestListener(Base::Scheduler& scheduler, std::filesystem::path socket, int listening, ino_t inode,
                        int wake, std::function<void()> onRequest);
    void serve();

    Base::Scheduler& scheduler_;
    std::filesystem::path socket_;
    int listening_;
    ino_t inode_;
    int wake_;
    std::function<void()> onRequest_;
    // Read and cleared on the main thread only; queued requests check it.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    std::thread worker_;
};

}  // namespace WaylarkKit
