#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QString>

#include "WaylarkKit/Style/Qt/TextDrawing.h"

namespace WaylarkKit {

// The widths of texts in one font, remembered: a tick that changes nothing of
// a text does not shape it again. Digits take equal cells when asked. The few
// texts of a compact view and their countdowns stay well under the bound.
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

private:
    static constexpr qsizetype bound = 512;
    QFont font_;
    bool monoDigits_;
    QHash<QString, double> widths_;
};

}  // namespace WaylarkKit
