#pragma once

#include <vector>

#include <QFont>
#include <QGlyphRun>
#include <QPainter>
#include <QRectF>
#include <QString>

namespace WaylarkKit {

// The one way text with times and spans is measured and drawn: every digit
// sits in a cell as wide as the font's widest digit, so "11:11" and "00:00"
// take the same room and a ticking countdown never shifts its neighbours.
namespace MonoDigits {

double width(const QFont& font, const QString& text);
// Draws `text` with its baseline starting at `origin`.
void draw(QPainter& painter, const QPointF& origin, const QFont& font, const QString& text);
// The glyphs `draw` would draw, placed with the baseline starting at (0, 0):
// text redrawn on every frame of an animation is shaped once this way.
std::vector<QGlyphRun> glyphRuns(const QFont& font, const QString& text);
// Draws `text` inside `box`, aligned as asked (left, right or centred;
// vertically centred on the font's ascent and descent).
void drawIn(QPainter& painter, const QRectF& box, Qt::Alignment alignment, const QFont& font, const QString& text);

}  // namespace MonoDigits

// The baseline of one line of `font` vertically centred in `box` on its
// ascent and descent.
double centredBaseline(const QFont& font, const QRectF& box);

// The glyphs of `text` on one line, its baseline starting at (0, 0), as
// `QPainter::drawText` would draw them.
std::vector<QGlyphRun> glyphRuns(const QFont& font, const QString& text);

// Cuts `text` to `width` with a trailing ellipsis, only between grapheme
// clusters, so no letter is ever split from its marks.
QString elided(const QString& text, const QFont& font, double width);

}  // namespace WaylarkKit
