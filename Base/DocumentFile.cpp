#include "Base/DocumentFile.h"

#include <sys/stat.h>

#include "Base/FileSystem.h"

namespace Base {

namespace {

bool somethingAt(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::symlink_status(path, error).type() != std::filesystem::file_type::not_found;
}

}  // namespace

std::filesystem::path DocumentFile::quarantinePath() const {
    std::filesystem::path result = path_;
    result.replace_extension(".corrupt.json");
    return result;
}

bool DocumentFile::quarantine() {
    std::error_code ignored;
    // Whatever has the name goes, a folder with everything in it included:
    // a plain remove fails on a folder that holds anything.
    std::filesystem::remove_all(quarantinePath(), ignored);
    (void)move_(path_, quarantinePath());
    stranded_ = somethingAt(path_);
    return !stranded_;
}

std::optional<Json> DocumentFile::readJson() {
    stranded_ = false;
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

Status DocumentFile::save(const Json& document) {
    // A bad file gone by other hands since leaves nothing to keep.
    if (stranded_ && somethingAt(path_) && !quarantine()) {
        return makeError("the unusable " + path_.string() + " could not be moved aside and is kept as it is");
    }
    if (auto folder = FileSystem::createFolders(path_.parent_path()); !folder) return folder;
    const Result<std::string> text = document.dump(true);
    if (!text) return text.error();
    auto written = FileSystem::writeAtomically(path_, *text);
    if (!written) return written;
    if (::chmod(path_.c_str(), 0600) != 0) return makeError("cannot set mode of " + path_.string());
    return Ok{};
}

}  // namespace Base
