#include "WaylarkKit/Views/Qt/LeftStatusPainting.h"

#include <algorithm>

#include <QFontMetricsF>

#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Style/Qt/Fonts.h"
#include "WaylarkKit/Style/Qt/QtColor.h"
#include "WaylarkKit/Style/Qt/TextDrawing.h"

namespace WaylarkKit {

namespace {

QFont textFont() { return interFont(LeftStatus::fontSize, FontWeight::semibold); }

struct Widths {
    double word = 0;
    double countdown = 0;
    double line = 0;
};

Widths measure(const LeftStatus& status) {
    const QFont font = textFont();
    const QFontMetricsF metrics(font);
    Widths w;
    w.word = metrics.horizontalAdvance(QString::fromStdString(status.word));
    w.countdown = status.countdown ? MonoDigits::width(font, QString::fromStdString(*status.countdown)) : 0;
    w.line = metrics.ascent() + metrics.descent();
    return w;
}

}  // namespace

QSizeF LeftStatusRow::size(const LeftStatus& status, double mascotSide) {
    const Widths w = measure(status);
    const double side = status.mascot ? mascotSide : 0;
    double width = w.word;
    if (status.mascot) width += side + LeftStatus::spacing;
    if (status.countdown) width += LeftStatus::spacing + w.countdown;
    return {width, std::max(side, w.line)};
}

LeftStatusRow LeftStatusRow::layOut(const LeftStatus& status, double mascotSide, QPointF origin) {
    const Widths w = measure(status);
    LeftStatusRow r;
    r.row = QRectF(origin, size(status, mascotSide));
    double x = r.row.left();
    const double middle = r.row.center().y();
    if (status.mascot) {
        r.mascot = QRectF(x, middle - mascotSide / 2, mascotSide, mascotSide);
        x += mascotSide + LeftStatus::spacing;
    }
    r.word = QRectF(x, middle - w.line / 2, w.word, w.line);
    x += w.word + LeftStatus::spacing;
    if (status.countdown) r.countdown = QRectF(x, middle - w.line / 2, w.countdown, w.line);
    return r;
}

void paintLeftStatusText(QPainter& painter, const LeftStatus& status, const LeftStatusRow& row, double scale) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    if (scale != 1) {
        painter.translate(row.row.center());
        painter.scale(scale, scale);
        painter.translate(-row.row.center());
    }
    const QFont font = textFont();
    const QFontMetricsF metrics(font);
    painter.setFont(font);
    painter.setPen(toQColor(status.colour));
    painter.drawText(QPointF(row.word.left(), row.word.top() + metrics.ascent()), QString::fromStdString(status.word));
    if (status.countdown) {
        painter.setPen(toQColor(Palette::white.withOpacity(LeftStatus::countdownOpacity)));
        MonoDigits::draw(painter, QPointF(row.countdown.left(), row.countdown.top() + metrics.ascent()), font,
                         QString::fromStdString(*status.countdown));
    }
    painter.restore();
}

}  // namespace WaylarkKit
