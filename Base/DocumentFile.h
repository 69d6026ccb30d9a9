#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

#include "Base/FileSystem.h"
#include "Base/Json.h"
#include "Base/Result.h"

namespace Base {

// One JSON document kept in one file, for the stores of the user's own data.
// A file that cannot be used is moved aside (its ".json" becomes
// ".corrupt.json", replacing whatever item had that name) so that its bytes
// are never lost; loading never writes anything else. A bad file that could
// not be moved aside is never written over: a save first tries to move it
// again and fails while it stays.
class DocumentFile {
public:
    // How a file is moved to its quarantine name, replacing nothing: the
    // item there is removed first.
    using Move = Status (*)(const std::filesystem::path& from, const std::filesystem::path& to);

    DocumentFile(std::filesystem::path path, std::uintmax_t maxBytes, Move move = FileSystem::moveReplacing)
        : path_(std::move(path)), maxBytes_(maxBytes), move_(move) {}

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path quarantinePath() const;

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
    // the document, pretty printed with sorted keys. Fails, writing nothing,
    // while a bad file that could not be moved aside is still in the way.
    Status save(const Json& document);

private:
    // Moves the file aside; false when it is still in place afterwards.
    bool quarantine();
    std::optional<Json> readJson();

    std::filesystem::path path_;
    std::uintmax_t maxBytes_;
    Move move_;
    bool stranded_ = false;  // a bad file could not be moved aside
};

}  // namespace Base
