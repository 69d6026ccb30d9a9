#include "WaylarkKit/Style/Qt/TextDrawing.h"

#include <algorithm>
#include <array>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include <QFontMetricsF>
#include <QHash>
#include <QTextBoundaryFinder>
#include <QTextLayout>

namespace WaylarkKit {

namespace {

// Digit advances per font, measured once: every countdown repaint asks for
// them, and measuring ten digits each time was most of a frame's text cost.
struct DigitCells {
    double cell = 0;
    std::array<double, 10> advance{};
};

const DigitCells& digitCells(const QFont& font) {
    static std::unordered_map<std::string, DigitCells> cache;
    const std::string key = font.key().toStdString();
    const auto found = cache.find(key);
    if (found != cache.end()) return found->second;
    const QFontMetricsF metrics(font);
    DigitCells cells;
    for (int digit = 0; digit < 10; ++digit) {
        cells.advance[static_cast<std::size_t>(digit)] = metrics.horizontalAdvance(QChar::fromLatin1(static_cast<char>('0' + digit)));
        cells.cell = std::max(cells.cell, cells.advance[static_cast<std::size_t>(digit)]);
    }
    return cache.emplace(key, cells).first->second;
}

// Walks `text` as runs: each digit alone, and each stretch of other characters
// together so kerning inside words is kept.
template <typename Visit>
void forEachRun(const QString& text, Visit visit) {
    qsizetype start = 0;
    while (start < text.size()) {
        const bool digit = text[start].isDigit() && text[start].unicode() < 128;
        qsizetype end = start + 1;
        if (!digit) {
            while (end < text.size() && !(text[end].isDigit() && text[end].unicode() < 128)) ++end;
        }
        visit(text.mid(start, end - start), digit);
        start = end;
    }
}

// Appends `glyphs` to `runs`, moved by `shift`.
template <typename Runs>
void appendShifted(std::vector<QGlyphRun>& runs, Runs glyphs, const QPointF& shift) {
    for (QGlyphRun run : glyphs) {
        QList<QPointF> positions = run.positions();
        for (QPointF& position : positions) position += shift;
        run.setPositions(positions);
        runs.push_back(std::move(run));
    }
}

// Shapes `text` on one line and appends its glyphs to `runs`, the baseline
// starting at (`x`, 0).
void appendShaped(std::vector<QGlyphRun>& runs, const QFont& font, const QString& text, double x) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    // The layout's glyphs sit on a baseline one ascent below its top.
    appendShifted(runs, layout.glyphRuns(), QPointF(x, -line.ascent()));
}

// One stretch of a text shaped alone: its glyphs, baseline starting at
// (0, 0), and its advance. A countdown's text changes every second but is
// made of the same few stretches (each digit, ":", a unit), so each is shaped
// and measured once instead of on every tick.
struct Stretch {
    std::vector<QGlyphRun> glyphs;
    double advance = 0;
};

const Stretch& stretchOf(const QFont& font, const QString& text) {
    static QHash<QString, Stretch> cache;
    constexpr qsizetype bound = 512;
    const QString key = font.key() + QChar(u'\n') + text;
    const auto found = cache.constFind(key);
    if (found != cache.constEnd()) return *found;
    if (cache.size() >= bound) cache.clear();
    Stretch made;
    appendShaped(made.glyphs, font, text, 0);
    made.advance = QFontMetricsF(font).horizontalAdvance(text);
    return *cache.insert(key, std::move(made));
}

}  // namespace

namespace MonoDigits {

double width(const QFont& font, const QString& text) {
    const double cell = digitCells(font).cell;
    double total = 0;
    forEachRun(text, [&](const QString& run, bool digit) { total += digit ? cell : stretchOf(font, run).advance; });
    return total;
}

void draw(QPainter& painter, const QPointF& origin, const QFont& font, const QString& text) {
    const QFontMetricsF metrics(font);
    const DigitCells& cells = digitCells(font);
    const double cell = cells.cell;
    painter.save();
    painter.setFont(font);
    double x = origin.x();
    // A stretch of letters is measured only when something follows it:
    // measuring shapes it again, and a label redrawn on every frame of a pulse
    // is most often one stretch alone.
    QString unmeasured;
    forEachRun(text, [&](const QString& run, bool digit) {
        if (!unmeasured.isEmpty()) x += metrics.horizontalAdvance(std::exchange(unmeasured, {}));
        if (digit) {
            const double own = cells.advance[static_cast<std::size_t>(run[0].unicode() - '0')];
            painter.drawText(QPointF(x + (cell - own) / 2, origin.y()), run);
            x += cell;
        } else {
            painter.drawText(QPointF(x, origin.y()), run);
            unmeasured = run;
        }
    });
    painter.restore();
}

std::vector<QGlyphRun> glyphRuns(const QFont& font, const QString& text) {
    const DigitCells& cells = digitCells(font);
    std::vector<QGlyphRun> runs;
    double x = 0;
    forEachRun(text, [&](const QString& run, bool digit) {
        const Stretch& stretch = stretchOf(font, run);
        double at = x;
        if (digit) {
            const double own = cells.advance[static_cast<std::size_t>(run[0].unicode() - '0')];
            at += (cells.cell - own) / 2;
            x += cells.cell;
        } else {
            x += stretch.advance;
        }
        appendShifted(runs, stretch.glyphs, QPointF(at, 0));
    });
    return runs;
}

void drawIn(QPainter& painter, const QRectF& box, Qt::Alignment alignment, const QFont& font, const QString& text) {
    const double textWidth = width(font, text);
    double x = box.left();
    if (alignment & Qt::AlignRight) {
        x = box.right() - textWidth;
    } else if (alignment & Qt::AlignHCenter) {
        x = box.left() + (box.width() - textWidth) / 2;
    }
    draw(painter, QPointF(x, centredBaseline(font, box)), font, text);
}

}  // namespace MonoDigits

double centredBaseline(const QFont& font, const QRectF& box) {
    const QFontMetricsF metrics(font);
    return box.top() + (box.height() - (metrics.ascent() + metrics.descent())) / 2 + metrics.ascent();
}

std::vector<QGlyphRun> glyphRuns(const QFont& font, const QString& text) {
    std::vector<QGlyphRun> runs;
    appendShaped(runs, font, text, 0);
    return runs;
}

QString elided(const QString& text, const QFont& font, double width) {
    const QFontMetricsF metrics(font);
    if (metrics.horizontalAdvance(text) <= width) return text;
    const QString ellipsis(QChar(0x2026));
    const double room = width - metrics.horizontalAdvance(ellipsis);
    if (room <= 0) return QString();
    // Prefix widths grow with the prefix, so the longest that fits is found by
    // halving over the cluster boundaries rather than measuring every prefix.
    std::vector<qsizetype> boundaries;
    QTextBoundaryFinder clusters(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype next = clusters.toNextBoundary(); next > 0; next = clusters.toNextBoundary()) {
        boundaries.push_back(next);
    }
    const auto fits = std::partition_point(boundaries.begin(), boundaries.end(), [&](qsizetype end) {
        return metrics.horizontalAdvance(text.left(end)) <= room;
    });
    const qsizetype kept = fits == boundaries.begin() ? 0 : *(fits - 1);
    return text.left(kept).trimmed() + ellipsis;
}

}  // namespace WaylarkKit
