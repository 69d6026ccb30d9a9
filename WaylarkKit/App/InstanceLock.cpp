#include "WaylarkKit/App/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "Base/FileSystem.h"

namespace WaylarkKit {

InstanceLock::Outcome InstanceLock::acquire(const std::filesystem::path& path) {
    using Kind = Outcome::Kind;
    // A folder that cannot be made is reported only when the file then cannot
    // be opened: the open decides, and its failure is best explained by the folder's.
    const Base::Status folder = Base::FileSystem::createFolders(path.parent_path());
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        const int error = errno;
        std::string why = folder ? "cannot open " + path.string() + ": " + std::strerror(error)
                                 : folder.error().message;
        return Outcome{Kind::failed, std::nullopt, std::move(why)};
    }
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if (error == EINTR) continue;
        ::close(fd);
        if (error == EWOULDBLOCK) return Outcome{Kind::heldElsewhere, std::nullopt, {}};
        return Outcome{Kind::failed, std::nullopt,
                       "cannot lock " + path.string() + ": " + std::strerror(error)};
    }
    return Outcome{Kind::acquired, InstanceLock(fd), {}};
}

std::filesystem::path InstanceLock::defaultPath() {
    return Base::FileSystem::applicationSupportFolder() / "instance.lock";
}

InstanceLock::InstanceLock(InstanceLock&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {}

InstanceLock& InstanceLock::operator=(InstanceLock&& other) noexcept {
    if (this != &other) {
        release();
        descriptor_ = std::exchange(other.descriptor_, -1);
    }
    return *this;
}

InstanceLock::~InstanceLock() { release(); }

void InstanceLock::release() {
    if (descriptor_ < 0) return;
    ::flock(descriptor_, LOCK_UN);
    ::close(descriptor_);
    descriptor_ = -1;
}

}  // namespace WaylarkKit
