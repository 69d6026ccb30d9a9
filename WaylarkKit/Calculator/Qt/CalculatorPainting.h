#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>

#include "WaylarkKit/Style/Qt/Fonts.h"
#include "WaylarkKit/Style/Rgba.h"

// Small drawing pieces shared by the lot-size tab and the instrument editor.
namespace WaylarkKit::CalculatorPainting {

QColor white(double opacity);
QColor colour(const Rgba& rgba, double opacity = 1);

// Inter with letter tracking in points.
QFont font(double size, FontWeight weight, double tracking = 0);
double textWidth(const QFont& font, const QString& text);
double lineHeight(const QFont& font);
// Height of `text` wrapped into `width`.
double wrappedHeight(const QFont& font, const QString& text, double width);

void fillCapsule(QPainter& painter, const QRectF& rect, const QColor& fill);
void fillRounded(QPainter& painter, const QRectF& rect, double radius, const QColor& fill);
// One line, vertically centred in `rect`, aligned left, right or centred.
void drawLine(QPainter& painter, const QRectF& rect, const QFont& font, const QColor& colour, const QString& text,
              Qt::Alignment horizontal = Qt::AlignLeft);
void drawWrapped(QPainter& painter, const QRectF& rect, const QFont& font, const QColor& colour, const QString& text);

}  // namespace WaylarkKit::CalculatorPainting
