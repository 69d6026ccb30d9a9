#include "WaylarkKit/Views/Qt/TimelineHeader.h"

#include <algorithm>

#include <QFontMetricsF>
#include <QPainterPath>

#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Style/Qt/Fonts.h"
#include "WaylarkKit/Style/Qt/QtColor.h"
#include "WaylarkKit/Style/Qt/Symbols.h"
#include "WaylarkKit/Style/Qt/TextDrawing.h"

namespace WaylarkKit {

namespace {

constexpr double spacing = 8;
constexpr double buttonWidth = 24;
constexpr double chevronSide = 8;

QFont titleFont() { return interFont(13, FontWeight::semibold); }
QFont spanFont() { return interFont(10, FontWeight::semibold); }
QFont profileFont() { return interFont(11, FontWeight::semibold); }

void fillCapsule(QPainter& painter, const QRectF& rect, const QColor& colour) {
    QPainterPath path;
    path.addRoundedRect(rect, rect.height() / 2, rect.height() / 2);
    painter.fillPath(path, colour);
}

QColor white(double opacity) { return toQColor(Palette::white.withOpacity(opacity)); }

}  // namespace

TimelineHeader TimelineHeader::layout(const Input& input) {
    TimelineHeader header;
    header.input = input;
    const double w = input.width;

    header.pencil = QRectF(w - buttonWidth, 0, buttonWidth, height);

    const double spanWidth = std::max(34.0, MonoDigits::width(spanFont(), input.span));
    const double zoomWidth = 2 + buttonWidth + spanWidth + buttonWidth + 2;
    const double titleWidth = QFontMetricsF(titleFont()).horizontalAdvance(QStringLiteral("Timing & News"));
    // A long profile name gives way before the title and the zoom do.
    const double nameRoom =
        std::max(0.0, w - buttonWidth - spacing - (8 + 4 + chevronSide + 8) - spacing - zoomWidth - spacing - titleWidth);
    const double nameWidth = std::min(QFontMetricsF(profileFont()).horizontalAdvance(input.profileName), nameRoom);
    const double profileWidth = 8 + nameWidth + 4 + chevronSide + 8;
    header.profileButton = QRectF(header.pencil.left() - spacing - profileWidth, 0, profileWidth, height);
    header.profileText = QRectF(header.profileButton.left() + 8, 0, nameWidth, height);
    header.chevron = QRectF(header.profileText.right() + 4, (height - chevronSide) / 2, chevronSide, chevronSide);

    header.zoomControl = QRectF(header.profileButton.left() - spacing - zoomWidth, 0, zoomWidth, height);
    header.zoomInButton = QRectF(header.zoomControl.left() + 2, 0, buttonWidth, height);
    header.spanText = QRectF(header.zoomInButton.right(), 0, spanWidth, height);
    header.zoomOutButton = QRectF(header.spanText.right(), 0, buttonWidth, height);

    header.title = QRectF(0, 0, std::max(0.0, header.zoomControl.left() - spacing), height);
    return header;
}

QString TimelineHeader::helpText(const QPointF& point) const {
    if (zoomInButton.contains(point)) return QStringLiteral("Show less time");
    if (zoomOutButton.contains(point)) return QStringLiteral("Show more time");
    if (pencil.contains(point)) return QStringLiteral("Edit profiles and windows");
    return {};
}

void TimelineHeader::paint(QPainter& painter) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);

    painter.setFont(titleFont());
    painter.setPen(Qt::white);
    painter.drawText(title, Qt::AlignLeft | Qt::AlignVCenter, elided(QStringLiteral("Timing & News"), titleFont(), title.width()));

    fillCapsule(painter, zoomControl, white(0.1));
    const double symbolStrokeWidth = symbolStroke(9, 1);
    const QRectF symbolBox(0, 0, 9, 9);
    paintSymbol(painter, Symbol::minus, symbolBox.translated(zoomInButton.center() - symbolBox.center()),
                white(input.canZoomIn ? 0.9 : 0.25), symbolStrokeWidth);
    paintSymbol(painter, Symbol::plus, symbolBox.translated(zoomOutButton.center() - symbolBox.center()),
                white(input.canZoomOut ? 0.9 : 0.25), symbolStrokeWidth);
    painter.setPen(white(0.75));
    MonoDigits::drawIn(painter, spanText, Qt::AlignHCenter, spanFont(), input.span);

    fillCapsule(painter, profileButton, white(0.1));
    painter.setFont(profileFont());
    painter.setPen(white(0.9));
    painter.drawText(profileText, Qt::AlignLeft | Qt::AlignVCenter,
                     elided(input.profileName, profileFont(), profileText.width() + 0.5));
    painter.save();
    painter.translate(chevron.center());
    if (input.isMenuOpen) painter.rotate(180);
    paintSymbol(painter, Symbol::chevronDown, QRectF(-chevronSide / 2, -chevronSide / 2, chevronSide, chevronSide),
                white(0.9), symbolStroke(8, 1));
    painter.restore();

    fillCapsule(painter, pencil, white(0.1));
    const QRectF pencilBox(0, 0, 11, 11);
    paintSymbol(painter, Symbol::pencil, pencilBox.translated(pencil.center() - pencilBox.center()), white(0.85),
                symbolStroke(11, 0.8));
    painter.restore();
}

}  // namespace WaylarkKit
