#include "WaylarkKit/Style/Qt/Fonts.h"

#include <cmath>

#include <QFontDatabase>
#include <QString>

namespace WaylarkKit {

namespace {

constexpr const char* interFolder = "/usr/share/fonts/opentype/inter/";
constexpr const char* interFiles[] = {"Inter-Regular.otf", "Inter-Medium.otf", "Inter-SemiBold.otf", "Inter-Bold.otf"};

QFont::Weight qtWeight(FontWeight weight) {
    switch (weight) {
        case FontWeight::regular: return QFont::Normal;
        case FontWeight::medium: return QFont::Medium;
        case FontWeight::semibold: return QFont::DemiBold;
        case FontWeight::bold: return QFont::Bold;
    }
    return QFont::Normal;
}

}  // namespace

bool loadFonts() {
    static const bool loaded = [] {
        bool all = true;
        for (const char* file : interFiles) {
            all = QFontDatabase::addApplicationFont(QString::fromLatin1(interFolder) + QString::fromLatin1(file)) >= 0 && all;
        }
        return all;
    }();
    return loaded;
}

QFont interFont(double size, FontWeight weight) {
    loadFonts();
    QFont font(QStringLiteral("Inter"));
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setHintingPreference(QFont::PreferNoHinting);
    // Whole sizes are set in pixels so they do not depend on the screen's DPI;
    // a fractional size goes through points at the 96 DPI our screens report.
    if (size == std::floor(size) && size >= 1) {
        font.setPixelSize(static_cast<int>(size));
    } else {
        font.setPointSizeF(size * 72.0 / 96.0);
    }
    font.setWeight(qtWeight(weight));
    return font;
}

}  // namespace WaylarkKit
