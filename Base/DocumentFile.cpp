#include "Base/DocumentFile.h"

#include <sys/stat.h>

#include "Base/FileSystem.h"

namespace Base {

std::filesystem::path DocumentFile::quarantinePath() const {
    std::filesystem::path result = path_;
    result.replace_extension(".corrupt.json");
    return result;
}

void DocumentFile::quarantine() const {
    std::error_code ignored;
    std::filesystem::remove(quarantinePath(), ignored);
    (void)FileSystem::moveReplacing(path_, quarantinePath());
}

std::optional<Json> DocumentFile::readJson() const {
    const auto read = FileSystem::readCapped(path_, maxBytes_);
    using Outcome = FileSystem::CappedRead::Outcome;
    if (read.outcome == Outcome::missing) return std::nullopt;
    if (read.outcome != Outcome::read) {
        quarantine();
        return std::nullopt;
    }
    auto json = Json::parse(read.bytes);
    if (!json) {
        quarantine();
        return std::nullopt;
    }
    return std::move(json).value();
}

Status DocumentFile::save(const Json& document) const {
    if (auto folder = FileSystem::createFolders(path_.parent_path()); !folder) return folder;
    const Result<std::string> text = document.dump(true);
    if (!text) return text.error();
    auto written = FileSystem::writeAtomically(path_, *text);
    if (!written) return written;
    if (::chmod(path_.c_str(), 0600) != 0) return makeError("cannot set mode of " + path_.string());
    return Ok{};
}

}  // namespace Base
