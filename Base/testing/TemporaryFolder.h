#pragma once

// Test support shared by every component's tests: private scratch folders and
// whole-file reads and writes.

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <stdexcept>
#include <string>

#include "Base/FileSystem.h"

namespace Base::Testing {

// A fresh owner-only folder under the temporary directory, removed with
// everything in it when the test ends.
class TemporaryFolder {
public:
    TemporaryFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "waylark-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary folder");
        path_ = pattern;
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// The whole file, or nothing when it is missing or its read fails, as under
// /proc when the process ends midway: unlike a stream, this never throws.
inline std::string readBytes(const std::filesystem::path& path) {
    FileSystem::CappedRead read = FileSystem::readCapped(path, std::numeric_limits<std::uintmax_t>::max());
    return read.outcome == FileSystem::CappedRead::Outcome::read ? std::move(read.bytes) : std::string();
}

// Creates missing parent folders first.
inline void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace Base::Testing
