#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace WaylarkKit {

// The open, exclusively locked descriptor of the instance lock file: one
// process per user holds it for its whole run. The file is never written and
// never deleted; the lock goes with the descriptor.
class InstanceLock {
public:
    struct Outcome;

    // Creates the folder (0700) and the file (0600) when missing and takes
    // an exclusive lock without waiting. Only a lock held by another open
    // file counts as "held elsewhere"; every other failure says why.
    static Outcome acquire(const std::filesystem::path& path);

    // $XDG_DATA_HOME/OrlTradingWaylark/instance.lock.
    static std::filesystem::path defaultPath();

    InstanceLock(InstanceLock&& other) noexcept;
    InstanceLock& operator=(InstanceLock&& other) noexcept;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    ~InstanceLock();

    int descriptor() const { return descriptor_; }

private:
    explicit InstanceLock(int descriptor) : descriptor_(descriptor) {}
    void release();

    int descriptor_ = -1;
};

struct InstanceLock::Outcome {
    enum class Kind { acquired, heldElsewhere, failed };
    Kind kind = Kind::failed;
    std::optional<InstanceLock> lock;  // only when acquired
    std::string error;                 // only when failed: the path and the reason
};

}  // namespace WaylarkKit
