#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>

#include "WaylarkKit/Style/Qt/Fonts.h"

// The drawing pieces the settings editors share: capsules, rounded fields, the
// check box at a text size, and one-line text.
namespace WaylarkKit::EditorLook {

QColor white(double opacity);

// Inter at `size`, with letter tracking in points.
QFont font(double size, FontWeight weight = FontWeight::regular, double tracking = 0);
double textWidth(const QFont& font, const QString& text);

void fillCapsule(QPainter& painter, const QRectF& box, const QColor& fill);
void fillRounded(QPainter& painter, const QRectF& box, double radius, const QColor& fill);

// The check box of a switch or chip at a symbol size in points: a filled
// square with a check cut out when on, an empty square when off. It is drawn
// in a square of `size` centred in `box`.
void paintCheckBox(QPainter& painter, const QRectF& box, double size, bool on, const QColor& colour);

// One line of `text` in `box`, vertically centred on the font's ascent and
// descent, aligned left, right or centred.
void drawText(QPainter& painter, const QRectF& box, const QFont& font, const QColor& colour, const QString& text,
              Qt::Alignment alignment = Qt::AlignLeft);

}  // namespace WaylarkKit::EditorLook
