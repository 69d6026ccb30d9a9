#pragma once

#include <vector>

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QString>

#include "WaylarkKit/Style/Qt/TextDrawing.h"

namespace WaylarkKit {

// The widths of texts in one font, and their glyphs as drawn, remembered: a
// tick or a pulse nearby that changes nothing of a text does not shape it
// again. Digits take equal cells when asked. The few texts of a compact view
// and their countdowns stay well under the bound.
class TextWidths {
public:
    TextWidths(QFont font, bool monoDigits) : font_(std::move(font)), monoDigits_(monoDigits) {}

    const QFont& font() const { return font_; }
    double lineHeight() const {
        const QFontMetricsF metrics(font_);
        return metrics.ascent() + metrics.descent();
    }

    double of(const QString& text) {
        const auto found = widths_.constFind(text);
        if (found != widths_.constEnd()) return *found;
        if (widths_.size() >= bound) widths_.clear();
        const double width = monoDigits_ ? MonoDigits::width(font_, text) : QFontMetricsF(font_).horizontalAdvance(text);
        widths_.insert(text, width);
        return width;
    }

    // The glyphs of `text` as drawn (digits in equal cells when asked), baseline at (0, 0).
    const std::vector<QGlyphRun>& glyphs(const QString& text) {
        const auto found = glyphs_.constFind(text);
        if (found != glyphs_.constEnd()) return *found;
        if (glyphs_.size() >= bound) glyphs_.clear();
        return *glyphs_.insert(text, monoDigits_ ? MonoDigits::glyphRuns(font_, text) : glyphRuns(font_, text));
    }

    // Draws `text` from its shaped glyphs, the baseline starting at `origin`.
    void draw(QPainter& painter, const QPointF& origin, const QString& text) {
        for (const QGlyphRun& run : glyphs(text)) painter.drawGlyphRun(origin, run);
    }

private:
    static constexpr qsizetype bound = 512;
    QFont font_;
    bool monoDigits_;
    QHash<QString, double> widths_;
    QHash<QString, std::vector<QGlyphRun>> glyphs_;
};

}  // namespace WaylarkKit
