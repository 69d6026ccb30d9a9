#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "Base/Result.h"

namespace Base::FileSystem {

// The user's home folder: $HOME when it is an absolute path, else the
// password database's entry for this user; nothing when neither names one.
std::optional<std::filesystem::path> homeFolder();

// The user's configuration folder: $XDG_CONFIG_HOME when it is an absolute
// path, else ~/.config; nothing without a home folder.
std::optional<std::filesystem::path> configFolder();

// The folder that holds every file of the application:
// $XDG_DATA_HOME/OrlTradingWaylark, else ~/.local/share/OrlTradingWaylark.
// Without either there is no folder of the user's own, and the path is empty:
// the program refuses to start then rather than fall back on a shared one.
std::filesystem::path applicationSupportFolder();

// Which file a path named at one moment, and the state it was in: another
// program that writes or replaces the file changes at least one of these. The
// change time is the one a program cannot put back, as it can the modification
// time after an edit of the same size.
struct FileIdentity {
    std::uintmax_t device = 0;
    std::uintmax_t inode = 0;
    std::intmax_t size = 0;
    std::intmax_t modifiedSeconds = 0;
    long modifiedNanoseconds = 0;
    std::intmax_t changedSeconds = 0;
    long changedNanoseconds = 0;
    bool operator==(const FileIdentity&) const = default;
};

// The identity of what `path` names now, or nothing when it cannot be read.
std::optional<FileIdentity> identityOf(const std::filesystem::path& path);

struct CappedRead {
    enum class Outcome { read, missing, tooLarge, notRegularFile, failed };
    Outcome outcome = Outcome::failed;
    std::string bytes;      // filled only when read
    FileIdentity identity;  // of the file read, only when read
    std::string error;      // words for the other outcomes
};

// Reads a regular file of at most `maxBytes` bytes. Never reads more than
// `maxBytes` + 1 bytes, however large the file claims or turns out to be.
CappedRead readCapped(const std::filesystem::path& path, std::uintmax_t maxBytes);

// Creates the folder and any missing parents with mode 0700. A folder that
// already exists keeps its mode.
Status createFolders(const std::filesystem::path& folder);

// Replaces the file's content so that a reader sees either the old or the new
// bytes, never a mix, even if the process dies midway: a temporary file
// created 0600 beside it, written, flushed to disk, then renamed over it.
// `written`, when given, receives the identity of the new file as it is once
// in place.
Status writeAtomically(const std::filesystem::path& path, std::string_view bytes,
                       FileIdentity* written = nullptr);

// Moves `from` to `to`; fails, changing nothing, when something is at `to`.
Status moveWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

// The file's permission bits, or -1 when it cannot be read.
int permissions(const std::filesystem::path& path);

}  // namespace Base::FileSystem
