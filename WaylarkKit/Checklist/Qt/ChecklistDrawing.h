#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>
#include <QStringList>

#include "WaylarkKit/Style/Qt/Fonts.h"
#include "WaylarkKit/Style/Qt/Symbols.h"

// Drawing helpers the checklist tab and editor share.
namespace WaylarkKit::ChecklistDrawing {

QColor white(double opacity);
// The green of what is ticked or chosen.
QColor tickGreen();
QColor orange(double opacity = 1);
QColor red(double opacity = 1);

QPainterPath capsule(const QRectF& rect);
QPainterPath roundedRect(const QRectF& rect, double radius);
void fill(QPainter& painter, const QPainterPath& shape, const QColor& colour);

double textWidth(const QFont& font, const QString& text);
// One line, vertically centred in `box` on the font's ascent and descent.
void drawLine(QPainter& painter, const QRectF& box, Qt::Alignment alignment, const QFont& font, const QColor& colour,
              const QString& text);

// `text` broken into at most `maxLines` lines of `width`; the last one is
// cut with an ellipsis when more text remains.
QStringList wrapped(const QFont& font, const QString& text, double width, int maxLines);
double lineHeight(const QFont& font);
// Lines from the top of `box`, one under the other.
void drawLines(QPainter& painter, const QRectF& box, const QFont& font, const QColor& colour, const QStringList& lines);

// A symbol at a text size: `pointSize` gives the box, `boldness` the stroke
// (0 regular … 1 bold).
void drawSymbol(QPainter& painter, Symbol symbol, const QPointF& centre, double pointSize, double boldness,
                const QColor& colour);
double symbolWidth(double pointSize);

// The check box of the checklist's rows: a 15 × 15 rounded square, green
// with a black tick when checked, a thin light outline otherwise.
void drawCheckBox(QPainter& painter, const QPointF& topLeft, bool isChecked);
inline constexpr double checkBoxSize = 15;

}  // namespace WaylarkKit::ChecklistDrawing
