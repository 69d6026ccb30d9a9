#include "WaylarkKit/App/Qt/TimerTrayIcon.h"

#include <algorithm>

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

#include "WaylarkKit/Style/Qt/Symbols.h"

namespace WaylarkKit {

namespace {

// The tray host paints the icon through the engine at its own size, so the
// outline is laid in device pixels rather than scaled from a fixed bitmap.
class TimerIconEngine final : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        const double side = std::min(rect.width(), rect.height());
        // A sixteenth of the side of outline around the glyph's stroke: one
        // pixel at 16, so the small sizes keep the dial open. The stroke is a
        // little lighter than the island's symbols and the inset keeps the
        // outline inside the square.
        const double outline = side / 16;
        const double inset = side * 0.05;
        const QRectF square(rect.x() + (rect.width() - side) / 2, rect.y() + (rect.height() - side) / 2, side, side);
        const QPainterPath glyph =
            symbolPath(Symbol::timer, square.adjusted(inset, inset, -inset, -inset), side * 0.11);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, true);
        painter->strokePath(glyph, QPen(QColor(0, 0, 0, 230), 2 * outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter->fillPath(glyph, Qt::white);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    // The sizes offered to a tray that takes bitmaps over D-Bus.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (const int pixels : {16, 22, 24, 32, 48, 64}) sizes.append(QSize(pixels, pixels));
        return sizes;
    }

    QIconEngine* clone() const override { return new TimerIconEngine; }
    QString key() const override { return QStringLiteral("WaylarkTimer"); }
};

}  // namespace

QIcon timerTrayIcon() { return QIcon(new TimerIconEngine); }

}  // namespace WaylarkKit
