#include "WaylarkKit/Mascot/Qt/InterGlyphs.h"

#include <QRawFont>
#include <QString>

#include "WaylarkKit/Motion/Qt/FigurePainter.h"
#include "WaylarkKit/Style/Qt/Fonts.h"

namespace WaylarkKit {

namespace {

const QRawFont& cut(GlyphWeight weight) {
    // Loaded once and kept for the life of the process (the font machinery may
    // be gone before static objects die); a missing file falls back to the
    // bold cut that every view loads.
    const auto load = [](const char* file) {
        QRawFont font(QString::fromLatin1(file), 100);
        return new QRawFont(font.isValid() ? font : QRawFont::fromFont(interFont(100, FontWeight::bold)));
    };
    static const QRawFont* heavy = load("/usr/share/fonts/opentype/inter/Inter-ExtraBold.otf");
    static const QRawFont* black = load("/usr/share/fonts/opentype/inter/Inter-Black.otf");
    return weight == GlyphWeight::black ? *black : *heavy;
}

}  // namespace

VectorPath InterGlyphs::outline(char32_t character, double size, GlyphWeight weight) const {
    QRawFont font = cut(weight);
    if (!font.isValid()) return {};
    font.setPixelSize(size);
    const char32_t text[] = {character};
    const QList<quint32> glyphs = font.glyphIndexesForString(QString::fromUcs4(text, 1));
    if (glyphs.isEmpty() || glyphs.front() == 0) return {};
    // Glyph outlines already grow downward from the baseline, as the figure's space does.
    return fromPainterPath(font.pathForGlyph(glyphs.front()));
}

}  // namespace WaylarkKit
