#include "WaylarkKit/Views/Qt/LeftStatusPainting.h"

#include <algorithm>

#include <QFontMetricsF>

#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Style/Qt/Fonts.h"
#include "WaylarkKit/Style/Qt/QtColor.h"
#include "WaylarkKit/Style/Qt/TextDrawing.h"

namespace WaylarkKit {

namespace {

struct Widths {
    double word = 0;
    double countdown = 0;
    double line = 0;
};

Widths measure(const LeftStatus& status, LeftStatusFonts& fonts) {
    Widths w;
    w.word = fonts.word.of(QString::fromStdString(status.word));
    w.countdown = status.countdown ? fonts.countdown.of(QString::fromStdString(*status.countdown)) : 0;
    w.line = fonts.word.lineHeight();
    return w;
}

}  // namespace

QSizeF LeftStatusRow::size(const LeftStatus& status, double mascotSide, LeftStatusFonts& fonts) {
    const Widths w = measure(status, fonts);
    const double side = status.mascot ? mascotSide : 0;
    double width = w.word;
    if (status.mascot) width += side + LeftStatus::spacing;
    if (status.countdown) width += LeftStatus::spacing + w.countdown;
    return {width, std::max(side, w.line)};
}

LeftStatusRow LeftStatusRow::layOut(const LeftStatus& status, double mascotSide, QPointF origin,
                                    LeftStatusFonts& fonts) {
    const Widths w = measure(status, fonts);
    LeftStatusRow r;
    r.row = QRectF(origin, size(status, mascotSide, fonts));
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

void paintLeftStatusText(QPainter& painter, const LeftStatus& status, const LeftStatusRow& row, double scale,
                         LeftStatusFonts& fonts, const QRegion& exposed) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    QTransform grown;
    if (scale != 1) {
        const QPointF c = row.row.center();
        grown = QTransform::fromTranslate(-c.x(), -c.y()) * QTransform::fromScale(scale, scale) *
                QTransform::fromTranslate(c.x(), c.y());
    }
    painter.setTransform(grown, true);
    // Shaping is most of the cost of text: a part not exposed is not drawn.
    const auto isExposed = [&](const QRectF& part) {
        return exposed.intersects(grown.mapRect(part).toAlignedRect().adjusted(-1, -1, 1, 1));
    };
    // Each tick repaints the countdown, and with it the word beside it:
    // both are shaped once per text.
    const double ascent = QFontMetricsF(fonts.word.font()).ascent();
    if (isExposed(row.word)) {
        painter.setPen(toQColor(status.colour));
        fonts.word.draw(painter, row.word.topLeft() + QPointF(0, ascent), QString::fromStdString(status.word));
    }
    if (status.countdown && isExposed(row.countdown)) {
        painter.setPen(toQColor(Palette::white.withOpacity(LeftStatus::countdownOpacity)));
        fonts.countdown.draw(painter, row.countdown.topLeft() + QPointF(0, ascent),
                             QString::fromStdString(*status.countdown));
    }
    painter.restore();
}

}  // namespace WaylarkKit
