#pragma once

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "Base/Uuid.h"
#include "ChecklistKit/ChecklistState.h"

namespace ChecklistKit::Testing {

// A fresh folder under the temporary directory, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "waylark-checklist-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A readable id whose text sorts by `n`: 00000000-0000-4000-8000-00000000000n.
inline Base::Uuid uuid(unsigned n) {
    char text[37];
    std::snprintf(text, sizeof text, "00000000-0000-4000-8000-%012X", n);
    return *Base::Uuid::fromText(text);
}

inline std::string key(unsigned n) { return uuid(n).text(); }

}  // namespace ChecklistKit::Testing
