#include "Base/FileSystem.h"

#include <fcntl.h>
#include <pwd.h>
#include <stdio.h>  // renameat2
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

namespace Base::FileSystem {

namespace fs = std::filesystem;

namespace {

std::string describe(const std::string& what, const fs::path& path, int error) {
    return what + " " + path.string() + ": " + std::strerror(error);
}

// Closes the descriptor on every path out.
struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Fresh entropy on every call: a generator seeded once would hand the same
// names to every child of a fork.
std::string randomSuffix() {
    std::random_device device;
    std::uint64_t bits = (static_cast<std::uint64_t>(device()) << 32) ^ device() ^
                         (static_cast<std::uint64_t>(::getpid()) << 16);
    static const char* digits = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string out;
    for (int i = 0; i < 12; ++i, bits /= 36) out += digits[bits % 36];
    return out;
}

// Temporary files of earlier writes of the same file whose process died
// before the rename; their content was never the file's.
void removeStaleTemporaries(const fs::path& folder, const std::string& filename) {
    const std::string prefix = "." + filename + ".";
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > prefix.size() + 4 && name.starts_with(prefix) && name.ends_with(".tmp")) {
            fs::remove(entry.path(), error);
        }
    }
}

FileIdentity identityFrom(const struct stat& info) {
    return {static_cast<std::uintmax_t>(info.st_dev),
            static_cast<std::uintmax_t>(info.st_ino),
            static_cast<std::intmax_t>(info.st_size),
            static_cast<std::intmax_t>(info.st_mtim.tv_sec),
            info.st_mtim.tv_nsec,
            static_cast<std::intmax_t>(info.st_ctim.tv_sec),
            info.st_ctim.tv_nsec};
}

}  // namespace

std::optional<FileIdentity> identityOf(const fs::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return identityFrom(info);
}

std::optional<fs::path> homeFolder() {
    if (const char* home = std::getenv("HOME"); home && fs::path(home).is_absolute()) return fs::path(home);
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir && fs::path(found->pw_dir).is_absolute()) {
        return fs::path(found->pw_dir);
    }
    return std::nullopt;
}

std::optional<fs::path> configFolder() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    // The XDG rules ignore a relative XDG_CONFIG_HOME.
    if (configHome && *configHome && fs::path(configHome).is_absolute()) return fs::path(configHome);
    const auto home = homeFolder();
    if (!home) return std::nullopt;
    return *home / ".config";
}

fs::path applicationSupportFolder() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    // The XDG rules ignore a relative XDG_DATA_HOME.
    if (dataHome && *dataHome && fs::path(dataHome).is_absolute()) return fs::path(dataHome) / "OrlTradingWaylark";
    const auto home = homeFolder();
    return home ? *home / ".local" / "share" / "OrlTradingWaylark" : fs::path();
}

CappedRead readCapped(const fs::path& path, std::uintmax_t maxBytes) {
    CappedRead result;
    Descriptor file;
    file.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (file.fd < 0) {
        result.outcome = errno == ENOENT ? CappedRead::Outcome::missing : CappedRead::Outcome::failed;
        result.error = describe("cannot open", path, errno);
        return result;
    }
    struct stat info {};
    if (::fstat(file.fd, &info) != 0) {
        result.error = describe("cannot read attributes of", path, errno);
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        result.outcome = CappedRead::Outcome::notRegularFile;
        result.error = path.string() + " is not a regular file";
        return result;
    }
    if (info.st_size < 0 || static_cast<std::uintmax_t>(info.st_size) > maxBytes) {
        result.outcome = CappedRead::Outcome::tooLarge;
        result.error = path.string() + " is larger than " + std::to_string(maxBytes) + " bytes";
        return result;
    }
    // The file may grow after fstat; the running count still stops at the cap.
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(file.fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            result.error = describe("cannot read", path, errno);
            return result;
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
        if (bytes.size() > maxBytes) {
            result.outcome = CappedRead::Outcome::tooLarge;
            result.error = path.string() + " is larger than " + std::to_string(maxBytes) + " bytes";
            return result;
        }
    }
    result.outcome = CappedRead::Outcome::read;
    result.bytes = std::move(bytes);
    result.identity = identityFrom(info);
    return result;
}

Status createFolders(const fs::path& folder) {
    if (folder.empty()) return Ok{};
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) return Ok{};
        return makeError(folder.string() + " exists and is not a folder");
    }
    if (auto parent = createFolders(folder.parent_path()); !parent) return parent;
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        return makeError(describe("cannot create folder", folder, errno));
    }
    // mkdir's mode passes through the umask; the folder must be owner-only.
    if (::chmod(folder.c_str(), 0700) != 0) {
        return makeError(describe("cannot set mode of", folder, errno));
    }
    return Ok{};
}

Status writeAtomically(const fs::path& path, std::string_view bytes, FileIdentity* written) {
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    std::string name = ".";
    name += path.filename().string();
    name += '.';
    name += randomSuffix();
    name += ".tmp";
    const fs::path temporary = folder / name;
    int identityError = 0;
    {
        Descriptor file;
        file.fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (file.fd < 0) return makeError(describe("cannot create", temporary, errno));
        if (!writeAll(file.fd, bytes) || ::fchmod(file.fd, 0600) != 0 || ::fsync(file.fd) != 0) {
            const int error = errno;
            ::unlink(temporary.c_str());
            return makeError(describe("cannot write", temporary, error));
        }
        if (::rename(temporary.c_str(), path.c_str()) != 0) {
            const int error = errno;
            ::unlink(temporary.c_str());
            return makeError(describe("cannot replace", path, error));
        }
        // Taken from the open file, since a path read now could already name
        // another program's file, and after the rename, which moves the
        // change time.
        if (written) {
            struct stat info {};
            if (::fstat(file.fd, &info) == 0) {
                *written = identityFrom(info);
            } else {
                identityError = errno;
            }
        }
    }
    removeStaleTemporaries(folder, path.filename().string());
    // The rename itself is durable only once the folder is flushed.
    Descriptor dir;
    dir.fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir.fd >= 0) ::fsync(dir.fd);
    // The new bytes are in place; only what they look like on disk is unknown.
    if (identityError != 0) return makeError(describe("cannot read attributes of", path, identityError));
    return Ok{};
}

Status moveWithoutReplacing(const fs::path& from, const fs::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return Ok{};
    // Some file systems cannot refuse a replacement themselves.
    if (errno != EINVAL && errno != ENOSYS) return makeError(describe("cannot move", from, errno));
    struct stat info {};
    if (::lstat(to.c_str(), &info) == 0) return makeError(describe("cannot move", from, EEXIST));
    if (::rename(from.c_str(), to.c_str()) != 0) return makeError(describe("cannot move", from, errno));
    return Ok{};
}

int permissions(const fs::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return -1;
    return static_cast<int>(info.st_mode & 07777);
}

}  // namespace Base::FileSystem
