#pragma once

#include <QFont>

namespace WaylarkKit {

enum class FontWeight { regular, medium, semibold, bold };

// Registers Inter's files with the application, once. Every view draws with
// it, so every machine and every screenshot shows the same letters. Returns
// false when the files are missing (the views then fall back to the default).
bool loadFonts();

// Inter at `size` design points (one point is one logical pixel) and `weight`.
QFont interFont(double size, FontWeight weight = FontWeight::regular);

}  // namespace WaylarkKit
