#pragma once

#include <string_view>

#include <QString>

namespace WaylarkKit {

// The models hold UTF-8; Qt draws QString.
inline QString qtText(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace WaylarkKit
