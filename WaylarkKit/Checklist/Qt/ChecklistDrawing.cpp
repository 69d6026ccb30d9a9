#include "WaylarkKit/Checklist/Qt/ChecklistDrawing.h"

#include <QFontMetricsF>
#include <QTextLayout>

#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Style/Qt/QtColor.h"
#include "WaylarkKit/Style/Qt/TextDrawing.h"

namespace WaylarkKit::ChecklistDrawing {

QColor white(double opacity) { return toQColor(Palette::white.withOpacity(opacity)); }
QColor tickGreen() { return QColor::fromRgbF(0.25f, 0.92f, 0.45f); }
QColor orange(double opacity) { return toQColor(Palette::orange.withOpacity(opacity)); }
QColor red(double opacity) { return toQColor(Palette::red.withOpacity(opacity)); }

QPainterPath capsule(const QRectF& rect) {
    const double radius = std::min(rect.width(), rect.height()) / 2;
    return roundedRect(rect, radius);
}

QPainterPath roundedRect(const QRectF& rect, double radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

void fill(QPainter& painter, const QPainterPath& shape, const QColor& colour) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillPath(shape, colour);
    painter.restore();
}

double textWidth(const QFont& font, const QString& text) { return QFontMetricsF(font).horizontalAdvance(text); }

double lineHeight(const QFont& font) {
    const QFontMetricsF metrics(font);
    return metrics.ascent() + metrics.descent();
}

void drawLine(QPainter& painter, const QRectF& box, Qt::Alignment alignment, const QFont& font, const QColor& colour,
              const QString& text) {
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(text);
    double x = box.left();
    if (alignment & Qt::AlignRight) {
        x = box.right() - width;
    } else if (alignment & Qt::AlignHCenter) {
        x = box.left() + (box.width() - width) / 2;
    }
    const double baseline = centredBaseline(font, box);
    painter.save();
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(QPointF(x, baseline), text);
    painter.restore();
}

QStringList wrapped(const QFont& font, const QString& text, double width, int maxLines) {
    QStringList lines;
    if (text.isEmpty() || maxLines < 1) return lines;
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) break;
        line.setLineWidth(width);
        if (lines.size() == maxLines - 1) {
            // The last line allowed takes the rest of the text, cut to fit.
            lines.push_back(elided(text.mid(line.textStart()).trimmed(), font, width));
            break;
        }
        lines.push_back(text.mid(line.textStart(), line.textLength()).trimmed());
    }
    layout.endLayout();
    return lines;
}

void drawLines(QPainter& painter, const QRectF& box, const QFont& font, const QColor& colour, const QStringList& lines) {
    const double height = lineHeight(font);
    for (int i = 0; i < lines.size(); ++i) {
        drawLine(painter, QRectF(box.left(), box.top() + i * height, box.width(), height), Qt::AlignLeft, font, colour,
                 lines[i]);
    }
}

double symbolWidth(double pointSize) { return pointSize * 1.15; }

void drawSymbol(QPainter& painter, Symbol symbol, const QPointF& centre, double pointSize, double boldness,
                const QColor& colour) {
    const double side = symbolWidth(pointSize);
    paintSymbol(painter, symbol, QRectF(centre.x() - side / 2, centre.y() - side / 2, side, side), colour,
                symbolStroke(side, boldness));
}

void drawCheckBox(QPainter& painter, const QPointF& topLeft, bool isChecked) {
    const QRectF box(topLeft, QSizeF(checkBoxSize, checkBoxSize));
    if (isChecked) {
        fill(painter, roundedRect(box, 4), tickGreen());
        drawSymbol(painter, Symbol::checkmark, box.center(), 9, 1.3, Qt::black);
        return;
    }
    // An inner border: the stroke stays inside the box.
    const double line = 1.3;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(white(0.45), line));
    painter.setBrush(Qt::NoBrush);
    const QRectF inner = box.adjusted(line / 2, line / 2, -line / 2, -line / 2);
    painter.drawRoundedRect(inner, 4 - line / 2, 4 - line / 2);
    painter.restore();
}

}  // namespace WaylarkKit::ChecklistDrawing
