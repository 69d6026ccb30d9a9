#include "WaylarkKit/Greeting/Qt/WordLayoutQt.h"

#include <cmath>

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextBoundaryFinder>
#include <QTextLayout>

#include "WaylarkKit/Motion/Qt/FigurePainter.h"

namespace WaylarkKit {

namespace {

bool isWhitespace(const QString& text, qsizetype from, qsizetype to) {
    for (qsizetype i = from; i < to; ++i) {
        if (!text.at(i).isSpace()) return false;
    }
    return true;
}

}  // namespace

WordLayout layOutWord(const QString& text, const QFont& font) {
    WordLayout word;
    const QFontMetricsF metrics(font);
    word.height = std::ceil(metrics.ascent() + metrics.descent()) + 2;

    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid()) return word;
    word.width = std::ceil(line.naturalTextWidth());

    QTextBoundaryFinder clusters(QTextBoundaryFinder::Grapheme, text);
    qsizetype from = 0;
    while (from < text.size()) {
        clusters.setPosition(from);
        qsizetype to = clusters.toNextBoundary();
        if (to <= from) to = text.size();
        if (!isWhitespace(text, from, to)) {
            QPainterPath outline;
            outline.setFillRule(Qt::WindingFill);
            // The runs' glyph positions are in the layout's space: the line's
            // top at 0 and its baseline at the font's ascent.
            for (const QGlyphRun& run : layout.glyphRuns(static_cast<int>(from), static_cast<int>(to - from))) {
                const QRawFont raw = run.rawFont();
                const QList<quint32> glyphs = run.glyphIndexes();
                const QList<QPointF> positions = run.positions();
                for (qsizetype g = 0; g < glyphs.size() && g < positions.size(); ++g) {
                    outline.addPath(raw.pathForGlyph(glyphs[g]).translated(positions[g]));
                }
            }
            word.letters.push_back({line.cursorToX(static_cast<int>(from)), line.cursorToX(static_cast<int>(to)),
                                    fromPainterPath(outline)});
        }
        from = to;
    }
    return word;
}

}  // namespace WaylarkKit
