#pragma once

#include <QColor>

#include "WaylarkKit/Style/Rgba.h"

namespace WaylarkKit {

inline QColor toQColor(const Rgba& colour) {
    QColor result(colour.red, colour.green, colour.blue);
    result.setAlphaF(static_cast<float>(colour.opacity));
    return result;
}

}  // namespace WaylarkKit
