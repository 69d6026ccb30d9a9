#include "Base/DocumentFile.h"

#include <iostream>
#include <string>

#include "Base/FileSystem.h"
#include "Base/Sha1.h"

namespace Base {

namespace {

bool somethingAt(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::symlink_status(path, error).type() != std::filesystem::file_type::not_found;
}

}  // namespace

std::filesystem::path DocumentFile::quarantinePath(unsigned number) const {
    std::filesystem::path result = path_;
    result.replace_extension(number <= 1 ? ".corrupt.json" : ".corrupt-" + std::to_string(number) + ".json");
    return result;
}

bool DocumentFile::quarantine() {
    known_.reset();
    for (unsigned number = 1; number != 0; ++number) {
        const std::filesystem::path target = quarantinePath(number);
        if (somethingAt(target)) continue;
        if (move_(path_, target)) break;
        // A name taken between the look and the move is passed over; any
        // other failure leaves the file where it is.
        if (!somethingAt(target)) break;
    }
    return !somethingAt(path_);
}

bool DocumentFile::holdsKnownBytes() const {
    if (!known_) return false;
    const auto read = FileSystem::readCapped(path_, maxBytes_);
    return read.outcome == FileSystem::CappedRead::Outcome::read && sha1(read.bytes) == knownDigest_;
}

std::optional<Json> DocumentFile::readJson() {
    known_.reset();
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
    known_ = read.identity;
    knownDigest_ = sha1(read.bytes);
    return std::move(json).value();
}

Status DocumentFile::save(const Json& document) {
    Status saved = write(document);
    if (!saved && !failureTold_) {
        failureTold_ = true;
        std::cerr << "Orl Trading Waylark: could not save " << path_.string() << ": " << saved.error().message
                  << '\n';
    }
    return saved;
}

Status DocumentFile::write(const Json& document) {
    if (somethingAt(path_)) {
        const auto onDisk = FileSystem::identityOf(path_);
        // A hand edit, another program's write or a bad file that could not
        // be moved aside before: its bytes are kept, not written over. A
        // change of metadata alone moves the change time but loses nothing.
        const bool ours = onDisk && (onDisk == known_ || holdsKnownBytes());
        if (!ours && !quarantine()) {
            return makeError(path_.string() + " is not the file this program last read or wrote, "
                             "and it could not be moved aside, so it is kept as it is");
        }
    }
    if (auto folder = FileSystem::createFolders(path_.parent_path()); !folder) return folder;
    const Result<std::string> text = document.dump(true);
    if (!text) return text.error();
    FileSystem::FileIdentity written;
    auto replaced = FileSystem::writeAtomically(path_, *text, &written);
    if (!replaced) return replaced;
    // writeAtomically already made the file 0600 before putting it in place; a
    // chmod here would move the change time past the identity just taken.
    known_ = written;
    knownDigest_ = sha1(*text);
    return Ok{};
}

}  // namespace Base
