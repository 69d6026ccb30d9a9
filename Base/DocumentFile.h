#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

#include "Base/Json.h"
#include "Base/Result.h"

namespace Base {

// One JSON document kept in one file, for the stores of the user's own data.
// A file that cannot be used is moved aside (its ".json" becomes
// ".corrupt.json", replacing an older copy) so that its bytes are never lost
// and never overwritten; loading never writes anything else.
class DocumentFile {
public:
    DocumentFile(std::filesystem::path path, std::uintmax_t maxBytes)
        : path_(std::move(path)), maxBytes_(maxBytes) {}

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path quarantinePath() const;

    // The decoded document, or nothing: when there is no file (nothing moves),
    // or when the file is unreadable, too large, not JSON or refused by
    // `decode` (the file is moved aside).
    template <class T>
    std::optional<T> load(const std::function<Result<T>(const Json&)>& decode) const {
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
    // the document, pretty printed with sorted keys.
    Status save(const Json& document) const;

    // Moves the file aside; failures are ignored (the file is tried again next time).
    void quarantine() const;

private:
    std::optional<Json> readJson() const;

    std::filesystem::path path_;
    std::uintmax_t maxBytes_;
};

}  // namespace Base
