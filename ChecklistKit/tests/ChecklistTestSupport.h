#pragma once

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "Base/Uuid.h"
#include "Base/testing/TemporaryFolder.h"
#include "ChecklistKit/ChecklistState.h"

namespace ChecklistKit::Testing {

using Base::Testing::readBytes;
using Base::Testing::TemporaryFolder;
using Base::Testing::writeBytes;

// A readable id whose text sorts by `n`: 00000000-0000-4000-8000-00000000000n.
inline Base::Uuid uuid(unsigned n) {
    char text[37];
    std::snprintf(text, sizeof text, "00000000-0000-4000-8000-%012X", n);
    return *Base::Uuid::fromText(text);
}

inline std::string key(unsigned n) { return uuid(n).text(); }

}  // namespace ChecklistKit::Testing
