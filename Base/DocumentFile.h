#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

#include "Base/FileSystem.h"
#include "Base/Json.h"
#include "Base/Result.h"

namespace Base {

// One JSON document kept in one file, for the stores of the user's own data.
// Nothing this class did not write itself is ever deleted or written over: a
// file that cannot be used, and a file that another program wrote or replaced
// since this one last read or wrote it, is moved aside first. The first copy
// moved aside takes the name with ".corrupt.json" for ".json"; later ones the
// next free numbered name (".corrupt-2.json", ".corrupt-3.json", ...). A file
// that could not be moved aside stays in place, and saving fails while it does.
// A file whose metadata alone changed (its mode set again, a hard link, an
// extended attribute, as backup and sync tools do) still holds the bytes this
// object knows, and is written over as its own.
class DocumentFile {
public:
    // How a file is moved to a quarantine name; it must fail, changing
    // nothing, when the name is taken.
    using Move = Status (*)(const std::filesystem::path& from, const std::filesystem::path& to);

    DocumentFile(std::filesystem::path path, std::uintmax_t maxBytes, Move move = FileSystem::moveWithoutReplacing)
        : path_(std::move(path)), maxBytes_(maxBytes), move_(move) {}

    const std::filesystem::path& path() const { return path_; }
    // The name of the first copy moved aside; `number` 2 and up name the later ones.
    std::filesystem::path quarantinePath(unsigned number = 1) const;

    // The decoded document, or nothing: when there is no file (nothing moves),
    // or when the file is unreadable, too large, not JSON or refused by
    // `decode` (the file is moved aside).
    template <class T>
    std::optional<T> load(const std::function<Result<T>(const Json&)>& decode) {
        std::optional<Json> json = readJson();
        if (!json) return std::nullopt;
        Result<T> decoded = decode(*json);
        if (!decoded) {
            quarantine();
            return std::nullopt;
        }
        return std::move(decoded).value();
    }

    // Creates the folder (0700) and replaces the file atomically (0600) with
    // the document, pretty printed with sorted keys. The first failure of a
    // document file is also told on standard error, once, for a user whose
    // changes would otherwise be lost without a word.
    Status save(const Json& document);

private:
    Status write(const Json& document);
    // Moves the file aside; false when it is still in place afterwards.
    bool quarantine();
    // Whether the file now at the path holds, byte for byte, what this object last read or wrote.
    bool holdsKnownBytes() const;
    std::optional<Json> readJson();

    std::filesystem::path path_;
    std::uintmax_t maxBytes_;
    Move move_;
    // The file as this object last read or wrote it; nothing when it has
    // neither read nor written the file that is there now.
    std::optional<FileSystem::FileIdentity> known_;
    // The digest of the bytes of that file; set together with `known_`.
    std::array<std::uint8_t, 20> knownDigest_{};
    bool failureTold_ = false;
};

}  // namespace Base
